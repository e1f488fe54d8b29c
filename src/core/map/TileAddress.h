// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tile server's URL template: checked once where it is typed, filled in for
// every tile. Apart from the tile source so a build without the painter still
// refuses a bad address.
#include <QString>
#include <QUrl>

namespace quill {

// True for an http, https or file URL that names {z}, {x} and {y}.
bool IsTileTemplate(const QString& urlTemplate);
// The template with a tile's numbers put in.
QUrl TileUrl(const QString& urlTemplate, int z, int x, int y);

}  // namespace quill
