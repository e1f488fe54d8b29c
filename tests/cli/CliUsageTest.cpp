// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's own options: help, version and wrong usage.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "cli/Cli.h"
#include "cli/Help.h"
#include "formats/FormatTable.h"
#include "list/ListSort.h"
#include "quillmark/BuildVersion.h"

namespace quill::cli {
namespace {

struct Outcome {
  int rc;
  std::string out;
  std::string err;
};

Outcome RunArgs(const std::vector<std::string>& args, const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  int rc = Run(args, in, out, err);
  return {rc, out.str(), err.str()};
}

TEST(CliUsage, HelpListsEveryCommand) {
  for (const char* option : {"--help", "-h", "help"}) {
    SCOPED_TRACE(option);
    Outcome o = RunArgs({option});
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.err, "");
    ASSERT_GE(CommandNames().size(), 5u);
    for (std::string_view name : CommandNames()) {
      EXPECT_NE(o.out.find("\n  " + std::string(name) + " "), std::string::npos) << name;
    }
  }
}

// Every command has a help of its own, reached three ways, and every option
// it shows is one the command takes: the help and the parser agree.
TEST(CliUsage, EveryCommandHelpShowsOptionsTheCommandTakes) {
  ASSERT_EQ(CliHelp().commands.size(), CommandNames().size());
  for (std::string_view name : CommandNames()) {
    const std::string command(name);
    SCOPED_TRACE(command);
    const HelpCommand* help = FindHelpCommand(CliHelp(), name);
    ASSERT_NE(help, nullptr);
    const Outcome shown = RunArgs({command, "--help"});
    EXPECT_EQ(shown.rc, 0);
    EXPECT_EQ(shown.err, "");
    const std::string usage = "usage: quillmark-cli " + command;
    EXPECT_EQ(shown.out.rfind(usage, 0), 0u) << shown.out;
    EXPECT_TRUE(shown.out.size() > usage.size() && (shown.out[usage.size()] == ' ' || shown.out[usage.size()] == '\n'))
        << shown.out;
    EXPECT_EQ(RunArgs({"help", command}).out, shown.out);
    EXPECT_EQ(RunArgs({command, "x", "-h", "y"}).out, shown.out);
    for (const HelpOption& option : help->options) {
      if (option.name == "--help") continue;
      EXPECT_NE(shown.out.find("  " + option.name), std::string::npos) << option.name;
      // Operands are left out, so the command stops at its usage check
      // before any work: with a known option it says what it says without
      // it, or, given its input, goes to work (no usage error).
      std::vector<std::string> args{command};
      if (!help->firstWords.empty()) args.push_back(help->firstWords.front());
      const std::string bare = RunArgs(args).err;
      args.push_back(option.name);
      if (!option.value.empty()) args.push_back(option.choices.empty() ? "1" : option.choices.front());
      const Outcome used = RunArgs(args);
      EXPECT_TRUE(used.err == bare || used.rc != 2) << option.name << ": " << used.err;
    }
  }
}

// The words of a text: runs of letters and digits.
std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::string word;
  for (char c : text + ' ') {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.insert(word);
      word.clear();
    }
  }
  return words;
}

// The help and the messages about a bad name offer every name the tables
// hold, and the names offered are accepted.
TEST(CliUsage, FormatAndSortNamesComeFromTheirTables) {
  const std::string help = RunArgs({"convert", "--help"}).out;
  const std::size_t formats = help.find("--format ");
  const std::size_t sorts = help.find("--sort ORDER");
  ASSERT_NE(formats, std::string::npos);
  ASSERT_NE(sorts, std::string::npos);
  const auto formatLines = Words(help.substr(formats, help.find("--txt-mode", formats) - formats));
  const auto sortLines = Words(help.substr(sorts, help.find("--filter", sorts) - sorts));
  const std::string badFormat = RunArgs({"convert", "--format", "gpz", "a.gpx", "b.gpx"}).err;
  const std::string badSort = RunArgs({"list", "--sort", "named", "a.gpx"}).err;
  const auto formatChoices = Words(badFormat);
  const auto sortChoices = Words(badSort);
  for (const FileFormat& f : FileFormats()) {
    if (!f.writer) continue;
    const std::string name(f.name);
    EXPECT_TRUE(formatLines.count(name)) << name;
    EXPECT_TRUE(formatChoices.count(name)) << name << " " << badFormat;
    EXPECT_EQ(FormatCodeForName(name), f.code);
  }
  for (int i = 0; i < kSortOrderCount; ++i) {
    const std::string name(SortOrderName(static_cast<SortOrder>(i)));
    EXPECT_TRUE(sortLines.count(name)) << name;
    EXPECT_TRUE(sortChoices.count(name)) << name << " " << badSort;
    EXPECT_EQ(SortOrderFromName(name), static_cast<SortOrder>(i));
  }
}

