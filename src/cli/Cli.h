#pragma once
// quillmark-cli: the core without a window.
#include <iosfwd>
#include <string>
#include <vector>

namespace quill::cli {

// Exit status: 0 success, 1 a file could not be loaded or saved, 2 wrong usage.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The subcommands; args exclude the subcommand's own name.
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCoord(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunOpen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLetters(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunGps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunFtp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int UsageError(std::ostream& err, const std::string& message);

}  // namespace quill::cli
