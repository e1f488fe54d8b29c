// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the map painter gets its tiles: the painter says which tiles a view
// needs, and draws those that are at hand.
#include <QImage>
#include <vector>

#include "map/MapView.h"

namespace quill {

class TileImages {
 public:
  virtual ~TileImages() = default;
  // The tiles the view being drawn needs, nearest its centre first: those
  // not at hand are fetched in that order; tiles asked for before and no
  // longer needed are not fetched.
  virtual void Want(const std::vector<TileRef>& tiles) = 0;
  // A tile's picture when it is at hand (held in memory), else null; valid
  // until control returns to the event loop. Never starts a fetch.
  virtual const QImage* Find(int z, int x, int y) = 0;
};

}  // namespace quill
