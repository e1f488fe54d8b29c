// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every reader and writer takes. Readers add through the store and never
// touch the view; writers take the shown records in display order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "base/StatusSink.h"
#include "list/GpxRecord.h"
#include "list/WaypointStore.h"

namespace quill {

struct ReadOptions {
  bool includeGroundspeak = false;  // the setting "Include Geocaching Info"
  bool noCheckWhenEmpty = false;    // the NoCheckWhenEmpty setting
  StatusSink* status = nullptr;     // for the readers' passing messages
  // Called now and then with bytes read and the file size (0 when unknown).
  std::function<void(std::uint64_t done, std::uint64_t total)> progress;
  // Text to read instead of the file at the path, which then only names it:
  // an archive's entry as it unpacks, a chunk per call until an empty one,
  // its CR LF already folded to LF. sourceSize is its size, for progress.
  std::function<std::string_view()> source;
  std::uint64_t sourceSize = 0;
};

struct ReadResult {
  int elapsedSeconds = 0;  // shown in LabelImportTime
  // Waypoints whose Groundspeak element was left out ("Include Geocaching Info" off).
  std::size_t groundspeakDropped = 0;
  // Why a read failed, with where: "line 12: unterminated <wpt>" (a byte
  // offset in a binary file); empty when there is nothing to say.
  std::string error;
};

struct WriteOptions {
  std::string internalName = "Quillmark";
  int txtExportMode = 0;     // TxtExportMode of the options dialog
  bool privateFile = false;  // mode 0600, also over an older file (files made on the fly)
  StatusSink* status = nullptr;
};

using RecordSpan = std::span<const TGpxRecord* const>;

using ReaderFn = bool (*)(const std::string& path, WaypointStore& store, const ReadOptions& options,
                          ReadResult* result);
using WriterFn = bool (*)(const std::string& path, RecordSpan records, const WriteOptions& options);

}  // namespace quill
