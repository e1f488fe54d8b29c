// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli coord: the panel's fields as labelled lines or one JSON object.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::RunCommand;
using test::ShellQuote;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Coord(std::vector<std::string> args) {
  args.insert(args.begin(), "coord");
  std::ostringstream out, err;
  int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliCoord, PositionOffTheEarthIsAnError) {
  for (const auto& args : {std::vector<std::string>{"--rd", "2147483647 2147483647"},
                           std::vector<std::string>{"--json", "--latlon", "95", "0"}}) {
    CliRun r = Coord(args);
    EXPECT_EQ(r.status, 1) << args[1];
    EXPECT_EQ(r.out, "") << args[1];
    EXPECT_EQ(r.err, "quillmark-cli: Position out of range\n") << args[1];
  }
}

TEST(CliCoord, RdInputPrintsTheEightFieldsWithTheirLabels) {
  CliRun r = Coord({"--rd", "136013 455723"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "Degrees: N 52.08944\xC2\xB0  E 5.11016\xC2\xB0\n"
            "Degrees, minutes: N 52\xC2\xB0 05.366   E 005\xC2\xB0 06.610\n"
            "Degrees, min, sec: N 52\xC2\xB0 05' 21.98\"  E 5\xC2\xB0 06' 36.59\"\n"
            "RD (dutch grid): 136013 / 455723\n"
            "Lambert72 (belgian grid): 200830 / 309232\n"
            "UTM: 31U  E 644567  N 5773087\n"
            "ECEF (XYZ): 3911531 / 349794 / 5008959\n"
            "Altitude: 44\n");
}

double JsonNumber(const std::string& json, const std::string& key) {
  std::size_t at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return -999;
  return std::stod(json.substr(at + key.size() + 4));
}

TEST(CliCoord, JsonHoldsNumbersTextsAndRangeFlags) {
  CliRun r = Coord({"--json", "--ecef", "3982999 / 303325 / 4955687"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("{\"lat\": 51.3173462", 0), 0u) << r.out;
  EXPECT_NEAR(JsonNumber(r.out, "lat"), 51.3173462642, 1e-9);
  EXPECT_NEAR(JsonNumber(r.out, "lon"), 4.3549499647, 1e-9);
  EXPECT_NEAR(JsonNumber(r.out, "height"), 0.2597, 1e-4);
  // Full precision: the printed latitude reads back as the converter's double.
  EXPECT_GE(r.out.find(", \"lon\"") - r.out.find("51."), 16u);
  const std::string texts =
      "\"degrees\": \"N 51.31735\xC2\xB0  E 4.35495\xC2\xB0\", "
      "\"degmin\": \"N 51\xC2\xB0 19.041   E 004\xC2\xB0 21.297\", "
      "\"degminsec\": \"N 51\xC2\xB0 19' 02.45\\\"  E 4\xC2\xB0 21' 17.82\\\"\", "
      "\"rd\": \" 83038 / 370297\", \"lambert\": \"149037 / 223058\", "
      "\"utm\": \"31U  E 594424  N 5685988\", \"ecef\": \"3982999 / 303325 / 4955687\", "
      "\"altitude\": \"0.26\", \"rd_in_range\": true, \"lambert_in_range\": true}\n";
  EXPECT_NE(r.out.find(texts), std::string::npos) << r.out;
}

TEST(CliCoord, LatLonWithBoxesAndDatum) {
  CliRun south = Coord({"--south", "--latlon", "51 30", "4 15", "--json"});
  EXPECT_NE(south.out.find("\"lat\": -51.5, \"lon\": 4.25,"), std::string::npos) << south.out;
  CliRun both = Coord({"--south", "--west", "--latlon", "S 51 30", "W 4 15", "--json"});
  EXPECT_NE(both.out.find("\"lat\": 51.5, \"lon\": 4.25,"), std::string::npos) << both.out;
  CliRun ed50 = Coord({"--datum", "ed50", "--latlon", "N 52 E 5"});
  EXPECT_NE(ed50.out.find("Altitude: 85.26\n"), std::string::npos) << ed50.out;
  CliRun minus = Coord({"--latlon=-33.5", "--json"});
  EXPECT_NE(minus.out.find("\"lat\": -33.5,"), std::string::npos) << minus.out;
  CliRun outside = Coord({"--latlon", "N 40 25", "W 3 42", "--json"});
  EXPECT_NE(outside.out.find("\"rd_in_range\": false, \"lambert_in_range\": false"), std::string::npos);
}

CliRun CoordLines(std::vector<std::string> args, const std::string& lines) {
  args.insert(args.begin(), "coord");
  std::istringstream in(lines);
  std::ostringstream out, err;
  int status = cli::Run(args, in, out, err);
  return {status, out.str(), err.str()};
}

// The eight texts of one conversion, as the labelled lines give them.
std::string Fields(const std::string& labelled) {
  std::istringstream lines(labelled);
  std::string fields;
  for (std::string line; std::getline(lines, line);) {
    fields += (fields.empty() ? "" : "\t") + line.substr(line.find(": ") + 2);
  }
  return fields + "\n";
}

// Line n of the answer to "-" is what one conversion of input line n gives,
// in every input notation, as text and as JSON.
TEST(CliCoord, EachLineOfStandardInputAsOneConversion) {
  const struct {
    std::vector<std::string> options;
    std::vector<std::string> lines;
  } cases[] = {
      {{"--rd"}, {"136013 455723", "155000 / 463000", "100000 450000"}},
      {{"--lambert"}, {"149037 223058", "200830 / 309232"}},
      {{"--utm"}, {"31U 644567 5773087", "31U  E 594424  N 5685988"}},
      {{"--ecef"}, {"3982999 / 303325 / 4955687"}},
      {{"--latlon"}, {"N 52\xC2\xB0 05.366 E 005\xC2\xB0 06.610", "52.0894 5.1102", "-33.5 -70.25"}},
      {{"--datum", "bessel", "--south", "--latlon"}, {"51 30 4 15"}},
  };
  for (const auto& c : cases) {
    std::string input, expectText, expectJson;
    for (const std::string& line : c.lines) {
      input += line + "\r\n";
      std::vector<std::string> one = c.options;
      one.push_back(line);
      expectText += Fields(Coord(one).out);
      one.insert(one.begin(), "--json");
      expectJson += Coord(one).out;
    }
    std::vector<std::string> batch = c.options;
    batch.push_back("-");
    const CliRun text = CoordLines(batch, input);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, expectText);
    batch.insert(batch.begin(), "--json");
    EXPECT_EQ(CoordLines(batch, input).out, expectJson);
  }
}

// A line that gives no position keeps its place with an empty answer and is
// named on stderr; the others are converted all the same.
TEST(CliCoord, LinesWithoutAPositionKeepTheirPlace) {
  const std::string input = "136013 455723\n\nno digits here\n2147483647 2147483647\n155000 463000";
  const CliRun text = CoordLines({"--rd", "-"}, input);
  EXPECT_EQ(text.status, 1);
  const std::string first = Fields(Coord({"--rd", "136013 455723"}).out);
  const std::string last = Fields(Coord({"--rd", "155000 463000"}).out);
  EXPECT_EQ(text.out, first + "\n\n\n" + last);
  EXPECT_EQ(text.err,
            "quillmark-cli: standard input: line 2: no position\n"
            "quillmark-cli: standard input: line 3: no position\n"
            "quillmark-cli: standard input: line 4: Position out of range\n");
  const CliRun json = CoordLines({"--json", "--rd", "-"}, input);
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out, Coord({"--json", "--rd", "136013 455723"}).out + "null\nnull\nnull\n" +
                          Coord({"--json", "--rd", "155000 463000"}).out);
  EXPECT_EQ(CoordLines({"--rd", "-"}, "").out, "");
}

