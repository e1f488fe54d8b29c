#include "base/UserFolders.h"

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

}  // namespace quill
