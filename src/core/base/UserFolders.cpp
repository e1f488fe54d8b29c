#include "base/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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
  if (const passwd* pw = ::getpwuid(::getuid())) {
    if (pw->pw_dir && pw->pw_dir[0]) return pw->pw_dir;
  }
  return ".";
}

std::string ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string CacheFolder() { return XdgFolder("XDG_CACHE_HOME", "/.cache"); }

}  // namespace quill
