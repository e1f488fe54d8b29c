// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ZipBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace quill::test {
namespace {

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::string& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
}

std::string RawDeflate(const std::string& data) {
  z_stream z{};
  if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::runtime_error("deflateInit2");
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  if (deflate(&z, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct Header {
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint64_t packed = 0;
  std::uint64_t size = 0;
  bool zip64 = false;
};

void PutSizes(std::string& out, const Header& h) {
  Put32(out, h.crc);
  Put32(out, h.zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(h.packed));
  Put32(out, h.zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(h.size));
}

std::string Zip64Extra(const Header& h) {
  std::string extra;
  if (!h.zip64) return extra;
  Put16(extra, 0x0001);
  Put16(extra, 16);
  Put64(extra, h.size);
  Put64(extra, h.packed);
  return extra;
}

}  // namespace

std::string BuildZip(const std::vector<ZipTestEntry>& entries, bool damageDirectory) {
  std::string out;
  std::string directory;
  for (const ZipTestEntry& e : entries) {
    const std::string body = e.deflate ? RawDeflate(e.data) : e.data;
    Header h;
    h.flags = e.encryptedFlag ? 1 : 0;
    h.method = e.deflate ? 8 : 0;
    h.crc = e.claimedCrc.value_or(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()))));
    h.packed = body.size();
    h.size = e.claimedSize.value_or(e.data.size());
    h.zip64 = h.size >= 0xFFFFFFFFu;
    const std::string extra = Zip64Extra(h);
    const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
    Put32(out, 0x04034b50);
    Put16(out, h.zip64 ? 45 : 20);
    Put16(out, h.flags);
    Put16(out, h.method);
    Put32(out, 0);  // time and date
    PutSizes(out, h);
    Put16(out, static_cast<std::uint32_t>(e.name.size()));
    Put16(out, static_cast<std::uint32_t>(extra.size()));
    out += e.name;
    out += extra;
    out += body;

    Put32(directory, 0x02014b50);
    Put16(directory, 0x0314);
    Put16(directory, h.zip64 ? 45 : 20);
    Put16(directory, h.flags);
    Put16(directory, h.method);
    Put32(directory, 0);
    PutSizes(directory, h);
    Put16(directory, static_cast<std::uint32_t>(e.name.size()));
    Put16(directory, static_cast<std::uint32_t>(extra.size()));
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0100644u << 16);
    Put32(directory, offset);
    directory += e.name;
    directory += extra;
  }
  const std::uint32_t directoryOffset = static_cast<std::uint32_t>(out.size());
  if (damageDirectory && !directory.empty()) directory[1] = 'X';
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put32(out, static_cast<std::uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

}  // namespace quill::test
