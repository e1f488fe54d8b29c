// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/RegistryText.h"

#include <cstdio>

#include "text/Ansi.h"

namespace quill {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";

// Registry names compare without regard to ASCII letter case: the key of a
// name in the indexes below.
std::string NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a quoted string starting at text[pos] == '"'; pos ends after the closing quote.
bool ParseQuoted(std::string_view text, std::size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  out.clear();
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\') {
      if (i + 1 >= text.size()) return false;
      out.push_back(text[++i]);
    } else if (c == '"') {
      pos = i + 1;
      return true;
    } else {
      out.push_back(c);
    }
  }
  return false;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// Bytes of a "hex:" or "hex(N):" value; false when the list is malformed.
bool ParseHexBytes(std::string_view list, std::string& bytes) {
  bytes.clear();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
  };
  skipBlanks();
  if (i == list.size()) return true;
  while (true) {
    skipBlanks();
    if (i + 2 > list.size()) return false;
    int hi = HexDigit(list[i]);
    int lo = HexDigit(list[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes.push_back(static_cast<char>(hi * 16 + lo));
    i += 2;
    skipBlanks();
    if (i == list.size()) return true;
    if (list[i] != ',') return false;
    ++i;
  }
}

enum class Kind { kString, kDword, kBinary, kTypedHex, kDelete, kInvalid };

// Kind of a raw value; typeOut is N of hex(N), payload the string, dword or bytes.
Kind Classify(std::string_view raw, int* typeOut, std::string* payload, std::uint32_t* dword) {
  if (raw == "-") return Kind::kDelete;
  if (!raw.empty() && raw[0] == '"') {
    std::size_t pos = 0;
    std::string s;
    if (!ParseQuoted(raw, pos, s) || pos != raw.size()) return Kind::kInvalid;
    if (payload) *payload = std::move(s);
    return Kind::kString;
  }
  if (raw.substr(0, 6) == "dword:") {
    std::string_view digits = raw.substr(6);
    if (digits.size() != 8) return Kind::kInvalid;
    std::uint32_t v = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) return Kind::kInvalid;
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    if (dword) *dword = v;
    return Kind::kDword;
  }
  if (raw.substr(0, 4) == "hex:") {
    std::string bytes;
    if (!ParseHexBytes(raw.substr(4), bytes)) return Kind::kInvalid;
    if (payload) *payload = std::move(bytes);
    if (typeOut) *typeOut = 3;
    return Kind::kBinary;
  }
  if (raw.substr(0, 4) == "hex(") {
    std::size_t close = raw.find("):");
    if (close == std::string_view::npos || close == 4) return Kind::kInvalid;
    int type = 0;
    for (std::size_t i = 4; i < close; ++i) {
      int d = HexDigit(raw[i]);
      if (d < 0 || type > 0xFFFFFF) return Kind::kInvalid;
      type = type * 16 + d;
    }
    std::string bytes;
    if (!ParseHexBytes(raw.substr(close + 2), bytes)) return Kind::kInvalid;
    if (payload) *payload = std::move(bytes);
    if (typeOut) *typeOut = type;
    return Kind::kTypedHex;
  }
  return Kind::kInvalid;
}

// UTF-16LE (a string value in hex(1)/hex(2) form) to UTF-8, up to the first NUL.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  std::size_t n = bytes.size() / 2;
  auto unit = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
  };
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t u = unit(i);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
      std::uint32_t l = unit(i + 1);
      if (l >= 0xDC00 && l <= 0xDFFF) {
        AppendUtf8CodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (l - 0xDC00));
        ++i;
        continue;
      }
    }
    if (!AppendUtf8CodePoint(out, u)) out.push_back('?');
  }
  return out;
}

// UTF-8 to UTF-16LE with a terminating NUL; an invalid byte stands for itself (Latin-1).
std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  auto put = [&](std::uint32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  };
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char c = b(i);
    std::uint32_t cp = c;
    std::size_t len = 1;
    if (c >= 0xC2 && c <= 0xF4) {
      std::size_t want = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      if (i + want <= text.size()) {
        std::uint32_t v = c & (want == 2 ? 0x1F : want == 3 ? 0x0F : 0x07);
        bool ok = true;
        for (std::size_t k = 1; k < want; ++k) {
          if ((b(i + k) & 0xC0) != 0x80) ok = false;
          v = (v << 6) | (b(i + k) & 0x3F);
        }
        bool minimal = want == 2 || (want == 3 && v >= 0x800) || (want == 4 && v >= 0x10000);
        if (ok && minimal && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
          cp = v;
          len = want;
        }
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
    i += len;
  }
  put(0);
  return out;
}

