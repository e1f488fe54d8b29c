// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Options shared by the commands that load waypoint files (convert, list).
//
// Options parsed here:
//   --format NAME                                       save format by its name in the format table
//                                                       (default: by extension)
//   --input-format NAME                                 read every input as that format (default: by
//                                                       extension, else by content)
//   --txt-mode wgs84|ed50|bessel|rd|lambert|utm|ecef    notation of a TXT save
//   --duplicates keep|replace|allow                     duplicate names (default allow)
//   --no-groundspeak                                    drop the Groundspeak element at load
//   --                                                  everything after it is a file
// Both "--option VALUE" and "--option=VALUE" are accepted.
//
// A command adds options of its own (for example --home, --sort, --filter,
// --rename, --columns) by naming them in `extraWithValue` / `extraFlags`:
// they come back in `extra`, in the order given, for the command to apply.
// Any other word beginning with "-" is a usage error.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "formats/FormatTable.h"
#include "list/WaypointStore.h"
#include "settings/AppSettings.h"

namespace quill {
class ListSession;
}

namespace quill::cli {

class FixedAnswers;

struct CliOption {
  std::string name;   // with its dashes, "--sort"
  std::string value;  // empty for a flag
};

struct CliOptions {
  int formatCode = kFormatByExtension;   // --format
  int inputFormat = kFormatByExtension;  // --input-format
  int txtMode = 0;                       // --txt-mode, TxtExportMode 0..6
  int duplicateMode = kDuplicateAllow;   // --duplicates
  bool includeGroundspeak = true;        // --no-groundspeak turns it off
  std::vector<CliOption> extra;          // the command's own options, in order
  std::vector<std::string> files;        // the words that are no option, in order
};

struct ExtraOptionNames {
  std::vector<std::string_view> withValue;  // e.g. "--sort"
  std::vector<std::string_view> flags;      // options without a value
};

// Parses args into options. False with a message in error on wrong usage.
bool ParseCliOptions(const std::vector<std::string>& args, const ExtraOptionNames& extraNames, CliOptions& options,
                     std::string& error);

// TxtExportMode of a --txt-mode name, or -1.
int TxtModeForName(std::string_view name);

// Applies the parsed load/save settings to a session and its answers.
void ApplyCliOptions(const CliOptions& options, ListSession& session, FixedAnswers& answers);

// The window's settings as the settings store holds them (defaults where
// it has none).
AppSettings StoredAppSettings();

// Loads every input into the session in order, with progress on stderr when
// it is a terminal. "-" is standard input (CommandInput), at most once. An
// input whose extension names no reader, and standard input, are read as the
// format their content shows, unless inputFormat names one. Returns the exit
// status: 0, 1 at the first file that fails (its error line on err names
// it), or 2 for a second "-".
int LoadInputs(ListSession& session, const std::vector<std::string>& inputs, std::ostream& err,
               int inputFormat = kFormatByExtension);

}  // namespace quill::cli
