// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What both programs print for --version.
#include <string>
#include <string_view>

namespace quill {

// "<program> <version>", then the build date and the folder of the shipped data
// the program found (where users look when a template or the help page is missing).
std::string VersionReport(std::string_view program);

// "Quillmark/<version>": how the program names itself to web servers.
std::string UserAgent();

}  // namespace quill
