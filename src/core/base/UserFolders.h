// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's own folders, after the XDG base directory rules. None is created
// until a caller asks.
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

// Creates the folder and its missing parents with mode 0700; true when it is
// a folder afterwards.
bool MakeFolders(const std::string& folder);

// A new empty file "<prefix>XXXXXX<suffix>" with a unique name and mode 0600
// in the cache folder (made when missing); its path, or empty on failure.
// The caller removes it.
std::string CreateCacheTempFile(const std::string& prefix, const std::string& suffix);
// Removes the user's own regular files of that pattern in the cache folder
// that were last changed more than maxAgeSeconds ago: left by a run that
// was killed.
void SweepStaleCacheTempFiles(const std::string& prefix, const std::string& suffix, long maxAgeSeconds);

}  // namespace quill
