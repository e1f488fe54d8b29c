// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliListOptions.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "list/ListColumns.h"
#include "session/ListSession.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill::cli {
namespace {

// A field of a tab-separated line: a tab or line break inside it would split
// the line, and the rest of the control characters would steer the terminal,
// so all are blanks, as in the list's columns.
void AppendField(std::string& line, std::string_view memoryText) {
  std::size_t start = line.size();
  AppendAnsiAsUtf8(line, memoryText);
  BlankTerminalControls(line, start);
}

}  // namespace

int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, ListOptionNames(), options, error)) return UsageError(err, error);
  if (options.files.empty()) return UsageError(err, "list needs at least one INPUT");

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  if (int rc = LoadWithListOptions(options, session, answers, err)) return rc;

  const ListViewState& view = session.View();
  const WaypointStore& store = session.Store();
  std::string text;
  for (const TGpxRecord* r : store.ShownWaypoints()) {
    AppendField(text, r->Name);
    text.push_back('\t');
    AppendField(text, CoordinateColumnText(r->Lat));
    text.push_back('\t');
    AppendField(text, CoordinateColumnText(r->Lon));
    text.push_back('\t');
    AppendField(text, ColumnText(*r, store.ValuesOf(r), view.Column4Mode, view.Home));
    text.push_back('\t');
    AppendField(text, ColumnText(*r, store.ValuesOf(r), view.Column5Mode, view.Home));
    text.push_back('\n');
    if (text.size() > (1u << 20)) {
      out << text;
      text.clear();
    }
  }
  out << text;
  out.flush();
  return EndCommand(out ? 0 : 1, out, err);
}

}  // namespace quill::cli
