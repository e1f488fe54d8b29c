// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli in pipes: "-" for standard input and output, formats told
// from content, --input-format, and errors that name what failed.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "support/TestSupport.h"
#include "text/XmlText.h"

namespace quill {
namespace {

using test::DataPath;
using test::ReadFileBytes;
using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

struct Outcome {
  int rc;
  std::string out;
  std::string err;
};

Outcome Cli(const std::vector<std::string>& args, const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int rc = cli::Run(args, in, out, err);
  return {rc, out.str(), err.str()};
}

// Every error line begins with the program's name, and one names `subject`.
void ExpectErrorLines(const std::string& err, const std::string& subject) {
  ASSERT_FALSE(err.empty());
  std::istringstream lines(err);
  bool named = false;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_EQ(line.rfind("quillmark-cli: ", 0), 0u) << line;
    named = named || line.find(subject) != std::string::npos;
  }
  EXPECT_TRUE(named) << err;
}

// The saved header's <time> is the moment of saving; two saves a second
// apart differ only there.
std::string WithoutSaveTime(std::string gpx) {
  const std::size_t open = gpx.find("<time>");
  const std::size_t close = gpx.find("</time>", open);
  if (open != std::string::npos && close != std::string::npos) gpx.erase(open, close - open);
  return gpx;
}

const char* const kOwnFiles[] = {"gpx10-pocket-query.gpx", "gpx11-caches.gpx", "caches.loc", "pois.ov2",
                                 "notations.txt",          "layouts.csv",      "navio.asc"};

// Each of our files gives the same list from its name, from standard input
// and under a name that tells nothing; and through standard output the same
// bytes as into a file.
TEST(CliPipe, EveryFormatReadsFromStandardInputAndByContent) {
  TempDir dir;
  for (const char* name : kOwnFiles) {
    SCOPED_TRACE(name);
    const std::string path = DataPath(name);
    const std::string bytes = ReadFileBytes(path);
    const Outcome byName = Cli({"list", path});
    ASSERT_EQ(byName.rc, 0) << byName.err;
    ASSERT_FALSE(byName.out.empty());
    const Outcome piped = Cli({"list", "-"}, bytes);
    EXPECT_EQ(piped.rc, 0) << piped.err;
    EXPECT_EQ(piped.out, byName.out);
    const std::string anonymous = dir.File(std::string(name) + ".dat");
    WriteFileBytes(anonymous, bytes);
    const Outcome byContent = Cli({"list", anonymous});
    EXPECT_EQ(byContent.rc, 0) << byContent.err;
    EXPECT_EQ(byContent.out, byName.out);

    ASSERT_EQ(Cli({"convert", path, dir.File("o.gpx")}).rc, 0);
    const Outcome toStdout = Cli({"convert", "--format", "gpx", "-", "-"}, bytes);
    EXPECT_EQ(toStdout.rc, 0) << toStdout.err;
    EXPECT_EQ(WithoutSaveTime(toStdout.out), WithoutSaveTime(ReadFileBytes(dir.File("o.gpx"))));
  }
}

TEST(CliPipe, InputFormatOverridesNameAndContent) {
  TempDir dir;
  // Comma-separated lines in a .txt: not TXT, but read as CSV on request.
  const std::string csv = "\"Dom\", 52.090700, 5.121400\n";
  WriteFileBytes(dir.File("dom.txt"), csv);
  const Outcome asTxt = Cli({"list", dir.File("dom.txt")});
  EXPECT_EQ(asTxt.rc, 1);
  EXPECT_EQ(asTxt.err, "quillmark-cli: " + dir.File("dom.txt") +
                           ": Error loading file: not a TXT file (no line holds \"POSITION ; NAME\")\n");
  for (const char* name : {"csv", "asc", "navio", "garmin"}) {
    const Outcome asCsv = Cli({"list", "--input-format", name, dir.File("dom.txt")});
    EXPECT_EQ(asCsv.rc, 0) << name << asCsv.err;
    EXPECT_EQ(asCsv.out.substr(0, asCsv.out.find('\t')), "Dom") << name;
  }
  // Standard input the same.
  EXPECT_EQ(Cli({"list", "--input-format=csv", "-"}, csv).out,
            Cli({"list", "--input-format", "csv", dir.File("dom.txt")}).out);
}

// A load that fails names the file on every line; nothing is written.
TEST(CliPipe, FailuresNameTheInputOnOneLine) {
  TempDir dir;
  WriteFileBytes(dir.File("plain.gpx"), "Just some words.\n");
  WriteFileBytes(dir.File("noise.bin"), std::string("\x7f\x00\x01garbage", 10));
  WriteFileBytes(dir.File("bad.ov2"), "hello");
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string subject;
    std::string says;
  } cases[] = {
      {{"list", dir.File("plain.gpx")}, "", dir.File("plain.gpx"), "Error loading file: not a GPX file (it is no XML)"},
      {{"list", dir.File("missing.gpx")}, "", dir.File("missing.gpx"), "Error loading file: no such file"},
      {{"list", dir.File("noise.bin")},
       "",
       dir.File("noise.bin"),
       "Unknown Extension, and the content is no waypoint file (it holds binary data); name its format with "
       "--input-format"},
      {{"list", dir.File("bad.ov2")}, "", dir.File("bad.ov2"), "Error loading file: byte 0: unknown record type 68"},
      {{"list", "-"}, "", "standard input", "cannot tell its format (it is empty); name it with --input-format"},
      {{"list", "--input-format", "gpx", "-"},
       "Some words\n",
       "standard input",
       "Error loading file: not a GPX file (it is no XML)"},
      {{"convert", "-", dir.File("out.gpx")},
       "<kml/>",
       "standard input",
       "cannot tell its format (its XML root element is <kml>, not <gpx> or <loc>); name it with --input-format"},
      {{"convert", DataPath("caches.loc"), dir.File("out.doc")}, "", dir.File("out.doc"), "Unknown Extension"},
  };
  for (const auto& c : cases) {
    const Outcome o = Cli(c.args, c.input);
    EXPECT_EQ(o.rc, 1) << c.says;
    EXPECT_EQ(o.out, "");
    ExpectErrorLines(o.err, c.subject);
    EXPECT_NE(o.err.find(c.subject + ": " + c.says + "\n"), std::string::npos) << o.err;
  }
  EXPECT_FALSE(test::RunCommand("test -e " + ShellQuote(dir.File("out.gpx"))) == 0);
}

