// SPDX-License-Identifier: GPL-3.0-or-later
// The list presentation commands of the session.
#include "geo/CoordParse.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "list/ListRename.h"
#include "list/ListSearch.h"
#include "session/ListSession.h"

namespace quill {

void ListSession::SetHome(const std::string& homeCoords) { view_.Home = ParseLatLon(homeCoords); }

void ListSession::SortShown(SortOrder order) {
  status_.SetError(0, "");
  SortWaypoints(store_.ShownWaypoints(), store_, order, text_, view_.Home);
  if (onListRebuilt) onListRebuilt();
}

bool ListSession::FilterShown(int modeIndex, const std::string& filterText) {
  if (store_.ShownWaypoints().empty() || FilterModeName(modeIndex).empty()) return false;
  status_.SetError(0, "");
  view_.FilterMode = modeIndex + 1;
  view_.FilterText = filterText;
  FilterWaypoints(store_.ShownWaypoints(), store_, modeIndex, filterText, text_, view_.Home);
  if (onListRebuilt) onListRebuilt();
  return true;
}

void ListSession::ShowAllWaypoints() {
  store_.ShowAll();
  view_.FilterMode = 0;
  if (onListRebuilt) onListRebuilt();
}

void ListSession::SetSearchText(const std::string& typed) { view_.SearchText = text_.Lower(typed); }

int ListSession::SearchFrom(int row) const { return SearchRows(store_.ShownWaypoints(), row, view_.SearchText, text_); }

bool ListSession::RenameShown(const std::string& pattern) {
  if (store_.ShownWaypoints().empty()) return false;
  status_.SetError(0, "");
  std::unique_ptr<ListStep> step = NewStep("Rename " + WaypointCountText(store_.ShownWaypoints().size()));
  step->renamed.reserve(store_.ShownWaypoints().size());
  for (const TGpxRecord* r : store_.ShownWaypoints()) step->renamed.emplace_back(r, r->Name);
  bool renamed =
      RenameShownWaypoints(store_, pattern, [this](const std::string& name) { return questions_.ConfirmRename(name); });
  if (!renamed) return false;
  PushStep(std::move(step));
  if (onListRebuilt) onListRebuilt();
  return true;
}

}  // namespace quill
