// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry-export text the settings store keeps its values in:
//
//   Windows Registry Editor Version 5.00
//
//   [Software\Tarnwick\Quillmark\Settings]
//   "Count"=dword:00000000
//   "Name"="N 52 E 5"
//   "X"=hex:01,02
//
// Parsing and writing the whole text, and the value forms after '=' (quoted
// strings, dwords, hex lists, UTF-16LE strings as hex(1)/hex(2)). Pure
// functions over UTF-8 text; the store (UlkRegistry.h) does the files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quill {

struct RegistryEntry {
  std::string name;  // UTF-8, unescaped; empty for the default value "@"
  std::string raw;   // the text after '=' as it stands in the file
};

// Names of sections and values compare without regard to ASCII letter case.
struct RegistrySection {
  std::string name;  // UTF-8
  std::vector<RegistryEntry> values;
  std::unordered_map<std::string, std::size_t> index;  // folded name -> values

  const RegistryEntry* Find(std::string_view valueName) const;
  // Replaces the value of that name in its place, or adds it at the end.
  void Set(std::string valueName, std::string raw);
};

struct RegistryFile {
  // The text does not follow the syntax; nothing of it is to be trusted.
  bool damaged = false;
  std::vector<RegistrySection> sections;
  std::unordered_map<std::string, std::size_t> index;  // folded name -> sections

  const RegistrySection* Find(std::string_view name) const;
  // The section of that name, added at the end when there is none.
  RegistrySection& Get(std::string name);
};

// Either header ("REGEDIT4" too), a leading byte order mark, comments (';'),
// hex lists continued over lines ending in '\'.
RegistryFile ParseRegistryText(std::string_view text);
// Sections and values in their order, one value per line.
std::string SerializeRegistryText(const RegistryFile& file);

// A string value: quoted, or UTF-16LE as hex(1)/hex(2) up to its first NUL.
bool DecodeStringValue(std::string_view raw, std::string& utf8);
bool DecodeDwordValue(std::string_view raw, std::uint32_t& value);
// A binary value: hex:, hex(0): or hex(3):.
bool DecodeBinaryValue(std::string_view raw, std::string& bytes);
// Whether the text after '=' has any form the syntax allows ("-" included).
bool IsRegistryValue(std::string_view raw);

// Quoted; a text holding a control character goes as hex(1), since a quoted
// string cannot hold a line break.
std::string EncodeStringValue(std::string_view utf8);
std::string EncodeDwordValue(std::int32_t value);
std::string EncodeBinaryValue(std::string_view bytes);

}  // namespace quill
