// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli list, and the list options of convert: columns, sort,
// filter, rename and home, applied as the window applies them.
#include <gtest/gtest.h>

#include <sstream>

#include "support/TestSupport.h"

namespace quill {
namespace {

using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

using Lines = std::vector<std::string>;

struct Cache {
  std::string name;
  double lat = 52.0;
  double lon = 5.0;
  std::string desc;
  std::string urlName;
  std::string type = "Geocache|Traditional Cache";
  std::string country;
  std::string difficulty = "1";
  std::string terrain = "1";
  std::string container = "Small";
  bool found = false;
};

std::string Gpx(const std::vector<Cache>& caches) {
  std::string g = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" creator=\"test\">\n";
  for (const Cache& c : caches) {
    g += "<wpt lat=\"" + std::to_string(c.lat) + "\" lon=\"" + std::to_string(c.lon) + "\">\n";
    g += "  <time>2020-01-0" + std::to_string(1 + c.name.size() % 9) + "T00:00:00</time>\n";
    g += "  <name>" + c.name + "</name>\n  <desc>" + c.desc + "</desc>\n";
    g += "  <urlname>" + c.urlName + "</urlname>\n";
    g += std::string("  <sym>") + (c.found ? "Geocache Found" : "Geocache") + "</sym>\n";
    g += "  <type>" + c.type + "</type>\n";
    if (!c.country.empty()) {
      g += "  <groundspeak:cache id=\"1\" available=\"True\" archived=\"False\" "
           "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n";
      g += "    <groundspeak:container>" + c.container + "</groundspeak:container>\n";
      g += "    <groundspeak:difficulty>" + c.difficulty + "</groundspeak:difficulty>\n";
      g += "    <groundspeak:terrain>" + c.terrain + "</groundspeak:terrain>\n";
      g += "    <groundspeak:country>" + c.country + "</groundspeak:country>\n";
      g += "    <groundspeak:logs><groundspeak:log id=\"1\"><groundspeak:date>2021-02-03T00:00:00Z"
           "</groundspeak:date><groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
           "</groundspeak:logs>\n";
      g += "  </groundspeak:cache>\n";
    }
    g += "</wpt>\n";
  }
  return g + "</gpx>\n";
}

const std::vector<Cache>& Caches() {
  static const std::vector<Cache> caches = {
      {"GC3", 52.2, 5.0, "Mill", "Old Mill", "Geocache|Traditional Cache", "Germany", "2", "3", "Small", true},
      {"GC1", 52.1, 5.0, "Bridge", "Bridge", "Geocache|Multi-cache", "Austria", "1.5", "1", "Regular", false},
      {"PK3", 52.2, 5.1, "Parking", "Parking Area", "Waypoint|Parking Area", "", "", "", "", false},
      {"gc2", 52.3, 5.0, "Tower", "Tower", "Geocache|Traditional Cache", "Czechia", "2", "1.5", "Small", false},
  };
  return caches;
}

class CliList : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(file_, Gpx(Caches())); }

  // Runs the command in a fixed locale; out gets stdout and stderr.
  int Run(const std::string& args, std::string* out) {
    return RunCommand("LC_ALL=en_US.UTF-8 " + ShellQuote(QUILL_CLI_PATH) + " " + args, out);
  }
  Lines List(const std::string& options) {
    std::string out;
    EXPECT_EQ(Run("list " + options + " " + ShellQuote(file_), &out), 0) << out;
    Lines lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  Lines Names(const std::string& options) {
    Lines names;
    for (const std::string& line : List(options)) names.push_back(line.substr(0, line.find('\t')));
    return names;
  }

  TempDir dir_;
  std::string file_ = dir_.File("list.gpx");
};

TEST_F(CliList, DefaultColumnsAreDescriptionAndTimestamp) {
  Lines lines = List("");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "GC3\t52\xC2\xB0 12.000\t5\xC2\xB0 00.000\tMill\t2020-01-04");
  EXPECT_EQ(lines[2], "PK3\t52\xC2\xB0 12.000\t5\xC2\xB0 06.000\tParking\t2020-01-04");
}

