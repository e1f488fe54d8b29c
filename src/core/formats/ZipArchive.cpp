// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>

#include "base/FileIo.h"
#include "formats/FormatSniff.h"
#include "formats/FormatTable.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

// The name for a message: what an archive names may hold any bytes.
std::string Shown(std::string_view name) {
  std::string text = PrintableSample(name);
  return text.empty() ? std::string("(unnamed)") : text;
}

bool Grows(std::uint64_t size, std::uint64_t packed) {
  if (size > kZipEntryLimit) return true;
  // packed is never beyond the archive's size, so the product cannot overflow.
  return size > kZipRatioFloor && size > packed * kZipRatioLimit;
}

// The format an entry is read as, by its extension; -1 for others.
int EntryFormat(std::string_view name) {
  std::string_view ext = FileExtension(name);
  if (EqualsIgnoreCase(ext, ".gpx")) return kFormatGpx;
  if (EqualsIgnoreCase(ext, ".loc")) return kFormatLoc;
  return -1;
}

// CR LF becomes LF, as the readers see any file; text without CR is not moved.
void FoldCrLf(std::string& text) {
  char* const data = text.data();
  const std::size_t size = text.size();
  const void* first = std::memchr(data, '\r', size);
  if (!first) return;
  std::size_t out = static_cast<std::size_t>(static_cast<const char*>(first) - data);
  for (std::size_t i = out; i < size;) {
    const void* cr = std::memchr(data + i, '\r', size - i);
    const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : size;
    if (out != i) std::memmove(data + out, data + i, end - i);
    out += end - i;
    if (!cr) break;
    if (end + 1 >= size || data[end + 1] != '\n') data[out++] = '\r';
    i = end + 1;
  }
  text.resize(out);
}

// The archive is read whole first: libzip then works on memory that cannot
// change under it, and the file is opened as every reader opens one.
Archive OpenArchive(const std::string& bytes, std::string& error) {
  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_CHECKCONS | ZIP_RDONLY, &zipError) : nullptr;
  if (!archive) {
    if (source) zip_source_free(source);
    error = std::string("damaged archive (") + zip_error_strerror(&zipError) + ")";
  }
  zip_error_fini(&zipError);
  return Archive(archive);
}

bool ReadArchiveFile(const std::string& path, std::string& bytes, std::string& error) {
  InputFile file;
  if (!file.Open(path, false)) {
    error = file.FailureReason();
    return false;
  }
  if (file.Size() > kZipEntryLimit) {
    error = "refused: the archive is larger than 4 GiB";
    return false;
  }
  if (!file.ReadAll(bytes)) {
    error = "cannot be read";
    return false;
  }
  return true;
}

// Refuses the archive for any entry made to hurt, from what its directory claims.
bool CheckEntries(zip_t* archive, std::uint64_t archiveSize, std::string& error) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  if (count < 0) {
    error = "damaged archive";
    return false;
  }
  std::uint64_t total = 0;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    const char* raw = zip_get_name(archive, i, ZIP_FL_ENC_RAW);
    zip_stat_t st;
    zip_stat_init(&st);
    if (!raw || zip_stat_index(archive, i, 0, &st) != 0) {
      error = "damaged archive (entry " + std::to_string(i + 1) + ")";
      return false;
    }
    const std::string_view name(raw);
    const std::string shown = Shown(name);
    if (LeavesItsFolder(name)) {
      error = "refused: the entry " + shown + " is named outside the archive";
      return false;
    }
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
      error = "refused: the entry " + shown + " is encrypted";
      return false;
    }
    if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE) || st.comp_size > archiveSize) {
      error = "damaged archive (entry " + shown + ")";
      return false;
    }
    total += st.size;
    if (Grows(st.size, st.comp_size) || total > kZipEntryLimit) {
      error = "refused: the entry " + shown + " claims to unpack to " + std::to_string(st.size) + " bytes from " +
              std::to_string(st.comp_size) + " (a ZIP bomb)";
      return false;
    }
  }
  return true;
}

