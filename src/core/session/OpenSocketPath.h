#pragma once
// Where the running window listens for file names handed to it
// (`quillmark-cli open FILE`): a socket in a folder private to the user.
#include <string>

namespace quill {

// $XDG_RUNTIME_DIR/quillmark.sock, or open.sock in the cache folder when there
// is no runtime folder. The folder of the second form may not exist yet.
std::string OpenSocketPath();

}  // namespace quill
