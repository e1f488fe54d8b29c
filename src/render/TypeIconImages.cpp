// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TypeIconImages.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include "list/WaypointType.h"

namespace quill {

QImage TypeIconImage(int typeCode, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (typeCode < 0 || typeCode >= kTypeCodeCount) return image;
  const WaypointTypeInfo& style = TypeInfo(typeCode);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
  QPainterPath path;
  if (style.iconShape == IconShape::Circle) {
    path.addEllipse(r);
  } else if (style.iconShape == IconShape::Square) {
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
  p.fillPath(path, QColor::fromRgba(style.iconArgb));
  p.setPen(QPen(QColor::fromRgba(style.iconArgb).darker(150), size / 16.0));
  p.drawPath(path);
  QFont f("DejaVu Sans");
  f.setBold(true);
  f.setPixelSize(size * 11 / 16);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString(QLatin1Char(style.iconGlyph)));
  return image;
}

}  // namespace quill
