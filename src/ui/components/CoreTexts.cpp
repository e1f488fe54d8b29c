// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/CoreTexts.h"

#include <QCoreApplication>
#include <string>

namespace quill {
namespace {

// Listed for the catalogue only: the core's tables hold the same texts.
[[maybe_unused]] constexpr const char* kCatalogue[] = {
    // sort orders
    QT_TRANSLATE_NOOP("CoreText", "Sort by Name"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by GC-Name"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Date"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Timestamp"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Distance from home"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by North coordinates"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by East coordinates"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Cache Type"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by 'Placed by'"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Date Found"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Description"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Comment"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by URL Name"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Logs"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Country"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by State"),
    QT_TRANSLATE_NOOP("CoreText", "Sort by Difficulty"),
    // column modes and headers
    QT_TRANSLATE_NOOP("CoreText", "Description"),
    QT_TRANSLATE_NOOP("CoreText", "Comment"),
    QT_TRANSLATE_NOOP("CoreText", "URL Name"),
    QT_TRANSLATE_NOOP("CoreText", "Timestamp"),
    QT_TRANSLATE_NOOP("CoreText", "Distance from Home"),
    QT_TRANSLATE_NOOP("CoreText", "Date Found"),
    QT_TRANSLATE_NOOP("CoreText", "'Placed By'"),
    QT_TRANSLATE_NOOP("CoreText", "Logs"),
    QT_TRANSLATE_NOOP("CoreText", "Difficulty"),
    QT_TRANSLATE_NOOP("CoreText", "Country"),
    QT_TRANSLATE_NOOP("CoreText", "State"),
    QT_TRANSLATE_NOOP("CoreText", "Name"),
    QT_TRANSLATE_NOOP("CoreText", "Latitude (N)"),
    QT_TRANSLATE_NOOP("CoreText", "Longitude (E)"),
    QT_TRANSLATE_NOOP("CoreText", "TimeStamp"),
    // filter modes
    QT_TRANSLATE_NOOP("CoreText", "Placed by"),
    QT_TRANSLATE_NOOP("CoreText", "Terrain (lower or equal)"),
    QT_TRANSLATE_NOOP("CoreText", "Terrain (higher or equal)"),
    QT_TRANSLATE_NOOP("CoreText", "Difficulty (lower or equal)"),
    QT_TRANSLATE_NOOP("CoreText", "Difficulty (higher or equal)"),
    QT_TRANSLATE_NOOP("CoreText", "Max distance from home"),
    QT_TRANSLATE_NOOP("CoreText", "Type"),
    QT_TRANSLATE_NOOP("CoreText", "Container"),
    QT_TRANSLATE_NOOP("CoreText", "Real caches"),
    QT_TRANSLATE_NOOP("CoreText", "Found"),
    QT_TRANSLATE_NOOP("CoreText", "Archived"),
    // converter results
    QT_TRANSLATE_NOOP("CoreText", "Degrees"),
    QT_TRANSLATE_NOOP("CoreText", "Degrees, minutes"),
    QT_TRANSLATE_NOOP("CoreText", "Degrees, min, sec"),
    QT_TRANSLATE_NOOP("CoreText", "RD (dutch grid)"),
    QT_TRANSLATE_NOOP("CoreText", "Lambert72 (belgian grid)"),
    QT_TRANSLATE_NOOP("CoreText", "UTM"),
    QT_TRANSLATE_NOOP("CoreText", "ECEF (XYZ)"),
    QT_TRANSLATE_NOOP("CoreText", "Altitude"),
};

}  // namespace

QString CoreText(std::string_view english) {
  const std::string key(english);
  return QCoreApplication::translate("CoreText", key.c_str());
}

}  // namespace quill