// The page of a cache to standard output is the page a file would get,
// its images named bare: no folder of images goes with it.
TEST(CliPipe, PageToStandardOutput) {
  TempDir dir;
  const std::string gpx = ReadFileBytes(DataPath("gpx10-pocket-query.gpx"));
  ASSERT_EQ(Cli({"page", "GCQ2CD", DataPath("gpx10-pocket-query.gpx"), dir.File("p.htm")}).rc, 0);
  const Outcome piped = Cli({"page", "GCQ2CD", "-", "-"}, gpx);
  EXPECT_EQ(piped.rc, 0) << piped.err;
  std::string file = ReadFileBytes(dir.File("p.htm"));
  ASSERT_NE(file.find("src=\"p_files/sr.gif\""), std::string::npos);
  ReplaceAll(file, "src=\"p_files/", "src=\"");
  EXPECT_EQ(piped.out, file);
}

// The real thing: GPSBabel writes GPX into a pipe, the program reads it from
// there and writes KML into another; the result is what the same GPX gives
// from a file.
TEST(CliPipe, GpsbabelIntoConvertIntoFile) {
  if (!test::HaveTool("gpsbabel")) {
    test::NoteMissingTool("gpsbabel");
    return;
  }
  TempDir dir;
  const std::string cli = ShellQuote(QUILL_CLI_PATH);
  const std::string in = ShellQuote(DataPath("gpx11-caches.gpx"));
  std::string log;
  ASSERT_EQ(RunCommand("gpsbabel -i gpx -f " + in + " -o gpx -F - | " + cli + " convert --format kml - - > " +
                           ShellQuote(dir.File("piped.kml")),
                       &log),
            0)
      << log;
  ASSERT_EQ(RunCommand("gpsbabel -i gpx -f " + in + " -o gpx -F " + ShellQuote(dir.File("babel.gpx")) + " && " + cli +
                           " convert " + ShellQuote(dir.File("babel.gpx")) + " " + ShellQuote(dir.File("file.kml")),
                       &log),
            0)
      << log;
  const std::string kml = ReadFileBytes(dir.File("piped.kml"));
  EXPECT_NE(kml.find("<Placemark>"), std::string::npos);
  EXPECT_EQ(kml, ReadFileBytes(dir.File("file.kml")));
  // A plain-text .gpx through the program exits 1.
  WriteFileBytes(dir.File("plain.gpx"), "not waypoints\n");
  EXPECT_EQ(RunCommand(cli + " convert " + ShellQuote(dir.File("plain.gpx")) + " - --format kml >/dev/null 2>&1"), 1);
}

}  // namespace
}  // namespace quill
