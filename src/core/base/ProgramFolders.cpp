#include "base/ProgramFolders.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

namespace quill {

namespace {

// The help page ships in every layout; a folder without it is no data folder.
bool HoldsData(const std::string& folder) {
  std::error_code ec;
  return std::filesystem::is_regular_file(folder + "help.html", ec);
}

}  // namespace

std::string ExecutableFolder() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<std::size_t>(n));
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

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

std::string DataFolder() { return DataFolderFor(ExecutableFolder()); }

}  // namespace quill
