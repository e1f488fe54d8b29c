#include "session/OpenSocketPath.h"

#include <cstdlib>

#include "base/UserFolders.h"

namespace quill {

std::string OpenSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/quillmark.sock";
  return CacheFolder() + "/open.sock";
}

}  // namespace quill
