// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings the program keeps in the section "Settings" of the store. One
// table (kSettingRows) names each with its stored key, its member, its
// default, who writes it and the options dialog's control that edits it;
// reading, writing, the dialog and the session all go by that table.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/UlkRegistry.h"

namespace quill {

inline constexpr const char* kSettingsSection = "Settings";

// The map's tiles as they come: the OpenStreetMap standard layer, its
// attribution (memory text), and the disk cache they are kept in.
inline constexpr const char* kDefaultMapTileUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
inline constexpr const char* kDefaultMapAttribution = "\xA9 OpenStreetMap contributors";
inline constexpr std::int32_t kDefaultMapCacheMB = 250;
inline constexpr std::int32_t kMaxMapCacheMB = 100000;

// Texts are memory text (Windows-1252), as the store hands them out.
struct AppSettings {
  // Every member takes the default of its row.
  AppSettings();

  bool WarnDel;
  bool WarnExit;
  bool WarnSaveFav;
  bool WarnSaveFtp;
  std::int32_t NorthDefault;
  std::int32_t EastDefault;
  std::int32_t GmZoomLevel;
  std::int32_t GmType;  // 'm', 'k' or 'h'
  std::string FavoriteFile;
  std::string ArchiveFile;
  bool NoCheckWhenEmpty;
  bool IncludeGroundspeak;
  bool RealWebLink;
  bool ShowArchAv;
  std::string HomeCoords;
  std::string FtpHost;
  std::string FtpUser;
  std::string FtpPassword;  // scrambled
  std::string FtpRemDirFav;
  std::string FtpRemFilenameFav;
  std::string FtpProxy;
  std::int32_t FtpProxyPort;
  std::int32_t FtpPassive;
  // Seconds a whole FTP transfer may take, when more than the built-in
  // limit; set by hand, never written by the program.
  std::int32_t FtpTimeLimit;
  std::string MapTileUrl;  // {z}, {x}, {y}; empty: no tiles
  std::string MapAttribution;
  std::int32_t MapCacheMB;  // 0: no disk cache
  std::int32_t AppTop;
  std::int32_t AppLeft;
  std::int32_t HistTop;
  std::int32_t HistLeft;
  // The map window's client area; a width of 0 until it was first closed.
  std::int32_t MapTop;
  std::int32_t MapLeft;
  std::int32_t MapWidth;
  std::int32_t MapHeight;
  bool ShowDetails;         // the details pane beside the list
  std::string SavePathGpx;  // the folder of the file dialogs
};

// Who writes a setting, each group in one rewrite of the store.
enum class SettingGroup {
  kOptions,         // OK of the options dialog
  kWindowPosition,  // the window as it closes
  kMapWindow,       // the map window as it closes
  kDetailsPane,     // the window, when the details pane is shown or hidden
  kSavePath,        // the session, when the file dialogs' folder changes
  kReadOnly,        // nobody: a value set by hand
};

// The member's type is the kind: a flag (a dword, any value but 0 is on), a
// number (a dword) or a text (a string).
using SettingMember = std::variant<bool AppSettings::*, std::int32_t AppSettings::*, std::string AppSettings::*>;
using SettingDefault = std::variant<bool, std::int32_t, const char*>;

struct SettingRow {
  std::string_view key;  // the stored name, never to change
  SettingMember member;
  SettingDefault def;  // of the member's kind
  SettingGroup group;
  // The objectName of the options dialog's control that shows and edits the
  // value; empty when the dialog has none.
  std::string_view control = {};
};

// The table, in the order the options dialog writes its values.
std::span<const SettingRow> SettingRows();
// The row of a member (every member has one).
const SettingRow& RowOf(SettingMember member);

// Every value; missing or mistyped values take their defaults.
AppSettings ReadAppSettings(const TUlkRegistry& registry);
// The values of one group, in table order and in one rewrite; false when the
// store could not be written.
bool WriteSettings(TUlkRegistry& registry, const AppSettings& settings, SettingGroup group);
// The members of one group from `from` into `into`; the others stay.
void CopySettings(const AppSettings& from, AppSettings& into, SettingGroup group);

// The folder of the file dialogs as stored now (another copy may have changed it).
std::string ReadSavePath(const TUlkRegistry& registry);

// The proxy port as typed: a decimal number 0..65535 with blanks around it
// allowed; any other text is 0.
std::int32_t ProxyPortFromText(std::string_view text);

}  // namespace quill
