// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A map view drawn into an image, for a program without a window: the tiles
// of the view are fetched first (the event loop runs until every one is
// answered or waitMs have passed), then the picture is drawn once.
#include <QImage>

#include "render/MapPainter.h"

namespace quill {

class TileSource;

// tiles may be null: the background with degree lines. Needs a
// QGuiApplication (fonts); the offscreen platform will do.
QImage DrawMapImage(const MapView& view, const MapScene& scene, TileSource* tiles, int waitMs,
                    MapPaintResult* result = nullptr);

}  // namespace quill
