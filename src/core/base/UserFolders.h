#pragma once
// The user's own folders, after the XDG base directory rules. None is created.
#include <string>

namespace quill {

// $HOME, else the password database's entry, else ".".
std::string HomeFolder();
// $XDG_CONFIG_HOME/quillmark, else ~/.config/quillmark: the settings.
std::string ConfigFolder();
// $XDG_CACHE_HOME/quillmark, else ~/.cache/quillmark: files made on the fly.
std::string CacheFolder();
// $XDG_DATA_HOME, else ~/.local/share: the base of per-user data (logs).
std::string DataHomeFolder();
// The folder of the running program with its trailing "/", "./" when it
// cannot be told.
std::string ProgramFolder();

}  // namespace quill
