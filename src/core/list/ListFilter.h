// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fifteen filter modes of the waypoint list. A filter keeps, in their
// order, the records that pass; filters applied one after the other combine
// as "and". Filter texts are lower-cased as the filter dialog gives them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "list/GpxRecord.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"
#include "text/LocaleText.h"

namespace quill {

enum FilterModeIndex : int {
  kFilterName = 0,
  kFilterDescription = 1,
  kFilterPlacedBy = 2,
  kFilterTerrainMax = 3,
  kFilterTerrainMin = 4,
  kFilterDifficultyMax = 5,
  kFilterDifficultyMin = 6,
  kFilterCountry = 7,
  kFilterDistanceMax = 8,
  kFilterType = 9,
  kFilterContainer = 10,
  kFilterReal = 11,
  kFilterFound = 12,
  kFilterArchived = 13,
  kFilterLogs = 14,
};
inline constexpr int kFilterModeCount = 15;

// The input the filter dialog shows for a mode.
enum class FilterInput { Text, Type, Size, YesNo };
FilterInput FilterInputOf(int modeIndex);

// Item of the mode combo ("Name" .. "Logs"); empty outside 0..14.
std::string_view FilterModeCaption(int modeIndex);
// The mode's name on the command line ("name" .. "logs"), and back (-1).
std::string_view FilterModeName(int modeIndex);
int FilterModeFromName(std::string_view name);

// The items of the container combo, "Micro" .. "Not chosen".
inline constexpr int kContainerSizeCount = 7;
std::string_view ContainerSizeName(int index);

// The filter text the dialog gives for an input: the type code as decimal
// text (a type name or a code 0..19 is accepted), "yes" or the empty text for
// the yes/no modes (from "yes" or "no"), the lower-cased text otherwise.
// Nothing when the input cannot be one of the dialog's choices.
std::optional<std::string> FilterValueFromInput(int modeIndex, std::string_view input, const LocaleText& text);

// Keeps the records of the store that pass the mode with this filter text.
void FilterWaypoints(std::vector<const TGpxRecord*>& records, const WaypointStore& store, int modeIndex,
                     std::string_view filterText, const LocaleText& text, const HomePosition& home);

}  // namespace quill
