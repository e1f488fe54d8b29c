#include "base/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

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

bool MakeFolders(const std::string& folder) {
  std::string path;
  std::size_t i = 0;
  while (i <= folder.size()) {
    std::size_t slash = folder.find('/', i);
    if (slash == std::string::npos) slash = folder.size();
    path = folder.substr(0, slash);
    if (!path.empty() && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    i = slash + 1;
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CreateCacheTempFile(const std::string& prefix, const std::string& suffix) {
  const std::string folder = CacheFolder();
  if (!MakeFolders(folder)) return {};
  std::string pattern = folder + "/" + prefix + "XXXXXX" + suffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkstemps makes the file for the user alone (0600).
  const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
  if (fd < 0) return {};
  ::close(fd);
  return std::string(name.data());
}

}  // namespace quill