TEST(CliUsage, VersionNamesProgramVersionDateAndDataFolder) {
  for (const char* option : {"--version", "-V"}) {
    SCOPED_TRACE(option);
    Outcome o = RunArgs({option});
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')), std::string("quillmark-cli ") + build::kFileVersion);
    EXPECT_NE(o.out.find("\nbuilt "), std::string::npos);
    EXPECT_NE(o.out.find("share/quillmark/\n"), std::string::npos) << o.out;
  }
}

// Wrong usage: status 2, nothing on stdout, one line on stderr that says
// what was wrong and where the help is.
TEST(CliUsage, WrongUsageIsOneLineWithTheWayToTheHelp) {
  const char* kMapSize =
      "quillmark-cli: --size needs WIDTHxHEIGHT in pixels, each 1 to 4096, e.g. 1024x768 (try 'quillmark-cli map "
      "--help')\n";
  const char* kMapCenter =
      "quillmark-cli: --center needs LAT,LON in decimal degrees, south and west negative, e.g. 52.09,5.12 (try "
      "'quillmark-cli map --help')\n";
  const struct {
    std::vector<std::string> args;
    const char* line;
  } cases[] = {
      {{}, "quillmark-cli: no command given (try 'quillmark-cli --help')\n"},
      {{"bogus"}, "quillmark-cli: unknown command 'bogus' (try 'quillmark-cli --help')\n"},
      {{"--versions"}, "quillmark-cli: unknown command '--versions' (try 'quillmark-cli --help')\n"},
      {{"help", "bogus"}, "quillmark-cli: unknown command 'bogus' (try 'quillmark-cli --help')\n"},
      {{"convert", "--bogus", "a.gpx", "b.gpx"},
       "quillmark-cli: unknown option '--bogus' (try 'quillmark-cli convert --help')\n"},
      {{"convert", "a.gpx", "-"},
       "quillmark-cli: an OUTPUT of - (standard output) needs --format (try 'quillmark-cli convert --help')\n"},
      {{"list", "-", "-"}, "quillmark-cli: - (standard input) can be read once (try 'quillmark-cli list --help')\n"},
      {{"list", "--input-format", "kml", "a.kml"},
       "quillmark-cli: unknown input format 'kml' (gpx, loc, ov2, txt, csv or zip) (try 'quillmark-cli list "
       "--help')\n"},
      {{"coord", "--latlon", "-", "E 5"},
       "quillmark-cli: --latlon - reads NORTH and EAST from each line: give no EAST (try 'quillmark-cli coord "
       "--help')\n"},
      {{"letters"}, "quillmark-cli: letters needs exactly one TEXT (try 'quillmark-cli letters --help')\n"},
      {{"gps", "--baud", "fast", "/dev/null"},
       "quillmark-cli: --baud needs a number, not 'fast' (try 'quillmark-cli gps --help')\n"},
      {{"map", "a.gpx"},
       "quillmark-cli: map needs at least one INPUT and an OUTPUT.png (try 'quillmark-cli map --help')\n"},
      {{"map", "a.gpx", "a.jpg"},
       "quillmark-cli: map writes PNG: OUTPUT must end in .png, or be - for standard output (try 'quillmark-cli map "
       "--help')\n"},
      {{"map", "--format", "gpx", "a.gpx", "a.png"},
       "quillmark-cli: map writes PNG: --format does not apply (try 'quillmark-cli map --help')\n"},
      {{"map", "--size", "4097x10", "a.gpx", "a.png"}, kMapSize},
      {{"map", "--size", "0x10", "a.gpx", "a.png"}, kMapSize},
      {{"map", "--size", "1024x", "a.gpx", "a.png"}, kMapSize},
      {{"map", "--center", "90.5,0", "a.gpx", "a.png"}, kMapCenter},
      {{"map", "--center", "nan,5", "a.gpx", "a.png"}, kMapCenter},
      {{"map", "--center", "52.1", "a.gpx", "a.png"}, kMapCenter},
      {{"map", "--zoom", "19.5", "a.gpx", "a.png"},
       "quillmark-cli: --zoom needs a zoom level from 0 (the whole world) to 19 (try 'quillmark-cli map --help')\n"},
      {{"map", "--tiles", "ftp://127.0.0.1/{z}/{x}/{y}.png", "a.gpx", "a.png"},
       "quillmark-cli: --tiles needs an http, https or file address with {z}, {x} and {y}, or settings (try "
       "'quillmark-cli map --help')\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunArgs(c.args);
    EXPECT_EQ(o.rc, 2) << c.line;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, c.line);
  }
}

}  // namespace
}  // namespace quill::cli
