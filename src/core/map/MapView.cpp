// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapView.h"

#include <algorithm>
#include <cmath>

namespace quill {

bool MapView::Valid() const {
  return width > 0 && height > 0 && zoom >= kMinZoom && zoom <= kMaxZoom && std::isfinite(centre.lat) &&
         std::isfinite(centre.lon);
}

WorldPixel MapView::CentreWorld() const { return LatLonToWorld(centre.lat, centre.lon, zoom); }

WorldPixel MapView::ToView(double lat, double lon) const {
  WorldPixel p = LatLonToWorld(lat, lon, zoom);
  WorldPixel c = CentreWorld();
  double size = WorldSize(zoom);
  double dx = p.x - c.x;
  if (dx > size / 2 || dx < -size / 2) dx -= size * std::round(dx / size);
  return {dx + width / 2.0, p.y - c.y + height / 2.0};
}

LatLon MapView::FromView(double x, double y) const {
  WorldPixel c = CentreWorld();
  return WorldToLatLon({c.x + x - width / 2.0, c.y + y - height / 2.0}, zoom);
}

MapView Panned(const MapView& view, double dx, double dy) {
  MapView moved = view;
  moved.centre = view.FromView(view.width / 2.0 - dx, view.height / 2.0 - dy);
  return moved;
}

MapView ZoomedAround(const MapView& view, double zoom, double x, double y) {
  zoom = std::clamp(zoom, static_cast<double>(kMinZoom), static_cast<double>(kMaxZoom));
  WorldPixel c = view.CentreWorld();
  double oldSize = WorldSize(view.zoom);
  double newSize = WorldSize(zoom);
  double ox = x - view.width / 2.0;
  double oy = y - view.height / 2.0;
  WorldPixel unit{(c.x + ox) / oldSize - ox / newSize, (c.y + oy) / oldSize - oy / newSize};
  MapView zoomed = view;
  zoomed.zoom = zoom;
  zoomed.centre = UnitToLatLon(unit);
  return zoomed;
}

void GeoBox::Add(double lat, double lon) {
  if (empty) {
    south = north = lat;
    west = east = lon;
    empty = false;
    return;
  }
  south = std::min(south, lat);
  north = std::max(north, lat);
  west = std::min(west, lon);
  east = std::max(east, lon);
}

MapView FitView(const GeoBox& box, int width, int height, int margin, int maxZoom) {
  MapView view;
  view.width = width;
  view.height = height;
  view.zoom = kMinZoom;
  if (box.empty) return view;
  maxZoom = std::clamp(maxZoom, kMinZoom, kMaxZoom);
  // Unwrapped, so that a box reaching 180 E keeps its east edge there.
  double x0 = (WrapLongitude(box.west) + 180.0) / 360.0;
  double x1 = (WrapLongitude(box.east) + 180.0) / 360.0;
  double y0 = LatLonToUnit(box.north, 0.0).y;
  double y1 = LatLonToUnit(box.south, 0.0).y;
  view.centre = UnitToLatLon({(x0 + x1) / 2, (y0 + y1) / 2});
  double spanX = x1 - x0;
  double spanY = y1 - y0;
  if (spanX <= 0.0 && spanY <= 0.0) {
    view.zoom = maxZoom;
    return view;
  }
  double freeX = std::max(1, width - 2 * margin);
  double freeY = std::max(1, height - 2 * margin);
  double scale = std::min(spanX > 0.0 ? freeX / (spanX * kTileSize) : HUGE_VAL,
                          spanY > 0.0 ? freeY / (spanY * kTileSize) : HUGE_VAL);
  double zoom = std::floor(std::log2(scale));
  view.zoom = std::clamp(zoom, static_cast<double>(kMinZoom), static_cast<double>(maxZoom));
  return view;
}

int TileLevel(double zoom) {
  if (!(zoom > kMinZoom)) return kMinZoom;
  return std::min(kMaxZoom, static_cast<int>(std::lround(zoom)));
}

std::vector<TileRef> TilesInView(const MapView& view) {
  std::vector<TileRef> tiles;
  if (!view.Valid()) return tiles;
  int level = TileLevel(view.zoom);
  double scale = std::exp2(view.zoom - level);
  double size = kTileSize * scale;
  WorldPixel c = LatLonToWorld(view.centre.lat, view.centre.lon, level);
  double halfW = view.width / 2.0 / scale;
  double halfH = view.height / 2.0 / scale;
  int n = 1 << level;
  auto first = [](double edge) { return static_cast<long long>(std::floor(edge / kTileSize)); };
  auto last = [](double edge) { return static_cast<long long>(std::ceil(edge / kTileSize)) - 1; };
  long long col0 = first(c.x - halfW);
  long long col1 = last(c.x + halfW);
  long long row0 = std::max(0LL, first(c.y - halfH));
  long long row1 = std::min(static_cast<long long>(n) - 1, last(c.y + halfH));
  for (long long row = row0; row <= row1; ++row) {
    for (long long col = col0; col <= col1; ++col) {
      TileRef t;
      t.z = level;
      t.x = static_cast<int>(((col % n) + n) % n);
      t.y = static_cast<int>(row);
      t.left = (static_cast<double>(col) * kTileSize - c.x) * scale + view.width / 2.0;
      t.top = (static_cast<double>(row) * kTileSize - c.y) * scale + view.height / 2.0;
      t.size = size;
      tiles.push_back(t);
    }
  }
  auto distance = [&view](const TileRef& t) {
    double dx = t.left + t.size / 2 - view.width / 2.0;
    double dy = t.top + t.size / 2 - view.height / 2.0;
    return dx * dx + dy * dy;
  };
  std::stable_sort(tiles.begin(), tiles.end(),
                   [&distance](const TileRef& a, const TileRef& b) { return distance(a) < distance(b); });
  return tiles;
}

}  // namespace quill
