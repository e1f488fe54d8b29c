// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/MapPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "list/GpxRecord.h"
#include "map/MapScale.h"
#include "render/TypeIconImages.h"

namespace quill {

const QColor MapPainter::kBackground(242, 239, 233);
const QColor MapPainter::kOffWorld(200, 200, 200);

namespace {

constexpr int kHalfMarker = MapPainter::kMarkerSize / 2;
const QColor kGridLine(160, 160, 160);
const QColor kGridText(90, 90, 90);

QFont PixelFont(int pixels, bool bold) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// "52°N", "4.5°E", "0°", "180°": step decides the decimals.
QString DegreeText(double value, double step, char positive, char negative) {
  int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  QString text = QString::number(std::abs(value), 'f', decimals) + QChar(0xB0);
  if (std::abs(value) < step / 2 || std::abs(std::abs(value) - 180.0) < step / 2) return text;
  return text + QLatin1Char(value > 0 ? positive : negative);
}

// The bottom rows the scale bar and its text take.
constexpr double kScaleBarBand = 30.0;

// Degree lines with their labels over the parts of the view left without
// tiles (the painter's clip).
void DrawGraticule(QPainter& p, const MapView& view) {
  double world = WorldSize(view.zoom);
  double step = GraticuleStep(world, 100.0);
  WorldPixel c = view.CentreWorld();
  double left = c.x - view.width / 2.0;
  double top = c.y - view.height / 2.0;
  double yTop = std::max(0.0, -top);
  double yBottom = std::min(static_cast<double>(view.height), world - top);
  p.setFont(PixelFont(11, false));
  QPen line(kGridLine, 1);
  line.setCosmetic(true);

  double lon0 = left / world * 360.0 - 180.0;
  double lon1 = (left + view.width) / world * 360.0 - 180.0;
  long long lonLast = static_cast<long long>(std::floor(lon1 / step));
  for (long long k = static_cast<long long>(std::ceil(lon0 / step)); k <= lonLast; ++k) {
    double lon = static_cast<double>(k) * step;
    double x = (lon + 180.0) / 360.0 * world - left;
    p.setPen(line);
    p.drawLine(QLineF(x, yTop, x, yBottom));
    p.setPen(kGridText);
    p.drawText(QPointF(x + 3, yTop + 12), DegreeText(WrapLongitude(lon), step, 'E', 'W'));
  }

  double latTop = UnitToLatLon({0.0, std::max(0.0, top / world)}).lat;
  double latBottom = UnitToLatLon({0.0, std::min(1.0, (top + view.height) / world)}).lat;
  long long latLast = static_cast<long long>(std::floor(latTop / step));
  for (long long k = static_cast<long long>(std::ceil(latBottom / step)); k <= latLast; ++k) {
    double lat = static_cast<double>(k) * step;
    double y = LatLonToUnit(lat, 0.0).y * world - top;
    p.setPen(line);
    p.drawLine(QLineF(0, y, view.width, y));
    // The scale bar has the lower left corner.
    if (y - 3 > view.height - kScaleBarBand) continue;
    p.setPen(kGridText);
    p.drawText(QPointF(3, y - 3), DegreeText(lat, step, 'N', 'S'));
  }
}

void DrawScaleBar(QPainter& p, const MapView& view) {
  ScaleBar bar = ScaleBarFor(MetresPerPixel(view.centre.lat, view.zoom), std::min(120.0, view.width / 3.0));
  if (bar.metres <= 0.0) return;
  double x0 = 10.0, y = view.height - 10.0, x1 = x0 + bar.pixels;
  QPainterPath path;
  path.moveTo(x0, y - 6);
  path.lineTo(x0, y);
  path.lineTo(x1, y);
  path.lineTo(x1, y - 6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 200), 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
  p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
  QFont font = PixelFont(11, true);
  p.setFont(font);
  QString text = QString::fromStdString(bar.text);
  QPointF at(x0 + 4, y - 5);
  QPainterPath halo;
  halo.addText(at, font, text);
  p.setPen(QPen(QColor(255, 255, 255, 220), 3));
  p.drawPath(halo);
  p.setPen(Qt::black);
  p.drawText(at, text);
}

void DrawAttribution(QPainter& p, const MapView& view, const QString& text) {
  QFont font = PixelFont(10, false);
  QFontMetrics metrics(font);
  int w = metrics.horizontalAdvance(text) + 8;
  int h = metrics.height() + 2;
  QRect box(view.width - w, view.height - h, w, h);
  p.fillRect(box, QColor(255, 255, 255, 190));
  p.setFont(font);
  p.setPen(QColor(40, 40, 40));
  p.drawText(box, Qt::AlignCenter, text);
}

void DrawMark(QPainter& p, QPointF at, MapMarkKind kind) {
  p.setRenderHint(QPainter::Antialiasing);
  if (kind == MapMarkKind::kHome) {
    QPainterPath house;
    house.moveTo(at.x(), at.y() - 9);
    house.lineTo(at.x() + 8, at.y() - 2);
    house.lineTo(at.x() + 6, at.y() - 2);
    house.lineTo(at.x() + 6, at.y() + 7);
    house.lineTo(at.x() - 6, at.y() + 7);
    house.lineTo(at.x() - 6, at.y() - 2);
    house.lineTo(at.x() - 8, at.y() - 2);
    house.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(46, 125, 50));
    p.drawPath(house);
  } else if (kind == MapMarkKind::kPosition) {
    p.setBrush(Qt::NoBrush);
    for (auto [colour, width] : {std::pair{QColor(255, 255, 255), 4.0}, std::pair{QColor(21, 101, 192), 2.0}}) {
      p.setPen(QPen(colour, width));
      p.drawEllipse(at, 7, 7);
      p.drawLine(QLineF(at.x() - 11, at.y(), at.x() - 3, at.y()));
      p.drawLine(QLineF(at.x() + 3, at.y(), at.x() + 11, at.y()));
      p.drawLine(QLineF(at.x(), at.y() - 11, at.x(), at.y() - 3));
      p.drawLine(QLineF(at.x(), at.y() + 3, at.x(), at.y() + 11));
    }
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 136, 229, 70));
    p.drawEllipse(at, 13, 13);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(30, 136, 229));
    p.drawEllipse(at, 6, 6);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
}

