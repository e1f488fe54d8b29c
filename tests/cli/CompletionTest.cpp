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

// zsh: what the line becomes after Tab, in an interactive zsh on a
// pseudo-terminal with the two completion functions on its fpath.
TEST(CliCompletion, ZshCompletesWordsValuesAndFiles) {
  if (!test::HaveTool("zsh")) {
    test::NoteMissingTool("zsh");
    return;
  }
  TempDir dir;
  WriteFileBytes(dir.File("_quillmark-cli"), ZshCompletion(CliHelp()));
  WriteFileBytes(dir.File("_quillmark"), ZshCompletion(WindowHelp()));
  WriteFileBytes(dir.File("caches.gpx"), "");
  const std::string file = dir.File("caches.gpx");
  const struct {
    std::string typed;
    std::string line;
  } cases[] = {
      {"quillmark-cli conv", "quillmark-cli convert "},
      {"quillmark-cli convert --form", "quillmark-cli convert --format="},
      {"quillmark-cli convert --format=km", "quillmark-cli convert --format=kml "},
      {"quillmark-cli list --sort datef", "quillmark-cli list --sort datefound "},
      {"quillmark-cli list --filter=ty", "quillmark-cli list --filter=type="},
      {"quillmark-cli coord --datum ed", "quillmark-cli coord --datum ed50 "},
      {"quillmark-cli ftp up", "quillmark-cli ftp upload "},
      {"quillmark-cli ftp upload --dup", "quillmark-cli ftp upload --duplicates="},
      {"quillmark-cli list " + file.substr(0, file.size() - 4), "quillmark-cli list " + file + " "},
      {"quillmark --log", "quillmark --log-level="},
  };
  std::string script =
      "zmodload zsh/zpty\n"
      "zpty z zsh -f -i\n"
      "zpty -w z 'PS1=; fpath=(" +
      dir.path() +
      " $fpath); autoload -Uz compinit; compinit -u -D; "
      "show-buffer() { print -r -- \"BUF:[$BUFFER]\"; BUFFER=; }; zle -N show-buffer; bindkey \"^X\" show-buffer; "
      "bindkey \"^I\" complete-word; print READY'\n"
      "typeset line\n"
      "while zpty -r z line; do [[ $line == *READY* ]] && break; done\n"
      "for typed in \"$@\"; do\n"
      "  zpty -w -n z \"$typed\"$'\\t\\x18'\n"
      "  while zpty -r z line; do\n"
      "    if [[ $line == *BUF:* ]]; then print -r -- \"${${line#*BUF:}%%$'\\r'*}\"; break; fi\n"
      "  done\n"
      "done\n"
      "zpty -d z\n";
  WriteFileBytes(dir.File("drive.zsh"), script);
  std::string command = "timeout 60 zsh -f " + ShellQuote(dir.File("drive.zsh"));
  for (const auto& c : cases) command += " " + ShellQuote(c.typed);
  std::string output;
  ASSERT_EQ(RunCommand(command + " 2>&1", &output), 0) << output;
  std::istringstream lines(output);
  for (const auto& c : cases) {
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "[" + c.line + "]") << c.typed;
  }
}

}  // namespace
}  // namespace quill::cli
