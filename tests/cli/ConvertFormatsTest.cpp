// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli convert between the formats: --format, --txt-mode, the
// duplicate policy over several inputs, and the exit codes of failures.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

int Convert(const std::string& args, std::string* output = nullptr) {
  return RunCommand(ShellQuote(QUILL_CLI_PATH) + " convert " + args, output);
}

const char* kGpx =
    "<gpx>\n"
    "<wpt lat=\"52.1\" lon=\"4.3\"><name>GC1</name><desc>First &amp; one</desc></wpt>\n"
    "<wpt lat=\"-33.86882\" lon=\"-70.12345\"><name>GC2</name><desc>Second</desc></wpt>\n"
    "</gpx>\n";

class CliConvertFormats : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(in, kGpx); }
  std::string Q(const std::string& name) { return ShellQuote(dir.File(name)); }
  TempDir dir;
  std::string in = dir.File("in.gpx");
};

TEST_F(CliConvertFormats, FormatOptionWinsOverTheOutputName) {
  std::string out;
  ASSERT_EQ(Convert("--format loc " + ShellQuote(in) + " " + Q("x.dat"), &out), 0) << out;
  EXPECT_EQ(ReadFileBytes(dir.File("x.dat")).find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<loc "), 0u);
  ASSERT_EQ(Convert("--format=ov2 " + ShellQuote(in) + " " + Q("y.gpx"), &out), 0) << out;
  EXPECT_EQ(ReadFileBytes(dir.File("y.gpx")).size(), 21u + 2 * 17);
  ASSERT_EQ(Convert("--format kml " + ShellQuote(in) + " " + Q("z.txt"), &out), 0) << out;
  EXPECT_NE(ReadFileBytes(dir.File("z.txt")).find("<kml xmlns"), std::string::npos);
}

TEST_F(CliConvertFormats, TextModesAndCsvLayouts) {
  std::string out;
  ASSERT_EQ(Convert("--txt-mode lambert " + ShellQuote(in) + " " + Q("l.txt"), &out), 0) << out;
  EXPECT_EQ(ReadFileBytes(dir.File("l.txt")).rfind("=Lambert\r\n", 0), 0u);
  ASSERT_EQ(Convert("--txt-mode=ecef " + ShellQuote(in) + " " + Q("e.txt"), &out), 0) << out;
  ASSERT_EQ(Convert(Q("e.txt") + " " + Q("e.loc"), &out), 0) << out;
  EXPECT_NE(ReadFileBytes(dir.File("e.loc")).find("<coord lat=\"52.09999"), std::string::npos);  // to the metre
  ASSERT_EQ(Convert("--format garmin " + ShellQuote(in) + " " + Q("g.csv"), &out), 0) << out;
  EXPECT_EQ(ReadFileBytes(dir.File("g.csv")), "4.300000, 52.100000, \"GC1\"\r\n-70.123450, -33.868820, \"GC2\"\r\n");
  ASSERT_EQ(Convert("--format navio " + ShellQuote(in) + " " + Q("n.asc"), &out), 0) << out;
  ASSERT_EQ(Convert("--format miomap " + ShellQuote(in) + " " + Q("m.csv"), &out), 0) << out;
  ASSERT_EQ(Convert(Q("g.csv") + " " + Q("n.asc") + " " + Q("m.csv") + " " + Q("all.ov2"), &out), 0) << out;
  EXPECT_EQ(ReadFileBytes(dir.File("all.ov2")).size(), 21u + 6 * 17);
}

TEST_F(CliConvertFormats, ChainThroughLocAndOv2KeepsNamesAndPositions) {
  std::string out;
  ASSERT_EQ(Convert(ShellQuote(in) + " " + Q("a.loc"), &out), 0) << out;
  ASSERT_EQ(Convert(Q("a.loc") + " " + Q("b.ov2"), &out), 0) << out;
  ASSERT_EQ(Convert(Q("b.ov2") + " " + Q("c.loc"), &out), 0) << out;
  std::string loc = ReadFileBytes(dir.File("c.loc"));
  EXPECT_NE(loc.find("<name id=\"GC1\">"), std::string::npos);
  EXPECT_NE(loc.find("<coord lat=\"52.100000\" lon=\"4.300000\"/>"), std::string::npos);
  EXPECT_NE(loc.find("<coord lat=\"-33.868820\" lon=\"-70.123450\"/>"), std::string::npos);
}

TEST_F(CliConvertFormats, DuplicatesPolicyAcrossInputs) {
  WriteFileBytes(dir.File("again.loc"),
                 "<loc><waypoint><name id=\"GC1\"><![CDATA[Replaced]]></name>"
                 "<coord lat=\"1\" lon=\"2\"/></waypoint></loc>");
  std::string out;
  ASSERT_EQ(Convert("--duplicates keep " + ShellQuote(in) + " " + Q("again.loc") + " " + Q("k.loc"), &out), 0);
  std::string keep = ReadFileBytes(dir.File("k.loc"));
  EXPECT_EQ(keep.find("Replaced"), std::string::npos);
  ASSERT_EQ(Convert("--duplicates replace " + ShellQuote(in) + " " + Q("again.loc") + " " + Q("r.loc"), &out), 0);
  std::string replace = ReadFileBytes(dir.File("r.loc"));
  EXPECT_NE(replace.find("Replaced]]>"), std::string::npos);
  EXPECT_LT(replace.find("Replaced"), replace.find("GC2"));  // in the first record's place
  ASSERT_EQ(Convert(ShellQuote(in) + " " + Q("again.loc") + " " + Q("a.loc"), &out), 0);
  std::string allow = ReadFileBytes(dir.File("a.loc"));
  EXPECT_NE(allow.find("<![CDATA[First & one]]>"), std::string::npos);  // no entities inside CDATA
  EXPECT_NE(allow.find("Replaced"), std::string::npos);
}

TEST_F(CliConvertFormats, FailuresGiveExitCodesAndTheStatusText) {
  std::string out;
  WriteFileBytes(dir.File("bad.ov2"), std::string("\x07", 1));
  EXPECT_EQ(Convert(Q("bad.ov2") + " " + Q("o.gpx"), &out), 1);
  EXPECT_NE(out.find("Invalid OV2 (07)"), std::string::npos) << out;
  EXPECT_NE(out.find("Error loading file: byte 0: unknown record type 07"), std::string::npos) << out;
  EXPECT_FALSE(test::RunCommand("test -e " + Q("o.gpx")) == 0);

  // A damaged GPX names its line; nothing is written.
  WriteFileBytes(dir.File("cut.gpx"), std::string(kGpx).substr(0, std::string(kGpx).find("<name>GC2")));
  EXPECT_EQ(Convert(Q("cut.gpx") + " " + Q("o.gpx"), &out), 1);
  EXPECT_NE(out.find("Error loading file: line 3: unterminated <wpt>\n"), std::string::npos) << out;
  EXPECT_FALSE(test::RunCommand("test -e " + Q("o.gpx")) == 0);

  // An OV2 cut inside its last record converts the whole ones and says so.
  ASSERT_EQ(Convert(ShellQuote(in) + " " + Q("whole.ov2"), &out), 0) << out;
  std::string ov2 = ReadFileBytes(dir.File("whole.ov2"));
  WriteFileBytes(dir.File("cut.ov2"), ov2.substr(0, ov2.size() - 2));
  EXPECT_EQ(Convert(Q("cut.ov2") + " " + Q("o.loc"), &out), 0);
  EXPECT_NE(out.find("byte 38: file cut off inside a record"), std::string::npos) << out;
  std::string loc = ReadFileBytes(dir.File("o.loc"));
  EXPECT_NE(loc.find("\"GC1\""), std::string::npos);
  EXPECT_EQ(loc.find("GC2"), std::string::npos);

  EXPECT_EQ(Convert(ShellQuote(in) + " " + Q("o.doc"), &out), 1);
  EXPECT_NE(out.find("Unknown Extension"), std::string::npos) << out;
  EXPECT_EQ(Convert(Q("in.xml") + " " + Q("o.gpx"), &out), 1);
  EXPECT_NE(out.find("in.xml: Error loading file: no such file"), std::string::npos) << out;

  EXPECT_EQ(Convert(ShellQuote(in) + " " + Q("no/dir/o.loc"), &out), 1);
  EXPECT_NE(out.find("Error saving file"), std::string::npos) << out;

  EXPECT_EQ(Convert("--format xls " + ShellQuote(in) + " " + Q("o.gpx"), &out), 2);
  EXPECT_EQ(Convert("--txt-mode " + ShellQuote(in) + " " + Q("o.txt"), &out), 2);
  EXPECT_EQ(Convert(ShellQuote(in), &out), 2);
}

}  // namespace
}  // namespace quill