TEST(CliCoord, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--json"},
      {"--rd"},
      {"--rd", "1 2", "--utm", "31U 1 2"},
      {"--datum", "nad27", "--latlon", "N 52"},
      {"--latlon", "N 52", "E 5", "extra"},
      {"--fast", "--rd", "1 2"},
      {"--json=yes", "--rd", "1 2"},
  };
  for (const auto& args : cases) {
    CliRun r = Coord(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("(try 'quillmark-cli coord --help')\n"), std::string::npos) << r.err;
  }
}

TEST(CliCoord, ProgramReadsUtf8DegreeSignsAndWritesValidJson) {
  std::string output;
  int status = RunCommand(ShellQuote(QUILL_CLI_PATH) + " coord --json --latlon " +
                              ShellQuote("N 51\xC2\xB0 02.804 E 003\xC2\xB0 56.782") + " | python3 -c " +
                              ShellQuote("import json,sys; d=json.load(sys.stdin); "
                                         "print(d['degmin'], d['lat'], d['rd_in_range'])"),
                          &output);
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output, "N 51\xC2\xB0 02.804   E 003\xC2\xB0 56.782 51.046733333333336 True\n");
  EXPECT_EQ(RunCommand(ShellQuote(QUILL_CLI_PATH) + " coord --utm 2>/dev/null"), 2);
}

}  // namespace
}  // namespace quill
