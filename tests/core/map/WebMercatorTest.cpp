// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "map/MapScale.h"
#include "map/MapView.h"
#include "map/WebMercator.h"

namespace quill {
namespace {

struct TileExample {
  const char* source;
  double lat;
  double lon;
  int zoom;
  int x;
  int y;
};

// Published tile numbers. The places named without an exact point are taken
// at a point well inside them.
const TileExample kTileExamples[] = {
    {"OSM wiki, slippy map tilenames (Perl example)", 51.51202, 0.02435, 17, 65544, 43582},
    {"Google Maps docs, map and tile coordinates: Chicago", 41.85, -87.65, 3, 2, 2},
    {"somebits map tile scales: most of San Francisco (City Hall)", 37.7793, -122.4193, 11, 327, 791},
    {"somebits map tile scales: Oregon (Salem)", 44.9429, -123.0351, 5, 5, 11},
    {"OSM wiki: tile 0 covers the whole world", 0.0, 0.0, 0, 0, 0},
    {"OSM wiki: x 0 starts at 180 W, y 0 at 85.0511 N", kMaxLatitude, -180.0, 19, 0, 0},
    {"OSM wiki: x and y end at 2^zoom - 1", -kMaxLatitude, 179.9999999, 19, 524287, 524287},
    {"beyond the square world: held at the edge row", 89.9, 0.0, 4, 8, 0},
    {"beyond the square world, south", -89.9, -0.0001, 4, 7, 15},
    {"180 E is 180 W", 10.0, 180.0, 3, 0, 3},
    {"longitude past 180 wraps", 10.0, 370.0, 3, 4, 3},
};

TEST(MapProjection, PublishedTileNumbersAndWorldPixels) {
  for (const TileExample& e : kTileExamples) {
    SCOPED_TRACE(e.source);
    TileXY t = TileOf(e.lat, e.lon, e.zoom);
    EXPECT_EQ(t.x, e.x);
    EXPECT_EQ(t.y, e.y);
  }
  // Chicago at zoom 3 (Google Maps docs): world coordinate (65.67111111111113,
  // 95.17492654697409) at zoom 0, pixel coordinate (525, 761).
  WorldPixel w0 = LatLonToWorld(41.85, -87.65, 0);
  EXPECT_NEAR(w0.x, 65.67111111111113, 1e-9);
  EXPECT_NEAR(w0.y, 95.17492654697409, 1e-9);
  WorldPixel w3 = LatLonToWorld(41.85, -87.65, 3);
  EXPECT_EQ(std::floor(w3.x), 525);
  EXPECT_EQ(std::floor(w3.y), 761);
  // OSM wiki zoom table: a zoom 1 tile spans 180 x 85.0511 degrees.
  LatLon nw = TileCorner(0, 0, 1);
  LatLon se = TileCorner(1, 1, 1);
  EXPECT_NEAR(nw.lat, 85.0511, 1e-4);
  EXPECT_DOUBLE_EQ(nw.lon, -180.0);
  EXPECT_NEAR(se.lat, 0.0, 1e-12);
  EXPECT_NEAR(se.lon, 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(TileCorner(2, 2, 1).lon, 180.0);
  EXPECT_NEAR(TileCorner(2, 2, 1).lat, -kMaxLatitude, 1e-9);
}

TEST(MapProjection, MetresPerPixelMatchTheZoomTable) {
  // OSM wiki "Zoom levels", metres per pixel on the equator (to the digits
  // printed there), and its worked example 40 075 016.686 m / 256 = 156 543.03.
  const std::pair<int, double> kTable[] = {{1, 78271.517}, {8, 611.496}, {12, 38.219}, {13, 19.109},
                                           {17, 1.194},    {18, 0.597},  {19, 0.299}};
  EXPECT_NEAR(MetresPerPixel(0.0, 0), 156543.03, 0.005);
  for (auto [zoom, metres] : kTable) {
    SCOPED_TRACE(zoom);
    EXPECT_NEAR(MetresPerPixel(0.0, zoom), metres, 0.0005);
  }
  EXPECT_NEAR(MetresPerPixel(60.0, 0), 156543.03 / 2, 0.01);
}

TEST(MapProjection, RoundTripsAtEveryZoom) {
  std::mt19937_64 rng(30);
  std::uniform_real_distribution<double> lat(-kMaxLatitude, kMaxLatitude);
  std::uniform_real_distribution<double> lon(-180.0, 180.0);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
    SCOPED_TRACE(zoom);
    double size = WorldSize(zoom);
    EXPECT_EQ(size, 256.0 * (1 << zoom));
    for (int i = 0; i < 200; ++i) {
      double a = lat(rng), o = lon(rng);
      LatLon back = WorldToLatLon(LatLonToWorld(a, o, zoom), zoom);
      ASSERT_NEAR(back.lat, a, 1e-9);
      ASSERT_NEAR(back.lon, o, 1e-9);
      WorldPixel p{unit(rng) * size, unit(rng) * size};
      LatLon ll = WorldToLatLon(p, zoom);
      WorldPixel again = LatLonToWorld(ll.lat, ll.lon, zoom);
      ASSERT_NEAR(again.x, p.x, 1e-6);
      ASSERT_NEAR(again.y, p.y, 1e-6);
      // The tile of a position holds its world pixel.
      TileXY t = TileOf(a, o, zoom);
      WorldPixel w = LatLonToWorld(a, o, zoom);
      ASSERT_EQ(t.x, static_cast<int>(std::floor(w.x / kTileSize)));
      ASSERT_EQ(t.y, static_cast<int>(std::floor(w.y / kTileSize)));
    }
  }
}

TEST(MapProjection, ViewPixelsPanAndZoomRoundTrip) {
  std::mt19937_64 rng(3857);
  std::uniform_real_distribution<double> lat(-60.0, 60.0);
  std::uniform_real_distribution<double> lon(-180.0, 180.0);
  std::uniform_real_distribution<double> frac(0.0, 1.0);
  for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
    for (double z : {static_cast<double>(zoom), zoom + 0.37}) {
      if (z > kMaxZoom) continue;
      SCOPED_TRACE(z);
      // No bigger than half the world, so that every pixel shows a place.
      int half = static_cast<int>(WorldSize(z) / 2);
      MapView v{{lat(rng), lon(rng)}, z, std::min(1280, half), std::min(900, half)};
      WorldPixel c = v.ToView(v.centre.lat, v.centre.lon);
      EXPECT_DOUBLE_EQ(c.x, v.width / 2.0);
      EXPECT_DOUBLE_EQ(c.y, v.height / 2.0);
      double px = frac(rng) * v.width, py = frac(rng) * v.height;
      LatLon ll = v.FromView(px, py);
      WorldPixel back = v.ToView(ll.lat, ll.lon);
      EXPECT_NEAR(back.x, px, 1e-6);
      EXPECT_NEAR(back.y, py, 1e-6);
      // A drag moves what is under the mouse with it.
      MapView moved = Panned(v, 37.5, -12.25);
      WorldPixel after = moved.ToView(ll.lat, ll.lon);
      EXPECT_NEAR(after.x, px + 37.5, 1e-6);
      EXPECT_NEAR(after.y, py - 12.25, 1e-6);
      // A wheel step keeps the position under the mouse in place.
      MapView zoomed = ZoomedAround(v, std::min<double>(kMaxZoom, z + 1.5), px, py);
      WorldPixel still = zoomed.ToView(ll.lat, ll.lon);
      EXPECT_NEAR(still.x, px, 1e-5);
      EXPECT_NEAR(still.y, py, 1e-5);
    }
  }
  // Across the antimeridian a point east of 180 shows beside a centre west of it.
  MapView v{{0.0, 179.9}, 10.0, 800, 600};
  EXPECT_NEAR(v.ToView(0.0, -179.9).x, 400.0 + 0.2 / 360.0 * WorldSize(10.0), 1e-6);
  EXPECT_DOUBLE_EQ(ZoomedAround(v, 40.0, 0, 0).zoom, kMaxZoom);
  EXPECT_DOUBLE_EQ(ZoomedAround(v, -3.0, 0, 0).zoom, kMinZoom);
}

// The tiles a view needs, by looking at points of its pixels: every 4th
// pixel and both edges of the view.
std::set<std::tuple<int, int, int>> TilesBySampling(const MapView& v) {
  std::set<std::tuple<int, int, int>> tiles;
  int level = TileLevel(v.zoom);
  double size = WorldSize(level);
  WorldPixel c = LatLonToWorld(v.centre.lat, v.centre.lon, level);
  double scale = std::exp2(v.zoom - level);
  auto samples = [](int extent) {
    std::vector<double> at{0.001, extent - 0.001};
    for (int p = 4; p < extent; p += 4) at.push_back(p);
    return at;
  };
  for (double py : samples(v.height)) {
    for (double px : samples(v.width)) {
      double wx = c.x + (px - v.width / 2.0) / scale;
      double wy = c.y + (py - v.height / 2.0) / scale;
      if (wy < 0 || wy >= size) continue;
      wx -= size * std::floor(wx / size);
      tiles.emplace(level, static_cast<int>(wx / kTileSize), static_cast<int>(wy / kTileSize));
    }
  }
  return tiles;
}

TEST(MapProjection, TilesInViewAreThePixelsTiles) {
  const MapView kViews[] = {
      {{52.09, 5.12}, 12.0, 1024, 768},   // a town
      {{52.09, 5.12}, 12.4, 1024, 768},   // between levels: drawn from level 12, scaled
      {{52.09, 5.12}, 12.6, 1024, 768},   // ... from level 13
      {{-16.5, 179.95}, 9.0, 1280, 900},  // across the antimeridian
      {{84.9, -20.0}, 5.0, 640, 480},     // over the top edge
      {{0.0, 0.0}, 0.0, 1280, 900},       // the world smaller than the view
      {{0.0, 0.0}, 1.0, 1, 1},            // one pixel
      {{40.0, -74.0}, 19.0, 300, 200},    // deepest level
  };
  for (const MapView& v : kViews) {
    SCOPED_TRACE(::testing::Message() << v.centre.lat << "," << v.centre.lon << " z" << v.zoom);
    std::vector<TileRef> tiles = TilesInView(v);
    std::set<std::tuple<int, int, int>> got;
    for (const TileRef& t : tiles) {
      got.emplace(t.z, t.x, t.y);
      // The tile lands where its own pixels belong.
      LatLon mid = v.FromView(t.left + t.size / 2, t.top + t.size / 2);
      TileXY at = TileOf(mid.lat, mid.lon, t.z);
      EXPECT_EQ(at.x, t.x);
      EXPECT_EQ(at.y, t.y);
      EXPECT_DOUBLE_EQ(t.size, kTileSize * std::exp2(v.zoom - t.z));
    }
    EXPECT_EQ(got, TilesBySampling(v));
    // Nearest the centre first.
    ASSERT_FALSE(tiles.empty());
    EXPECT_LE(tiles.front().left, v.width / 2.0);
    EXPECT_GE(tiles.front().left + tiles.front().size, v.width / 2.0);
  }
  EXPECT_TRUE(TilesInView({{0, 0}, 3.0, 0, 100}).empty());
}

TEST(MapProjection, FitViewShowsTheWholeBoxAtTheDeepestZoom) {
  std::mt19937_64 rng(4326);
  std::uniform_real_distribution<double> lat(-70.0, 70.0);
  std::uniform_real_distribution<double> lon(-170.0, 150.0);
  std::uniform_real_distribution<double> spread(0.0001, 20.0);
  for (int i = 0; i < 100; ++i) {
    GeoBox box;
    double a = lat(rng), o = lon(rng), s = spread(rng);
    box.Add(a, o);
    box.Add(a + s * 0.3, o + s);
    MapView v = FitView(box, 1024, 768, 20, 18);
    for (auto [la, lo] : {std::pair{box.south, box.west}, std::pair{box.north, box.east}}) {
      WorldPixel p = v.ToView(la, lo);
      EXPECT_GE(p.x, 20.0 - 1e-6);
      EXPECT_LE(p.x, 1004.0 + 1e-6);
      EXPECT_GE(p.y, 20.0 - 1e-6);
      EXPECT_LE(p.y, 748.0 + 1e-6);
    }
    if (v.zoom < 18) {
      MapView closer = v;
      closer.zoom += 1;
      WorldPixel p = closer.ToView(box.south, box.west);
      WorldPixel q = closer.ToView(box.north, box.east);
      EXPECT_TRUE(q.x - p.x > 984.0 || p.y - q.y > 728.0) << "zoom " << v.zoom << " was not the deepest";
    }
  }
  GeoBox one;
  one.Add(52.0, 5.0);
  EXPECT_EQ(FitView(one, 100, 100, 10, 15).zoom, 15.0);
  EXPECT_EQ(FitView(GeoBox{}, 100, 100, 10, 15).zoom, 0.0);
}

TEST(MapScale, ScaleBarIsTheLongestRoundLengthThatFits) {
  struct Row {
    double metresPerPixel;
    double maxPixels;
    double metres;
    const char* text;
  };
  const Row kRows[] = {
      {1.0, 150, 100, "100 m"},
      {1.0, 199.9, 100, "100 m"},
      {1.0, 200, 200, "200 m"},
      {2.0, 150, 200, "200 m"},
      {10.0, 150, 1000, "1 km"},
      {38.219, 150, 5000, "5 km"},
      {156543.03, 150, 2e7, "20000 km"},
      {0.01, 150, 1, "1 m"},
      {0.003, 150, 0.2, "0.2 m"},
      {0.0, 150, 0, ""},
      {1.0, 0, 0, ""},
      {NAN, 150, 0, ""},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.text);
    ScaleBar bar = ScaleBarFor(r.metresPerPixel, r.maxPixels);
    EXPECT_DOUBLE_EQ(bar.metres, r.metres);
    EXPECT_EQ(bar.text, r.text);
    if (r.metres > 0) {
      EXPECT_NEAR(bar.pixels, r.metres / r.metresPerPixel, 1e-9);
      EXPECT_LE(bar.pixels, r.maxPixels + 1e-9);
    }
  }
}

TEST(MapScale, GraticuleLinesStayApart) {
  for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
    double world = WorldSize(zoom);
    double step = GraticuleStep(world, 80.0);
    double pixels = step / 360.0 * world;
    SCOPED_TRACE(zoom);
    if (step < 180.0) {
      EXPECT_GE(pixels, 80.0);
    }
    EXPECT_GE(step, 0.0001);
  }
  EXPECT_EQ(GraticuleStep(256.0, 80.0), 180.0);
  EXPECT_EQ(GraticuleStep(512.0, 80.0), 90.0);
  EXPECT_EQ(GraticuleStep(WorldSize(8), 80.0), 0.5);
}

}  // namespace
}  // namespace quill
