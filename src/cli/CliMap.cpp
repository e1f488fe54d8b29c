// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmark-cli map`: the shown waypoints drawn as the map window draws
// them, into a PNG file, with the same painter and no window.
#include <charconv>
#include <cmath>
#include <ostream>

#include "base/FileIo.h"
#include "cli/Cli.h"
#include "cli/CliListOptions.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "geo/GeoTypes.h"
#include "map/TileAddress.h"
#include "session/ListSession.h"
#include "text/TextHelpers.h"

#ifdef QUILL_HAVE_RENDER
#include <QBuffer>
#include <QGuiApplication>
#include <memory>

#include "map/PointIndex.h"
#include "render/MapImage.h"
#include "render/MapWaypoints.h"
#include "render/TileSource.h"
#endif

namespace quill::cli {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;
// Large enough for a poster, small enough not to fetch a country's tiles.
constexpr int kMaxSide = 4096;
// The whole picture waits this long for its tiles at most.
constexpr int kTileWaitMs = 60000;
constexpr std::string_view kSettingsTiles = "settings";

struct MapRequest {
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  std::optional<LatLon> centre;
  std::optional<double> zoom;
  bool tiles = false;
  std::string tileTemplate;                // "settings": the settings' one
  std::optional<std::string> attribution;  // drawn instead of the known one
};

bool ReadNumber(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ReadSide(std::string_view text, int& side) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), side);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && side >= 1 && side <= kMaxSide;
}

// The map's own options; false with a message on wrong usage.
bool ReadMapOptions(const std::vector<CliOption>& extra, MapRequest& request, std::string& error) {
  for (const CliOption& o : extra) {
    const std::string& v = o.value;
    if (o.name == "--size") {
      std::size_t x = v.find_first_of("xX");
      if (x == std::string::npos || !ReadSide(std::string_view(v).substr(0, x), request.width) ||
          !ReadSide(std::string_view(v).substr(x + 1), request.height)) {
        error = "--size needs WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kMaxSide) + ", e.g. 1024x768";
        return false;
      }
    } else if (o.name == "--center") {
      std::size_t comma = v.find(',');
      LatLon c;
      if (comma == std::string::npos || !ReadNumber(std::string_view(v).substr(0, comma), c.lat) ||
          !ReadNumber(std::string_view(v).substr(comma + 1), c.lon) || !IsOnEarth(c.lat, c.lon)) {
        error = "--center needs LAT,LON in decimal degrees, south and west negative, e.g. 52.09,5.12";
        return false;
      }
      request.centre = c;
    } else if (o.name == "--zoom") {
      double zoom = 0;
      if (!ReadNumber(v, zoom) || zoom < 0 || zoom > 19) {
        error = "--zoom needs a zoom level from 0 (the whole world) to 19";
        return false;
      }
      request.zoom = zoom;
    } else if (o.name == "--attribution") {
      request.attribution = v;
    } else if (o.name == "--tiles") {
      request.tiles = true;
      request.tileTemplate = v;
      if (v != kSettingsTiles && !IsTileTemplate(QString::fromStdString(v))) {
        error = "--tiles needs an http, https or file address with {z}, {x} and {y}, or settings";
        return false;
      }
    }
  }
  return true;
}

#ifdef QUILL_HAVE_RENDER

