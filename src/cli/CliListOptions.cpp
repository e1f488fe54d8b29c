// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliListOptions.h"

#include "cli/Cli.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"
#include "list/WaypointType.h"
#include "session/ListSession.h"
#include "text/Ansi.h"

namespace quill::cli {
namespace {

struct Filter {
  int mode = -1;
  std::string value;  // as the filter dialog gives it
};

// Command-line words are UTF-8; the list works on memory text.
std::string MemoryText(const std::string& word) { return Utf8ToAnsi(word); }

bool ParseFilter(const std::string& option, ListSession& session, Filter& filter, std::string& error) {
  std::size_t eq = option.find('=');
  std::string name = option.substr(0, eq);
  filter.mode = FilterModeFromName(name);
  if (eq == std::string::npos || filter.mode < 0) {
    error =
        "--filter needs MODE=VALUE with a mode of name, description, placedby, terrain-max, terrain-min, "
        "difficulty-max, difficulty-min, country, distance-max, type, container, real, found, archived, logs";
    return false;
  }
  auto value = FilterValueFromInput(filter.mode, MemoryText(option.substr(eq + 1)), session.Text());
  if (!value) {
    error = FilterInputOf(filter.mode) == FilterInput::Type
                ? "--filter type= needs a type code 0.." + std::to_string(kTypeCodeCount - 1) +
                      " or a type name such as '" + std::string(TypeName(CodeOf(WaypointType::TraditionalCache))) + "'"
                : "--filter " + name + "= needs yes or no";
    return false;
  }
  filter.value = *value;
  return true;
}

bool ParseColumns(const std::string& text, int& column4, int& column5) {
  std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  column4 = ColumnModeFromName(text.substr(0, comma));
  column5 = ColumnModeFromName(text.substr(comma + 1));
  return column4 >= 0 && column5 >= 0;
}

}  // namespace

const ExtraOptionNames& ListOptionNames() {
  static const ExtraOptionNames names{{"--home", "--sort", "--filter", "--rename", "--columns"}, {}};
  return names;
}

bool CheckListOptions(const std::vector<CliOption>& extra, ListSession& session, std::string& error) {
  for (const CliOption& o : extra) {
    if (o.name == "--sort" && !SortOrderFromName(o.value)) {
      error = "unknown sort order '" + o.value + "' (" + SortOrderNames(", ") + ")";
      return false;
    }
    if (o.name == "--filter") {
      Filter f;
      if (!ParseFilter(o.value, session, f, error)) return false;
    }
    int c4 = 0, c5 = 0;
    if (o.name == "--columns" && !ParseColumns(o.value, c4, c5)) {
      error =
          "--columns needs two of description, comment, urlname, timestamp, dist, datefound, placedby, logs, "
          "difficulty, country, state, as A,B";
      return false;
    }
  }
  return true;
}

void ApplyListOptions(const std::vector<CliOption>& extra, ListSession& session) {
  for (const CliOption& o : extra) {
    if (o.name == "--home") session.SetHome(MemoryText(o.value));
    if (o.name == "--columns") ParseColumns(o.value, session.View().Column4Mode, session.View().Column5Mode);
  }
  for (const CliOption& o : extra) {
    if (o.name == "--sort") {
      session.SortShown(*SortOrderFromName(o.value));
    } else if (o.name == "--filter") {
      Filter f;
      std::string unused;
      if (ParseFilter(o.value, session, f, unused)) session.FilterShown(f.mode, f.value);
    } else if (o.name == "--rename") {
      session.RenameShown(MemoryText(o.value));
    }
  }
}

int LoadWithListOptions(const CliOptions& options, ListSession& session, FixedAnswers& answers, std::ostream& err) {
  std::string error;
  if (!CheckListOptions(options.extra, session, error)) return UsageError(err, error);
  ApplyCliOptions(options, session, answers);
  if (int rc = LoadInputs(session, options.files, err, options.inputFormat)) return rc;
  ApplyListOptions(options.extra, session);
  return 0;
}

}  // namespace quill::cli
