// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QSignalSpy>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "render/MapImage.h"
#include "render/TileServer.h"
#include "render/TileSource.h"
#include "settings/ProgramVersion.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using TileSet = std::set<std::tuple<int, int, int>>;

TileSet Distinct(const std::vector<TileRef>& tiles) {
  TileSet set;
  for (const TileRef& t : tiles) set.emplace(t.z, t.x, t.y);
  return set;
}

TileSet Requested(const test::TileServer& server) {
  TileSet set;
  for (const QString& path : server.paths) {
    QStringList parts = path.split(QLatin1Char('/'));
    set.emplace(parts.value(1).toInt(), parts.value(2).toInt(), parts.value(3).section(QLatin1Char('.'), 0, 0).toInt());
  }
  return set;
}

// How many of the view's tiles show the server's colour in their middle.
int TilesShown(const QImage& image, const MapView& view) {
  int shown = 0;
  for (const TileRef& t : TilesInView(view)) {
    int x = static_cast<int>(t.left + t.size / 2), y = static_cast<int>(t.top + t.size / 2);
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
    shown += image.pixelColor(x, y) == test::TileServer::TileColour(t.z, t.x, t.y);
  }
  return shown;
}

int TilesWhollyInside(const MapView& view) {
  int inside = 0;
  for (const TileRef& t : TilesInView(view)) {
    int x = static_cast<int>(t.left + t.size / 2), y = static_cast<int>(t.top + t.size / 2);
    inside += x >= 0 && y >= 0 && x < view.width && y < view.height;
  }
  return inside;
}

TileSourceOptions Options(const QString& urlTemplate, const test::TempDir& cache) {
  TileSourceOptions options;
  options.urlTemplate = urlTemplate;
  options.cacheFolder = QString::fromStdString(cache.File("tiles"));
  return options;
}

const MapView kTown{{52.0907, 5.1214}, 12.0, 700, 500};

TEST(MapTiles, FetchesExactlyTheViewsTilesTwoAtATimeAndDrawsThem) {
  test::TileServer server;
  test::TempDir cache;
  server.SetHolding(true);
  TileSource source(Options(server.Template(), cache));
  TileSet wanted = Distinct(TilesInView(kTown));
  ASSERT_GE(wanted.size(), 6u);
  source.Want(TilesInView(kTown));
  std::size_t answered = 0;
  while (answered < wanted.size()) {
    int expect = static_cast<int>(std::min<std::size_t>(2, wanted.size() - answered));
    ASSERT_TRUE(test::RunEventsUntil([&] { return server.Pending() == expect; })) << server.Pending();
    answered += static_cast<std::size_t>(expect);
    server.ReleaseAll();
  }
  ASSERT_TRUE(test::RunEventsUntil([&] { return !source.Busy(); }));
  EXPECT_LE(server.maxPending, kMaxTileRequests);
  EXPECT_EQ(server.paths.size(), static_cast<qsizetype>(wanted.size())) << "a tile was asked for twice";
  EXPECT_EQ(Requested(server), wanted);
  for (const QByteArray& agent : server.agents) {
    EXPECT_TRUE(agent.startsWith("Quillmark/")) << agent.toStdString();
    EXPECT_EQ(agent.toStdString(), UserAgent());
  }

  MapPaintResult result;
  QImage image = DrawMapImage(kTown, MapScene{}, &source, 5000, &result);
  EXPECT_EQ(server.paths.size(), static_cast<qsizetype>(wanted.size()));
  EXPECT_EQ(result.tilesDrawn, result.tiles);
  EXPECT_FALSE(result.graticule);
  EXPECT_EQ(TilesShown(image, kTown), TilesWhollyInside(kTown));
}

