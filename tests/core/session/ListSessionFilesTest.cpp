// SPDX-License-Identifier: GPL-3.0-or-later
// The list session's file side: load and save dispatch, the remembered file,
// the favorite file, the OV2 icon copy and the save dialog's tables.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/FileIo.h"
#include "base/ProgramFolders.h"
#include "base/UserFolders.h"
#include "core/formats/FormatTestSupport.h"
#include "formats/FormatTable.h"
#include "session/ListSession.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RecordingStatus;
using test::ScriptedQuestions;
using test::TempDir;
using test::WriteFileBytes;

const char* kTwoCaches =
    "<gpx><wpt lat=\"51.5\" lon=\"4.25\"><name>GC1</name></wpt>"
    "<wpt lat=\"52.5\" lon=\"5.25\"><name>GC2</name></wpt></gpx>";

class SessionFiles : public ::testing::Test {
 protected:
  RecordingStatus status;
  ScriptedQuestions questions;
  ListSession session{status, questions};
  TempDir dir;
};

TEST_F(SessionFiles, LoadIntoEmptyListRemembersTheFileAndIsNotModified) {
  WriteFileBytes(dir.File("first.gpx"), kTwoCaches);
  std::string savedFolder;
  session.onSavePathChanged = [&](const std::string& f) { savedFolder = f; };
  ASSERT_TRUE(session.LoadFile(dir.File("first.gpx")));
  EXPECT_EQ(session.Store().size(), 2u);
  EXPECT_EQ(session.CurrentFileName(), "first.gpx");
  EXPECT_EQ(session.Settings().savePathGpx, dir.path() + "/");
  EXPECT_EQ(savedFolder, dir.path() + "/");
  EXPECT_FALSE(session.ListModified());
  ASSERT_GE(status.set.size(), 2u);
  EXPECT_EQ(status.set.front(), (std::pair<int, std::string>{0, "Busy..."}));
  EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{0, ""}));
  EXPECT_EQ(status.flashed.back(), (std::pair<int, std::string>{0, "Done!"}));
}

TEST_F(SessionFiles, SecondLoadMergesKeepsTheFirstNameAndAsksAfresh) {
  WriteFileBytes(dir.File("a.gpx"), kTwoCaches);
  ASSERT_TRUE(session.LoadFile(dir.File("a.gpx")));
  questions.duplicateAnswers = {0, 2};
  ASSERT_TRUE(session.LoadFile(dir.File("a.gpx")));  // keep: nothing added, asked once
  EXPECT_EQ(session.Store().size(), 2u);
  ASSERT_TRUE(session.LoadFile(dir.File("a.gpx")));  // the next file asks again: allow
  EXPECT_EQ(session.Store().size(), 4u);
  EXPECT_EQ(questions.duplicateNames, (std::vector<std::string>{"GC1", "GC1"}));
  EXPECT_EQ(session.CurrentFileName(), "a.gpx");
  EXPECT_TRUE(session.ListModified());
}

TEST_F(SessionFiles, ExtensionChoosesTheReaderIgnoringCase) {
  WriteFileBytes(dir.File("UPPER.GPX"), kTwoCaches);
  EXPECT_TRUE(session.LoadFile(dir.File("UPPER.GPX")));
  WriteFileBytes(dir.File("x.LoC"), "<waypoint><name id=\"L\"></name></waypoint>");
  EXPECT_TRUE(session.LoadFile(dir.File("x.LoC")));
  EXPECT_EQ(session.Store().size(), 3u);
  WriteFileBytes(dir.File("a.xml"), kTwoCaches);
  EXPECT_FALSE(session.LoadFile(dir.File("a.xml")));
  EXPECT_EQ(status.LastSet(), "Unknown Extension");
  EXPECT_EQ(status.set.back().first, 2);
  EXPECT_FALSE(session.LoadFile(""));
}

