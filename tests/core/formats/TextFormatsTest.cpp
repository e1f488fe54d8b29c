// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

#include "core/formats/FormatTestSupport.h"
#include "formats/TextFormats.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RecordList;
using test::TempDir;
using test::WriteFileBytes;

struct Loaded {
  bool ok = false;
  WaypointStore store;
  const TGpxRecord& operator[](std::size_t i) const { return *store.AllWaypoints()[i]; }
};

void ReadText(const std::string& ext, const std::string& bytes, Loaded& out) {
  TempDir dir;
  std::string path = dir.File("f" + ext);
  WriteFileBytes(path, bytes);
  out.ok = (ext == ".txt" ? ReadTxtFile : ReadCsvFile)(path, out.store, {}, nullptr);
}

// Distance in metres between two nearby positions (flat approximation).
double Metres(double lat1, double lon1, double lat2, double lon2) {
  double dy = (lat1 - lat2) * 111320.0;
  double dx = (lon1 - lon2) * 111320.0 * std::cos(lat1 * 3.14159265358979 / 180.0);
  return std::sqrt(dx * dx + dy * dy);
}

TEST(TxtWriter, WgsFileByteForByte) {
  RecordList list;
  list.Add("ABC", 52.1, 4.3);
  list.Add("South; west", -33.5, -70.25);
  TempDir dir;
  ASSERT_TRUE(WriteTxtFile(dir.File("a.txt"), list.Span(), {}));
  EXPECT_EQ(ReadFileBytes(dir.File("a.txt")),
            "N 52\xB0 06.000   E 004\xB0 18.000  ; ABC\r\n"
            "S 33\xB0 30.000   W 070\xB0 15.000  ; South; west\r\n");
}

TEST(TxtWriter, ModeLinesAndNotations) {
  RecordList list;
  list.Add("Dom", 52.0907, 5.1214);
  const char* expectedStart[] = {"N 52\xB0",   "=ED50\r\nN 52\xB0", "=Bessel\r\nN 52\xB0",
                                 "=RD\r\n136", "=Lambert\r\n",      "=UTM\r\n31U  E ",
                                 "=ECEF\r\n"};
  for (int mode = 0; mode <= 6; ++mode) {
    TempDir dir;
    WriteOptions options;
    options.txtExportMode = mode;
    ASSERT_TRUE(WriteTxtFile(dir.File("m.txt"), list.Span(), options));
    std::string text = ReadFileBytes(dir.File("m.txt"));
    EXPECT_EQ(text.rfind(expectedStart[mode], 0), 0u) << mode << ": " << text;
    EXPECT_EQ(text.substr(text.size() - 9), "  ; Dom\r\n") << mode;
    EXPECT_EQ(TxtCoordinateText(52.0907, 5.1214, mode) + "  ; Dom\r\n",
              text.substr(TxtModeLine(mode).empty() ? 0 : TxtModeLine(mode).size() + 2))
        << mode;
  }
  // PROJ (cs2cs EPSG:4326 EPSG:28992) gives 136783.7 / 455860.1 for this point.
  EXPECT_EQ(TxtCoordinateText(52.0907, 5.1214, kTxtRd), "136784 / 455860");
}

TEST(TxtWriter, EmptyListIsJustTheModeLine) {
  RecordList list;
  TempDir dir;
  WriteOptions options;
  options.txtExportMode = kTxtRd;
  ASSERT_TRUE(WriteTxtFile(dir.File("e.txt"), list.Span(), options));
  EXPECT_EQ(ReadFileBytes(dir.File("e.txt")), "=RD\r\n");
  options.txtExportMode = kTxtWgs84;
  ASSERT_TRUE(WriteTxtFile(dir.File("e.txt"), list.Span(), options));
  EXPECT_EQ(ReadFileBytes(dir.File("e.txt")), "");
}

struct TxtModeCase {
  int mode;
  double toleranceMetres;
  bool gridArea;  // RD and Lambert72 hold only their own country's area
};

class TxtModes : public ::testing::TestWithParam<TxtModeCase> {};

