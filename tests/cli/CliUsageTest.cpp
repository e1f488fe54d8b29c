// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's own options: help, version and wrong usage.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "cli/Cli.h"
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

Outcome RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int rc = Run(args, out, err);
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
  const std::string help = RunArgs({"--help"}).out;
  const std::size_t formats = help.find("--format ");
  const std::size_t sorts = help.find("--sort ORDER");
  ASSERT_NE(formats, std::string::npos);
  ASSERT_NE(sorts, std::string::npos);
  const auto formatLine = Words(help.substr(formats, help.find('\n', formats) - formats));
  const auto sortLines = Words(help.substr(sorts, help.find("--filter", sorts) - sorts));
  const std::string badFormat = RunArgs({"convert", "--format", "gpz", "a.gpx", "b.gpx"}).err;
  const std::string badSort = RunArgs({"list", "--sort", "named", "a.gpx"}).err;
  const auto formatChoices = Words(badFormat.substr(0, badFormat.find('\n')));
  const auto sortChoices = Words(badSort.substr(0, badSort.find('\n')));
  for (const FileFormat& f : FileFormats()) {
    const std::string name(f.name);
    EXPECT_TRUE(formatLine.count(name)) << name;
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

TEST(CliUsage, WrongUsageGoesToStderrWithStatusTwo) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "quillmark-cli: no command given\n"},
      {{"bogus"}, "quillmark-cli: unknown command 'bogus'\n"},
      {{"--versions"}, "quillmark-cli: unknown command '--versions'\n"},
  };
  for (const auto& c : cases) {
    Outcome o = RunArgs(c.args);
    EXPECT_EQ(o.rc, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind(c.message, 0), 0u) << o.err;
    EXPECT_NE(o.err.find("usage: quillmark-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace quill::cli