TEST(MapTiles, ASecondSourceDrawsFromTheDiskCacheAndAMovedViewDropsWhatItNoLongerNeeds) {
  test::TileServer server;
  test::TempDir cache;
  {
    TileSource first(Options(server.Template(), cache));
    DrawMapImage(kTown, MapScene{}, &first, 10000);
  }
  qsizetype asked = server.paths.size();
  ASSERT_GT(asked, 0);
  TileSource second(Options(server.Template(), cache));
  MapPaintResult result;
  QImage image = DrawMapImage(kTown, MapScene{}, &second, 10000, &result);
  EXPECT_EQ(server.paths.size(), asked) << "fresh tiles were asked for again";
  EXPECT_EQ(result.tilesDrawn, result.tiles);
  EXPECT_EQ(TilesShown(image, kTown), TilesWhollyInside(kTown));

  // The view moves on while two tiles are under way: the rest of the old
  // view is never asked for.
  server.SetHolding(true);
  MapView before{{-33.86, 151.21}, 10.0, 900, 700};
  MapView after{{40.71, -74.0}, 9.0, 500, 400};
  std::vector<TileRef> old = TilesInView(before);
  second.Want(old);
  ASSERT_TRUE(test::RunEventsUntil([&] { return server.Pending() == 2; }));
  second.Want(TilesInView(after));
  server.SetHolding(false);
  server.ReleaseAll();
  ASSERT_TRUE(test::RunEventsUntil([&] { return !second.Busy(); }));
  TileSet expected = Distinct(TilesInView(after));
  expected.emplace(old[0].z, old[0].x, old[0].y);
  expected.emplace(old[1].z, old[1].x, old[1].y);
  TileSet got = Requested(server);
  TileSet fresh;
  for (qsizetype i = asked; i < server.paths.size(); ++i) {
    test::TileServer one;
    one.paths = {server.paths[i]};
    fresh.merge(Requested(one));
  }
  EXPECT_EQ(fresh, expected);
}

TEST(MapTiles, WithTheServerGoneCachedTilesAreDrawnAndOtherwiseTheDegreeLinesWithOneMessage) {
  test::TempDir cache;
  test::TempDir empty;
  test::TileServer server("max-age=0");  // stale at once: every draw asks the server again
  QString urlTemplate = server.Template();
  {
    TileSource first(Options(urlTemplate, cache));
    DrawMapImage(kTown, MapScene{}, &first, 10000);
  }
  ASSERT_FALSE(server.paths.isEmpty());
  server.Stop();

  TileSource cached(Options(urlTemplate, cache));
  QSignalSpy cachedProblems(&cached, &TileSource::problem);
  MapPaintResult result;
  QImage image = DrawMapImage(kTown, MapScene{}, &cached, 10000, &result);
  EXPECT_EQ(result.tilesDrawn, result.tiles);
  EXPECT_EQ(TilesShown(image, kTown), TilesWhollyInside(kTown));
  EXPECT_EQ(cachedProblems.count(), 0);

  TileSource uncached(Options(urlTemplate, empty));
  QSignalSpy problems(&uncached, &TileSource::problem);
  image = DrawMapImage(kTown, MapScene{}, &uncached, 10000, &result);
  EXPECT_EQ(result.tilesDrawn, 0);
  EXPECT_TRUE(result.graticule);
  EXPECT_EQ(TilesShown(image, kTown), 0);
  EXPECT_EQ(image.pixelColor(5, 250), MapPainter::kBackground);
  ASSERT_EQ(problems.count(), 1) << "one message for " << result.tiles << " missing tiles";
  EXPECT_TRUE(problems.at(0).at(0).toString().contains(QLatin1String("127.0.0.1")));
  // Drawing again does not ask again, nor say it again.
  DrawMapImage(kTown, MapScene{}, &uncached, 10000);
  EXPECT_FALSE(uncached.Busy());
  EXPECT_EQ(problems.count(), 1);

  for (const char* unusable : {"", "http://127.0.0.1/tiles.png", "ftp://127.0.0.1/{z}/{x}/{y}.png"}) {
    TileSource none(Options(QString::fromLatin1(unusable), empty));
    EXPECT_FALSE(none.Active()) << unusable;
    none.Want(TilesInView(kTown));
    EXPECT_FALSE(none.Busy()) << unusable;
  }
}

