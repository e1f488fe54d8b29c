// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TypeIconImages.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "list/GpxRecord.h"

namespace quill {
namespace {

enum class Shape { kCircle, kSquare, kEvent };

struct IconStyle {
  Shape shape;
  QRgb fill;
  const char* glyph;
};

// Additional waypoints are round, caches square, events have cut corners.
constexpr std::array<IconStyle, kTypeCodeCount> kStyles = {{
    {Shape::kCircle, 0xFFB01818, "F"},  // Final Location
    {Shape::kCircle, 0xFF1F5FBF, "P"},  // Parking Area
    {Shape::kCircle, 0xFFE07800, "S"},  // Stages of a Multicache
    {Shape::kCircle, 0xFF707070, "R"},  // Reference Point
    {Shape::kCircle, 0xFF7A2E9E, "?"},  // Question to Answer
    {Shape::kCircle, 0xFF8A5A20, "T"},  // Trailhead
    {Shape::kSquare, 0xFF1E8A1E, "T"},  // Traditional Cache
    {Shape::kSquare, 0xFFE07800, "M"},  // Multi-cache
    {Shape::kSquare, 0xFF1F4FBF, "?"},  // Mystery/Puzzle Cache
    {Shape::kSquare, 0xFF5AA0C8, "V"},  // Virtual Cache
    {Shape::kSquare, 0xFF8A5A20, "E"},  // Earthcache
    {Shape::kSquare, 0xFF606060, "W"},  // Webcam Cache
    {Shape::kSquare, 0xFF1A2F6E, "L"},  // Letterbox Hybrid
    {Shape::kEvent, 0xFFC81E1E, "E"},   // Event Cache
    {Shape::kEvent, 0xFF9E1E7A, "M"},   // Mega-Event Cache
    {Shape::kEvent, 0xFF2E7A2E, "C"},   // Cache In Trash Out Event
    {Shape::kSquare, 0xFF128A8A, "W"},  // Wherigo Cache
    {Shape::kSquare, 0xFF7A7A1E, "L"},  // Locationless (Reverse) Cache
    {Shape::kSquare, 0xFF4E5E2E, "A"},  // Project APE Cache
    {Shape::kSquare, 0xFF3E6E9E, "G"},  // GPS Adventures Exhibits
}};

}  // namespace

QImage TypeIconImage(int typeCode, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (typeCode < 0 || typeCode >= kTypeCodeCount) return image;
  const IconStyle& style = kStyles[static_cast<std::size_t>(typeCode)];
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
  QPainterPath path;
  if (style.shape == Shape::kCircle) {
    path.addEllipse(r);
  } else if (style.shape == Shape::kSquare) {
    path.addRoundedRect(r, size / 6.0, size / 6.0);
  } else {
    qreal c = size / 4.0;
    path.moveTo(r.left() + c, r.top());
    path.lineTo(r.right() - c, r.top());
    path.lineTo(r.right(), r.top() + c);
    path.lineTo(r.right(), r.bottom() - c);
    path.lineTo(r.right() - c, r.bottom());
    path.lineTo(r.left() + c, r.bottom());
    path.lineTo(r.left(), r.bottom() - c);
    path.lineTo(r.left(), r.top() + c);
    path.closeSubpath();
  }
  p.fillPath(path, QColor::fromRgba(style.fill));
  p.setPen(QPen(QColor::fromRgba(style.fill).darker(150), size / 16.0));
  p.drawPath(path);
  QFont f("DejaVu Sans");
  f.setBold(true);
  f.setPixelSize(size * 11 / 16);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(style.glyph));
  return image;
}

}  // namespace quill
