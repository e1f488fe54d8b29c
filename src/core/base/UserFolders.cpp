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

std::string DataHomeFolder() {
  const char* value = std::getenv("XDG_DATA_HOME");
  if (value && value[0] == '/') return value;
  return HomeFolder() + "/.local/share";
}

std::string ProgramFolder() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace quill