// Fonts need a QGuiApplication; the offscreen platform needs no display.
std::unique_ptr<QGuiApplication> EnsureGuiApplication(bool& ok) {
  ok = true;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    ok = qobject_cast<QGuiApplication*>(app) != nullptr;
    return nullptr;
  }
  static int argc = 3;
  static char name[] = "quillmark-cli";
  static char platform[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[] = {name, platform, offscreen, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

bool WritePng(const std::string& output, const QByteArray& png, std::ostream& out) {
  if (output == "-") {
    out.write(png.constData(), png.size());
    out.flush();
    return static_cast<bool>(out);
  }
  AtomicFileWriter writer;
  if (!writer.Open(output, false)) return false;
  writer.WriteBytes(png.constData(), static_cast<std::size_t>(png.size()));
  return writer.Commit();
}

#endif

}  // namespace

int RunMap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  static const ExtraOptionNames kNames{
      {"--home", "--sort", "--filter", "--rename", "--size", "--center", "--zoom", "--tiles", "--attribution"}, {}};
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, kNames, options, error)) return UsageError(err, error);
  if (options.formatCode != kFormatByExtension) return UsageError(err, "map writes PNG: --format does not apply");
  if (options.files.size() < 2) return UsageError(err, "map needs at least one INPUT and an OUTPUT.png");
  const std::string output = options.files.back();
  options.files.pop_back();
  if (output != "-" && !EqualsIgnoreCase(FileExtension(output), ".png"))
    return UsageError(err, "map writes PNG: OUTPUT must end in .png, or be - for standard output");
  MapRequest request;
  if (!ReadMapOptions(options.extra, request, error)) return UsageError(err, error);

#ifdef QUILL_HAVE_RENDER
  const AppSettings settings = StoredAppSettings();
  QString tileTemplate;
  QString attribution;
  if (request.tiles) {
    const bool fromSettings = request.tileTemplate == kSettingsTiles;
    tileTemplate = QString::fromStdString(fromSettings ? AnsiToUtf8(settings.MapTileUrl) : request.tileTemplate);
    if (fromSettings && !tileTemplate.isEmpty() && !IsTileTemplate(tileTemplate)) {
      PrintError(err, "settings",
                 "the map tile address is not usable, drawn without tiles: " + AnsiToUtf8(settings.MapTileUrl));
      tileTemplate.clear();
    }
    // The attribution the tile server asks for goes with its own address.
    if (tileTemplate == QString::fromStdString(AnsiToUtf8(settings.MapTileUrl))) {
      attribution = QString::fromStdString(AnsiToUtf8(settings.MapAttribution));
    } else if (tileTemplate == QLatin1String(kDefaultMapTileUrl)) {
      attribution = QString::fromStdString(AnsiToUtf8(kDefaultMapAttribution));
    }
  }

  // Any other tile server's wording comes from its user.
  if (request.attribution) attribution = QString::fromStdString(*request.attribution);

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  if (int rc = LoadWithListOptions(options, session, answers, err)) return rc;

  bool guiOk = true;
  const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication(guiOk);
  if (!guiOk) {
    PrintError(err, output, "the map needs a graphical application object, and another kind runs");
    return 1;
  }
  const PointIndex index(MapPointsOf(session.Store().ShownWaypoints()));
  MapView view = FitListView(index, request.width, request.height);
  if (request.centre) view.centre = *request.centre;
  if (request.zoom) view.zoom = *request.zoom;

  MapScene scene;
  scene.points = &index;
  scene.attribution = attribution;
  const HomePosition& home = session.View().Home;
  if (home.lat != 0.0 || home.lon != 0.0) scene.marks.push_back({home, MapMarkKind::kHome});

  std::unique_ptr<TileSource> tiles;
  if (!tileTemplate.isEmpty()) {
    TileSourceOptions tileOptions;
    tileOptions.urlTemplate = tileTemplate;
    tileOptions.cacheBytes = qint64{std::clamp(settings.MapCacheMB, 0, kMaxMapCacheMB)} * 1024 * 1024;
    tiles = std::make_unique<TileSource>(tileOptions);
    QObject::connect(tiles.get(), &TileSource::problem,
                     [&err](const QString& text) { PrintError(err, {}, text.toStdString()); });
  }
  const QImage image = DrawMapImage(view, scene, tiles.get(), kTileWaitMs).convertToFormat(QImage::Format_RGB32);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") || !WritePng(output, png, out)) {
    PrintError(err, output == "-" ? "standard output" : output, "Error saving file");
    return 1;
  }
  return EndCommand(0, out, err);
#else
  (void)out;
  PrintError(err, output, "this quillmark-cli is built without the map painter");
  return 1;
#endif
}

}  // namespace quill::cli
