// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UlkRegistry.h"

#include <cstring>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/UserFolders.h"
#include "settings/RegistryText.h"
#include "text/Ansi.h"

namespace quill {
namespace {

constexpr std::size_t kMaxKeyPath = 199;

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

std::string StringRaw(const std::string& ansi) { return EncodeStringValue(AnsiToUtf8(ansi)); }

}  // namespace

struct TUlkRegistry::Parsed {
  std::string path;
  platform::FileInfo version;  // the file as it was when read
  RegistryFile file;
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
  auto parsed = std::make_shared<Parsed>(Parsed{path, version, ParseRegistryText(text)});
  // Changed while being read: use this reading once, read again next time.
  if (!SameVersion(platform::Stat(path), version)) parsed->version = platform::FileInfo{};
  parsed_ = std::move(parsed);
  return parsed_.get();
}

bool TUlkRegistry::FindRaw(const std::string& section, const std::string& name, std::string& raw) const {
  const Parsed* parsed = Current();
  if (!parsed || parsed->file.damaged) return false;
  const RegistrySection* s = parsed->file.Find(FullKey(section));
  const RegistryEntry* v = s ? s->Find(AnsiToUtf8(name)) : nullptr;
  if (!v) return false;
  raw = v->raw;
  return true;
}

std::string TUlkRegistry::ReadString(const std::string& section, const std::string& name,
                                     const std::string& def) const {
  std::string raw;
  std::string utf8;
  if (!FindRaw(section, name, raw)) return def;
  if (!DecodeStringValue(raw, utf8)) return def;
  std::string text = Utf8ToAnsi(utf8);
  return text.empty() ? def : text;
}

std::int32_t TUlkRegistry::ReadInt(const std::string& section, const std::string& name, std::int32_t def) const {
  std::string raw;
  if (!FindRaw(section, name, raw)) return def;
  std::uint32_t v = 0;
  if (!DecodeDwordValue(raw, v)) return def;
  return static_cast<std::int32_t>(v);
}

int TUlkRegistry::ReadBinary(const std::string& section, const std::string& name, void* buffer, int size) const {
  std::string raw;
  if (!FindRaw(section, name, raw)) return 0;
  std::string bytes;
  if (!DecodeBinaryValue(raw, bytes) || size < 0 || bytes.size() > static_cast<std::size_t>(size)) return 0;
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
  RegistryFile file = ParseRegistryText(text);
  if (exists && file.damaged) {
    if (!KeepDamaged(real)) return false;
    file = RegistryFile{};
  }
  RegistrySection& target = file.Get(FullKey(section));
  for (const Entry& e : entries) target.Set(AnsiToUtf8(e.name), e.rawValue);
  AtomicFileWriter out;
  if (!out.Open(real, false, 0600)) return false;
  // Our own file is private again even when loosened by hand.
  if (!linked) out.SetPermissions(0600);
  out.Write(SerializeRegistryText(file));
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
  for (const auto& [name, value] : values) entries.push_back(Entry{name, EncodeDwordValue(value)});
  return Write(section, entries);
}

bool TUlkRegistry::WriteValues(const std::string& section, const std::vector<RegistryValue>& values) {
  std::vector<Entry> entries;
  for (const RegistryValue& v : values) {
    if (const auto* number = std::get_if<std::int32_t>(&v.value)) {
      entries.push_back(Entry{v.name, EncodeDwordValue(*number)});
    } else {
      entries.push_back(Entry{v.name, StringRaw(std::get<std::string>(v.value))});
    }
  }
  return Write(section, entries);
}

bool TUlkRegistry::WriteBinary(const std::string& section, const std::string& name, const void* buffer, int size) {
  std::string_view bytes(static_cast<const char*>(buffer), size > 0 ? static_cast<std::size_t>(size) : 0);
  return Write(section, {Entry{name, EncodeBinaryValue(bytes)}});
}

}  // namespace quill