TEST_F(SessionFiles, FailedLoadReportsWhereAndWhyAndKeepsWhatWasRead) {
  const std::string poi = std::string("\x02\x0F\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x41\x00", 15);
  struct Case {
    const char* file;
    std::string bytes;
    std::size_t kept;
    const char* status;
  };
  const Case cases[] = {
      {"missing.gpx", {}, 0, "Error loading file: no such file"},
      {"cut.gpx", "<gpx>\n<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>\n<wpt lat=\"3\" lon=\"4\">\n<name>B</name>", 1,
       "Error loading file: line 3: unterminated <wpt>"},
      {"cut.loc", "<loc>\n\n<waypoint><name id=\"GC1\">x</name>", 0,
       "Error loading file: line 3: unterminated <waypoint>"},
      {"bad.ov2", poi + "\x09", 1, "Error loading file: byte 15: unknown record type 09"},
  };
  for (const Case& c : cases) {
    session.ReleaseList();
    if (!c.bytes.empty()) WriteFileBytes(dir.File(c.file), c.bytes);
    EXPECT_FALSE(session.LoadFile(dir.File(c.file))) << c.file;
    EXPECT_EQ(session.Store().size(), c.kept) << c.file;
    EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, c.status}));
    EXPECT_TRUE(session.CurrentFileName().empty()) << c.file;
  }
  EXPECT_EQ(status.LastFlash(), "Invalid OV2 (09)");
}

TEST_F(SessionFiles, CutOffOv2LoadsItsWholeRecordsAndSaysWhereItWasCut) {
  const std::string poi = std::string("\x02\x0F\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x41\x00", 15);
  WriteFileBytes(dir.File("cut.ov2"), poi + poi + poi.substr(0, 9));
  EXPECT_TRUE(session.LoadFile(dir.File("cut.ov2")));
  EXPECT_EQ(session.Store().size(), 2u);
  EXPECT_EQ(session.CurrentFileName(), "cut.ov2");
  EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, "byte 30: file cut off inside a record"}));
}

TEST_F(SessionFiles, SaveByCodeAndByExtension) {
  WriteFileBytes(dir.File("in.gpx"), kTwoCaches);
  ASSERT_TRUE(session.LoadFile(dir.File("in.gpx")));
  ASSERT_TRUE(session.LoadFile(dir.File("in.gpx")));
  ASSERT_TRUE(session.ListModified());
  // Code 8: the extension decides, letter case ignored.
  ASSERT_TRUE(session.SaveFile(dir.File("out.KML"), kFormatByExtension));
  EXPECT_NE(ReadFileBytes(dir.File("out.KML")).find("<kml"), std::string::npos);
  EXPECT_EQ(session.CurrentFileName(), "out.KML");
  EXPECT_FALSE(session.ListModified());
  EXPECT_EQ(status.flashed.back(), (std::pair<int, std::string>{0, "Saved to " + dir.File("out.KML")}));
  // A code writes its format whatever the name says.
  ASSERT_TRUE(session.SaveFile(dir.File("loc.txt"), kFormatLoc));
  EXPECT_EQ(ReadFileBytes(dir.File("loc.txt")).find("<?xml"), 0u);
  ASSERT_TRUE(session.SaveFile(dir.File("p.ov2"), kFormatByExtension));
  EXPECT_EQ(ReadFileBytes(dir.File("p.ov2")).size(), 21u + 4 * 17);
  // A UTF-8 file name is shown as memory text: the e-acute is one byte, not two.
  ASSERT_TRUE(session.SaveFile(dir.File("caf\xC3\xA9.gpx"), kFormatByExtension));
  EXPECT_EQ(status.flashed.back().second, "Saved to " + dir.File("caf\xE9.gpx"));
}

