// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ZipArchive.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <zip.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

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

// Why an entry's unpacked bytes are refused, or empty while they are not.
std::string CheckUnpacked(const std::string& shown, std::uint64_t size, const zip_stat_t& st, std::uint64_t total) {
  if (size > st.size || Grows(size, st.comp_size) || total + size > kZipEntryLimit) {
    return "refused: the entry " + shown + " unpacks to more than it claims (a ZIP bomb)";
  }
  return {};
}

// One entry unpacked on a thread of its own while the caller reads what is
// already unpacked: a few buffers go round between the two. Held to what the
// entry's header claims (size, ratio, checksum); a breach stops the unpacking
// and is reported by Failure once the reader has had the chunks before it.
class EntryPipe {
 public:
  EntryPipe(zip_t* archive, zip_uint64_t index, const zip_stat_t& st, std::uint64_t total)
      : archive_(archive),
        index_(index),
        st_(st),
        total_(total),
        shown_(Shown(zip_get_name(archive, index, ZIP_FL_ENC_RAW))) {
    for (Slot& slot : slots_) free_.push_back(&slot);
    try {
      worker_ = std::thread([this] { Unpack(); });
    } catch (const std::system_error&) {
      error_ = "the entry " + shown_ + " cannot be unpacked (no thread to spare)";
      finished_ = true;
    }
  }
  ~EntryPipe() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
  }
  EntryPipe(const EntryPipe&) = delete;
  EntryPipe& operator=(const EntryPipe&) = delete;

  // The next unpacked chunk, CR LF folded; empty at the end or after a failure.
  std::string_view Next() {
    std::unique_lock lock(mutex_);
    if (lent_) {
      free_.push_back(lent_);
      lent_ = nullptr;
      changed_.notify_all();
    }
    changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
    if (ready_.empty()) return {};
    lent_ = ready_.front();
    ready_.pop_front();
    return lent_->text;
  }
  // After Next gave its empty chunk: why the entry is refused, or empty.
  const std::string& Failure() {
    std::lock_guard lock(mutex_);
    return error_;
  }
  std::uint64_t Unpacked() const { return unpacked_; }

 private:
  static constexpr std::size_t kSlotBytes = std::size_t{256} << 10;
  static constexpr int kSlots = 8;
  struct Slot {
    std::unique_ptr<char[]> bytes{new char[kSlotBytes + 1]};  // byte 0 for a held-back CR
    std::string_view text;
  };

  // A free buffer to fill, or nullptr when the reader is gone.
  Slot* Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !free_.empty() || stop_; });
    if (stop_) return nullptr;
    Slot* slot = free_.front();
    free_.pop_front();
    return slot;
  }
  void Hand(Slot* slot) {
    {
      std::lock_guard lock(mutex_);
      ready_.push_back(slot);
    }
    changed_.notify_all();
  }
  // How much to unpack next: one byte past the claim is enough to catch a lie.
  std::uint64_t Want() const {
    return std::min<std::uint64_t>(kSlotBytes, st_.size - std::min(st_.size, unpacked_) + 1);
  }
  // Passes size fresh bytes at the slot on; false when they break a limit.
  bool Pass(Slot* slot, std::size_t size) {
    unpacked_ += size;
    std::string error = CheckUnpacked(shown_, unpacked_, st_, total_);
    if (!error.empty()) return Fail(std::move(error));
    slot->text = folder_.Fold(slot->bytes.get() + 1, size);
    if (slot->text.empty()) {
      std::lock_guard lock(mutex_);
      free_.push_back(slot);
    } else {
      Hand(slot);
    }
    return true;
  }
  bool Fail(std::string error) {
    std::lock_guard lock(mutex_);
    error_ = std::move(error);
    return false;
  }
  void Finish(bool ok) {
    if (ok && unpacked_ != st_.size) ok = Fail("the entry " + shown_ + " is damaged (shorter than it claims)");
    if (ok) {
      const std::string_view cr = folder_.Finish();
      Slot* slot = cr.empty() ? nullptr : Take();
      if (slot) {
        slot->bytes[1] = '\r';
        slot->text = std::string_view(slot->bytes.get() + 1, 1);
        Hand(slot);
      }
    }
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    changed_.notify_all();
  }

  void Unpack() {
    // The packed bytes are read here too: libzip serves one thread at a time,
    // and the caller leaves the archive alone while an entry unpacks.
    Entry file(zip_fopen_index(archive_, index_, st_.comp_method == ZIP_CM_DEFLATE ? ZIP_FL_COMPRESSED : 0));
    if (!file) {
      Fail("the entry " + shown_ + " cannot be read (" + zip_strerror(archive_) + ")");
      return Finish(false);
    }
    if (st_.comp_method != ZIP_CM_DEFLATE) return Finish(CopyThrough(file.get()));
    std::string packed(static_cast<std::size_t>(st_.comp_size), '\0');
    const zip_int64_t n = zip_fread(file.get(), packed.data(), packed.size());
    if (n < 0 || static_cast<std::uint64_t>(n) != st_.comp_size) {
      Fail("the entry " + shown_ + " is damaged (its packed data is cut off)");
      return Finish(false);
    }
    file.reset();
    Finish(Inflate(packed));
  }

  // Stored entries and the rarer methods: libzip unpacks and checks the sum.
  bool CopyThrough(zip_file_t* file) {
    for (;;) {
      Slot* slot = Take();
      if (!slot) return false;
      const std::uint64_t want = Want();
      const zip_int64_t n = zip_fread(file, slot->bytes.get() + 1, want);
      if (n < 0) return Fail("the entry " + shown_ + " is damaged (" + zip_file_strerror(file) + ")");
      if (n == 0) {
        std::lock_guard lock(mutex_);
        free_.push_back(slot);
        return true;
      }
      if (!Pass(slot, static_cast<std::size_t>(n))) return false;
    }
  }

  // Deflated entries, the usual kind, with the faster inflater; it also
  // keeps the checksum of what it unpacks.
  bool Inflate(const std::string& packed) {
    auto state = std::make_unique<inflate_state>();
    isal_inflate_init(state.get());
    state->crc_flag = ISAL_GZIP_NO_HDR;
    state->next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(packed.data()));
    state->avail_in = static_cast<std::uint32_t>(packed.size());
    while (state->block_state != ISAL_BLOCK_FINISH) {
      Slot* slot = Take();
      if (!slot) return false;
      const std::uint64_t want = Want();
      state->next_out = reinterpret_cast<std::uint8_t*>(slot->bytes.get() + 1);
      state->avail_out = static_cast<std::uint32_t>(want);
      const int rc = isal_inflate(state.get());
      const std::size_t got = static_cast<std::size_t>(want - state->avail_out);
      if (rc < 0) return Fail("the entry " + shown_ + " is damaged (bad packed data)");
      if (got == 0 && state->block_state != ISAL_BLOCK_FINISH) {
        // Input used up before the end of the data.
        return Fail("the entry " + shown_ + " is damaged (its packed data is cut off)");
      }
      if (!Pass(slot, got)) return false;
    }
    if ((st_.valid & ZIP_STAT_CRC) && state->crc != st_.crc) {
      return Fail("the entry " + shown_ + " is damaged (checksum mismatch)");
    }
    return true;
  }

  zip_t* const archive_;
  const zip_uint64_t index_;
  const zip_stat_t st_;
  const std::uint64_t total_;
  const std::string shown_;
  Slot slots_[kSlots];
  CrLfFolder folder_;
  std::uint64_t unpacked_ = 0;  // the worker's, read once it is finished

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Slot*> free_;
  std::deque<Slot*> ready_;
  Slot* lent_ = nullptr;
  bool finished_ = false;
  bool stop_ = false;
  std::string error_;
  std::thread worker_;
};

}  // namespace

