// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help of both programs, written once: `--help`, `COMMAND --help`, the
// manual pages and the shell completion are all made from these tables, so
// they cannot drift apart. The names of formats, sort orders, filter modes
// and columns come from the core's own tables.
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// What completes an option's value or a command's operands.
enum class ValueKind {
  kNone,    // a flag: no value
  kText,    // free text: nothing to offer
  kChoice,  // one of HelpOption::choices
  kFile,    // a file name
  kDevice,  // a serial device
};

struct HelpOption {
  std::string name;       // "--format"
  std::string shortName;  // "-h", or empty
  std::string value;      // "NAME"; empty for a flag
  std::string text;       // what it does, one paragraph
  ValueKind kind = ValueKind::kNone;
  std::vector<std::string> choices;  // for kChoice
};

struct HelpCommand {
  std::string name;                   // "convert"
  std::vector<std::string> synopsis;  // the words after "quillmark-cli convert", one usage each
  std::string summary;                // one line, lower case, no full stop
  std::vector<std::string> text;      // paragraphs
  std::vector<HelpOption> options;
  std::vector<std::string> firstWords;  // what the first operand may be ("download", "upload")
  ValueKind operands = ValueKind::kFile;
};

struct HelpExample {
  std::string text;     // what it does
  std::string command;  // the command line
};

// A section of the manual page (and of the whole --help where it says so).
struct HelpSection {
  std::string title;  // "EXIT STATUS"
  std::vector<std::string> text;
  std::vector<HelpExample> examples;
  bool inHelp = false;  // also at the end of `--help`
};

struct ProgramHelp {
  std::string program;                // "quillmark-cli"
  std::string title;                  // the manual's one-line description
  std::vector<std::string> synopsis;  // the words after the program's name
  std::vector<std::string> text;      // the description's paragraphs
  std::vector<HelpOption> options;    // options of the program itself
  std::vector<HelpCommand> commands;
  std::vector<HelpSection> sections;
  std::vector<std::string> seeAlso;  // "quillmark(1)"
};

const ProgramHelp& CliHelp();
const ProgramHelp& WindowHelp();
const HelpCommand* FindHelpCommand(const ProgramHelp& program, std::string_view name);

// The text of `PROGRAM --help`: usage, description, the commands with their
// summaries (or the options of a program without commands).
std::string HelpText(const ProgramHelp& program);
// The text of `PROGRAM COMMAND --help`: its usage, description and options.
std::string CommandHelpText(const ProgramHelp& program, const HelpCommand& command);

// The manual page in scdoc's markup, for scdoc(1) to render.
std::string ManPageScdoc(const ProgramHelp& program, std::string_view version);
// A bash completion script: every command, option and value choice.
std::string BashCompletion(const ProgramHelp& program);
// A zsh completion function (#compdef) with the same words and descriptions.
std::string ZshCompletion(const ProgramHelp& program);

// Where to report bugs, as the help and the manual say it.
std::string BugReportText();

}  // namespace quill::cli
