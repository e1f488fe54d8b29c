// SPDX-License-Identifier: GPL-3.0-or-later
// OV2 reader under any bytes, with a status sink that checks the messages.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "base/StatusSink.h"
#include "formats/Ov2Format.h"
#include "list/WaypointStore.h"

namespace {

class CheckingStatus : public quill::StatusSink {
 public:
  void SetError(int, const std::string&) override {}
  void FlashError(int level, const std::string& text) override {
    if (level != 2) std::abort();
    if (text != "POI type 3" && text.rfind("Invalid OV2 (", 0) != 0) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::MemoryFile file(data, size);
  if (file.path().empty()) return 0;
  quill::WaypointStore store;
  store.SetDuplicateQuestion([](const std::string&) { return 1; });
  CheckingStatus status;
  quill::ReadOptions options;
  options.status = &status;
  std::uint64_t last = 0;
  options.progress = [&](std::uint64_t done, std::uint64_t total) {
    if (done < last || done > total) std::abort();
    last = done;
  };
  quill::ReadOv2File(file.path(), store, options, nullptr);
  return 0;
}
