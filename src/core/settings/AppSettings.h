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
};

// Every value in table order (the window positions last); missing values
// take their defaults.
AppSettings ReadAppSettings(const TUlkRegistry& registry);

// The four window positions in one rewrite.
bool WriteWindowPositions(TUlkRegistry& registry, std::int32_t appTop, std::int32_t appLeft, std::int32_t histTop,
                          std::int32_t histLeft);

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