TEST_F(SessionFiles, TextLayoutsByCodeAndByExtension) {
  session.AddToList(52.1, 4.3, "GC1");
  // The Garmin/Navman entry chosen for a name ending in .txt writes a .csv file.
  std::string garmin = SaveNameForFormat(dir.File("list.txt"), FormatCodeForFilterIndex(6));
  ASSERT_TRUE(session.SaveFile(garmin, FormatCodeForFilterIndex(6)));
  EXPECT_EQ(ReadFileBytes(dir.File("list.csv")), "4.300000, 52.100000, \"GC1\"\r\n");
  ASSERT_TRUE(session.SaveFile(dir.File("m.CSV"), kFormatByExtension));  // .csv by extension is MioMap
  EXPECT_EQ(ReadFileBytes(dir.File("m.CSV")), "\"GC1\",\"GC1\",4.300000,52.100000,,,,\r\n");
  ASSERT_TRUE(session.SaveFile(dir.File("n.asc"), kFormatByExtension));
  EXPECT_EQ(ReadFileBytes(dir.File("n.asc")), "\"GC1\", 52.100000, 4.300000\r\n");
  session.Settings().txtExportMode = 5;
  ASSERT_TRUE(session.SaveFile(dir.File("u.txt"), kFormatByExtension));
  EXPECT_EQ(ReadFileBytes(dir.File("u.txt")).rfind("=UTM\r\n31U  E ", 0), 0u);
  // And each reads back by its extension.
  for (const char* name : {"list.csv", "m.CSV", "n.asc", "u.txt"}) {
    RecordingStatus s2;
    ScriptedQuestions q2;
    ListSession other(s2, q2);
    ASSERT_TRUE(other.LoadFile(dir.File(name))) << name;
    ASSERT_EQ(other.Store().size(), 1u) << name;
    EXPECT_NEAR(other.Store().AllWaypoints()[0]->Lat, 52.1, 2e-5) << name;
  }
}

TEST_F(SessionFiles, FailedSaveChangesNothing) {
  WriteFileBytes(dir.File("in.gpx"), kTwoCaches);
  ASSERT_TRUE(session.LoadFile(dir.File("in.gpx")));
  ASSERT_TRUE(session.LoadFile(dir.File("in.gpx")));
  std::string folder = session.Settings().savePathGpx;
  EXPECT_FALSE(session.SaveFile(dir.File("no/such/folder/x.gpx"), kFormatGpx));
  EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, "Error saving file"}));
  EXPECT_EQ(session.CurrentFileName(), "in.gpx");
  EXPECT_EQ(session.Settings().savePathGpx, folder);
  EXPECT_TRUE(session.ListModified());
  EXPECT_FALSE(session.SaveFile(dir.File("x.doc"), kFormatByExtension));
  EXPECT_EQ(status.LastSet(), "Unknown Extension");
  status.set.clear();
  EXPECT_FALSE(session.SaveFile("", kFormatGpx));
  EXPECT_TRUE(status.set.empty());
}

TEST_F(SessionFiles, Ov2SaveCopiesTheIconFromTheProgramFolderButNeverOverwrites) {
  TempDir program;
  WriteFileBytes(program.File("speed.bmp"), "BMicon");
  session.SetProgramFolder(program.path());
  session.AddToList(1, 2, "A");
  ASSERT_TRUE(session.SaveFile(dir.File("speed.ov2"), kFormatOv2));
  EXPECT_EQ(ReadFileBytes(dir.File("speed.bmp")), "BMicon");
  WriteFileBytes(dir.File("speed.bmp"), "mine");
  ASSERT_TRUE(session.SaveFile(dir.File("speed.ov2"), kFormatOv2));
  EXPECT_EQ(ReadFileBytes(dir.File("speed.bmp")), "mine");
  // No icon of that name: nothing happens, the save still succeeds.
  ASSERT_TRUE(session.SaveFile(dir.File("other.ov2"), kFormatByExtension));
  EXPECT_FALSE(FileExists(dir.File("other.bmp")));
  // Other formats never copy.
  WriteFileBytes(program.File("g.bmp"), "x");
  ASSERT_TRUE(session.SaveFile(dir.File("g.gpx"), kFormatGpx));
  EXPECT_FALSE(FileExists(dir.File("g.bmp")));
}

TEST_F(SessionFiles, ProgramFolderIsTheDataFolderOfTheBuildTree) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  struct stat st {};
  EXPECT_EQ(::stat((folder + "quillmark_core_tests").c_str(), &st), 0);
  // The test program sits in tests/ of the build tree, the data one folder up.
  EXPECT_EQ(session.ProgramFolder(), DataFolder());
  EXPECT_EQ(::stat((session.ProgramFolder() + "help.html").c_str(), &st), 0);
}