TEST_P(TxtModes, WrittenFileReadsBack) {
  const TxtModeCase& c = GetParam();
  RecordList list;
  if (c.gridArea) {
    bool rd = c.mode == kTxtRd;
    for (int i = 0; i < 40; ++i) {
      double lat = rd ? 51.0 + i * 0.05 : 49.6 + i * 0.04;
      double lon = rd ? 3.5 + i * 0.08 : 2.7 + i * 0.09;
      list.Add("Point " + std::to_string(i) + " \xE9\"x\", y", lat, lon);
    }
  } else {
    for (int i = 0; i < 80; ++i) {
      double lat = -79.5 + i * 2.0123457;
      double lon = -179.3 + i * 4.4567891;
      if (std::fabs(lat) < 0.01 || std::fabs(lon) < 0.01) continue;
      list.Add("Point " + std::to_string(i) + " \xE9\"x\", y", lat, lon);
    }
  }
  TempDir dir;
  WriteOptions options;
  options.txtExportMode = c.mode;
  ASSERT_TRUE(WriteTxtFile(dir.File("m.txt"), list.Span(), options));
  WaypointStore store;
  ASSERT_TRUE(ReadTxtFile(dir.File("m.txt"), store, {}, nullptr));
  ASSERT_EQ(store.size(), list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGpxRecord& r = *store.AllWaypoints()[i];
    EXPECT_EQ(r.Name, list[i].Name);
    EXPECT_LE(Metres(r.Lat, r.Lon, list[i].Lat, list[i].Lon), c.toleranceMetres)
        << "mode " << c.mode << " " << list[i].Lat << ", " << list[i].Lon << " read " << r.Lat << ", " << r.Lon;
  }
}

// Degrees and minutes to a thousandth of a minute: within 1.3 m; grids and
// ECEF to the metre: within 1 m each way; UTM adds its projection's error.
INSTANTIATE_TEST_SUITE_P(TxtFormat, TxtModes,
                         ::testing::Values(TxtModeCase{kTxtWgs84, 1.4, false}, TxtModeCase{kTxtEd50, 1.6, false},
                                           TxtModeCase{kTxtBessel, 1.6, false}, TxtModeCase{kTxtRd, 1.5, true},
                                           TxtModeCase{kTxtLambert, 1.5, true}, TxtModeCase{kTxtUtm, 1.5, false},
                                           TxtModeCase{kTxtEcef, 1.5, false}),
                         [](const auto& p) { return "Mode" + std::to_string(p.param.mode); });

TEST(TxtReader, LinesThatAddNothing) {
  Loaded r;
  ReadText(".txt",
           "N 52 06.000 E 004 18.000\n"            // no semicolon: no name
           "N 52 06.000 E 004 18.000  ;   \n"      // blank name
           "N 0 00.000 E 004 18.000  ; equator\n"  // on the equator
           "N 52 06.000 E 0 00.000  ; meridian\n"  // on the prime meridian
           "hello  ; no position\n"
           "\n",
           r);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.store.size(), 0u);
}

TEST(TxtReader, NameRulesAndModeLines) {
  Loaded r;
  ReadText(".txt",
           "N 52 06.000 E 004 18.000 ;;;   spaced name  \n"  // blanks before the line end stay
           "=ed50 ; a note\n"                                // lower case, note dropped
           "N 52 06.000 E 004 18.000  ; in ED50\n"
           "=nonsense\n"  // back to WGS84
           "N 52 06.000 E 004 18.000  ; in WGS84\n"
           "=UTM\n"
           "31U  E 589045  N 5772958  ; utm\n"
           "=RD\n"
           "  ; grid line without numbers\n"
           "99999999 / 99999999  ; far outside any map\n"
           "=xyz\n"
           "3915162 / 294382 / 5009681  ; ecef\n"
           "=ED50\n"
           "no coordinate  ; shifted zeros\n"
           "=W\n"
           "N 1 E 1  ; last line without end  ",
           r);
  ASSERT_EQ(r.store.size(), 6u);
  EXPECT_EQ(r[0].Name, "spaced name  ");
  EXPECT_EQ(r[1].Name, "in ED50");
  EXPECT_NEAR(r[1].Lat, 52.1 - 0.048 / 60, 2e-5);  // ED50 lies about 90 m off WGS84 here
  EXPECT_EQ(r[2].Name, "in WGS84");
  EXPECT_DOUBLE_EQ(r[2].Lat, 52.1);
  EXPECT_EQ(r[3].Name, "utm");
  EXPECT_NEAR(r[3].Lat, 52.1, 2e-5);
  EXPECT_NEAR(r[3].Lon, 4.3, 2e-5);
  EXPECT_EQ(r[4].Name, "ecef");
  EXPECT_NEAR(r[4].Lat, 52.1, 2e-5);
  EXPECT_EQ(r[5].Name, "last line without end");
  EXPECT_EQ(r[5].TypeCode, 0);
}

