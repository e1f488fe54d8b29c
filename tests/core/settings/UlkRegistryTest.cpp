// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "base/UserFolders.h"
#include "settings/AppSettings.h"
#include "settings/UlkRegistry.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TUlkRegistry MakeRegistry(const TempDir& dir) {
  TUlkRegistry r(dir.path());
  r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  return r;
}

TEST(SettingsRegistry, KeyPathJoinsNonEmptyParts) {
  TUlkRegistry r("/nonexistent");
  r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "");
  EXPECT_EQ(r.KeyPath(), "Software\\Tarnwick");
  r.Init(RegistryRoot::kLocalMachine, "Software", "", "Quillmark");
  EXPECT_EQ(r.KeyPath(), "Software\\Quillmark");
  r.Init(RegistryRoot::kLocalMachine, std::string(300, 'x'), "A", "B");
  EXPECT_EQ(r.KeyPath(), std::string(199, 'x') + "\\A\\B");
}

TEST(SettingsRegistry, TypedValuesRoundTripInRegistryExportSyntax) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  ASSERT_TRUE(r.WriteInt("Settings", "WarnDel", 1));
  ASSERT_TRUE(r.WriteInt("Settings", "FtpProxyPort", -2));
  ASSERT_TRUE(r.WriteString("Settings", "HomeCoords", "N 52 E 5"));
  ASSERT_TRUE(r.WriteString("Settings", "Path", "C:\\dir \"quoted\" caf\xE9 \xC5\x99"));
  const unsigned char bin[] = {1, 2, 0xFF};
  ASSERT_TRUE(r.WriteBinary("Settings", "X", bin, 3));

  EXPECT_EQ(r.ReadInt("Settings", "WarnDel", 0), 1);
  EXPECT_EQ(r.ReadInt("Settings", "FtpProxyPort", 0), -2);
  EXPECT_EQ(r.ReadString("Settings", "HomeCoords", "d"), "N 52 E 5");
  EXPECT_EQ(r.ReadString("Settings", "Path", "d"), "C:\\dir \"quoted\" caf\xE9 \xC5\x99");
  unsigned char out[8] = {};
  EXPECT_EQ(r.ReadBinary("Settings", "X", out, sizeof out), 3);
  EXPECT_EQ(out[2], 0xFF);

  std::string text = ReadFileBytes(r.FilePath());
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
  EXPECT_NE(text.find("[Software\\Tarnwick\\Quillmark\\Settings]\n"), std::string::npos);
  EXPECT_NE(text.find("\"WarnDel\"=dword:00000001\n"), std::string::npos);
  EXPECT_NE(text.find("\"FtpProxyPort\"=dword:fffffffe\n"), std::string::npos);
  EXPECT_NE(text.find("\"HomeCoords\"=\"N 52 E 5\"\n"), std::string::npos);
  // UTF-8 on disk, escapes of the export syntax.
  EXPECT_NE(text.find("\"Path\"=\"C:\\\\dir \\\"quoted\\\" caf\xC3\xA9 \xC5\x99\"\n"), std::string::npos);
  EXPECT_NE(text.find("\"X\"=hex:01,02,ff\n"), std::string::npos);
}

TEST(SettingsRegistry, DefaultRules) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  // No file at all.
  EXPECT_EQ(r.ReadString("Settings", "A", "def"), "def");
  EXPECT_EQ(r.ReadInt("Settings", "A", 7), 7);
  ASSERT_TRUE(r.WriteString("Settings", "Empty", ""));
  ASSERT_TRUE(r.WriteString("Settings", "Text", "12"));
  ASSERT_TRUE(r.WriteInt("Settings", "Number", 5));
  EXPECT_EQ(r.ReadString("Settings", "Empty", "def"), "def");
  EXPECT_EQ(r.ReadString("Settings", "Missing", "def"), "def");
  EXPECT_EQ(r.ReadInt("Settings", "Text", 3), 3);           // a string is not an integer
  EXPECT_EQ(r.ReadString("Settings", "Number", "d"), "d");  // nor the other way round
  unsigned char small[1];
  const unsigned char two[] = {1, 2};
  ASSERT_TRUE(r.WriteBinary("Settings", "Two", two, 2));
  small[0] = 9;
  EXPECT_EQ(r.ReadBinary("Settings", "Two", small, 1), 0);
  EXPECT_EQ(small[0], 9);
  EXPECT_EQ(r.ReadBinary("Settings", "Text", small, 1), 0);
  // Names and keys compare without regard to case, as in a registry.
  EXPECT_EQ(r.ReadInt("SETTINGS", "number", 0), 5);
}

