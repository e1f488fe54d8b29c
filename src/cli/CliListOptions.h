// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list options of the file commands (convert, list):
//   --home TEXT          the home position, as the HomeCoords setting reads it
//   --sort ORDER         name, gcname, date, dist, north, east, type, hidden,
//                        datefound, desc, cmt, urlname, logs, country, state, diffic
//   --filter MODE=VALUE  repeatable; name, description, placedby, terrain-max,
//                        terrain-min, difficulty-max, difficulty-min, country,
//                        distance-max, type, container, real, found, archived, logs
//   --rename PATTERN     %n name, %d description, %u link text
//   --columns A,B        the 4th and 5th columns of `list`
// --home and --columns are settings and hold for the whole run; --sort,
// --filter and --rename act on the loaded list in the order given.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace quill {
class ListSession;
}

namespace quill::cli {

const ExtraOptionNames& ListOptionNames();

// Checks the list options before anything is loaded, so wrong usage costs no
// work. False with a message in error.
bool CheckListOptions(const std::vector<CliOption>& extra, ListSession& session, std::string& error);

// Applies the settings, then the list operations in order.
void ApplyListOptions(const std::vector<CliOption>& extra, ListSession& session);

// What convert and list do before their output: check the list options,
// apply the load options, load the inputs (options.files), apply the list
// options. Returns the exit status so far (0, 1 a file failed to load, 2
// wrong usage).
int LoadWithListOptions(const CliOptions& options, ListSession& session, FixedAnswers& answers, std::ostream& err);

}  // namespace quill::cli
