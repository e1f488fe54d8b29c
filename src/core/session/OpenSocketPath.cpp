// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/OpenSocketPath.h"

#include <cstdlib>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/UserFolders.h"

namespace quill {

std::string OpenSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/quillmark.sock";
  return CacheFolder() + "/open.sock";
}

bool OpenSocketFolderIsPrivate(const std::string& socketPath) {
  return platform::PrivateToUser(FolderOfPath(socketPath), platform::FileKind::kDirectory);
}

OpenSocketState CheckOpenSocket(const std::string& socketPath) {
  if (platform::Stat(socketPath, false).kind == platform::FileKind::kMissing) return OpenSocketState::kMissing;
  if (!OpenSocketFolderIsPrivate(socketPath) || !platform::PrivateToUser(socketPath, platform::FileKind::kSocket))
    return OpenSocketState::kNotPrivate;
  return OpenSocketState::kPrivate;
}

}  // namespace quill
