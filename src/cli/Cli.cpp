// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/CliSinks.h"
#include "cli/Help.h"
#include "settings/ProgramVersion.h"

namespace quill::cli {

namespace {

using CommandFn = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
  std::string_view name;
  CommandFn run;
};

constexpr std::array<Command, 12> kCommands = {{
    {"convert", &RunConvert},
    {"list", &RunList},
    {"coord", &RunCoord},
    {"open", &RunOpen},
    {"letters", &RunLetters},
    {"gps", &RunGps},
    {"ftp", &RunFtp},
    {"devices", &RunDevices},
    {"send", &RunSend},
    {"page", &RunPage},
    {"link", &RunLink},
    {"map", &RunMap},
}};

bool commandsEndProcess = false;

// The command at work and the input it reads "-" from, while Run runs it.
std::string_view currentCommand;
std::istream* commandInput = &std::cin;

bool AsksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

int CommandHelp(std::string_view name, std::ostream& out, std::ostream& err) {
  const HelpCommand* command = FindHelpCommand(CliHelp(), name);
  if (!command) return UsageError(err, "unknown command '" + std::string(name) + "'");
  out << CommandHelpText(CliHelp(), *command);
  return 0;
}

}  // namespace

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const Command& c : kCommands) names.push_back(c.name);
  return names;
}

int UsageError(std::ostream& err, const std::string& message) {
  std::string hint = "quillmark-cli ";
  if (!currentCommand.empty()) hint += std::string(currentCommand) + " ";
  PrintError(err, {}, (message.empty() ? std::string("wrong usage") : message) + " (try '" + hint + "--help')");
  return 2;
}

std::istream& CommandInput() { return *commandInput; }

void LetCommandsEndProcess(bool yes) { commandsEndProcess = yes; }

int EndCommand(int status, std::ostream& out, std::ostream& err) {
  if (!commandsEndProcess) return status;
  out.flush();
  err.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return Run(args, std::cin, out, err);
}

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h" || (args[0] == "help" && args.size() == 1)) {
    out << HelpText(CliHelp());
    return 0;
  }
  if (args[0] == "help") {
    if (args.size() > 2) return UsageError(err, "help takes one COMMAND");
    return CommandHelp(args[1], out, err);
  }
  if (args[0] == "--version" || args[0] == "-V") {
    out << VersionReport("quillmark-cli");
    return 0;
  }
  for (const Command& c : kCommands) {
    if (args[0] != c.name) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest)) return CommandHelp(c.name, out, err);
    const std::string_view outerCommand = currentCommand;
    std::istream* outerInput = commandInput;
    currentCommand = c.name;
    commandInput = &in;
    const int status = c.run(rest, out, err);
    currentCommand = outerCommand;
    commandInput = outerInput;
    return status;
  }
  return UsageError(err, "unknown command '" + args[0] + "'");
}

}  // namespace quill::cli
