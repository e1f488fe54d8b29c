// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "base/FileIo.h"
#include "formats/FormatSniff.h"
#include "formats/FormatTable.h"
#include "formats/ZipArchive.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace quill {
namespace {

using test::BuildZip;
using test::ZipTestEntry;

std::string Gpx(std::initializer_list<const char*> names) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<gpx version=\"1.0\">\r\n";
  double lat = 52.0;
  for (const char* name : names) {
    text += "<wpt lat=\"" + std::to_string(lat) + "\" lon=\"5.0\"><name>" + name + "</name></wpt>\r\n";
    lat += 0.01;
  }
  return text + "</gpx>\r\n";
}

std::string Loc(const char* name) {
  return std::string("<?xml version=\"1.0\"?><loc version=\"1.0\"><waypoint><name id=\"") + name +
         "\"><![CDATA[x]]></name><coord lat=\"51.5\" lon=\"4.5\"/></waypoint></loc>";
}

std::vector<std::string> ShownNames(const ListSession& session) {
  std::vector<std::string> names;
  for (const TGpxRecord* r : session.Store().ShownWaypoints()) names.push_back(r->Name);
  return names;
}

struct Loaded {
  bool ok = false;
  std::vector<std::string> names;
  std::string status;
};

Loaded LoadArchive(const std::string& bytes, test::ScriptedQuestions& questions) {
  test::TempDir dir;
  const std::string path = dir.File("pq.zip");
  test::WriteFileBytes(path, bytes);
  test::RecordingStatus status;
  ListSession session(status, questions);
  Loaded loaded;
  loaded.ok = session.LoadFile(path);
  loaded.names = ShownNames(session);
  loaded.status = status.LastSet();
  // The archive is read, never unpacked anywhere.
  EXPECT_EQ(test::ListTree(dir.path()), std::vector<std::string>{"pq.zip"});
  return loaded;
}

