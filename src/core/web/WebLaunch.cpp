// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebLaunch.h"

#include "base/FileIo.h"
#include "base/UserFolders.h"
#include "formats/KmlWriter.h"
#include "session/ListSession.h"
#include "text/TextHelpers.h"
#include "web/CachePage.h"
#include "web/WebLinks.h"

namespace quill {
namespace {

std::string InWorkFolder(const ListSession& session, const char* name) {
  std::string folder = session.WorkFolder();
  if (folder.empty()) folder = ".";
  if (folder.back() != '/') folder += '/';
  return folder + name;
}

bool MakeWorkFolder(const ListSession& session) {
  return MakeFolders(session.WorkFolder().empty() ? std::string(".") : session.WorkFolder());
}

void CannotWrite(ListSession& session, const std::string& path) {
  session.Status().SetError(2, "Cannot write " + path);
}

}  // namespace

std::string CachePagePath(const ListSession& session) { return InWorkFolder(session, "tmp.htm"); }

std::string GoogleEarthPath(const ListSession& session) { return InWorkFolder(session, "tmp.kml"); }

bool ShowCachePage(ListSession& session, const TGpxRecord& record) {
  const std::string templatePath = CachePageTemplatePath(session.ProgramFolder());
  std::string templateText;
  if (!ReadCachePageTemplate(templatePath, templateText)) {
    session.Status().SetError(2, "Cache page template missing: " + templatePath);
    return false;
  }
  const std::string page = CachePagePath(session);
  std::string why;
  if (!MakeWorkFolder(session)) {
    CannotWrite(session, page);
    return false;
  }
  if (!WriteCachePage(page, BuildCachePage(templateText, record, CachePageImageUrl(page)), {FolderOfPath(templatePath)},
                      true, &why)) {
    session.Status().SetError(2, "Cannot write the cache page: " + why);
    return false;
  }
  session.Launch().OpenFile(page);
  return true;
}

bool OpenWebLink(ListSession& session, const std::string& url) {
  if (url.empty()) return false;
  if (!IsWebLink(url)) {
    session.Status().SetError(2, "Not a web link: " + ReplaceControlChars(url, 0, ' '));
    return false;
  }
  session.Launch().OpenUrl(url);
  return true;
}

bool LaunchWebLink(ListSession& session, const TGpxRecord& record, bool realWebLink) {
  return OpenWebLink(session, WebLinkTarget(record, realWebLink));
}

bool LaunchGoogleEarth(ListSession& session) {
  const auto& shown = session.Store().ShownWaypoints();
  if (shown.empty()) return false;
  const std::string path = GoogleEarthPath(session);
  WriteOptions options;
  options.privateFile = true;
  if (!MakeWorkFolder(session) || !WriteKmlFile(path, RecordSpan(shown.data(), shown.size()), options)) {
    CannotWrite(session, path);
    return false;
  }
  session.Launch().OpenFile(path);
  return true;
}

void LaunchGoogleMaps(ListSession& session, double lat, double lon, int zoomLevel, int mapType) {
  session.Launch().OpenUrl(GoogleMapsUrl(lat, lon, zoomLevel, mapType));
}

void LaunchBingMaps(ListSession& session, double lat, double lon) { session.Launch().OpenUrl(BingMapsUrl(lat, lon)); }

}  // namespace quill