bool ReadZipFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  const std::time_t start = std::time(nullptr);
  std::string error;
  std::string bytes;
  Archive archive;
  if (ReadArchiveFile(path, bytes, error)) archive = OpenArchive(bytes, error);
  if (!archive || !CheckEntries(archive.get(), bytes.size(), error)) {
    if (result) result->error = std::move(error);
    return false;
  }
  // The waypoint entries and what they claim to unpack to, for progress.
  std::vector<std::pair<zip_uint64_t, zip_stat_t>> entries;
  std::uint64_t claimed = 0;
  const zip_uint64_t count = static_cast<zip_uint64_t>(zip_get_num_entries(archive.get(), 0));
  for (zip_uint64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    zip_stat_index(archive.get(), i, 0, &st);
    const std::string_view name = zip_get_name(archive.get(), i, ZIP_FL_ENC_RAW);
    if (EntryFormat(name) < 0 || name.ends_with('/')) continue;
    entries.emplace_back(i, st);
    claimed += st.size;
  }
  if (entries.empty()) {
    if (result) result->error = "no GPX or LOC file in the archive";
    return false;
  }

  // Each entry is read while it unpacks; an entry found hostile halfway takes
  // the whole archive back out of the list.
  store.BeginHold();
  const int duplicateMode = store.DuplicateMode();
  std::uint64_t done = 0;
  std::uint64_t unpacked = 0;
  ReadResult total;
  bool ok = true;
  for (const auto& [index, st] : entries) {
    const std::string name = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
    EntryPipe pipe(archive.get(), index, st, unpacked);
    ReadOptions entryOptions = options;
    entryOptions.source = [&pipe] { return pipe.Next(); };
    entryOptions.sourceSize = st.size;
    if (options.progress) {
      entryOptions.progress = [&](std::uint64_t d, std::uint64_t) { options.progress(done + d, claimed); };
    }
    // Each file of the archive is a load of its own.
    store.SetDuplicateMode(duplicateMode);
    ReadResult entryResult;
    ok = FormatForCode(EntryFormat(name))->reader(name, store, entryOptions, &entryResult);
    // A reader that stopped early leaves chunks unread: the rest is unpacked
    // and checked all the same, so a lie is never taken for damage.
    while (!pipe.Next().empty()) {
    }
    if (const std::string& refused = pipe.Failure(); !refused.empty()) {
      store.TakeBackHold();
      if (result) result->error = refused;
      return false;
    }
    done += st.size;
    unpacked += pipe.Unpacked();
    total.groundspeakDropped += entryResult.groundspeakDropped;
    if (!entryResult.error.empty() && total.error.empty()) total.error = Shown(name) + ": " + entryResult.error;
    if (!ok) break;
  }
  store.EndHold();
  if (result) {
    result->groundspeakDropped += total.groundspeakDropped;
    if (result->error.empty()) result->error = std::move(total.error);
    result->elapsedSeconds = static_cast<int>(std::time(nullptr) - start);
  }
  return ok;
}

}  // namespace quill
