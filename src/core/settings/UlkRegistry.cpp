// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UlkRegistry.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/UserFolders.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::size_t kMaxKeyPath = 199;

// Registry names compare without regard to ASCII letter case: the key of a
// name in the indexes below.
std::string NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

struct Value {
  std::string name;  // UTF-8, unescaped
  std::string raw;   // text after '='
};

struct Section {
  std::string name;  // UTF-8
  std::vector<Value> values;
  std::unordered_map<std::string, std::size_t> index;  // NameKey -> values

  const Value* Find(std::string_view valueName) const {
    auto it = index.find(NameKey(valueName));
    return it == index.end() ? nullptr : &values[it->second];
  }
  void Set(std::string valueName, std::string raw) {
    auto [it, added] = index.emplace(NameKey(valueName), values.size());
    if (added) {
      values.push_back(Value{std::move(valueName), std::move(raw)});
    } else {
      values[it->second].raw = std::move(raw);
    }
  }
};

struct RegFile {
  bool damaged = false;
  std::vector<Section> sections;
  std::unordered_map<std::string, std::size_t> index;  // NameKey -> sections

  const Section* Find(std::string_view name) const {
    auto it = index.find(NameKey(name));
    return it == index.end() ? nullptr : &sections[it->second];
  }
  // The section of that name, added at the end when there is none.
  Section& Get(std::string name) {
    auto [it, added] = index.emplace(NameKey(name), sections.size());
    if (added) sections.push_back(Section{std::move(name), {}, {}});
    return sections[it->second];
  }
};

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

RegFile Parse(std::string_view text) {
  RegFile file;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.find('\0') != std::string_view::npos) {
    file.damaged = true;
    return file;
  }
  bool headerSeen = false;
  Section* current = nullptr;
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
    Value value;
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
    if (Classify(value.raw, nullptr, nullptr, nullptr) == Kind::kInvalid) {
      file.damaged = true;
      return file;
    }
    current->Set(std::move(value.name), std::move(value.raw));
  }
  return file;
}

std::string Serialize(const RegFile& file) {
  std::string out(kHeader);
  out += "\n";
  for (const Section& s : file.sections) {
    out += "\n[" + s.name + "]\n";
    for (const Value& v : s.values) {
      out += v.name.empty() ? std::string("@") : Quote(v.name);
      out += "=" + v.raw + "\n";
    }
  }
  return out;
}

// exists is false when there is no file; a FIFO, a device or a read error fails.
bool ReadWholeFile(const std::string& path, std::string& text, bool& exists) {
  InputFile in;
  exists = in.Open(path, false);
  if (!exists) return in.NotFound();
  return in.ReadAll(text);
}

// An exclusive lock on "<file>.lock" for one read-modify-write.
class FileLock {
 public:
  explicit FileLock(const std::string& path) : handle_(platform::OpenLockFile(path)) {}
  ~FileLock() {
    if (handle_ != platform::kNoHandle) platform::Close(handle_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool Held() const { return handle_ != platform::kNoHandle; }

 private:
  platform::Handle handle_;
};

// Moves a damaged settings file aside under a free name.
bool KeepDamaged(const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    std::string aside = path + ".damaged-" + std::to_string(n);
    if (platform::Stat(aside, false).kind != platform::FileKind::kMissing) continue;
    return platform::Rename(path, aside);
  }
  return false;
}

bool SameVersion(const platform::FileInfo& a, const platform::FileInfo& b) {
  return a.kind == b.kind && a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
}

std::string StringRaw(const std::string& ansi) {
  std::string utf8 = AnsiToUtf8(ansi);
  bool control = false;
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) < 0x20) control = true;
  }
  // A quoted string cannot hold a line break; such a value goes as REG_SZ bytes.
  if (control) return "hex(1):" + HexList(Utf8ToUtf16Le(utf8));
  return Quote(utf8);
}

std::string DwordRaw(std::int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", static_cast<std::uint32_t>(value));
  return std::string("dword:") + buf;
}

}  // namespace

struct TUlkRegistry::Parsed {
  std::string path;
  platform::FileInfo version;  // the file as it was when read
  RegFile file;
};

TUlkRegistry::TUlkRegistry(std::string folder) : folder_(std::move(folder)) {
  if (folder_.empty()) folder_ = DefaultFolder();
}

std::string TUlkRegistry::DefaultFolder() { return ConfigFolder(); }

void TUlkRegistry::Init(RegistryRoot root, const std::string& base, const std::string& first,
                        const std::string& second) {
  keyPath_ = base.substr(0, kMaxKeyPath);
  if (!first.empty()) keyPath_ += "\\" + first;
  if (!second.empty()) keyPath_ += "\\" + second;
  root_ = root;
}

std::string TUlkRegistry::FilePath() const {
  return folder_ + (root_ == RegistryRoot::kLocalMachine ? "/HKEY_LOCAL_MACHINE.reg" : "/HKEY_CURRENT_USER.reg");
}

std::string TUlkRegistry::FullKey(const std::string& section) const { return AnsiToUtf8(keyPath_ + "\\" + section); }