std::string HexList(std::string_view bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) out.push_back(',');
    auto b = static_cast<unsigned char>(bytes[i]);
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

RegistryFile ParseRegistryText(std::string_view text) {
  RegistryFile file;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.find('\0') != std::string_view::npos) {
    file.damaged = true;
    return file;
  }
  bool headerSeen = false;
  RegistrySection* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::size_t end = nl == std::string_view::npos ? text.size() : nl;
    std::string line(TrimBlanks(text.substr(pos, end - pos)));
    pos = end == text.size() ? end : end + 1;
    // A long hex list goes on over several lines, each but the last ending in '\'.
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos && pos < text.size()) {
      line.pop_back();
      std::size_t nl2 = text.find('\n', pos);
      std::size_t end2 = nl2 == std::string_view::npos ? text.size() : nl2;
      line += TrimBlanks(text.substr(pos, end2 - pos));
      pos = end2 == text.size() ? end2 : end2 + 1;
    }
    if (line.empty() || line[0] == ';') continue;
    if (!headerSeen) {
      if (line != kHeader && line != kOldHeader) {
        file.damaged = true;
        return file;
      }
      headerSeen = true;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) {
        file.damaged = true;
        return file;
      }
      current = &file.Get(line.substr(1, line.size() - 2));
      continue;
    }
    if (!current) {
      file.damaged = true;
      return file;
    }
    RegistryEntry value;
    std::size_t p = 0;
    if (line[0] == '@') {
      p = 1;
    } else if (!ParseQuoted(line, p, value.name)) {
      file.damaged = true;
      return file;
    }
    if (p >= line.size() || line[p] != '=') {
      file.damaged = true;
      return file;
    }
    value.raw = line.substr(p + 1);
    if (!IsRegistryValue(value.raw)) {
      file.damaged = true;
      return file;
    }
    current->Set(std::move(value.name), std::move(value.raw));
  }
  return file;
}

std::string SerializeRegistryText(const RegistryFile& file) {
  std::string out(kHeader);
  out += "\n";
  for (const RegistrySection& s : file.sections) {
    out += "\n[" + s.name + "]\n";
    for (const RegistryEntry& v : s.values) {
      out += v.name.empty() ? std::string("@") : Quote(v.name);
      out += "=" + v.raw + "\n";
    }
  }
  return out;
}

const RegistryEntry* RegistrySection::Find(std::string_view valueName) const {
  auto it = index.find(NameKey(valueName));
  return it == index.end() ? nullptr : &values[it->second];
}

void RegistrySection::Set(std::string valueName, std::string raw) {
  auto [it, added] = index.emplace(NameKey(valueName), values.size());
  if (added) {
    values.push_back(RegistryEntry{std::move(valueName), std::move(raw)});
  } else {
    values[it->second].raw = std::move(raw);
  }
}

const RegistrySection* RegistryFile::Find(std::string_view name) const {
  auto it = index.find(NameKey(name));
  return it == index.end() ? nullptr : &sections[it->second];
}

RegistrySection& RegistryFile::Get(std::string name) {
  auto [it, added] = index.emplace(NameKey(name), sections.size());
  if (added) sections.push_back(RegistrySection{std::move(name), {}, {}});
  return sections[it->second];
}

bool DecodeStringValue(std::string_view raw, std::string& utf8) {
  int type = 0;
  std::string payload;
  const Kind kind = Classify(raw, &type, &payload, nullptr);
  if (kind == Kind::kString) {
    utf8 = std::move(payload);
  } else if (kind == Kind::kTypedHex && (type == 1 || type == 2)) {
    utf8 = Utf16LeToUtf8(payload);
  } else {
    return false;
  }
  return true;
}

bool DecodeDwordValue(std::string_view raw, std::uint32_t& value) {
  return Classify(raw, nullptr, nullptr, &value) == Kind::kDword;
}

bool DecodeBinaryValue(std::string_view raw, std::string& bytes) {
  int type = 0;
  const Kind kind = Classify(raw, &type, &bytes, nullptr);
  return kind == Kind::kBinary || (kind == Kind::kTypedHex && (type == 0 || type == 3));
}

bool IsRegistryValue(std::string_view raw) { return Classify(raw, nullptr, nullptr, nullptr) != Kind::kInvalid; }

std::string EncodeStringValue(std::string_view utf8) {
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) < 0x20) return "hex(1):" + HexList(Utf8ToUtf16Le(utf8));
  }
  return Quote(utf8);
}

std::string EncodeDwordValue(std::int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", static_cast<std::uint32_t>(value));
  return std::string("dword:") + buf;
}

std::string EncodeBinaryValue(std::string_view bytes) { return "hex:" + HexList(bytes); }

}  // namespace quill
