// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small picture of each waypoint type code 0..19, drawn at any size: the
// list's icons and the map's markers are the same pictures.
#include <QImage>

namespace quill {

// A size x size picture (premultiplied ARGB, transparent around the shape);
// a transparent one for a code outside 0..19.
QImage TypeIconImage(int typeCode, int size);

}  // namespace quill
