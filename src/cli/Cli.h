// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quillmark-cli: the core without a window.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// Exit status: 0 success, 1 a file could not be loaded or saved, 2 wrong usage.
// A command reads "-" from `in` (standard input in the first form).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// What a command reads for "-": the input Run was given.
std::istream& CommandInput();

// The subcommands; args exclude the subcommand's own name.
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCoord(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunOpen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLetters(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunGps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunFtp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPage(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLink(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunMap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// One line on err, "quillmark-cli: MESSAGE (try 'quillmark-cli COMMAND --help')";
// returns 2.
int UsageError(std::ostream& err, const std::string& message);

// Set by main, which hands the whole process to Run: a command that loaded a
// list may then end the process when its work is written, instead of freeing
// a hundred thousand records one string at a time. In-process callers keep
// the default, and commands return.
void LetCommandsEndProcess(bool yes);
// status, or, where commands may end the process, out and err flushed and
// the process ended with status.
int EndCommand(int status, std::ostream& out, std::ostream& err);
// Every subcommand's name, in the order the usage text lists them.
std::vector<std::string_view> CommandNames();

}  // namespace quill::cli
