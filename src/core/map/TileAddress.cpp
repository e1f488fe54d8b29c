// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/TileAddress.h"

namespace quill {

bool IsTileTemplate(const QString& urlTemplate) {
  if (!urlTemplate.contains(QLatin1String("{z}")) || !urlTemplate.contains(QLatin1String("{x}")) ||
      !urlTemplate.contains(QLatin1String("{y}")))
    return false;
  QUrl url = TileUrl(urlTemplate, 0, 0, 0);
  QString scheme = url.scheme().toLower();
  return url.isValid() &&
         (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file"));
}

QUrl TileUrl(const QString& urlTemplate, int z, int x, int y) {
  QString text = urlTemplate;
  text.replace(QLatin1String("{z}"), QString::number(z));
  text.replace(QLatin1String("{x}"), QString::number(x));
  text.replace(QLatin1String("{y}"), QString::number(y));
  return QUrl(text);
}

}  // namespace quill
