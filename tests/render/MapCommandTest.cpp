// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli map, run as a program against a tile server on loopback.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QSignalSpy>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

#include "render/MapPainter.h"
#include "render/MapWaypoints.h"
#include "render/TileServer.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

struct Place {
  double lat;
  double lon;
};

// Around Utrecht, all inside the town view below; the third one archived.
const Place kPlaces[] = {{52.0907, 5.1214}, {52.1101, 5.0433}, {52.0702, 5.2101}, {52.0555, 5.0870}};

std::string Gpx(bool withWaypoints) {
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" creator=\"t\" "
      "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n";
  for (std::size_t i = 0; withWaypoints && i < std::size(kPlaces); ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "<wpt lat=\"%.4f\" lon=\"%.4f\"><name>GC%zu</name>", kPlaces[i].lat,
                  kPlaces[i].lon, i + 1);
    gpx += line;
    gpx += "<type>Geocache|Traditional Cache</type><groundspeak:cache id=\"" + std::to_string(i + 1) +
           "\" available=\"True\" archived=\"" + (i == 2 ? "True" : "False") +
           "\"><groundspeak:type>Traditional Cache</groundspeak:type></groundspeak:cache></wpt>\n";
  }
  return gpx + "</gpx>\n";
}

struct MapRun {
  int code = -1;
  QString errors;
};

