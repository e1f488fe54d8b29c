// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web addresses the program builds: a cache's short link, the map
// services' views of a position, and the rule that decides what "Web Link"
// opens. The hosts are set when the program is configured.
#include <string>
#include <string_view>

#include "list/GpxRecord.h"

namespace quill {

// "https://<short-link host>/<code>".
std::string CacheShortLink(std::string_view cacheCode);

// Google Maps showing a marker at the position; zoom and type as in the
// settings GmZoomLevel and GmType (a character code: 'm', 'k' or 'h').
std::string GoogleMapsUrl(double lat, double lon, int zoomLevel, int mapType);
std::string BingMapsUrl(double lat, double lon);

// True for an http or https URL with a host and no control characters (C0,
// DEL, nor C1 U+0080..U+009F, which a terminal obeys too): the only
// addresses the program hands to the desktop or prints from a waypoint.
bool IsWebLink(std::string_view url);
// A memory-text address as UTF-8 fit to show, every control character a blank.
std::string LinkForDisplay(std::string_view url);

// What "Web Link" opens for a waypoint: with realWebLink, an additional
// waypoint whose name is its cache's code behind another two-letter prefix
// opens that cache's short link; otherwise the waypoint's Url (blanks around
// it dropped), which may be empty or no web link at all.
std::string WebLinkTarget(const TGpxRecord& record, bool realWebLink);

}  // namespace quill
