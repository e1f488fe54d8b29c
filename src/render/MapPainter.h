// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a map view onto any paint device: the map window paints with it and
// the command line draws into an image with it, so both show the same picture.
//
// Layers, bottom up: tiles where they are at hand (a coarser tile already in
// memory stands in for one still coming), else a plain background with
// labelled degree lines; the points (type icons, archived ones struck red,
// unavailable ones struck), bubbles with the count of a crowded cell; the
// marks (home, converter position, GPS fix); the selected point ringed; the
// scale bar; the attribution of the tiles.
#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "map/MapView.h"
#include "map/PointIndex.h"
#include "render/TileImages.h"

class QPainter;

namespace quill {

enum class MapMarkKind { kHome, kPosition, kGps };

struct MapMark {
  LatLon position;
  MapMarkKind kind = MapMarkKind::kHome;
};

struct MapScene {
  const PointIndex* points = nullptr;
  ClusterRule clusters;
  std::optional<MapPoint> selected;  // ringed, its marker drawn above all others
  std::vector<MapMark> marks;
  QString attribution;  // of the tiles; drawn when not empty
};

// What one paint drew.
struct MapPaintResult {
  int tiles = 0;         // tiles the view needs (a tile seen twice in a wide view counts twice)
  int tilesDrawn = 0;    // of those, drawn from the tile itself
  int tilesStandIn = 0;  // drawn from a coarser tile
  bool graticule = false;
};

class MapPainter {
 public:
  // Side of a marker in pixels; odd, so that the pixel a point projects to is
  // the marker's middle one.
  static constexpr int kMarkerSize = 15;
  static const QColor kBackground;  // where no tile is
  static const QColor kOffWorld;    // above and below the square world

  // Draws view onto the painter's device, whose size is view.width x
  // view.height. tiles may be null (no tiles: the degree lines).
  MapPaintResult Paint(QPainter& painter, const MapView& view, const MapScene& scene, TileImages* tiles);

  // The points and bubbles the last paint drew (for the window's hover and
  // clicks on bubbles).
  const ViewItems& Drawn() const { return items_; }

 private:
  enum Variant { kPlain, kArchived, kUnavailable, kVariants };
  const QImage& Marker(std::uint8_t type, std::uint8_t flags);
  // Bubbles are put together from a cached body and cached digits: a pan
  // brings new counts into view on every frame.
  void DrawBubble(QPainter& p, double x, double y, std::uint32_t count);

  ViewItems items_;
  std::array<std::array<QImage, kVariants>, 256> markers_;
  QHash<int, QImage> bubbleBodies_;  // by size class and number of digits
  std::array<QImage, 10> digits_;
};

}  // namespace quill
