// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launches of the window's web buttons and of the edit dialog, on the
// session's launcher: the offline cache page, the waypoint's web link, the
// shown list in Google Earth and a position on a map. Each reports what went
// wrong on the session's status sink at level 2 and then opens nothing.
#include <string>

#include "list/GpxRecord.h"

namespace quill {

class ListSession;

// "Local": builds the cache page of record from the template in the
// session's data folder, writes it with its images into the work folder and
// opens it. False when the template is missing or the page cannot be written.
bool ShowCachePage(ListSession& session, const TGpxRecord& record);
// The path ShowCachePage writes.
std::string CachePagePath(const ListSession& session);

// Opens url when it is a web link (IsWebLink); anything else is refused with
// "Not a web link: ..." and nothing opens. An empty url opens nothing and says
// nothing.
bool OpenWebLink(ListSession& session, const std::string& url);

// "Web Link": opens WebLinkTarget(record, realWebLink) by OpenWebLink.
bool LaunchWebLink(ListSession& session, const TGpxRecord& record, bool realWebLink);

// "Google Earth": writes the shown list as tmp.kml into the work folder and
// opens it. An empty list writes and opens nothing (false).
bool LaunchGoogleEarth(ListSession& session);
std::string GoogleEarthPath(const ListSession& session);

// "Google Maps" and "VE" for a position.
void LaunchGoogleMaps(ListSession& session, double lat, double lon, int zoomLevel, int mapType);
void LaunchBingMaps(ListSession& session, double lat, double lon);

}  // namespace quill
