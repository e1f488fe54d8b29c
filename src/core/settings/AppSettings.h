// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings the window reads at start, with their defaults, and the
// window positions it writes at close. All live in the section "Settings".
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/UlkRegistry.h"

namespace quill {

inline constexpr const char* kSettingsSection = "Settings";

// The map's tiles as they come: the OpenStreetMap standard layer, its
// attribution (memory text), and the disk cache they are kept in.
inline constexpr const char* kDefaultMapTileUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
inline constexpr const char* kDefaultMapAttribution = "\xA9 OpenStreetMap contributors";
inline constexpr std::int32_t kDefaultMapCacheMB = 250;
inline constexpr std::int32_t kMaxMapCacheMB = 100000;

struct AppSettings {
  bool WarnDel = false;
  bool WarnExit = true;
  bool WarnSaveFav = true;
  bool WarnSaveFtp = true;
  std::int32_t NorthDefault = 0;
  std::int32_t EastDefault = 0;
  std::int32_t GmZoomLevel = 14;
  std::int32_t GmType = 109;  // 'm'
  std::string FavoriteFile;
  std::string ArchiveFile;
  bool NoCheckWhenEmpty = false;
  bool IncludeGroudspeak = false;
  bool RealWebLink = false;
  bool ShowArchAv = false;
  std::string HomeCoords;
  std::string FtpHost;
  std::string FtpUser;
  std::string FtpPassword;  // scrambled
  std::string FtpRemDirFav;
  std::string FtpRemFilenameFav;
  std::string FtpProxy;
  std::int32_t FtpProxyPort = 0;
  std::int32_t FtpPassive = 1;
  // Seconds a whole FTP transfer may take, when more than the built-in
  // limit; not in the options dialog, and never written by it.
  std::int32_t FtpTimeLimit = 0;
  std::int32_t AppTop = 0;
  std::int32_t AppLeft = 0;
  std::int32_t HistTop = 0;
  std::int32_t HistLeft = 0;
  std::string MapTileUrl = kDefaultMapTileUrl;  // {z}, {x}, {y}; empty: no tiles
  std::string MapAttribution = kDefaultMapAttribution;
  std::int32_t MapCacheMB = kDefaultMapCacheMB;  // 0: no disk cache
  // The map window's client area; a width of 0 until it was first closed.
  std::int32_t MapTop = 0;
  std::int32_t MapLeft = 0;
  std::int32_t MapWidth = 0;
  std::int32_t MapHeight = 0;
};

// Every value in table order (the window positions last, then the map's);
// missing values take their defaults.
AppSettings ReadAppSettings(const TUlkRegistry& registry);

// The four window positions in one rewrite.
bool WriteWindowPositions(TUlkRegistry& registry, std::int32_t appTop, std::int32_t appLeft, std::int32_t histTop,
                          std::int32_t histLeft);

// The map window's place and size in one rewrite.
bool WriteMapWindowPlace(TUlkRegistry& registry, std::int32_t top, std::int32_t left, std::int32_t width,
                         std::int32_t height);

// What OK of the options dialog writes, in its order and in one rewrite:
// every setting it edits, the password in its stored (scrambled) form. The
// text export's notation and the window positions are not among them.
bool WriteOptionSettings(TUlkRegistry& registry, const AppSettings& settings);

// The proxy port as typed: a decimal number 0..65535 with blanks around it
// allowed; any other text is 0.
std::int32_t ProxyPortFromText(std::string_view text);

// SavePathGPX, the folder of the file dialogs (default ".").
std::string ReadSavePath(const TUlkRegistry& registry);

}  // namespace quill