TEST_F(SessionFiles, FavoriteFileRules) {
  session.Settings().stored.FavoriteFile = dir.File("fav.kml");
  session.Settings().stored.WarnSaveFav = true;
  EXPECT_FALSE(session.SaveFavorite());
  EXPECT_EQ(status.set.back(), (std::pair<int, std::string>{2, "Favorite file not loaded!"}));
  EXPECT_FALSE(session.FavoriteLoaded());

  EXPECT_FALSE(session.LoadFavorite());  // the file is not there yet
  EXPECT_TRUE(session.FavoriteLoaded());

  session.AddToList(1, 2, "A");
  questions.yesNo = false;
  EXPECT_FALSE(session.SaveFavorite());
  EXPECT_EQ(questions.captions, std::vector<std::string>{"Save Favorite File"});
  EXPECT_FALSE(FileExists(dir.File("fav.kml")));

  questions.yesNo = true;
  EXPECT_TRUE(session.SaveFavorite());
  EXPECT_NE(ReadFileBytes(dir.File("fav.kml")).find("<kml"), std::string::npos);

  session.Settings().stored.WarnSaveFav = false;
  session.Settings().stored.FavoriteFile = dir.File("fav.bak");
  EXPECT_FALSE(session.SaveFavorite());
  EXPECT_EQ(questions.captions.size(), 2u);  // not asked again
  EXPECT_EQ(status.LastSet(), "Unknown Extension");
}

