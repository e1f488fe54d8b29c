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

}  // namespace quill
