// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the running window listens for file names handed to it
// (`quillmark-cli open FILE`): a socket in a folder private to the user.
#include <string>

namespace quill {

// $XDG_RUNTIME_DIR/quillmark.sock, or open.sock in the cache folder when there
// is no runtime folder. The folder of the second form may not exist yet.
std::string OpenSocketPath();

// The socket's folder belongs to this user and nobody else may use it, so no
// one else can put a socket there first or take ours away.
bool OpenSocketFolderIsPrivate(const std::string& socketPath);

enum class OpenSocketState { kPrivate, kMissing, kNotPrivate };
// The socket and its folder as the sender checks them before handing over a
// file name: both must be this user's with no access for others.
OpenSocketState CheckOpenSocket(const std::string& socketPath);

}  // namespace quill