TEST(TxtReader, ModeTable) {
  const std::pair<const char*, int> cases[] = {
      {"W", 0}, {"wgs84", 0},   {"E", 1}, {"Ed50", 1}, {"b", 2},    {"BESSEL", 2}, {"R", 3}, {"rd", 3},
      {"L", 4}, {"Lambert", 4}, {"U", 5}, {"utm", 5},  {"ECEF", 6}, {"xyz", 6},    {"", 0},  {"ED 50", 0},
  };
  for (const auto& [text, mode] : cases) EXPECT_EQ(TxtModeFromText(text), mode) << text;
}

TEST(TxtReader, LongNamesAreReadWhole) {
  std::string name(5000, 'n');
  Loaded r;
  ReadText(".txt", "N 52 06.000 E 004 18.000  ; " + name + "\r\nN 53 E 5 ; next\r\n", r);
  ASSERT_EQ(r.store.size(), 2u);
  EXPECT_EQ(r[0].Name, name);
  EXPECT_EQ(r[1].Name, "next");
}

TEST(CsvWriter, LayoutsByteForByte) {
  RecordList list;
  list.Add("A \"q\", b", 52.1, -4.3);
  const std::pair<int, const char*> cases[] = {
      {kCsvMioMap, "\"A \"\"q\"\", b\",\"A \"\"q\"\", b\",-4.300000,52.100000,,,,\r\n"},
      {kCsvGarmin, "-4.300000, 52.100000, \"A \"\"q\"\", b\"\r\n"},
      {kCsvNavio, "\"A \"\"q\"\", b\", 52.100000, -4.300000\r\n"},
  };
  for (const auto& [layout, expected] : cases) {
    TempDir dir;
    ASSERT_TRUE(WriteCsvFile(dir.File("c.csv"), list.Span(), layout));
    EXPECT_EQ(ReadFileBytes(dir.File("c.csv")), expected) << layout;
  }
}

TEST(CsvWriter, PlainNamesAreUnchangedAndLineBreaksCannotSplitARecord) {
  RecordList list;
  list.Add("GC12AB", 1, 2);
  list.Add("two\r\nlines", 3, 4);
  TempDir dir;
  ASSERT_TRUE(WriteCsvFile(dir.File("c.csv"), list.Span(), kCsvGarmin));
  EXPECT_EQ(ReadFileBytes(dir.File("c.csv")),
            "2.000000, 1.000000, \"GC12AB\"\r\n4.000000, 3.000000, \"two  lines\"\r\n");
}

class CsvLayouts : public ::testing::TestWithParam<int> {};

TEST_P(CsvLayouts, WrittenFileReadsBackThroughItsOwnBranch) {
  RecordList list;
  const char* names[] = {"GC1",
                         "Caf\xE9 au lait",
                         "with \"quotes\" inside",
                         "comma, inside",
                         "semi;colon",
                         "x",
                         "A very long name that goes on and on for well over two hundred characters, "
                         "so that a reader with a small line buffer would cut it and lose the position "
                         "after it; ours must read the line whole and give the name back as written."};
  int i = 0;
  for (const char* n : names) {
    list.Add(n, -70.5 + i * 23.4567891, 179.25 - i * 51.1234567);
    ++i;
  }
  TempDir dir;
  ASSERT_TRUE(WriteCsvFile(dir.File("l.csv"), list.Span(), GetParam()));
  WaypointStore store;
  ASSERT_TRUE(ReadCsvFile(dir.File("l.csv"), store, {}, nullptr));
  ASSERT_EQ(store.size(), list.size());
  for (std::size_t k = 0; k < list.size(); ++k) {
    const TGpxRecord& r = *store.AllWaypoints()[k];
    EXPECT_EQ(r.Name, list[k].Name);
    EXPECT_NEAR(r.Lat, list[k].Lat, 5e-7);
    EXPECT_NEAR(r.Lon, list[k].Lon, 5e-7);
  }
}

std::string LayoutName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"MioMap", "Garmin", "Navio"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(CsvFormat, CsvLayouts, ::testing::Values(kCsvMioMap, kCsvGarmin, kCsvNavio), LayoutName);