// The program with its own settings and cache folders; the event loop runs
// meanwhile, so that the tile server answers.
MapRun RunMap(const QStringList& args, const test::TempDir& home) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(home.File("cache")));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home.File("config")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // As in a desktop session; without it Qt says so on stderr.
  const std::string runtime = home.File("runtime");
  ::mkdir(runtime.c_str(), 0700);
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime));
  process.setProcessEnvironment(env);
  QSignalSpy done(&process, &QProcess::finished);
  process.start(QStringLiteral(QUILL_CLI_PATH), QStringList{QStringLiteral("map")} + args);
  MapRun run;
  if (!done.wait(60000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.code = process.exitCode();
  run.errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QString Centre(const MapView& view) { return QString::asprintf("%.17g,%.17g", view.centre.lat, view.centre.lon); }

// Every pixel of the 7 x 7 square around a place's projected pixel differs
// from what lies beneath it in the bare picture.
void ExpectMarkersOnTheirPixels(const QImage& drawn, const QImage& bare, const MapView& view) {
  ASSERT_EQ(drawn.size(), QSize(view.width, view.height));
  ASSERT_EQ(bare.size(), drawn.size());
  for (const Place& place : kPlaces) {
    WorldPixel at = view.ToView(place.lat, place.lon);
    int px = static_cast<int>(std::floor(at.x)), py = static_cast<int>(std::floor(at.y));
    ASSERT_TRUE(px >= 3 && py >= 3 && px < view.width - 3 && py < view.height - 3) << px << "," << py;
    int bareLeft = 0;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) bareLeft += drawn.pixel(px + dx, py + dy) == bare.pixel(px + dx, py + dy);
    EXPECT_EQ(bareLeft, 0) << place.lat << "," << place.lon << " at " << px << "," << py;
  }
}

TEST(MapCommand, FetchesTheViewsTilesDrawsEveryMarkerOnItsPixelAndLaterDrawsFromTheCache) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("list.gpx"), Gpx(true));
  test::TileServer server;
  const MapView view{{52.0907, 5.1214}, 12.0, 700, 500};
  const QStringList viewArgs{"--size", "700x500", "--center", Centre(view),
                             "--zoom", "12",      "--tiles",  server.Template()};
  const QString list = QString::fromStdString(dir.File("list.gpx"));
  const QString first = QString::fromStdString(dir.File("first.png"));

  MapRun run = RunMap(viewArgs + QStringList{list, first}, dir);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();
  std::set<std::tuple<int, int, int>> wanted, asked;
  for (const TileRef& t : TilesInView(view)) wanted.emplace(t.z, t.x, t.y);
  for (const QString& path : server.paths) {
    QStringList p = path.split(QLatin1Char('/'));
    asked.emplace(p.value(1).toInt(), p.value(2).toInt(), p.value(3).section(QLatin1Char('.'), 0, 0).toInt());
  }
  EXPECT_EQ(asked, wanted);
  EXPECT_EQ(server.paths.size(), static_cast<qsizetype>(wanted.size())) << "a tile was asked for twice";
  EXPECT_LE(server.maxPending, 2);
  for (const QByteArray& agent : server.agents) EXPECT_TRUE(agent.startsWith("Quillmark/")) << agent.toStdString();

  // The tiles are drawn: each tile wholly in the picture shows its server
  // colour nearly everywhere (markers, scale bar and attribution lie on top).
  QImage image(first);
  ASSERT_EQ(image.size(), QSize(700, 500));
  QImage bare(view.width, view.height, QImage::Format_RGB32);
  int whole = 0;
  for (const TileRef& t : TilesInView(view)) {
    QRect r(static_cast<int>(t.left), static_cast<int>(t.top), static_cast<int>(t.size), static_cast<int>(t.size));
    QColor colour = test::TileServer::TileColour(t.z, t.x, t.y);
    int same = 0;
    for (int y = std::max(0, r.top()); y <= std::min(view.height - 1, r.bottom()); ++y)
      for (int x = std::max(0, r.left()); x <= std::min(view.width - 1, r.right()); ++x) {
        bare.setPixel(x, y, colour.rgb());
        same += image.pixelColor(x, y) == colour;
      }
    if (!QRect(0, 0, view.width, view.height).contains(r)) continue;
    ++whole;
    EXPECT_GT(same, 256 * 256 * 9 / 10) << "tile " << t.z << "/" << t.x << "/" << t.y;
  }
  EXPECT_GT(whole, 0);
  ExpectMarkersOnTheirPixels(image.convertToFormat(QImage::Format_RGB32), bare, view);

  // The server is gone: the same command draws the same picture from the cache.
  server.Stop();
  const QString second = QString::fromStdString(dir.File("second.png"));
  run = RunMap(viewArgs + QStringList{list, second}, dir);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
  EXPECT_EQ(QImage(second), image);

  // Another server's credit, given by its user, goes in the lower right corner.
  const QString credited = QString::fromStdString(dir.File("credited.png"));
  run = RunMap(viewArgs + QStringList{"--attribution", QStringLiteral("© Loopback tiles"), list, credited}, dir);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();
  const QImage withCredit = QImage(credited).convertToFormat(QImage::Format_RGB32);
  const QImage without = image.convertToFormat(QImage::Format_RGB32);
  QRect changed;
  for (int y = 0; y < view.height; ++y)
    for (int x = 0; x < view.width; ++x)
      if (withCredit.pixel(x, y) != without.pixel(x, y)) changed |= QRect(x, y, 1, 1);
  EXPECT_TRUE(changed.isValid());
  EXPECT_GT(changed.width(), 40);
  EXPECT_GE(changed.top(), view.height - 24);
  EXPECT_EQ(changed.right(), view.width - 1);

  // Without the cache as well: the plain background with degree lines, and
  // one line that says why.
  test::TempDir other;
  const QString third = QString::fromStdString(dir.File("third.png"));
  run = RunMap(viewArgs + QStringList{list, third}, other);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();
  EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.contains(QLatin1String("127.0.0.1"))) << run.errors.toStdString();
  QImage fallback(third);
  EXPECT_EQ(fallback.pixelColor(350, 250 + 20), MapPainter::kBackground);
}

// Without --center, --zoom and --tiles: 1024 x 768, the view that fits the
// list, no tiles; every marker on its pixel in that view.
TEST(MapCommand, TheDefaultViewFitsTheListOnThePlainBackground) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("list.gpx"), Gpx(true));
  test::WriteFileBytes(dir.File("empty.gpx"), Gpx(false));
  const QString drawn = QString::fromStdString(dir.File("drawn.png"));
  const QString bare = QString::fromStdString(dir.File("bare.png"));
  MapRun run = RunMap({QString::fromStdString(dir.File("list.gpx")), drawn}, dir);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();

  std::vector<MapPoint> points;
  for (const Place& place : kPlaces) points.push_back({place.lat, place.lon, 0, 0, 0});
  const MapView view = FitListView(PointIndex(points), 1024, 768);
  run = RunMap({"--center", Centre(view), "--zoom", QString::number(view.zoom, 'g', 17),
                QString::fromStdString(dir.File("empty.gpx")), bare},
               dir);
  ASSERT_EQ(run.code, 0) << run.errors.toStdString();
  ExpectMarkersOnTheirPixels(QImage(drawn).convertToFormat(QImage::Format_RGB32),
                             QImage(bare).convertToFormat(QImage::Format_RGB32), view);
}

}  // namespace
}  // namespace quill
