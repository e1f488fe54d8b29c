#include "session/OpenSocketPath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quill {

std::string OpenSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/quillmark.sock";
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache && cache[0] == '/') return std::string(cache) + "/quillmark/open.sock";
  const char* home = std::getenv("HOME");
  std::string h = home && home[0] ? home : "";
  if (h.empty()) {
    if (const passwd* pw = ::getpwuid(::getuid())) h = pw->pw_dir ? pw->pw_dir : "";
  }
  return h + "/.cache/quillmark/open.sock";
}

}  // namespace quill