TEST(ZipArchive, EveryGpxAndLocEntryLoadsInEntryOrder) {
  const struct {
    const char* what;
    std::vector<ZipTestEntry> entries;
    std::vector<std::string> names;
  } cases[] = {
      {"one GPX", {{"123.gpx", Gpx({"GC1", "GC2"})}}, {"GC1", "GC2"}},
      {"caches and their waypoints",
       {{"123.gpx", Gpx({"GC1", "GC2"})}, {"123-wpts.gpx", Gpx({"PK1", "FN2"}), false}},
       {"GC1", "GC2", "PK1", "FN2"}},
      {"three, entry order not name order",
       {{"c.GPX", Gpx({"C1"})}, {"a.gpx", Gpx({"A1"})}, {"b.gpx", Gpx({"B1"})}},
       {"C1", "A1", "B1"}},
      {"a LOC entry beside other files",
       {{"readme.txt", "not read"}, {"x.loc", Loc("GC9")}, {"y.gpx", Gpx({"Y"})}},
       {"GC9", "Y"}},
      {"a nested folder", {{"pq/", ""}, {"pq/deep/1.gpx", Gpx({"N1"})}}, {"N1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScriptedQuestions questions;
    const Loaded loaded = LoadArchive(BuildZip(c.entries), questions);
    EXPECT_TRUE(loaded.ok) << loaded.status;
    EXPECT_EQ(loaded.names, c.names);
  }
}

// As if the files were loaded one after another: each entry asks about its
// first duplicate again, and a Keep in one is no answer for the next.
TEST(ZipArchive, DuplicateQuestionOncePerEntry) {
  test::ScriptedQuestions questions;
  questions.duplicateAnswers = {0, 1};  // keep, then replace
  const Loaded loaded = LoadArchive(
      BuildZip({{"a.gpx", Gpx({"GC1", "GC2"})}, {"b.gpx", Gpx({"GC1", "GC2"})}, {"c.gpx", Gpx({"GC2", "GC3"})}}),
      questions);
  ASSERT_TRUE(loaded.ok) << loaded.status;
  EXPECT_EQ(questions.duplicateNames, (std::vector<std::string>{"GC1", "GC2"}));
  EXPECT_EQ(loaded.names, (std::vector<std::string>{"GC1", "GC2", "GC3"}));
}

TEST(ZipArchive, HostileArchivesAreRefusedWhole) {
  const std::string good = Gpx({"GC1"});
  std::string zeros(8u << 20, '\0');
  ZipTestEntry lying{"bomb.gpx", zeros};
  lying.claimedSize = 1000;
  ZipTestEntry ratio{"big.gpx", good};
  ratio.claimedSize = 100u << 20;
  ZipTestEntry huge{"huge.gpx", good};
  huge.claimedSize = std::uint64_t{5} << 30;
  ZipTestEntry packedWell{"packed.gpx", zeros};  // honest header, 8 MiB from a few KiB
  ZipTestEntry encrypted{"secret.gpx", good};
  encrypted.encryptedFlag = true;
  // A claim that lies the other way round: short data, CRC of the whole.
  ZipTestEntry shortData{"short.gpx", good, false};
  shortData.claimedSize = good.size() + 10;
  ZipTestEntry storedLie{"stored.gpx", good, false};
  storedLie.claimedSize = good.size() - 10;
  ZipTestEntry wrongSum{"sum.gpx", good};
  wrongSum.claimedCrc = 0x12345678;
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"unpacks past its claim", BuildZip({{"ok.gpx", good}, lying}), "unpacks to more than it claims"},
      {"claims past 200 times", BuildZip({{"ok.gpx", good}, ratio}), "a ZIP bomb"},
      {"claims past 4 GiB", BuildZip({{"ok.gpx", good}, huge}), "a ZIP bomb"},
      {"packs past 200 times", BuildZip({{"ok.gpx", good}, packedWell}), "a ZIP bomb"},
      {"absolute name", BuildZip({{"ok.gpx", good}, {"/etc/x.gpx", good}}), "named outside the archive"},
      {"parent name", BuildZip({{"ok.gpx", good}, {"a/../../x.gpx", good}}), "named outside the archive"},
      {"backslash parent", BuildZip({{"..\\x.txt", "x"}, {"ok.gpx", good}}), "named outside the archive"},
      {"drive letter", BuildZip({{"C:x.gpx", good}}), "named outside the archive"},
      {"encrypted entry", BuildZip({{"ok.gpx", good}, encrypted}), "is encrypted"},
      {"damaged directory", BuildZip({{"ok.gpx", good}}, true), "damaged archive"},
      {"cut off", BuildZip({{"ok.gpx", good}}).substr(0, 60), "damaged archive"},
      {"data shorter than claimed", BuildZip({{"ok.gpx", good}, shortData}), "damaged"},
      {"stored past its claim", BuildZip({{"ok.gpx", good}, storedLie}), "unpacks to more than it claims"},
      {"checksum of other data", BuildZip({{"ok.gpx", good}, wrongSum}), "checksum mismatch"},
      {"no waypoint file", BuildZip({{"readme.txt", "x"}}), "no GPX or LOC file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScriptedQuestions questions;
    const Loaded loaded = LoadArchive(c.bytes, questions);
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.names.empty());
    EXPECT_NE(loaded.status.find(c.message), std::string::npos) << loaded.status;
  }
}

// Entries are read while they unpack: an entry found lying after another
// was read takes the whole archive back, a waypoint it replaced included,
// and leaves no step to undo.
TEST(ZipArchive, ALieFoundHalfwayTakesTheArchiveBack) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("old.gpx"), Gpx({"GC1", "GC2"}));
  ZipTestEntry lying{"b.gpx", Gpx({"GC7"})};
  lying.claimedSize = 20;
  test::WriteFileBytes(dir.File("pq.zip"), BuildZip({{"a.gpx", Gpx({"GC2", "GC5"})}, lying}));
  test::RecordingStatus status;
  test::ScriptedQuestions questions;
  questions.duplicateAnswers = {kDuplicateReplace};
  ListSession session(status, questions);
  ASSERT_TRUE(session.LoadFile(dir.File("old.gpx")));
  const std::vector<const TGpxRecord*> before = session.Store().ShownWaypoints();
  const double lat2 = before[1]->Lat;
  EXPECT_FALSE(session.LoadFile(dir.File("pq.zip")));
  EXPECT_NE(status.LastSet().find("unpacks to more than it claims"), std::string::npos) << status.LastSet();
  EXPECT_EQ(questions.duplicateNames, std::vector<std::string>{"GC2"});
  EXPECT_EQ(session.Store().ShownWaypoints(), before);
  EXPECT_EQ(session.Store().AllWaypoints(), before);
  EXPECT_EQ(before[1]->Lat, lat2);
  EXPECT_EQ(session.Store().FirstWithName("GC5"), nullptr);
  EXPECT_EQ(session.UndoName(), "Load old.gpx (2 waypoints)");
}

