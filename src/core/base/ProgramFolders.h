// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the data that ships with the program is. The folder ends in "/".
#include <string>
#include <string_view>

namespace quill {

// The folder of the shipped data (help page, html/ with the cache page template
// and its images, OV2 icons), found from the executable's own place so that an
// installed prefix can move: <exe>/../share/quillmark/ (installed, or a test
// program one folder down in the build tree), then <exe>/share/quillmark/ (the
// build tree). The executable's folder (ProgramFolder) when neither holds the help
// page.
std::string DataFolder();
std::string DataFolderFor(std::string_view executableFolder);

}  // namespace quill
