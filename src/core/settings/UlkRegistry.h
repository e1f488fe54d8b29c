// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings store. It keeps the interface of a registry (root, key path,
// section, value name; typed reads with defaults, typed writes) over one text
// file per root in the registry-export syntax (settings/RegistryText.h).
//
// The file lives in $XDG_CONFIG_HOME/quillmark/ (default ~/.config/quillmark/),
// is private to the user (0600) and is rewritten atomically under a lock file,
// so two running copies never lose each other's values. A read looks at the
// file each time but parses it again only when it changed; a write reads,
// changes and rewrites it under the lock. A file that cannot be parsed reads
// as defaults; the next write keeps it aside as *.damaged-N instead of
// overwriting it. A settings file that is a link (a dotfiles folder) stays a
// link, and the file it points at keeps its mode.
//
// Values are held in memory as Windows-1252 text (see text/Ansi.h); the file
// is UTF-8.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quill {

// One value of a mixed write: a dword or a text.
struct RegistryValue {
  std::string name;
  std::variant<std::int32_t, std::string> value;
};

enum class RegistryRoot {
  kLocalMachine,  // HKEY_LOCAL_MACHINE
  kCurrentUser,   // HKEY_CURRENT_USER
};

class TUlkRegistry {
 public:
  // folder: where the root files live; empty picks the per-user config folder.
  explicit TUlkRegistry(std::string folder = {});

  void Init(RegistryRoot root, const std::string& base, const std::string& first, const std::string& second);

  // Missing or empty string, another type, or no file: the default.
  std::string ReadString(const std::string& section, const std::string& name, const std::string& def) const;
  // Missing value or a value that is not a dword: the default.
  std::int32_t ReadInt(const std::string& section, const std::string& name, std::int32_t def) const;
  // Bytes of a binary value that fits into the buffer; 0 otherwise (buffer untouched).
  int ReadBinary(const std::string& section, const std::string& name, void* buffer, int size) const;

  // False when the file could not be written (the old file stays as it was).
  bool WriteString(const std::string& section, const std::string& name, const std::string& value);
  bool WriteInt(const std::string& section, const std::string& name, std::int32_t value);
  bool WriteBinary(const std::string& section, const std::string& name, const void* buffer, int size);
  // Several integers in one rewrite, so a group (a window position) is never
  // stored half from one writer and half from another.
  bool WriteInts(const std::string& section, const std::vector<std::pair<std::string, std::int32_t>>& values);
  // Integers and texts in one rewrite, in the order given: all or none.
  bool WriteValues(const std::string& section, const std::vector<RegistryValue>& values);

  const std::string& KeyPath() const { return keyPath_; }
  RegistryRoot RootKey() const { return root_; }
  // The file backing the current root.
  std::string FilePath() const;
  // The per-user folder: $XDG_CONFIG_HOME/quillmark or ~/.config/quillmark.
  static std::string DefaultFolder();
  // How often reads had to parse the file (it changed, or nothing was parsed yet).
  std::size_t ParseCount() const { return parseCount_; }

 private:
  struct Parsed;
  struct Entry {
    std::string name;
    std::string rawValue;  // the text after '=' as it stands in the file
  };
  bool Write(const std::string& section, const std::vector<Entry>& entries);
  // Raw value text of section\name, or false when there is none (or the file is damaged).
  bool FindRaw(const std::string& section, const std::string& name, std::string& raw) const;
  std::string FullKey(const std::string& section) const;

  // The file as last parsed, again only when it changed; null without a usable file.
  const Parsed* Current() const;

  std::string folder_;
  std::string keyPath_;
  RegistryRoot root_ = RegistryRoot::kLocalMachine;
  // Not shared between threads: each thread keeps its own registry.
  mutable std::shared_ptr<const Parsed> parsed_;
  mutable std::size_t parseCount_ = 0;
};

}  // namespace quill