TEST(CsvReader, LayoutRecognition) {
  Loaded r;
  ReadText(".csv",
           "lat,lon,name\n"  // header: no layout
           "4.3, 52.1, \"Garmin\"\n"
           "\"Mio\",\"Mio\",4.3,52.1,,,,\n"
           "\"Navio\", 52.1, 4.3\n"
           "4.3, 52.1, 12.5\n"        // the name is a number: no layout
           "0, 52.1, \"zero lon\"\n"  // a coordinate of exactly 0
           "\"\", 52.1, 4.3\n"        // empty name
           "4.3, 952.1, \"off the earth\"\n"
           "1,2,3,4\n",
           r);
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(r.store.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(r[i].Lat, 52.1);
    EXPECT_DOUBLE_EQ(r[i].Lon, 4.3);
  }
  EXPECT_EQ(r[0].Name, "Garmin");
  EXPECT_EQ(r[1].Name, "Mio");
  EXPECT_EQ(r[2].Name, "Navio");
}

TEST(CsvReader, CorpusFilesLoad) {
  QUILL_SKIP_WITHOUT_CORPUS();
  auto files = test::CorpusFiles(".csv");
  ASSERT_GE(files.size(), 6u);
  for (const std::string& f : files) {
    WaypointStore store;
    EXPECT_TRUE(ReadCsvFile(f, store, {}, nullptr)) << f;
  }
  // lon, lat, name rows: every name but the four that are numbers.
  WaypointStore store;
  ASSERT_TRUE(ReadCsvFile(test::CorpusPath("gpsbabel/gcid-input.csv"), store, {}, nullptr));
  EXPECT_EQ(store.size(), 52u);
  EXPECT_EQ(store.AllWaypoints()[0]->Name, "GC1");
  EXPECT_DOUBLE_EQ(store.AllWaypoints()[0]->Lat, 2.0);
  EXPECT_DOUBLE_EQ(store.AllWaypoints()[0]->Lon, 1.0);
  EXPECT_EQ(store.FirstWithName("12.456"), nullptr);
  EXPECT_NE(store.FirstWithName("0x1234"), nullptr);
  // name, lat, lon rows (the Navio shape) with 8-bit bytes kept as they are.
  WaypointStore g;
  ASSERT_TRUE(ReadCsvFile(test::CorpusPath("gpsbabel/grapheme.csv"), g, {}, nullptr));
  ASSERT_EQ(g.size(), 3u);
  EXPECT_EQ(g.AllWaypoints()[2]->Name,
            "\xFF"
            "Eingen");
  EXPECT_DOUBLE_EQ(g.AllWaypoints()[2]->Lat, 48.9464);
}

TEST(TextFormats, FailedSaveLeavesTheOldFile) {
  TempDir dir;
  RecordList list;
  for (int i = 0; i < 5000; ++i) list.Add("Waypoint " + std::to_string(i), 52, 5);
  for (int layout = -1; layout <= 2; ++layout) {
    std::string path = dir.File("old" + std::to_string(layout));
    WriteFileBytes(path, "old");
    int rc = test::RunWithFileSizeLimit(4096, [&] {
      if (layout < 0) return WriteTxtFile(path, list.Span(), {});
      return WriteCsvFile(path, list.Span(), layout);
    });
    EXPECT_EQ(rc, 0) << layout;
    EXPECT_EQ(ReadFileBytes(path), "old") << layout;
  }
}

TEST(TextFormats, ReadOnlyFilesLoad) {
  TempDir dir;
  WriteFileBytes(dir.File("r.txt"), "N 52 E 5 ; a\n");
  WriteFileBytes(dir.File("r.asc"), "\"a\", 52.0, 5.0\n");
  ASSERT_EQ(::chmod(dir.File("r.txt").c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir.File("r.asc").c_str(), 0444), 0);
  WaypointStore store;
  EXPECT_TRUE(ReadTxtFile(dir.File("r.txt"), store, {}, nullptr));
  EXPECT_TRUE(ReadCsvFile(dir.File("r.asc"), store, {}, nullptr));
  EXPECT_EQ(store.size(), 2u);
  EXPECT_FALSE(ReadTxtFile(dir.File("missing.txt"), store, {}, nullptr));
  EXPECT_FALSE(ReadCsvFile(dir.File("missing.csv"), store, {}, nullptr));
}

}  // namespace
}  // namespace quill