const TUlkRegistry::Parsed* TUlkRegistry::Current() const {
  std::string path = FilePath();
  platform::FileInfo version = platform::Stat(path);
  if (parsed_ && parsed_->path == path && SameVersion(parsed_->version, version)) return parsed_.get();
  parsed_.reset();
  if (version.kind != platform::FileKind::kRegular) return nullptr;
  std::string text;
  bool exists = false;
  if (!ReadWholeFile(path, text, exists) || !exists) return nullptr;
  ++parseCount_;
  auto parsed = std::make_shared<Parsed>(Parsed{path, version, Parse(text)});
  // Changed while being read: use this reading once, read again next time.
  if (!SameVersion(platform::Stat(path), version)) parsed->version = platform::FileInfo{};
  parsed_ = std::move(parsed);
  return parsed_.get();
}

bool TUlkRegistry::FindRaw(const std::string& section, const std::string& name, std::string& raw) const {
  const Parsed* parsed = Current();
  if (!parsed || parsed->file.damaged) return false;
  const Section* s = parsed->file.Find(FullKey(section));
  const Value* v = s ? s->Find(AnsiToUtf8(name)) : nullptr;
  if (!v) return false;
  raw = v->raw;
  return true;
}

std::string TUlkRegistry::ReadString(const std::string& section, const std::string& name,
                                     const std::string& def) const {
  std::string raw;
  std::string result;
  if (FindRaw(section, name, raw)) {
    int type = 0;
    std::string payload;
    Kind kind = Classify(raw, &type, &payload, nullptr);
    if (kind == Kind::kString) {
      result = Utf8ToAnsi(payload);
    } else if (kind == Kind::kTypedHex && (type == 1 || type == 2)) {
      result = Utf8ToAnsi(Utf16LeToUtf8(payload));
    } else {
      return def;
    }
  }
  return result.empty() ? def : result;
}

std::int32_t TUlkRegistry::ReadInt(const std::string& section, const std::string& name, std::int32_t def) const {
  std::string raw;
  if (!FindRaw(section, name, raw)) return def;
  std::uint32_t v = 0;
  if (Classify(raw, nullptr, nullptr, &v) != Kind::kDword) return def;
  return static_cast<std::int32_t>(v);
}

int TUlkRegistry::ReadBinary(const std::string& section, const std::string& name, void* buffer, int size) const {
  std::string raw;
  if (!FindRaw(section, name, raw)) return 0;
  int type = 0;
  std::string bytes;
  Kind kind = Classify(raw, &type, &bytes, nullptr);
  bool binary = kind == Kind::kBinary || (kind == Kind::kTypedHex && (type == 0 || type == 3));
  if (!binary || size < 0 || bytes.size() > static_cast<std::size_t>(size)) return 0;
  if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
  return static_cast<int>(bytes.size());
}

bool TUlkRegistry::Write(const std::string& section, const std::vector<Entry>& entries) {
  if (!MakeFolders(folder_)) return false;
  const std::string path = FilePath();
  FileLock lock(path + ".lock");
  if (!lock.Held()) return false;
  // Through a link the file it points at is read, kept aside when damaged and
  // replaced; the link stays and so does that file's mode.
  std::string real = path;
  bool linked = platform::Stat(path, false).kind == platform::FileKind::kLink;
  if (linked && !platform::ResolvePath(path, real)) return false;
  std::string text;
  bool exists = false;
  if (!ReadWholeFile(real, text, exists)) return false;
  RegFile file = Parse(text);
  if (exists && file.damaged) {
    if (!KeepDamaged(real)) return false;
    file = RegFile{};
  }
  Section& target = file.Get(FullKey(section));
  for (const Entry& e : entries) target.Set(AnsiToUtf8(e.name), e.rawValue);
  AtomicFileWriter out;
  if (!out.Open(real, false, 0600)) return false;
  // Our own file is private again even when loosened by hand.
  if (!linked) out.SetPermissions(0600);
  out.Write(Serialize(file));
  return out.Commit();
}

bool TUlkRegistry::WriteString(const std::string& section, const std::string& name, const std::string& value) {
  return Write(section, {Entry{name, StringRaw(value)}});
}

bool TUlkRegistry::WriteInt(const std::string& section, const std::string& name, std::int32_t value) {
  return WriteInts(section, {{name, value}});
}

bool TUlkRegistry::WriteInts(const std::string& section,
                             const std::vector<std::pair<std::string, std::int32_t>>& values) {
  std::vector<Entry> entries;
  for (const auto& [name, value] : values) entries.push_back(Entry{name, DwordRaw(value)});
  return Write(section, entries);
}

bool TUlkRegistry::WriteValues(const std::string& section, const std::vector<RegistryValue>& values) {
  std::vector<Entry> entries;
  for (const RegistryValue& v : values) {
    if (const auto* number = std::get_if<std::int32_t>(&v.value)) {
      entries.push_back(Entry{v.name, DwordRaw(*number)});
    } else {
      entries.push_back(Entry{v.name, StringRaw(std::get<std::string>(v.value))});
    }
  }
  return Write(section, entries);
}

bool TUlkRegistry::WriteBinary(const std::string& section, const std::string& name, const void* buffer, int size) {
  std::string_view bytes(static_cast<const char*>(buffer), size > 0 ? static_cast<std::size_t>(size) : 0);
  return Write(section, {Entry{name, "hex:" + HexList(bytes)}});
}

}  // namespace quill
