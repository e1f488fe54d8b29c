// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramFolders.h"

#include <filesystem>

#include "base/UserFolders.h"

namespace quill {

namespace {

// The help page ships in every layout; a folder without it is no data folder.
bool HoldsData(const std::string& folder) {
  std::error_code ec;
  return std::filesystem::is_regular_file(folder + "help.html", ec);
}

}  // namespace

std::string DataFolderFor(std::string_view executableFolder) {
  std::string exe(executableFolder);
  if (exe.empty()) exe = "./";
  if (exe.back() != '/') exe += '/';
  for (const char* relative : {"../share/quillmark/", "share/quillmark/"}) {
    std::string candidate = exe + relative;
    if (HoldsData(candidate)) {
      std::error_code ec;
      std::filesystem::path normal = std::filesystem::weakly_canonical(candidate, ec);
      if (ec) return candidate;
      std::string text = normal.string();
      if (text.empty() || text.back() != '/') text += '/';
      return text;
    }
  }
  return exe;
}

std::string DataFolder() { return DataFolderFor(ProgramFolder()); }

}  // namespace quill
