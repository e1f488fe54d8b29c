// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the list presentation keeps between commands: the two information
// columns, the home position, the last search and the active filter.
#include <string>

#include "geo/GeoTypes.h"

namespace quill {

// The HomeCoords setting as read; (0, 0) when no home is set.
using HomePosition = LatLon;

struct ListViewState {
  int Column4Mode = 0;  // Description
  int Column5Mode = 3;  // Timestamp
  HomePosition Home;
  // Lower-cased; empty until the first search, and then Search Next does nothing.
  std::string SearchText;
  // 0 when the shown list is not filtered, else the filter mode index + 1.
  int FilterMode = 0;
  std::string FilterText;
};

}  // namespace quill
