// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListRename.h"

namespace quill {
namespace {

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view value) {
  std::size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

}  // namespace

std::string RenamedName(std::string_view pattern, const TGpxRecord& record) {
  std::string name(pattern);
  ReplaceFirst(name, "%n", record.Name);
  ReplaceFirst(name, "%d", record.Desc);
  ReplaceFirst(name, "%u", record.UrlName);
  return name;
}

bool RenameShownWaypoints(WaypointStore& store, std::string_view pattern,
                          const std::function<bool(const std::string& firstName)>& confirm) {
  const std::vector<const TGpxRecord*>& rows = store.ShownWaypoints();
  if (rows.empty() || pattern.empty()) return false;
  std::vector<std::string> names;
  names.reserve(rows.size());
  for (const TGpxRecord* r : rows) names.push_back(RenamedName(pattern, *r));
  if (confirm && !confirm(names.front())) return false;
  for (std::size_t i = 0; i < rows.size(); ++i) store.RenameWaypoint(rows[i], std::move(names[i]));
  return true;
}

}  // namespace quill