TEST(SettingsRegistry, ReadingAMissingSectionCreatesNothing) {
  TempDir dir;
  TUlkRegistry r(dir.path() + "/sub/quillmark");
  r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  EXPECT_EQ(r.ReadString("Nowhere", "A", "x"), "x");
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/sub"));
  ASSERT_TRUE(r.WriteInt("Settings", "A", 1));
  std::string before = ReadFileBytes(r.FilePath());
  EXPECT_EQ(r.ReadInt("Other", "A", 4), 4);
  EXPECT_EQ(ReadFileBytes(r.FilePath()), before);
}

TEST(SettingsRegistry, FileIsPrivateToTheUser) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  ASSERT_TRUE(r.WriteString("Settings", "FtpPassword", "secret"));
  struct stat st {};
  ASSERT_EQ(::stat(r.FilePath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  // Loosened by hand: the next write makes it private again.
  ::chmod(r.FilePath().c_str(), 0644);
  ASSERT_TRUE(r.WriteInt("Settings", "A", 1));
  ASSERT_EQ(::stat(r.FilePath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SettingsRegistry, ValuesWithLineBreaksSurvive) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  ASSERT_TRUE(r.WriteString("Settings", "Multi", "one\ntwo\r\n\xC5\x99"));
  ASSERT_TRUE(r.WriteInt("Settings", "After", 3));
  EXPECT_EQ(r.ReadString("Settings", "Multi", ""), "one\ntwo\r\n\xC5\x99");
  EXPECT_EQ(r.ReadInt("Settings", "After", 0), 3);
}

TEST(SettingsRegistry, ReadsFilesWrittenByHand) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  WriteFileBytes(r.FilePath(),
                 "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                 "; a comment\r\n"
                 "[software\\tarnwick\\quillmark\\settings]\r\n"
                 "\"GmZoomLevel\"=dword:0000000a\r\n"
                 "\"Blob\"=hex:01,02,\\\r\n  03,04\r\n"
                 "\"Expand\"=hex(2):41,00,42,00,00,00\r\n");
  EXPECT_EQ(r.ReadInt("Settings", "GmZoomLevel", 14), 10);
  unsigned char buf[8];
  EXPECT_EQ(r.ReadBinary("Settings", "Blob", buf, sizeof buf), 4);
  EXPECT_EQ(buf[3], 4);
  EXPECT_EQ(r.ReadString("Settings", "Expand", ""), "AB");
}

class SettingsRegistryDamaged : public ::testing::TestWithParam<std::string> {};

TEST_P(SettingsRegistryDamaged, ReadsAsDefaultsAndIsKeptAsideOnWrite) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  const std::string damaged = GetParam();
  WriteFileBytes(r.FilePath(), damaged);
  EXPECT_EQ(r.ReadInt("Settings", "WarnDel", 42), 42);
  EXPECT_EQ(r.ReadString("Settings", "HomeCoords", "def"), "def");
  ASSERT_TRUE(r.WriteInt("Settings", "WarnDel", 1));
  EXPECT_EQ(r.ReadInt("Settings", "WarnDel", 0), 1);
  // The damaged file was not overwritten: it is kept beside the new one.
  EXPECT_EQ(ReadFileBytes(r.FilePath() + ".damaged-1"), damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsRegistryDamaged,
    ::testing::Values(std::string("garbage\n"),
                      std::string("Windows Registry Editor Version 5.00\n\"WarnDel\"=dword:00000001\n"),
                      std::string("Windows Registry Editor Version 5.00\n[Software\\Tarnwick\\Quillmark\\Settings]\n"
                                  "\"WarnDel\"=dword:1\n"),
                      std::string("Windows Registry Editor Version 5.00\n[Software\\Tarnwick\\Quillmark\\Settings]\n"
                                  "\"HomeCoords\"=\"unterminated\n"),
                      std::string("Windows Registry Editor Version 5.00\n[Software\\Tarnwick\\Quillmark\\Settings\n"),
                      std::string("Windows Registry Editor Version 5.00\n[S]\n\"X\"=hex:1,zz\n"),
                      std::string("Windows Registry Editor Version 5.00\0\n", 38)));

TEST(SettingsRegistry, ConcurrentWritersLoseNothing) {
  TempDir dir;
  constexpr int kWriters = 4;
  constexpr int kRounds = 25;
  std::vector<std::thread> threads;
  for (int w = 0; w < kWriters; ++w) {
    threads.emplace_back([&, w] {
      TUlkRegistry r = MakeRegistry(dir);
      for (int i = 0; i < kRounds; ++i) {
        r.WriteInt("Settings", "Writer" + std::to_string(w) + "_" + std::to_string(i), i);
        AppSettings at;
        at.AppTop = at.AppLeft = at.HistTop = at.HistLeft = w;
        WriteSettings(r, at, SettingGroup::kWindowPosition);
      }
    });
  }
  for (auto& t : threads) t.join();
  TUlkRegistry r = MakeRegistry(dir);
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kRounds; ++i) {
      EXPECT_EQ(r.ReadInt("Settings", "Writer" + std::to_string(w) + "_" + std::to_string(i), -1), i);
    }
  }
  // The four positions come from one writer, never mixed.
  AppSettings s = ReadAppSettings(r);
  EXPECT_EQ(s.AppTop, s.AppLeft);
  EXPECT_EQ(s.AppTop, s.HistTop);
  EXPECT_EQ(s.AppTop, s.HistLeft);
}

