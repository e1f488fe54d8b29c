// SPDX-License-Identifier: GPL-3.0-or-later
// The bash completion written from the help tables, run in a real bash.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Help.h"
#include "support/TestSupport.h"

namespace quill::cli {
namespace {

using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

// Each request is the words typed so far, the last one the word being
// completed; the answer is the sorted completions, space-separated.
std::vector<std::string> Complete(const ProgramHelp& program, const std::vector<std::vector<std::string>>& requests) {
  TempDir dir;
  WriteFileBytes(dir.File("completion"), BashCompletion(program));
  std::string script = "source " + ShellQuote(dir.File("completion")) +
                       "\nask() { COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); "
                       "$(complete -p " +
                       program.program +
                       " | sed 's/.*-F \\([^ ]*\\) .*/\\1/') 2>/dev/null; "
                       "printf '%s\\n' \"${COMPREPLY[@]}\" | sort | tr '\\n' ' '; echo; }\n";
  for (const auto& words : requests) {
    script += "ask";
    for (const std::string& w : words) script += " " + ShellQuote(w);
    script += "\n";
  }
  WriteFileBytes(dir.File("ask.sh"), script);
  std::string output;
  EXPECT_EQ(RunCommand("bash --norc --noprofile " + ShellQuote(dir.File("ask.sh")) + " 2>&1", &output), 0) << output;
  std::vector<std::string> answers;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    answers.push_back(line);
  }
  EXPECT_EQ(answers.size(), requests.size()) << output;
  answers.resize(requests.size());
  return answers;
}

TEST(CliCompletion, WordsValuesAndFiles) {
  TempDir files;
  WriteFileBytes(files.File("caches.gpx"), "");
  WriteFileBytes(files.File("caches.loc"), "");
  const std::string stem = files.File("caches.");
  const struct {
    std::vector<std::string> words;
    std::string answer;
  } cases[] = {
      {{"quillmark-cli", "co"}, "convert coord"},
      {{"quillmark-cli", "--v"}, "--version"},
      {{"quillmark-cli", "convert", "--for"}, "--format"},
      {{"quillmark-cli", "convert", "--format", "g"}, "garmin gpx"},
      {{"quillmark-cli", "convert", "--format", "=", "k"}, "kml"},
      {{"quillmark-cli", "convert", "--format", "="}, "garmin gpx kml loc miomap navio ov2 txt"},
      {{"quillmark-cli", "list", "--sort", "da"}, "date datefound"},
      {{"quillmark-cli", "list", "--columns", "d"}, "datefound description difficulty dist"},
      {{"quillmark-cli", "list", "--filter", "ty"}, "type="},
      {{"quillmark-cli", "list", "--home", ""}, ""},
      {{"quillmark-cli", "coord", "--datum", ""}, "bessel ed50 wgs84"},
      {{"quillmark-cli", "letters", "--class", "a"}, "all alpha ascii"},
      {{"quillmark-cli", "ftp", ""}, "download upload"},
      {{"quillmark-cli", "ftp", "upload", "--dup"}, "--duplicates"},
      {{"quillmark-cli", "list", stem}, stem + "gpx " + stem + "loc"},
      {{"quillmark-cli", "page", "--template", stem + "l"}, stem + "loc"},
      {{"quillmark-cli", "coord", "--rd", ""}, ""},
  };
  std::vector<std::vector<std::string>> requests;
  for (const auto& c : cases) requests.push_back(c.words);
  const std::vector<std::string> answers = Complete(CliHelp(), requests);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(answers[i], cases[i].answer) << cases[i].words.back();
  }
}

// Every command and every option of every command completes from its start.
TEST(CliCompletion, EveryCommandAndOption) {
  std::vector<std::vector<std::string>> requests;
  std::vector<std::string> expected;
  for (const HelpCommand& c : CliHelp().commands) {
    requests.push_back({"quillmark-cli", c.name});
    expected.push_back(c.name);
    for (const HelpOption& o : c.options) {
      std::vector<std::string> words{"quillmark-cli", c.name};
      if (!c.firstWords.empty()) words.push_back(c.firstWords.back());
      words.push_back(o.name);
      requests.push_back(words);
      expected.push_back(o.name);
    }
  }
  const std::vector<std::string> answers = Complete(CliHelp(), requests);
  for (std::size_t i = 0; i < requests.size(); ++i) {
    // The word typed in full may be the start of another ("--format" of "--format"), so it is among the answers.
    EXPECT_NE((" " + answers[i] + " ").find(" " + expected[i] + " "), std::string::npos)
        << requests[i][1] << " " << expected[i] << ": " << answers[i];
  }
}

TEST(CliCompletion, WindowOptions) {
  const std::vector<std::string> answers =
      Complete(WindowHelp(), {{"quillmark", "--"}, {"quillmark", "--log-level", ""}});
  EXPECT_EQ(answers[0], "--extended --help --log-level --version");
  EXPECT_EQ(answers[1], "0 1 2 3");
}

}  // namespace
}  // namespace quill::cli