TEST_F(CliList, ColumnsByName) {
  Lines lines = List("--columns logs,difficulty");
  EXPECT_EQ(lines[0].substr(lines[0].find("\t", 20)), "\t+\t2/3");
  EXPECT_EQ(lines[2].substr(lines[2].rfind("\t", lines[2].size() - 3)), "\t\t/");
  lines = List("--columns=country,urlname --home 'N 52 E 5'");
  EXPECT_EQ(lines[1], "GC1\t52\xC2\xB0 06.000\t5\xC2\xB0 00.000\tAustria\tBridge");
  lines = List("--columns dist,placedby --home 'N 52\xC2\xB0 00.000 E 5\xC2\xB0 00.000'");
  EXPECT_EQ(lines[1], "GC1\t52\xC2\xB0 06.000\t5\xC2\xB0 00.000\t11.1\t");
}

TEST_F(CliList, SortOrdersFromTheCommandLine) {
  EXPECT_EQ(Names("--sort name"), (Lines{"GC1", "gc2", "GC3", "PK3"}));
  EXPECT_EQ(Names("--sort north"), (Lines{"GC1", "GC3", "PK3", "gc2"}));
  EXPECT_EQ(Names("--sort country"), (Lines{"PK3", "GC1", "gc2", "GC3"}));
  EXPECT_EQ(Names("--sort diffic"), (Lines{"PK3", "GC1", "gc2", "GC3"}));
  EXPECT_EQ(Names("--sort gcname"), (Lines{"GC1", "gc2", "GC3", "PK3"}));
  EXPECT_EQ(Names("--home 'N 52.3 E 5' --sort dist"), (Lines{"gc2", "GC3", "PK3", "GC1"}));
  // The home holds for the whole run, wherever it is given.
  EXPECT_EQ(Names("--sort dist --home 'N 52.3 E 5'"), (Lines{"gc2", "GC3", "PK3", "GC1"}));
}

TEST_F(CliList, FiltersCombineInTheOrderGiven) {
  EXPECT_EQ(Names("--filter real=yes"), (Lines{"GC3", "GC1", "gc2"}));
  EXPECT_EQ(Names("--filter real=yes --filter 'type=Traditional Cache'"), (Lines{"GC3", "gc2"}));
  EXPECT_EQ(Names("--filter type=6 --filter found=no"), (Lines{"gc2"}));
  EXPECT_EQ(Names("--filter container=Small"), (Lines{"GC3", "gc2"}));
  EXPECT_EQ(Names("--filter name=GC"), (Lines{"GC3", "GC1", "gc2"}));  // lower-cased as the dialog does
  EXPECT_EQ(Names("--filter terrain-max=1,5 --sort name"), (Lines{"GC1", "gc2"}));
  EXPECT_EQ(Names("--filter logs=+ --filter country=ia"), (Lines{"GC1", "gc2"}));
  EXPECT_EQ(Names("--home 'N 52.2 E 5' --filter distance-max=12"), (Lines{"GC3", "GC1", "PK3", "gc2"}));
  EXPECT_EQ(Names("--home 'N 52.2 E 5' --filter distance-max=11"), (Lines{"GC3", "PK3"}));
  EXPECT_TRUE(Names("--filter name=").empty());
}

TEST_F(CliList, RenameBeforeOrAfterAFilter) {
  EXPECT_EQ(Names("--rename '%n %u'"), (Lines{"GC3 Old Mill", "GC1 Bridge", "PK3 Parking Area", "gc2 Tower"}));
  EXPECT_EQ(Names("--filter name=gc3 --rename '%n-%d'"), (Lines{"GC3-Mill"}));
  EXPECT_EQ(Names("--rename '%n-%d' --filter name=-mill"), (Lines{"GC3-Mill"}));
  EXPECT_TRUE(Names("--filter name=-mill --rename '%n-%d'").empty());
}

TEST_F(CliList, WrongUsageIsExitTwoBeforeAnyLoad) {
  for (std::string args :
       {"--sort size", "--sort", "--filter colour=red", "--filter name", "--filter type=Bogus", "--filter type=20",
        "--filter found=maybe", "--columns description", "--columns description,size", "--bogus"}) {
    std::string out;
    // The input does not exist: checked after the load, this would be exit 1.
    EXPECT_EQ(Run("list " + args + " " + ShellQuote(dir_.File("missing.gpx")), &out), 2) << args;
    EXPECT_NE(out.find("(try 'quillmark-cli list --help')"), std::string::npos) << args;
  }
  std::string out;
  EXPECT_EQ(Run("list", &out), 2);
}

