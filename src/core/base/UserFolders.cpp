// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UserFolders.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "base/Platform.h"

namespace quill {
namespace {

// An XDG variable counts only when it holds an absolute path.
std::string XdgFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return std::string(value) + "/quillmark";
  return HomeFolder() + fallback + "/quillmark";
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0]) return home;
  std::string fromDatabase = platform::HomeFromUserDatabase();
  return fromDatabase.empty() ? std::string(".") : fromDatabase;
}

std::string ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string CacheFolder() { return XdgFolder("XDG_CACHE_HOME", "/.cache"); }

std::string DataHomeFolder() {
  const char* value = std::getenv("XDG_DATA_HOME");
  if (value && value[0] == '/') return value;
  return HomeFolder() + "/.local/share";
}

std::string ProgramFolder() {
  const std::string path = platform::ExecutablePath();
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool MakeFolders(const std::string& folder) {
  std::size_t i = 0;
  while (i <= folder.size()) {
    std::size_t slash = folder.find('/', i);
    if (slash == std::string::npos) slash = folder.size();
    std::string path = folder.substr(0, slash);
    if (!path.empty() && !platform::MakeFolder(path, 0700)) return false;
    i = slash + 1;
  }
  return platform::Stat(folder).kind == platform::FileKind::kDirectory;
}

std::string CreateCacheTempFile(const std::string& prefix, const std::string& suffix) {
  const std::string folder = CacheFolder();
  if (!MakeFolders(folder)) return {};
  std::string path = folder + "/" + prefix + "XXXXXX" + suffix;
  const platform::Handle fd = platform::CreateUniqueFile(path, suffix.size());
  if (fd < 0) return {};
  platform::Close(fd);
  return path;
}

void SweepStaleCacheTempFiles(const std::string& prefix, const std::string& suffix, long maxAgeSeconds) {
  constexpr std::size_t kUnique = 6;  // the XXXXXX
  const std::string folder = CacheFolder();
  const auto now =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  const std::int64_t oldest = now - static_cast<std::int64_t>(maxAgeSeconds) * 1000000000;
  for (const std::string& name : platform::FolderEntries(folder)) {
    if (name.size() != prefix.size() + kUnique + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    const std::string unique = name.substr(prefix.size(), kUnique);
    if (!std::all_of(unique.begin(), unique.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); })) {
      continue;
    }
    const std::string path = folder + "/" + name;
    const platform::FileInfo info = platform::Stat(path, false);
    if (info.kind == platform::FileKind::kRegular && info.owner == platform::UserId() && info.modifiedNs < oldest) {
      platform::Remove(path);
    }
  }
}

}  // namespace quill