// Settings kept in a dotfiles folder: the link stays, its file takes the
// values and keeps its mode, and a damaged file is kept aside beside it.
TEST(SettingsRegistry, LinkedSettingsFileKeepsItsLinkAndMode) {
  TempDir dir, dotfiles;
  TUlkRegistry r = MakeRegistry(dir);
  const std::string real = dotfiles.File("settings.reg");
  WriteFileBytes(real, "Windows Registry Editor Version 5.00\n");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(::symlink(real.c_str(), r.FilePath().c_str()), 0);
  ASSERT_TRUE(r.WriteString("Settings", "HomeCoords", "N 52 E 5"));
  ASSERT_TRUE(std::filesystem::is_symlink(r.FilePath()));
  EXPECT_EQ(std::filesystem::read_symlink(r.FilePath()).string(), real);
  EXPECT_NE(ReadFileBytes(real).find("\"HomeCoords\"=\"N 52 E 5\""), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  WriteFileBytes(real, "damaged");
  ASSERT_TRUE(r.WriteInt("Settings", "WarnDel", 1));
  EXPECT_TRUE(std::filesystem::is_symlink(r.FilePath()));
  EXPECT_EQ(ReadFileBytes(real + ".damaged-1"), "damaged");
  EXPECT_EQ(r.ReadInt("Settings", "WarnDel", 0), 1);
}

// A link planted where the lock file goes must not make us create or open
// its target.
TEST(SettingsRegistry, PlantedLockFileLinkIsRefused) {
  TempDir dir, elsewhere;
  TUlkRegistry r = MakeRegistry(dir);
  WriteFileBytes(elsewhere.File("existing"), "untouched");
  ASSERT_EQ(::chmod(elsewhere.File("existing").c_str(), 0644), 0);
  for (const std::string& victim : {elsewhere.File("created"), elsewhere.File("existing")}) {
    SCOPED_TRACE(victim);
    std::filesystem::remove(r.FilePath() + ".lock");
    ASSERT_EQ(::symlink(victim.c_str(), (r.FilePath() + ".lock").c_str()), 0);
    EXPECT_FALSE(r.WriteInt("Settings", "WarnDel", 1));
  }
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("created")));
  EXPECT_EQ(ReadFileBytes(elsewhere.File("existing")), "untouched");
  struct stat st {};
  ASSERT_EQ(::stat(elsewhere.File("existing").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_FALSE(std::filesystem::exists(r.FilePath()));
}

// A FIFO or a device as the settings file: defaults at once, writes refused,
// the thing itself left alone.
TEST(SettingsRegistry, SettingsFileThatIsNoFileReadsAsDefaults) {
  struct Case {
    const char* label;
    void (*make)(const std::string& path);
  };
  const Case cases[] = {
      {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
      {"endless device", [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    TUlkRegistry r = MakeRegistry(dir);
    c.make(r.FilePath());
    int rc = test::RunInChild(
        [&] {
          bool defaults = r.ReadInt("Settings", "WarnDel", 42) == 42 && r.ReadString("Settings", "A", "d") == "d";
          return defaults && !r.WriteInt("Settings", "WarnDel", 1) ? 0 : 1;
        },
        false, 10);
    EXPECT_EQ(rc, 0);
    struct stat st {};
    ASSERT_EQ(::lstat(r.FilePath().c_str(), &st), 0);
    EXPECT_FALSE(S_ISREG(st.st_mode));
  }
}

// Start-up reads dozens of values: an unchanged file is parsed once for all
// of them, and a change by another running copy is seen at the next read.
TEST(SettingsRegistry, UnchangedFileIsParsedOnceForManyReads) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  TUlkRegistry other = MakeRegistry(dir);
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (int section = 0; section < 200; ++section) {
    text += "\n[Software\\Tarnwick\\Quillmark\\S" + std::to_string(section) + "]\n";
    for (int value = 0; value < 50; ++value) {
      text += "\"V" + std::to_string(value) + "\"=dword:" + std::string(7, '0') + std::to_string(value % 10) + "\n";
    }
  }
  WriteFileBytes(r.FilePath(), text);
  const std::size_t before = r.ParseCount();
  for (int section = 0; section < 200; section += 7) {
    for (int value = 0; value < 50; value += 3) {
      ASSERT_EQ(r.ReadInt("s" + std::to_string(section), "v" + std::to_string(value), -1), value % 10);
    }
  }
  EXPECT_EQ(r.ReadInt("S3", "Missing", -1), -1);
  EXPECT_EQ(r.ParseCount(), before + 1);
  ASSERT_TRUE(other.WriteInt("S5", "V1", 77));
  EXPECT_EQ(r.ReadInt("S5", "V1", -1), 77);
  EXPECT_EQ(r.ReadInt("S199", "V49", -1), 9);
  EXPECT_EQ(r.ParseCount(), before + 2);
}

TEST(SettingsRegistry, DefaultFolderFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(TUlkRegistry::DefaultFolder(), "/tmp/xdg-test/quillmark");
  // A relative value is ignored, as the base directory rules say.
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(TUlkRegistry::DefaultFolder(), HomeFolder() + "/.config/quillmark");
  if (old) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

TEST(SettingsApp, EverySettingHasItsDefaultOnAFreshMachine) {
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  AppSettings s = ReadAppSettings(r);
  EXPECT_FALSE(s.WarnDel);
  EXPECT_TRUE(s.WarnExit);
  EXPECT_TRUE(s.WarnSaveFav);
  EXPECT_TRUE(s.WarnSaveFtp);
  EXPECT_EQ(s.GmZoomLevel, 14);
  EXPECT_EQ(s.GmType, 'm');
  EXPECT_EQ(s.FtpPassive, 1);
  EXPECT_EQ(s.FavoriteFile, "");
  EXPECT_EQ(s.AppTop, 0);
  EXPECT_EQ(ReadSavePath(r), ".");
  r.WriteInt("Settings", "WarnExit", 0);
  r.WriteInt("Settings", "WarnDel", 7);
  r.WriteString("Settings", "GmZoomLevel", "12");
  s = ReadAppSettings(r);
  EXPECT_FALSE(s.WarnExit);
  EXPECT_TRUE(s.WarnDel);        // any value but 0 is on
  EXPECT_EQ(s.GmZoomLevel, 14);  // a string where an integer belongs
}

// Every group the program writes, each in its own rewrite.
constexpr SettingGroup kWrittenGroups[] = {SettingGroup::kOptions, SettingGroup::kWindowPosition,
                                           SettingGroup::kMapWindow, SettingGroup::kDetailsPane,
                                           SettingGroup::kSavePath};

// A settings file as the program wrote it before its settings went into one
// table and before the map and the details pane: every value off its default,
// a text with a line break (hex(1)), Windows-1252 letters, negative and large
// numbers, and a value set by hand. Read and written back over itself it
// keeps every byte and gains the later settings at its end; a later file with
// those settings off their defaults comes back byte for byte, also when
// written afresh group by group as the program does.
TEST(SettingsApp, EarlierSettingsFileReadsAndWritesBackByteIdentical) {
  const std::string before = ReadFileBytes(test::DataPath("settings-before-table.reg"));
  ASSERT_FALSE(before.empty());
  TempDir dir;
  TUlkRegistry r = MakeRegistry(dir);
  WriteFileBytes(r.FilePath(), before);
  const AppSettings a = ReadAppSettings(r);
  EXPECT_TRUE(a.WarnDel);
  EXPECT_FALSE(a.WarnExit);
  EXPECT_EQ(a.GmType, 'h');
  EXPECT_TRUE(a.IncludeGroundspeak);
  EXPECT_EQ(a.HomeCoords, "N 52\xB0 05.123 E 005\xB0 07.456");
  EXPECT_EQ(a.FtpUser, "ann\nline");
  EXPECT_EQ(a.FtpPassword, "\x91k\x93z");
  EXPECT_EQ(a.FtpPassive, 0);
  EXPECT_EQ(a.FtpTimeLimit, 900);
  EXPECT_EQ(a.AppLeft, -40);
  EXPECT_EQ(a.SavePathGpx, "/home/ann/caches");
  for (SettingGroup group : kWrittenGroups) ASSERT_TRUE(WriteSettings(r, a, group));
  EXPECT_EQ(ReadFileBytes(r.FilePath()), before +
                                             "\"MapTileUrl\"=\"https://tile.openstreetmap.org/{z}/{x}/{y}.png\"\n"
                                             "\"MapAttribution\"=\"\xC2\xA9 OpenStreetMap contributors\"\n"
                                             "\"MapCacheMB\"=dword:000000fa\n"
                                             "\"MapTop\"=dword:00000000\n\"MapLeft\"=dword:00000000\n"
                                             "\"MapWidth\"=dword:00000000\n\"MapHeight\"=dword:00000000\n"
                                             "\"ShowDetails\"=dword:00000000\n");

  const std::string mapOptions =
      "\"MapTileUrl\"=\"file:///srv/tiles/{z}/{x}/{y}.png\"\n"
      "\"MapAttribution\"=\"Tiles \xC2\xA9 Ann\"\n"
      "\"MapCacheMB\"=dword:00000000\n";
  const std::string mapPlace =
      "\"MapTop\"=dword:ffffffec\n\"MapLeft\"=dword:00000500\n"
      "\"MapWidth\"=dword:00000320\n\"MapHeight\"=dword:00000258\n";
  const std::string details = "\"ShowDetails\"=dword:00000001\n";
  const std::string later = before + mapOptions + mapPlace + details;
  WriteFileBytes(r.FilePath(), later);
  const AppSettings m = ReadAppSettings(r);
  EXPECT_EQ(m.MapTileUrl, "file:///srv/tiles/{z}/{x}/{y}.png");
  EXPECT_EQ(m.MapAttribution, "Tiles \xA9 Ann");
  EXPECT_EQ(m.MapCacheMB, 0);
  EXPECT_EQ(m.MapTop, -20);
  EXPECT_EQ(m.MapWidth, 800);
  EXPECT_TRUE(m.ShowDetails);
  for (SettingGroup group : kWrittenGroups) ASSERT_TRUE(WriteSettings(r, m, group));
  EXPECT_EQ(ReadFileBytes(r.FilePath()), later);

  TempDir fresh;
  TUlkRegistry w = MakeRegistry(fresh);
  for (SettingGroup group : kWrittenGroups) ASSERT_TRUE(WriteSettings(w, m, group));
  // Nothing writes a value set by hand; the test puts it where it stood.
  ASSERT_TRUE(w.WriteInt(kSettingsSection, "FtpTimeLimit", m.FtpTimeLimit));
  // Afresh, each group's rows stand together in table order.
  const std::size_t positions = before.find("\"AppTop\"");
  const std::size_t savePath = before.find("\"SavePathGPX\"");
  ASSERT_NE(savePath, std::string::npos);
  EXPECT_EQ(ReadFileBytes(w.FilePath()), before.substr(0, positions) + mapOptions +
                                             before.substr(positions, savePath - positions) + mapPlace + details +
                                             before.substr(savePath));
}

// Two rows on one key, member or control would read, write or show a value twice.
TEST(SettingsApp, NoKeyMemberOrControlHasTwoRows) {
  std::set<std::string> keys;
  std::set<std::string> controls;
  for (const SettingRow& row : SettingRows()) {
    EXPECT_TRUE(keys.insert(std::string(row.key)).second) << row.key;
    if (!row.control.empty()) {
      EXPECT_TRUE(controls.insert(std::string(row.control)).second) << row.control;
    }
    EXPECT_EQ(&RowOf(row.member), &row) << row.key;
  }
}

TEST(SettingsApp, ProxyPortIsANumberUpTo65535OrZero) {
  const std::pair<const char*, int> cases[] = {
      {"8080", 8080}, {" 3128 ", 3128},   {"0", 0},          {"65535", 65535}, {"00080", 80}, {"65536", 0},
      {"-1", 0},      {"abc", 0},         {"", 0},           {"80a", 0},       {"8 0", 0},    {"+80", 0},
      {"0x50", 0},    {"99999999999", 0}, {"4294967376", 0}, {"1e3", 0},
  };
  for (auto [text, port] : cases) EXPECT_EQ(ProxyPortFromText(text), port) << text;
}

}  // namespace
}  // namespace quill
