// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a map shows: a centre, a zoom and a size in pixels. A position is drawn
// at its world pixel minus the centre's world pixel plus (width/2, height/2);
// the world repeats east and west, the view shows the copy nearest the centre.
#include <vector>

#include "geo/GeoTypes.h"
#include "map/WebMercator.h"

namespace quill {

struct MapView {
  LatLon centre;
  double zoom = 2.0;  // kMinZoom..kMaxZoom, may be fractional
  int width = 1024;
  int height = 768;

  // A size of at least a pixel, a zoom in kMinZoom..kMaxZoom, a finite
  // centre: views failing this show nothing.
  bool Valid() const;

  WorldPixel CentreWorld() const;
  // View pixel of a position, (0, 0) the top left corner.
  WorldPixel ToView(double lat, double lon) const;
  LatLon FromView(double x, double y) const;
};

// The same view with its content moved by (dx, dy) pixels, as a drag does.
MapView Panned(const MapView& view, double dx, double dy);
// The view at another zoom (held in kMinZoom..kMaxZoom) that keeps the
// position under the view pixel (x, y) where it is, as a wheel step does.
MapView ZoomedAround(const MapView& view, double zoom, double x, double y);

// A latitude/longitude box; empty until a position is added.
struct GeoBox {
  double south = 0.0;
  double north = 0.0;
  double west = 0.0;
  double east = 0.0;
  bool empty = true;
  void Add(double lat, double lon);
};

// The view of that size that shows the whole box with margin pixels free on
// every side, at the highest whole zoom up to maxZoom; a single position (or
// an empty box: the whole world) is centred at maxZoom (zoom 0).
MapView FitView(const GeoBox& box, int width, int height, int margin, int maxZoom);

// One tile of the level a view draws, and where it lands in the view.
struct TileRef {
  int z = 0;
  int x = 0;  // 0..2^z-1: copies of the world east and west name the same tile
  int y = 0;
  double left = 0.0;  // view pixels
  double top = 0.0;
  double size = 0.0;  // 256 at a whole zoom
};

// The tile level a view draws: its zoom rounded, within kMinZoom..kMaxZoom.
int TileLevel(double zoom);
// Every tile that covers some pixel of the view, the one under the centre
// first and the others by their distance from it (the order to fetch them
// in). Rows above and below the world are left out.
std::vector<TileRef> TilesInView(const MapView& view);

}  // namespace quill
