// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Ov2Format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/FileIo.h"
#include "formats/RecordFiles.h"

namespace quill {

namespace {

constexpr std::size_t kBoxSize = 21;
constexpr std::int32_t kDeletedMinSize = 5;
constexpr std::int32_t kPoiMinSize = 14;  // type, size, lon, lat, one zero byte

// Pulls bytes from the file's chunks; a record may span chunks.
class ByteCursor {
 public:
  explicit ByteCursor(InputFile& file) : file_(file) {}

  bool AtEnd() {
    Refill();
    return pos_ >= chunk_.size();
  }
  // Copies up to n bytes; returns how many there were.
  std::size_t Read(void* out, std::size_t n) {
    auto* dst = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < n && !AtEnd()) {
      std::size_t take = std::min(n - done, chunk_.size() - pos_);
      std::memcpy(dst + done, chunk_.data() + pos_, take);
      pos_ += take;
      done += take;
    }
    return done;
  }
  // Skips n bytes; false when the file ends first.
  bool Skip(std::uint64_t n) {
    while (n > 0) {
      if (AtEnd()) return false;
      std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, chunk_.size() - pos_));
      pos_ += take;
      n -= take;
    }
    return true;
  }
  // Reads n bytes, keeping those before the first zero byte in text.
  bool ReadName(std::uint64_t n, std::string& text) {
    text.clear();
    bool ended = false;
    while (n > 0) {
      if (AtEnd()) return false;
      std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, chunk_.size() - pos_));
      std::string_view piece = chunk_.substr(pos_, take);
      if (!ended) {
        std::size_t zero = piece.find('\0');
        text.append(piece.substr(0, zero));
        ended = zero != std::string_view::npos;
      }
      pos_ += take;
      n -= take;
    }
    return true;
  }
  // A little-endian int32; false when the file ends inside it.
  bool ReadInt32(std::int32_t& value) {
    unsigned char b[4];
    if (Read(b, 4) != 4) return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                      static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
    return true;
  }
  std::uint64_t Consumed() const { return file_.Consumed(); }
  // Offset in the file of the next byte.
  std::uint64_t Offset() const { return file_.Consumed() - (chunk_.size() - pos_); }

 private:
  void Refill() {
    if (pos_ < chunk_.size() || ended_) return;
    chunk_ = file_.ReadChunk();
    pos_ = 0;
    if (chunk_.empty()) ended_ = true;
  }

  InputFile& file_;
  std::string_view chunk_;
  std::size_t pos_ = 0;
  bool ended_ = false;
};

void AppendInt32(std::string& out, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  out.push_back(static_cast<char>(u & 0xFF));
  out.push_back(static_cast<char>((u >> 8) & 0xFF));
  out.push_back(static_cast<char>((u >> 16) & 0xFF));
  out.push_back(static_cast<char>((u >> 24) & 0xFF));
}

void AppendPoi(std::string& out, const TGpxRecord& r) {
  out.push_back('\x02');
  AppendInt32(out, static_cast<std::int32_t>(r.Name.size() + 14));
  AppendInt32(out, Ov2Units(r.Lon));
  AppendInt32(out, Ov2Units(r.Lat));
  out.append(r.Name);
  out.push_back('\0');
}

void FlashInvalid(const ReadOptions& options, unsigned char type) {
  if (!options.status) return;
  char text[32];
  std::snprintf(text, sizeof text, "Invalid OV2 (%02X)", type);
  options.status->FlashError(2, text);
}

void Note(ReadResult* result, std::uint64_t offset, const std::string& what) {
  if (result) result->error = "byte " + std::to_string(offset) + ": " + what;
}

}  // namespace

std::int32_t Ov2Units(double degrees) {
  // floor, not truncation: -1.7 units is -2, not -1.
  double v = std::floor(degrees * 100000.0 + 0.500000000001);
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

bool ReadOv2File(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  InputFile file;
  if (!file.Open(path, false)) {
    if (result) result->error = file.FailureReason();
    return false;
  }
  std::time_t start = std::time(nullptr);
  ByteCursor in(file);
  std::string name;
  std::uint64_t lastReport = 0;
  bool ok = true;
  // A file cut off inside a record keeps the records before it and says so;
  // a record no writer makes fails the file.
  auto cutOff = [&](std::uint64_t at) { Note(result, at, "file cut off inside a record"); };
  while (true) {
    const std::uint64_t at = in.Offset();
    unsigned char type = 0;
    if (in.Read(&type, 1) != 1) break;
    if (options.progress && in.Consumed() != lastReport) {
      lastReport = in.Consumed();
      options.progress(lastReport, file.Size());
    }
    if (type == 1) {
      // The bounding box is not used.
      if (!in.Skip(20)) cutOff(at);
      continue;
    }
    if (type == 3 && options.status) options.status->FlashError(2, "POI type 3");
    if (type > 3) {
      FlashInvalid(options, type);
      char what[40];
      std::snprintf(what, sizeof what, "unknown record type %02X", type);
      Note(result, at, what);
      ok = false;
      break;
    }
    // Types 0, 2 and 3 carry their own size; one that cannot hold the
    // record's fixed part makes the file invalid.
    std::int32_t size = 0;
    if (!in.ReadInt32(size)) {
      cutOff(at);
      break;
    }
    std::int32_t minSize = type == 0 ? kDeletedMinSize : kPoiMinSize;
    if (size < minSize) {
      FlashInvalid(options, type);
      Note(result, at, "record size " + std::to_string(size) + " too small");
      ok = false;
      break;
    }
    if (type == 0) {
      if (!in.Skip(static_cast<std::uint64_t>(size) - 5)) cutOff(at);
      continue;
    }
    // Simple POI, and the extended one read like it: its name runs to the
    // first zero byte, the rest of the record is skipped by the size field.
    std::int32_t x = 0, y = 0;
    if (!in.ReadInt32(x) || !in.ReadInt32(y) || !in.ReadName(static_cast<std::uint64_t>(size) - 13, name)) {
      cutOff(at);
      break;
    }
    store.AddWaypointSimple(y * 0.00001, x * 0.00001, name);
  }
  file.Close();
  if (options.progress) options.progress(file.Consumed(), file.Size());
  if (result) result->elapsedSeconds = static_cast<int>(std::time(nullptr) - start);
  return ok;
}

bool WriteOv2File(const std::string& path, RecordSpan records, const WriteOptions& /*options*/) {
  // Sizes and bounds first: the box record that opens the file holds both.
  std::uint64_t total = kBoxSize;
  double minLat = 200.0, minLon = 200.0, maxLat = -200.0, maxLon = -200.0;
  for (const TGpxRecord* r : records) {
    total += r->Name.size() + 14;
    if (r->Lat < minLat) minLat = r->Lat;
    if (r->Lat > maxLat) maxLat = r->Lat;
    if (r->Lon < minLon) minLon = r->Lon;
    if (r->Lon > maxLon) maxLon = r->Lon;
  }
  // The size fields are 32 bits wide.
  if (total > 0x7FFFFFFF) return false;
  std::string head;
  head.push_back('\x01');
  AppendInt32(head, static_cast<std::int32_t>(total));
  AppendInt32(head, Ov2Units(maxLon));
  AppendInt32(head, Ov2Units(maxLat));
  AppendInt32(head, Ov2Units(minLon));
  AppendInt32(head, Ov2Units(minLat));
  return WriteRecordFile(path, false, head, records, &AppendPoi, {});
}

}  // namespace quill
