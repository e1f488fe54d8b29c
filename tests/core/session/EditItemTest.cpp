// SPDX-License-Identifier: GPL-3.0-or-later
// The edit dialog's logic: fields from a record, the record from fields, URL
// completion, and the one-record GPX file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "geo/GridProjection.h"
#include "session/EditItem.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

std::string Link(std::string_view code) { return "https://short.example/" + std::string(code); }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TGpxRecord Sample() {
  TGpxRecord r;
  r.Lat = 52.123456789012345;
  r.Lon = -4.987654321098765;
  r.Name = "Mill \xE9";
  r.Desc = "line one\r\nline two";
  r.Cmt = "note";
  r.Url = "https://example.org/x";
  r.UrlName = "X";
  r.Time = "2010-09-24T08:05:09";
  r.Sym = "Custom";
  r.TypeCode = 7;
  r.Found = true;
  return r;
}

TEST(EditItem, FieldsShowTheRecordWithMinuteMarks) {
  TGpxRecord r = Sample();
  EditItemFields f = EditFieldsOf(r);
  EXPECT_EQ(f.north, "52\xB0 07.407'");
  EXPECT_EQ(f.east, "-4\xB0 59.259'");
  EXPECT_EQ(f.name, r.Name);
  EXPECT_EQ(f.desc, r.Desc);
  EXPECT_EQ(f.sym, "Custom");
  EXPECT_EQ(f.typeCode, 7);
  EXPECT_TRUE(f.found);
}

TEST(EditItem, UntouchedFieldsGiveTheRecordBackBitForBit) {
  TGpxRecord r = Sample();
  EditItemFields shown = EditFieldsOf(r);
  TGpxRecord s = StoredRecord(r, shown, shown, Link);
  EXPECT_TRUE(SameBits(s.Lat, r.Lat));
  EXPECT_TRUE(SameBits(s.Lon, r.Lon));
  EXPECT_EQ(std::tie(s.Name, s.Desc, s.Cmt, s.Url, s.UrlName, s.Sym, s.TypeCode, s.Found),
            std::tie(r.Name, r.Desc, r.Cmt, r.Url, r.UrlName, r.Sym, r.TypeCode, r.Found));
}

TEST(EditItem, TypedCoordinatesAreReadAndTheUntouchedOneKeepsItsBits) {
  TGpxRecord r = Sample();
  const EditItemFields shown = EditFieldsOf(r);
  const struct {
    const char* north;
    const char* east;
    double lat;  // NaN: the record's own, bit for bit
    double lon;
  } cases[] = {
      {"52\xB0 10.000'", shown.east.c_str(), 52 + 10.0 / 60, NAN},
      {shown.north.c_str(), "-5 00.000", NAN, -5.0},
      // Reformatted, same value: nothing moves.
      {"52 07.407", "-4 59.259", NAN, NAN},
      {"N 51 30.000 E 4 15.000", shown.east.c_str(), 51.5, 4.25},
  };
  for (const auto& c : cases) {
    EditItemFields now = shown;
    now.north = c.north;
    now.east = c.east;
    TGpxRecord s = StoredRecord(r, shown, now, Link);
    if (std::isnan(c.lat)) {
      EXPECT_TRUE(SameBits(s.Lat, r.Lat)) << c.north;
    } else {
      EXPECT_NEAR(s.Lat, c.lat, 1e-12) << c.north;
    }
    if (std::isnan(c.lon)) {
      EXPECT_TRUE(SameBits(s.Lon, r.Lon)) << c.east;
    } else {
      EXPECT_NEAR(s.Lon, c.lon, 1e-12) << c.east;
    }
  }
}

TEST(EditItem, RdTypedIntoTheTwoFieldsIsConverted) {
  TGpxRecord r = Sample();
  EditItemFields shown = EditFieldsOf(r);
  EditItemFields now = shown;
  now.north = "155000";
  now.east = "463000";
  TGpxRecord s = StoredRecord(r, shown, now, Link);
  LatLon amersfoort = RdToWgs84(155000, 463000);
  EXPECT_DOUBLE_EQ(s.Lat, amersfoort.lat);
  EXPECT_DOUBLE_EQ(s.Lon, amersfoort.lon);
  EXPECT_NEAR(s.Lat, 52.1552, 0.001);
  EXPECT_NEAR(s.Lon, 5.3872, 0.001);
}

TEST(EditItem, GcCodeInAnyOfTheThreeFieldsCompletesTheUrl) {
  const struct {
    const char* name;
    const char* urlName;
    const char* url;
    const char* wantUrlName;
    const char* wantUrl;
  } cases[] = {
      {"GC12AB", "", "", "", "https://short.example/GC12AB"},
      {"Home", "GC77XY", "", "GC77XY", "https://short.example/GC77XY"},
      {"GC1", "GC2", "", "GC2", "https://short.example/GC1"},  // the name first
      {"Home", "", "GC12AB", "GC12AB", "https://short.example/GC12AB"},
      {"Home", "Mine", "GC12AB", "Mine", "https://short.example/GC12AB"},
      {"gc12ab", "Gc1", "", "Gc1", ""},  // the prefix is case-sensitive
      {"GC12AB", "", "https://x.example/", "", "https://x.example/"},
      {"G", "C", "G", "C", "G"},
  };
  for (const auto& c : cases) {
    TGpxRecord r;
    r.Name = c.name;
    r.UrlName = c.urlName;
    r.Url = c.url;
    CompleteCacheUrl(r, Link);
    EXPECT_EQ(r.UrlName, c.wantUrlName) << c.name << "|" << c.urlName << "|" << c.url;
    EXPECT_EQ(r.Url, c.wantUrl) << c.name << "|" << c.urlName << "|" << c.url;
  }
}