// A save over a file this list was loaded from without its Groundspeak data
// asks first; nothing else does.
TEST_F(SessionFiles, SavingOverAFileWhoseGroundspeakDataWasLeftOutAsks) {
  const std::string withCache =
      "<gpx><wpt lat=\"51.5\" lon=\"4.25\"><name>GC1</name><groundspeak:cache id=\"1\">"
      "<groundspeak:name>One</groundspeak:name></groundspeak:cache></wpt></gpx>";
  struct Case {
    const char* what;
    bool hasCache;
    bool include;
    const char* target;  // relative to the folder; "=" is the loaded file
    bool asks;
  };
  const Case cases[] = {
      {"the loaded file", true, false, "=", true},
      {"the loaded file by another spelling", true, false, "./sub/../pq.gpx", true},
      {"a hard link to it", true, false, "link.gpx", true},
      {"another file", true, false, "other.gpx", false},
      {"data kept", true, true, "=", false},
      {"no Groundspeak elements", false, false, "=", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingStatus st;
    ScriptedQuestions q;
    ListSession s(st, q);
    TempDir d;
    ASSERT_EQ(::mkdir(d.File("sub").c_str(), 0700), 0);
    const std::string loaded = d.File("pq.gpx");
    const std::string original = c.hasCache ? withCache : kTwoCaches;
    WriteFileBytes(loaded, original);
    ASSERT_EQ(::link(loaded.c_str(), d.File("link.gpx").c_str()), 0);
    s.Settings().stored.IncludeGroundspeak = c.include;
    ASSERT_TRUE(s.LoadFile(loaded));
    // The load says where the data went, once, at level 1.
    const bool dropped = c.hasCache && !c.include;
    EXPECT_EQ(st.set.back().first, dropped ? 1 : 0);
    EXPECT_EQ(st.set.back().second.find("Tools > Options") != std::string::npos, dropped);
    EXPECT_EQ(st.flashed.back(), (std::pair<int, std::string>{0, "Done!"}));

    const std::string target = std::string(c.target) == "=" ? loaded : d.File(c.target);
    q.yesNo = false;
    EXPECT_EQ(s.SaveFile(target, kFormatGpx), !c.asks);
    if (!c.asks) {
      EXPECT_TRUE(q.captions.empty());
      continue;
    }
    ASSERT_EQ(q.captions, std::vector<std::string>{"Save"});
    EXPECT_EQ(ReadFileBytes(loaded), original);
    EXPECT_EQ(s.CurrentFileName(), "pq.gpx");
    q.yesNo = true;
    ASSERT_TRUE(s.SaveFile(target, kFormatGpx));
    EXPECT_EQ(ReadFileBytes(target).find("groundspeak"), std::string::npos);
    // That file now holds the list: no more questions for it.
    ASSERT_TRUE(s.SaveFile(target, kFormatGpx));
    EXPECT_EQ(q.captions.size(), 2u);
  }
}

TEST(SaveDialogTables, FilterTextWithAndWithoutKml) {
  const std::string base =
      "GPX files|*.gpx|LOC files|*.loc|Tomtom files|*.ov2|Text files|*.txt|MioMap files|*.csv|"
      "Garmin/Navman files|*.csv|Navio files|*.asc";
  EXPECT_EQ(SaveDialogFilter(false), base);
  EXPECT_EQ(SaveDialogFilter(true), base + "|KML files|*.kml");
}

// Every row of the format table reaches each place built from it.
TEST(SaveDialogTables, EveryFormatRowReachesEveryDerivedTable) {
  EXPECT_EQ(LoadDialogFilter(), "Waypoint files|*.gpx;*.loc;*.ov2;*.txt;*.asc;*.csv;*.zip");
  const std::string withKml = SaveDialogFilter(true);
  for (const FileFormat& f : FileFormats()) {
    SCOPED_TRACE(std::string(f.name));
    EXPECT_EQ(FormatForCode(f.code), &f);
    if (!f.writer) {
      // Read only: nowhere among the save formats.
      EXPECT_EQ(FormatCodeForName(f.name), -1);
      EXPECT_EQ(FormatCodeForExtension(f.extension), -1);
      EXPECT_EQ(ReadFormatCodeForName(f.name), f.code);
      EXPECT_EQ(ReaderForPath("a" + std::string(f.extension)), f.reader);
      continue;
    }
    EXPECT_EQ(FormatCodeForFilterIndex(f.filterIndex), f.code);
    EXPECT_EQ(FormatCodeForName(f.name), f.code);
    EXPECT_EQ(SaveNameForFormat("/d/x.y", f.code), "/d/x" + std::string(f.extension));
    const std::string entry = std::string(f.filterName) + "|*" + std::string(f.extension);
    EXPECT_NE(withKml.find(entry), std::string::npos);
    // A readable extension is offered by the open dialog and loads.
    EXPECT_EQ(f.reader != nullptr, LoadDialogFilter().find("*" + std::string(f.extension)) != std::string::npos);
    if (f.reader) {
      EXPECT_EQ(ReaderForPath("a" + std::string(f.extension)), f.reader);
    }
    EXPECT_NE(f.writer, nullptr);
  }
  EXPECT_EQ(FormatNames(", ", " or "), "gpx, loc, ov2, txt, kml, miomap, garmin or navio");
}

TEST(SaveDialogTables, FilterIndexToFormatCode) {
  const int codes[] = {-1,           kFormatGpx, kFormatLoc, kFormatOv2, kFormatTxt, kFormatMioMap, kFormatGarmin,
                       kFormatNavio, kFormatKml};
  for (int i = 0; i <= 8; ++i) EXPECT_EQ(FormatCodeForFilterIndex(i), codes[i]) << i;
  EXPECT_EQ(FormatCodeForFilterIndex(9), -1);
}

TEST(SaveDialogTables, PreselectedIndexFromTheCurrentFileName) {
  const std::pair<const char*, int> cases[] = {{"a.gpx", 1}, {"a.LOC", 2}, {"x.y.ov2", 3}, {"t.txt", 4}, {"c.csv", 5},
                                               {"n.asc", 7}, {"k.kml", 8}, {"", 1},        {"noext", 1}, {"z.xml", 1}};
  for (const auto& [name, index] : cases) EXPECT_EQ(FilterIndexForFileName(name), index) << name;
}

TEST(SaveDialogTables, ProposedNameAndExtensionReplacement) {
  EXPECT_EQ(ProposedSaveName("caches.loc"), "caches");
  EXPECT_EQ(ProposedSaveName("a.b.gpx"), "a.b");
  EXPECT_EQ(ProposedSaveName(""), "");
  EXPECT_EQ(SaveNameForFormat("/d/list.txt", kFormatGarmin), "/d/list.csv");
  EXPECT_EQ(SaveNameForFormat("/d.x/list", kFormatNavio), "/d.x/list.asc");
  EXPECT_EQ(SaveNameForFormat("list.GPX", kFormatOv2), "list.ov2");
  EXPECT_EQ(SaveNameForFormat("l.gpx", kFormatMioMap), "l.csv");
  EXPECT_EQ(SaveNameForFormat("l.gpx", kFormatKml), "l.kml");
  EXPECT_EQ(SaveNameForFormat("l.gpx", kFormatTxt), "l.txt");
}

}  // namespace
}  // namespace quill