TEST_F(CliList, UnreadableInputIsExitOne) {
  std::string out;
  EXPECT_EQ(Run("list " + ShellQuote(dir_.File("missing.gpx")), &out), 1);
  EXPECT_NE(out.find("Error loading file"), std::string::npos);
}

TEST_F(CliList, TextIsUtf8AndLinesStayWhole) {
  std::vector<Cache> caches = {{"Hřbitov\tx", 50, 14, "line one\nline two", "", "Geocache|Traditional Cache",
                                "\xC4\x8C"
                                "esko",
                                "1", "1", "Small", false}};
  std::string file = dir_.File("cz.gpx");
  WriteFileBytes(file, Gpx(caches));
  std::string out;
  ASSERT_EQ(Run("list --columns description,country " + ShellQuote(file), &out), 0) << out;
  // The reader keeps a line break as CR LF: two blanks.
  EXPECT_EQ(out,
            "Hřbitov x\t50\xC2\xB0 00.000\t14\xC2\xB0 00.000\tline one  line two\t\xC4\x8C"
            "esko\n");
  ASSERT_EQ(Run("list --filter 'country=\xC4\x8C"
                "ES' " +
                    ShellQuote(file),
                &out),
            0)
      << out;
  EXPECT_EQ(out.substr(0, 8), "Hřbitov");
}

// A hostile file's names must not steer the terminal the list is printed on:
// C0 (ESC starting a colour or title sequence), DEL and C1 (CSI, OSC, ST)
// are each one blank; other text, whatever its script, is kept.
TEST_F(CliList, ControlCharactersFromAFileAreBlanks) {
  const struct {
    const char* written;  // the name as it stands in the file
    const char* shown;
  } cases[] = {
      {"\x1B[31mRED", " [31mRED"},
      {"\x1B]0;title\x07", " ]0;title "},
      {"&#x1B;[2J", "&#x1B;[2J"},  // a reference to a control stays text
      {"A\x7F"
       "B",
       "A B"},
      {"\xC2\x9B"
       "2J",
       " 2J"},
      {"\xC2\x9D"
       "8;;x\xC2\x9C",
       " 8;;x "},
      {"\xC2\xA0nbsp \xC2\xBF\xC5\x98", "\xC2\xA0nbsp \xC2\xBF\xC5\x98"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    std::vector<Cache> caches = {
        {c.written, 50, 14, "", "", "Geocache|Traditional Cache", "", "1", "1", "Small", false}};
    std::string file = dir_.File("hostile.gpx");
    WriteFileBytes(file, Gpx(caches));
    std::string out;
    ASSERT_EQ(Run("list --columns description,country " + ShellQuote(file), &out), 0) << out;
    EXPECT_EQ(out.substr(0, out.find('\t')), c.shown);
  }
}

TEST_F(CliList, PocketQueryColumnsInUtf8) {
  std::string out;
  ASSERT_EQ(
      Run("list --columns logs,state --sort country " + ShellQuote(test::DataPath("gpx10-pocket-query.gpx")), &out), 0)
      << out;
  EXPECT_EQ(out,
            "PKQ2CD\t49\xC2\xB0 08.220\t19\xC2\xB0 03.660\t\t\n"
            "GCQ3EF\t50\xC2\xB0 52.794\t4\xC2\xB0 42.030\tw\tVlaams-Brabant\n"
            "GCQ1AB\t51\xC2\xB0 59.259\t5\xC2\xB0 54.740\t.dm-+n+\tGelderland\n"
            "GCQ2CD\t49\xC2\xB0 08.292\t19\xC2\xB0 03.804\t++\t\xC5\xBDilinsk\xC3\xBD kraj\n");
}

TEST_F(CliList, ConvertAppliesTheSameOptionsBeforeSaving) {
  std::string out;
  std::string saved = dir_.File("out.gpx");
  ASSERT_EQ(
      Run("convert --sort name --filter real=yes --rename '%n!' " + ShellQuote(file_) + " " + ShellQuote(saved), &out),
      0)
      << out;
  std::string listed;
  ASSERT_EQ(Run("list " + ShellQuote(saved), &listed), 0) << listed;
  Lines names;
  std::istringstream in(listed);
  for (std::string line; std::getline(in, line);) names.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(names, (Lines{"GC1!", "gc2!", "GC3!"}));
  EXPECT_EQ(Run("convert --sort size " + ShellQuote(file_) + " " + ShellQuote(saved), &out), 2);
}

}  // namespace
}  // namespace quill