// Unpacks one entry, holding it to what its header claims.
bool UnpackEntry(zip_t* archive, zip_uint64_t index, const zip_stat_t& st, std::uint64_t& total, std::string& text,
                 std::string& error) {
  const std::string shown = Shown(zip_get_name(archive, index, ZIP_FL_ENC_RAW));
  Entry file(zip_fopen_index(archive, index, 0));
  if (!file) {
    error = "the entry " + shown + " cannot be read (" + zip_strerror(archive) + ")";
    return false;
  }
  text.clear();
  text.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(st.size, 64u << 20)));
  constexpr std::size_t kChunk = 256 * 1024;
  for (;;) {
    // One byte past the claim is enough to catch a lie.
    const std::uint64_t want = std::min<std::uint64_t>(kChunk, st.size - text.size() + 1);
    const std::size_t had = text.size();
    text.resize(had + want);
    const zip_int64_t n = zip_fread(file.get(), text.data() + had, want);
    if (n < 0) {
      text.clear();
      error = "the entry " + shown + " is damaged (" + zip_file_strerror(file.get()) + ")";
      return false;
    }
    text.resize(had + static_cast<std::size_t>(n));
    if (text.size() > st.size || Grows(text.size(), st.comp_size) || total + text.size() > kZipEntryLimit) {
      text.clear();
      error = "refused: the entry " + shown + " unpacks to more than it claims (a ZIP bomb)";
      return false;
    }
    if (n == 0) break;
  }
  if (text.size() != st.size) {
    text.clear();
    error = "the entry " + shown + " is damaged (shorter than it claims)";
    return false;
  }
  total += text.size();
  return true;
}

}  // namespace

bool UnpackWaypointEntries(const std::string& path, std::vector<ZipWaypointEntry>& entries, std::string& error) {
  entries.clear();
  std::string bytes;
  if (!ReadArchiveFile(path, bytes, error)) return false;
  Archive archive = OpenArchive(bytes, error);
  if (!archive || !CheckEntries(archive.get(), bytes.size(), error)) return false;
  const zip_uint64_t count = static_cast<zip_uint64_t>(zip_get_num_entries(archive.get(), 0));
  std::uint64_t total = 0;
  for (zip_uint64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    zip_stat_index(archive.get(), i, 0, &st);
    const std::string_view name = zip_get_name(archive.get(), i, ZIP_FL_ENC_RAW);
    const int format = EntryFormat(name);
    if (format < 0 || name.ends_with('/')) continue;
    ZipWaypointEntry entry;
    entry.name = std::string(name);
    entry.formatCode = format;
    if (!UnpackEntry(archive.get(), i, st, total, entry.text, error)) {
      entries.clear();
      return false;
    }
    FoldCrLf(entry.text);
    entries.push_back(std::move(entry));
  }
  if (entries.empty()) {
    error = "no GPX or LOC file in the archive";
    return false;
  }
  return true;
}

bool ReadZipFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  const std::time_t start = std::time(nullptr);
  std::vector<ZipWaypointEntry> entries;
  std::string error;
  if (!UnpackWaypointEntries(path, entries, error)) {
    if (result) result->error = std::move(error);
    return false;
  }
  std::uint64_t total = 0;
  for (const ZipWaypointEntry& e : entries) total += e.text.size();
  const int duplicateMode = store.DuplicateMode();
  std::uint64_t done = 0;
  bool ok = true;
  for (const ZipWaypointEntry& entry : entries) {
    ReadOptions entryOptions = options;
    entryOptions.content = &entry.text;
    if (options.progress) {
      entryOptions.progress = [&](std::uint64_t d, std::uint64_t) { options.progress(done + d, total); };
    }
    // Each file of the archive is a load of its own.
    store.SetDuplicateMode(duplicateMode);
    ReadResult entryResult;
    ok = FormatForCode(entry.formatCode)->reader(entry.name, store, entryOptions, &entryResult);
    done += entry.text.size();
    if (result) {
      result->groundspeakDropped += entryResult.groundspeakDropped;
      if (!entryResult.error.empty() && result->error.empty()) {
        result->error = Shown(entry.name) + ": " + entryResult.error;
      }
    }
    if (!ok) break;
  }
  if (result) result->elapsedSeconds = static_cast<int>(std::time(nullptr) - start);
  return ok;
}

}  // namespace quill