QPoint MarkerCorner(double x, double y, int size) {
  return {static_cast<int>(std::floor(x)) - size / 2, static_cast<int>(std::floor(y)) - size / 2};
}

}  // namespace

const QImage& MapPainter::Marker(std::uint8_t type, std::uint8_t flags) {
  Variant variant = (flags & kMapPointArchived) ? kArchived : (flags & kMapPointUnavailable) ? kUnavailable : kPlain;
  QImage& image = markers_[type][variant];
  if (!image.isNull()) return image;
  if (type < kTypeCodeCount) {
    image = TypeIconImage(type, kMarkerSize);
  } else {
    // A type the icons do not know still shows where it is.
    image = QImage(kMarkerSize, kMarkerSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(90, 90, 90));
    p.drawEllipse(QRectF(1, 1, kMarkerSize - 2, kMarkerSize - 2));
  }
  if (variant != kPlain) {
    // As the list strikes the row: red for archived, the colour kept (a
    // dark line) for unavailable.
    QPainter p(&image);
    QColor strike = variant == kArchived ? QColor(255, 0, 0) : QColor(20, 20, 20);
    p.fillRect(QRect(0, kHalfMarker - 1, kMarkerSize, 3), strike);
  }
  return image;
}

void MapPainter::DrawBubble(QPainter& p, double x, double y, std::uint32_t count) {
  QFont font = PixelFont(11, true);
  if (digits_[0].isNull()) {
    QFontMetrics metrics(font);
    int width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int d = 0; d < 10; ++d) {
      QImage& digit = digits_[static_cast<std::size_t>(d)];
      digit = QImage(width, metrics.height(), QImage::Format_ARGB32_Premultiplied);
      digit.fill(Qt::transparent);
      QPainter dp(&digit);
      dp.setFont(font);
      dp.setPen(Qt::white);
      dp.drawText(QRect(0, 0, width, metrics.height()), Qt::AlignCenter, QString::number(d));
    }
  }
  char text[16];
  int length = std::snprintf(text, sizeof text, "%u", count);
  int size = count < 100 ? 0 : count < 1000 ? 1 : 2;
  int textWidth = length * digits_[0].width();
  QImage& body = bubbleBodies_[size * 16 + length];
  if (body.isNull()) {
    int height = 24 + 4 * size;
    int width = std::max(height, textWidth + 12);
    body = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    body.fill(Qt::transparent);
    QPainter bp(&body);
    bp.setRenderHint(QPainter::Antialiasing);
    const QColor fills[] = {QColor(58, 123, 213, 225), QColor(224, 138, 30, 225), QColor(208, 64, 42, 225)};
    bp.setPen(QPen(Qt::white, 2));
    bp.setBrush(fills[size]);
    bp.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), (height - 2) / 2.0, (height - 2) / 2.0);
  }
  int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  p.drawImage(QPoint(cx - body.width() / 2, cy - body.height() / 2), body);
  int left = cx - textWidth / 2, top = cy - digits_[0].height() / 2;
  for (int i = 0; i < length; ++i)
    p.drawImage(QPoint(left + i * digits_[0].width(), top), digits_[static_cast<std::size_t>(text[i] - '0')]);
}

