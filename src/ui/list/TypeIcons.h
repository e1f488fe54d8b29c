// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small picture of each waypoint type code 0..19 as an icon (the
// pictures themselves come from render/TypeIconImages).
#include <QIcon>

namespace quill {

// An empty icon for a code outside 0..19.
const QIcon& TypeIcon(int typeCode);

}  // namespace quill