class EditSession : public ::testing::Test {
 protected:
  EditSession() {
    WriteFileBytes(dir.File("two.gpx"),
                   "<gpx><wpt lat=\"52.123456789\" lon=\"4.987654321\"><name>GC1AAA</name><sym>Geocache</sym>"
                   "<type>Geocache|Traditional Cache</type></wpt>"
                   "<wpt lat=\"51\" lon=\"4\"><name>B</name></wpt></gpx>");
    EXPECT_TRUE(session.LoadFile(dir.File("two.gpx")));
    session.SetListModified(false);
  }
  const TGpxRecord* Row(int i) { return session.Store().ShownWaypoints()[static_cast<std::size_t>(i)]; }
  test::TempDir dir;
  test::RecordingStatus status;
  test::ScriptedQuestions questions;
  ListSession session{status, questions};
};

TEST_F(EditSession, RenameGoesThroughTheNameIndexAndModifiesTheList) {
  const TGpxRecord* r = Row(0);
  EditItemFields shown = EditFieldsOf(*r);
  EditItemFields now = shown;
  now.name = "GC9ZZZ";
  now.typeCode = 1;
  now.sym = std::string(DefaultSymbol(1, false));
  session.StoreEdit(r, shown, now, Link);
  EXPECT_TRUE(session.ListModified());
  EXPECT_EQ(session.Store().FirstWithName("GC9ZZZ"), r);
  EXPECT_EQ(session.Store().FirstWithName("GC1AAA"), nullptr);
  EXPECT_EQ(r->Url, "https://short.example/GC9ZZZ");
  EXPECT_EQ(r->Sym, "Parking Area");
  EXPECT_EQ(r->TypeCode, 1);
}

TEST_F(EditSession, CoordinatesThatDoNotReadAreRefusedWithEverythingElse) {
  const TGpxRecord* r = Row(0);
  const TGpxRecord before = *r;
  const EditItemFields shown = EditFieldsOf(*r);
  const struct {
    std::string north, east, quoted;
  } cases[] = {{"abc", shown.east, "abc"},
               {"53 24.42l", shown.east, "53 24.42l"},
               {shown.north, "4 5x", "4 5x"},
               {"155000x", "463000", "155000x 463000"}};
  for (const auto& c : cases) {
    EditItemFields now = shown;
    now.north = c.north;
    now.east = c.east;
    now.name = "Changed";
    EXPECT_FALSE(session.StoreEdit(r, shown, now, Link)) << c.quoted;
    EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, "Not a position: " + c.quoted}));
  }
  EXPECT_EQ(r->Name, before.Name);
  EXPECT_TRUE(SameBits(r->Lat, before.Lat));
  EXPECT_TRUE(SameBits(r->Lon, before.Lon));
  EXPECT_FALSE(session.ListModified());
  EXPECT_FALSE(session.CanUndo() && session.UndoName().rfind("Edit", 0) == 0);
}

TEST_F(EditSession, OneRecordGpxFileHasItsOwnHeaderAndReadsBack) {
  const TGpxRecord* r = Row(0);
  EditItemFields shown = EditFieldsOf(*r);
  EditItemFields now = shown;
  now.url = "GC1AAA";
  session.StoreEdit(r, shown, now, Link);
  const std::string path = dir.File("GC1AAA.gpx");
  ASSERT_TRUE(session.SaveRecordGpx(path, *r));
  const std::string text = ReadFileBytes(path);
  const std::string expectedStart =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/0\"\r\n"
      "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
      "     xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"\r\n"
      "     version=\"1.0\"\r\n"
      "     creator=\"Tarnwick\"\r\n"
      "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 http://www.topografix.com/GPX/1/0/gpx.xsd\">\r\n"
      "  <name>Cache Listing Generated by Tarnwick</name>\r\n"
      "  <time>";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(text.find("  <bounds minlat=\"52.123457\" minlon=\"4.987654\" maxlat=\"52.123457\" maxlon=\"4.987654\" />"
                      "\r\n  <wpt lat=\"52.123456789\" lon=\"4.987654321\">\r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 18), "  </wpt>\r\n</gpx>\r\n");

  test::RecordingStatus s2;
  ListSession back(s2, questions);
  ASSERT_TRUE(back.LoadFile(path));
  ASSERT_EQ(back.Store().size(), 1u);
  const TGpxRecord& b = *back.Store().AllWaypoints()[0];
  EXPECT_TRUE(SameBits(b.Lat, r->Lat));
  EXPECT_TRUE(SameBits(b.Lon, r->Lon));
  EXPECT_EQ(b.Name, "GC1AAA");
  EXPECT_EQ(b.Url, "https://short.example/GC1AAA");
  EXPECT_EQ(b.UrlName, "GC1AAA");
  EXPECT_EQ(b.TypeCode, 6);
}

TEST_F(EditSession, FailedOneRecordSaveSaysSoAndLeavesTheOldFile) {
  const std::string path = dir.File("old.gpx");
  WriteFileBytes(path, "old contents");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(session.SaveRecordGpx(path, *Row(0)));
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  ASSERT_FALSE(status.set.empty());
  EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, "Error saving file"}));
  status.set.clear();
  EXPECT_FALSE(session.SaveRecordGpx(dir.File("no/such/folder/x.gpx"), *Row(0)));
  EXPECT_EQ(status.LastSet(), "Error saving file");
}

}  // namespace
}  // namespace quill
