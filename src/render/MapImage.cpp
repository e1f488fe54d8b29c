// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/MapImage.h"

#include <QEventLoop>
#include <QPainter>
#include <QTimer>

#include "render/TileSource.h"

namespace quill {

QImage DrawMapImage(const MapView& view, const MapScene& scene, TileSource* tiles, int waitMs, MapPaintResult* result) {
  if (tiles && tiles->Active()) {
    tiles->Want(TilesInView(view));
    if (tiles->Busy()) {
      QEventLoop loop;
      QObject::connect(tiles, &TileSource::settled, &loop, &QEventLoop::quit);
      QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
      loop.exec();
    }
  }
  QImage image(std::max(1, view.width), std::max(1, view.height), QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  MapPainter mapPainter;
  MapPaintResult drawn = mapPainter.Paint(painter, view, scene, tiles);
  painter.end();
  if (result) *result = drawn;
  return image;
}

}  // namespace quill
