// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AppSettings.h"

namespace quill {

AppSettings ReadAppSettings(const TUlkRegistry& r) {
  const std::string s = kSettingsSection;
  AppSettings a;
  auto flag = [&](const char* name, bool def) { return r.ReadInt(s, name, def ? 1 : 0) != 0; };
  a.WarnDel = flag("WarnDel", a.WarnDel);
  a.WarnExit = flag("WarnExit", a.WarnExit);
  a.WarnSaveFav = flag("WarnSaveFav", a.WarnSaveFav);
  a.WarnSaveFtp = flag("WarnSaveFtp", a.WarnSaveFtp);
  a.NorthDefault = r.ReadInt(s, "NorthDefault", a.NorthDefault);
  a.EastDefault = r.ReadInt(s, "EastDefault", a.EastDefault);
  a.GmZoomLevel = r.ReadInt(s, "GmZoomLevel", a.GmZoomLevel);
  a.GmType = r.ReadInt(s, "GmType", a.GmType);
  a.FavoriteFile = r.ReadString(s, "FavoriteFile", a.FavoriteFile);
  a.ArchiveFile = r.ReadString(s, "ArchiveFile", a.ArchiveFile);
  a.NoCheckWhenEmpty = flag("NoCheckWhenEmpty", a.NoCheckWhenEmpty);
  a.IncludeGroudspeak = flag("IncludeGroudspeak", a.IncludeGroudspeak);
  a.RealWebLink = flag("RealWebLink", a.RealWebLink);
  a.ShowArchAv = flag("ShowArchAv", a.ShowArchAv);
  a.HomeCoords = r.ReadString(s, "HomeCoords", a.HomeCoords);
  a.FtpHost = r.ReadString(s, "FtpHost", a.FtpHost);
  a.FtpUser = r.ReadString(s, "FtpUser", a.FtpUser);
  a.FtpPassword = r.ReadString(s, "FtpPassword", a.FtpPassword);
  a.FtpRemDirFav = r.ReadString(s, "FtpRemDirFav", a.FtpRemDirFav);
  a.FtpRemFilenameFav = r.ReadString(s, "FtpRemFilenameFav", a.FtpRemFilenameFav);
  a.FtpProxy = r.ReadString(s, "FtpProxy", a.FtpProxy);
  a.FtpProxyPort = r.ReadInt(s, "FtpProxyPort", a.FtpProxyPort);
  a.FtpPassive = r.ReadInt(s, "FtpPassive", a.FtpPassive);
  a.FtpTimeLimit = r.ReadInt(s, "FtpTimeLimit", a.FtpTimeLimit);
  a.AppTop = r.ReadInt(s, "AppTop", a.AppTop);
  a.AppLeft = r.ReadInt(s, "AppLeft", a.AppLeft);
  a.HistTop = r.ReadInt(s, "HistTop", a.HistTop);
  a.HistLeft = r.ReadInt(s, "HistLeft", a.HistLeft);
  return a;
}

bool WriteWindowPositions(TUlkRegistry& r, std::int32_t appTop, std::int32_t appLeft, std::int32_t histTop,
                          std::int32_t histLeft) {
  return r.WriteInts(kSettingsSection,
                     {{"AppTop", appTop}, {"AppLeft", appLeft}, {"HistTop", histTop}, {"HistLeft", histLeft}});
}

bool WriteOptionSettings(TUlkRegistry& r, const AppSettings& a) {
  auto flag = [](bool b) { return std::int32_t{b ? 1 : 0}; };
  return r.WriteValues(kSettingsSection, {
                                             {"WarnDel", flag(a.WarnDel)},
                                             {"WarnExit", flag(a.WarnExit)},
                                             {"WarnSaveFav", flag(a.WarnSaveFav)},
                                             {"WarnSaveFtp", flag(a.WarnSaveFtp)},
                                             {"NorthDefault", a.NorthDefault},
                                             {"EastDefault", a.EastDefault},
                                             {"GmZoomLevel", a.GmZoomLevel},
                                             {"GmType", a.GmType},
                                             {"FavoriteFile", a.FavoriteFile},
                                             {"ArchiveFile", a.ArchiveFile},
                                             {"NoCheckWhenEmpty", flag(a.NoCheckWhenEmpty)},
                                             {"IncludeGroudspeak", flag(a.IncludeGroudspeak)},
                                             {"RealWebLink", flag(a.RealWebLink)},
                                             {"ShowArchAv", flag(a.ShowArchAv)},
                                             {"HomeCoords", a.HomeCoords},
                                             {"FtpHost", a.FtpHost},
                                             {"FtpUser", a.FtpUser},
                                             {"FtpPassword", a.FtpPassword},
                                             {"FtpRemDirFav", a.FtpRemDirFav},
                                             {"FtpRemFilenameFav", a.FtpRemFilenameFav},
                                             {"FtpProxy", a.FtpProxy},
                                             {"FtpProxyPort", a.FtpProxyPort},
                                             {"FtpPassive", a.FtpPassive},
                                         });
}

std::int32_t ProxyPortFromText(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return 0;
  std::int32_t port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    port = port * 10 + (c - '0');
    if (port > 65535) return 0;
  }
  return port;
}

std::string ReadSavePath(const TUlkRegistry& r) { return r.ReadString(kSettingsSection, "SavePathGPX", "."); }

}  // namespace quill