// The text unpacks in pieces: a waypoint whose CR LF is split between two of
// them loads as from the unpacked file, from stored and deflated entries.
TEST(ZipArchive, AWaypointAcrossUnpackedPiecesLoadsAsFromItsFile) {
  const std::string head = "<?xml version=\"1.0\"?>\r\n<gpx version=\"1.0\">\r\n<!--";
  const std::string wpt = "-->\r\n<wpt lat=\"52\" lon=\"5\"><name>GC1</name><desc>x";
  for (const std::size_t cr : {std::size_t{1} << 20, (std::size_t{1} << 20) - 1, std::size_t{3} << 20}) {
    // Letters at random, so the entry packs no better than a real one.
    std::string pad(cr - head.size() - wpt.size(), 'p');
    unsigned state = 99;
    for (char& c : pad) c = static_cast<char>('a' + ((state = state * 1103515245u + 12345u) >> 16) % 26);
    const std::string text = head + pad + wpt + "\r\ny\r</desc></wpt>\r\n</gpx>\r\n";
    ASSERT_EQ(text.find("\r\ny"), cr);
    test::TempDir dir;
    test::WriteFileBytes(dir.File("a.gpx"), text);
    test::WriteFileBytes(dir.File("deflated.zip"), BuildZip({{"a.gpx", text, true}}));
    test::WriteFileBytes(dir.File("stored.zip"), BuildZip({{"a.gpx", text, false}}));
    std::vector<std::string> descs;
    for (const char* file : {"a.gpx", "deflated.zip", "stored.zip"}) {
      SCOPED_TRACE(std::to_string(cr) + " " + file);
      test::RecordingStatus status;
      test::ScriptedQuestions questions;
      ListSession session(status, questions);
      ASSERT_TRUE(session.LoadFile(dir.File(file))) << status.LastSet();
      ASSERT_EQ(session.Store().size(), 1u);
      descs.push_back(session.Store().AllWaypoints()[0]->Desc);
    }
    EXPECT_EQ(std::count(descs[0].begin(), descs[0].end(), '\n'), 1);
    EXPECT_EQ(descs[1], descs[0]);
    EXPECT_EQ(descs[2], descs[0]);
  }
}

TEST(ZipArchive, NamesLeavingTheFolderTable) {
  const std::pair<const char*, bool> cases[] = {
      {"a.gpx", false},   {"pq/a.gpx", false},     {"..a.gpx", false},   {"a../b.gpx", false}, {"", false},
      {"/a.gpx", true},   {"\\a.gpx", true},       {"../a.gpx", true},   {"a/..", true},       {"a\\..\\b", true},
      {"c:/a.gpx", true}, {"x/../../a.gpx", true}, {"./../a.gpx", true},
  };
  for (const auto& [name, unsafe] : cases) EXPECT_EQ(LeavesItsFolder(name), unsafe) << name;
}

// An archive is known by its content, whatever its name, and offered by the
// open dialog; it is never a save format.
TEST(ZipArchive, KnownByContentAndByExtension) {
  const std::string bytes = BuildZip({{"a.gpx", Gpx({"GC1"})}});
  EXPECT_EQ(FormatOfContent(bytes.substr(0, 10), false).formatCode, kFormatZip);
  EXPECT_EQ(FormatOfContent(BuildZip({}), true).formatCode, kFormatZip);
  EXPECT_EQ(ReaderForPath("PQ.ZIP"), &ReadZipFile);
  EXPECT_NE(LoadDialogFilter().find("*.zip"), std::string::npos);
  EXPECT_EQ(FormatCodeForName("zip"), -1);
  EXPECT_EQ(FormatCodeForExtension(".zip"), -1);
  EXPECT_EQ(ReadFormatCodeForName("zip"), kFormatZip);

  test::TempDir dir;
  test::WriteFileBytes(dir.File("pocket"), bytes);
  test::RecordingStatus status;
  test::ScriptedQuestions questions;
  ListSession session(status, questions);
  ASSERT_TRUE(session.LoadFile(dir.File("pocket"), kFormatZip));
  EXPECT_EQ(ShownNames(session), std::vector<std::string>{"GC1"});
  EXPECT_FALSE(session.SaveFile(dir.File("out.zip"), kFormatByExtension));
  EXPECT_FALSE(FileExists(dir.File("out.zip")));
}

}  // namespace
}  // namespace quill