TEST(MapTiles, WhatIsNotATileIsAskedForOnceAndSaidOnce) {
  test::TempDir cache;
  QImage huge(4000, 10, QImage::Format_RGB32);
  huge.fill(Qt::red);
  QByteArray hugePng;
  QBuffer buffer(&hugePng);
  buffer.open(QIODevice::WriteOnly);
  huge.save(&buffer, "PNG");
  for (const QByteArray& body : {QByteArray("<html>rate limited</html>"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10),
                                 hugePng, QByteArray(9 * 1024 * 1024, 'x')}) {
    test::TileServer server;
    server.answer = body;
    TileSource source(Options(server.Template(), cache));
    QSignalSpy problems(&source, &TileSource::problem);
    MapPaintResult result;
    DrawMapImage(kTown, MapScene{}, &source, 10000, &result);
    DrawMapImage(kTown, MapScene{}, &source, 10000, &result);
    EXPECT_EQ(result.tilesDrawn, 0);
    EXPECT_EQ(server.paths.size(), static_cast<qsizetype>(Distinct(TilesInView(kTown)).size()));
    EXPECT_EQ(problems.count(), 1);
  }
}

// Every marker covers at least the 7 x 7 pixels around the pixel its point
// projects to (relative to the view's middle pixel), wherever in the pixel
// the point falls.
TEST(MapPainterTest, MarkersSitOnTheirProjectedPixels) {
  struct Case {
    MapView view;
    std::vector<std::pair<double, double>> points;
  };
  const Case kCases[] = {
      {{{52.0907, 5.1214}, 12.0, 700, 500}, {{52.0907, 5.1214}, {52.1, 5.05}, {52.07, 5.2}, {52.06, 5.1}}},
      {{{52.0907, 5.1214}, 15.3, 640, 480}, {{52.0912, 5.1221}, {52.0899, 5.1200}, {52.0920, 5.1190}}},
      {{{-16.8, 179.99}, 9.0, 800, 600}, {{-16.8, -179.8}, {-17.2, 179.6}, {-16.5, 179.995}}},
      {{{0.0, 0.0}, 1.0, 300, 300}, {{10.0, 10.0}, {-60.0, -100.0}}},
      {{{47.5, 8.5}, 19.0, 400, 300}, {{47.50003, 8.50004}, {47.49998, 8.49995}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "z" << c.view.zoom << " at " << c.view.centre.lat << "," << c.view.centre.lon);
    std::vector<MapPoint> points;
    for (std::size_t i = 0; i < c.points.size(); ++i) {
      MapPoint p;
      p.lat = c.points[i].first;
      p.lon = c.points[i].second;
      p.row = static_cast<std::uint32_t>(i);
      p.type = static_cast<std::uint8_t>(i == 1 ? 200 : 6 + i);  // 200: a type without an icon
      p.flags = i == 2 ? kMapPointArchived : 0;
      points.push_back(p);
    }
    PointIndex index(points);
    MapScene with;
    with.points = &index;
    QImage bare = DrawMapImage(c.view, MapScene{}, nullptr, 0);
    QImage drawn = DrawMapImage(c.view, with, nullptr, 0);
    for (const MapPoint& p : points) {
      WorldPixel at = c.view.ToView(p.lat, p.lon);
      int px = static_cast<int>(std::floor(at.x)), py = static_cast<int>(std::floor(at.y));
      ASSERT_TRUE(px >= 3 && py >= 3 && px < c.view.width - 3 && py < c.view.height - 3) << px << "," << py;
      for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
          EXPECT_NE(drawn.pixel(px + dx, py + dy), bare.pixel(px + dx, py + dy))
              << "row " << p.row << " leaves " << px + dx << "," << py + dy << " bare";
      if (p.flags & kMapPointArchived) {
        EXPECT_EQ(drawn.pixelColor(px + 6, py), QColor(255, 0, 0)) << "archived is struck red";
      }
    }
  }
}

}  // namespace
}  // namespace quill