MapPaintResult MapPainter::Paint(QPainter& p, const MapView& view, const MapScene& scene, TileImages* tiles) {
  MapPaintResult result;
  items_.points.clear();
  items_.clusters.clear();
  if (view.width <= 0 || view.height <= 0) return result;
  p.save();
  if (!view.Valid()) {
    p.fillRect(QRect(0, 0, view.width, view.height), kOffWorld);
    p.restore();
    return result;
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(0, 0, view.width, view.height), kOffWorld);

  std::vector<TileRef> refs = TilesInView(view);
  if (tiles) tiles->Want(refs);
  QRegion missing;
  result.tiles = static_cast<int>(refs.size());
  for (const TileRef& t : refs) {
    // Whole pixels, each edge shared with the neighbour: no seams.
    int x0 = static_cast<int>(std::floor(t.left)), y0 = static_cast<int>(std::floor(t.top));
    QRect target(x0, y0, static_cast<int>(std::floor(t.left + t.size)) - x0,
                 static_cast<int>(std::floor(t.top + t.size)) - y0);
    const QImage* image = tiles ? tiles->Find(t.z, t.x, t.y) : nullptr;
    if (image) {
      p.drawImage(target, *image);
      ++result.tilesDrawn;
      continue;
    }
    bool stoodIn = false;
    for (int up = 1; tiles && up <= 3 && t.z - up >= 0 && !stoodIn; ++up) {
      const QImage* coarse = tiles->Find(t.z - up, t.x >> up, t.y >> up);
      if (!coarse) continue;
      int mask = (1 << up) - 1;
      double part = coarse->width() / static_cast<double>(1 << up);
      p.drawImage(QRectF(target), *coarse, QRectF((t.x & mask) * part, (t.y & mask) * part, part, part));
      stoodIn = true;
    }
    if (stoodIn) {
      ++result.tilesStandIn;
      continue;
    }
    p.fillRect(target, kBackground);
    missing += target;
  }
  if (!missing.isEmpty()) {
    p.setClipRegion(missing);
    DrawGraticule(p, view);
    p.setClipping(false);
    result.graticule = true;
  }

  if (scene.points) {
    scene.points->Query(view, scene.clusters, &items_);
    for (const ViewPoint& pt : items_.points)
      p.drawImage(MarkerCorner(pt.x, pt.y, kMarkerSize), Marker(pt.type, pt.flags));
    for (const ViewCluster& c : items_.clusters) DrawBubble(p, c.x, c.y, c.count);
  }

  for (const MapMark& mark : scene.marks) {
    WorldPixel at = view.ToView(mark.position.lat, mark.position.lon);
    DrawMark(p, QPointF(std::floor(at.x) + 0.5, std::floor(at.y) + 0.5), mark.kind);
  }

  if (scene.selected) {
    const MapPoint& s = *scene.selected;
    WorldPixel at = view.ToView(s.lat, s.lon);
    QPointF middle(std::floor(at.x) + 0.5, std::floor(at.y) + 0.5);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 160), 5));
    p.drawEllipse(middle, 12, 12);
    p.setPen(QPen(QColor(255, 214, 0), 3));
    p.drawEllipse(middle, 12, 12);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawImage(MarkerCorner(at.x, at.y, kMarkerSize), Marker(s.type, s.flags));
  }

  DrawScaleBar(p, view);
  if (!scene.attribution.isEmpty()) DrawAttribution(p, view, scene.attribution);
  p.restore();
  return result;
}

}  // namespace quill
