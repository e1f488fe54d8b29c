// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AppSettings.h"

#include <array>
#include <vector>

namespace quill {
namespace {

using A = AppSettings;
using G = SettingGroup;

// A new setting is one row here plus its member in AppSettings: the key as it
// is to be stored, the member, its default and the group that writes it (and
// the options dialog's control when the dialog edits it). Keys already stored
// never change, misspelt ones included.
constexpr std::array kRows{
    SettingRow{"WarnDel", &A::WarnDel, false, G::kOptions, "CheckBoxWarnDel"},
    SettingRow{"WarnExit", &A::WarnExit, true, G::kOptions, "CheckBoxWarnExit"},
    SettingRow{"WarnSaveFav", &A::WarnSaveFav, true, G::kOptions, "CheckBoxWarnSaveFav"},
    SettingRow{"WarnSaveFtp", &A::WarnSaveFtp, true, G::kOptions, "CheckBoxWarnSaveFtp"},
    SettingRow{"NorthDefault", &A::NorthDefault, 0, G::kOptions, "ComboBoxNorth"},
    SettingRow{"EastDefault", &A::EastDefault, 0, G::kOptions, "ComboBoxEast"},
    SettingRow{"GmZoomLevel", &A::GmZoomLevel, 14, G::kOptions, "TrackBarZoom"},
    SettingRow{"GmType", &A::GmType, std::int32_t{'m'}, G::kOptions, "PanelViewMode"},
    // The two files are chosen with the dialog's file buttons.
    SettingRow{"FavoriteFile", &A::FavoriteFile, "", G::kOptions},
    SettingRow{"ArchiveFile", &A::ArchiveFile, "", G::kOptions},
    SettingRow{"NoCheckWhenEmpty", &A::NoCheckWhenEmpty, false, G::kOptions, "CheckBoxNoCheckWhenEmpty"},
    SettingRow{"IncludeGroudspeak", &A::IncludeGroundspeak, false, G::kOptions, "CheckBoxIncludeGroundspeak"},
    SettingRow{"RealWebLink", &A::RealWebLink, false, G::kOptions, "CheckBoxRealWebLink"},
    SettingRow{"ShowArchAv", &A::ShowArchAv, false, G::kOptions, "CheckBoxShowArchAv"},
    SettingRow{"HomeCoords", &A::HomeCoords, "", G::kOptions, "EditHomeCoords"},
    SettingRow{"FtpHost", &A::FtpHost, "", G::kOptions, "EditFtpHost"},
    SettingRow{"FtpUser", &A::FtpUser, "", G::kOptions, "EditFtpUser"},
    SettingRow{"FtpPassword", &A::FtpPassword, "", G::kOptions, "EditFtpPassword"},
    SettingRow{"FtpRemDirFav", &A::FtpRemDirFav, "", G::kOptions, "EditFtpDir"},
    SettingRow{"FtpRemFilenameFav", &A::FtpRemFilenameFav, "", G::kOptions, "EditFtpFilename"},
    SettingRow{"FtpProxy", &A::FtpProxy, "", G::kOptions, "EditFtpProxy"},
    SettingRow{"FtpProxyPort", &A::FtpProxyPort, 0, G::kOptions, "EditFtpProxyPort"},
    SettingRow{"FtpPassive", &A::FtpPassive, 1, G::kOptions, "CheckBoxFtpPassive"},
    SettingRow{"MapTileUrl", &A::MapTileUrl, kDefaultMapTileUrl, G::kOptions, "EditMapTileUrl"},
    SettingRow{"MapAttribution", &A::MapAttribution, kDefaultMapAttribution, G::kOptions, "EditMapAttribution"},
    SettingRow{"MapCacheMB", &A::MapCacheMB, kDefaultMapCacheMB, G::kOptions, "SpinBoxMapCacheSize"},
    SettingRow{"FtpTimeLimit", &A::FtpTimeLimit, 0, G::kReadOnly},
    SettingRow{"AppTop", &A::AppTop, 0, G::kWindowPosition},
    SettingRow{"AppLeft", &A::AppLeft, 0, G::kWindowPosition},
    SettingRow{"HistTop", &A::HistTop, 0, G::kWindowPosition},
    SettingRow{"HistLeft", &A::HistLeft, 0, G::kWindowPosition},
    SettingRow{"MapTop", &A::MapTop, 0, G::kMapWindow},
    SettingRow{"MapLeft", &A::MapLeft, 0, G::kMapWindow},
    SettingRow{"MapWidth", &A::MapWidth, 0, G::kMapWindow},
    SettingRow{"MapHeight", &A::MapHeight, 0, G::kMapWindow},
    SettingRow{"ShowDetails", &A::ShowDetails, false, G::kDetailsPane},
    SettingRow{"SavePathGPX", &A::SavePathGpx, ".", G::kSavePath},
};

// Each row's default is of its member's kind.
constexpr bool DefaultsMatchTheirMembers() {
  for (const SettingRow& row : kRows) {
    if (row.member.index() != row.def.index()) return false;
  }
  return true;
}
static_assert(DefaultsMatchTheirMembers());

template <class... F>
struct Overload : F... {
  using F::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang 14).
template <class... F>
Overload(F...) -> Overload<F...>;

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

const SettingRow& RowOf(SettingMember member) {
  for (const SettingRow& row : kRows) {
    if (row.member == member) return row;
  }
  return kRows.front();  // unreachable: every member has a row
}

AppSettings::AppSettings() {
  for (const SettingRow& row : kRows) {
    std::visit(Overload{
                   [&](bool A::*m) { this->*m = std::get<bool>(row.def); },
                   [&](std::int32_t A::*m) { this->*m = std::get<std::int32_t>(row.def); },
                   [&](std::string A::*m) { this->*m = std::get<const char*>(row.def); },
               },
               row.member);
  }
}

AppSettings ReadAppSettings(const TUlkRegistry& r) {
  const std::string section = kSettingsSection;
  AppSettings a;
  for (const SettingRow& row : kRows) {
    const std::string key(row.key);
    std::visit(Overload{
                   [&](bool A::*m) { a.*m = r.ReadInt(section, key, a.*m ? 1 : 0) != 0; },
                   [&](std::int32_t A::*m) { a.*m = r.ReadInt(section, key, a.*m); },
                   [&](std::string A::*m) { a.*m = r.ReadString(section, key, a.*m); },
               },
               row.member);
  }
  return a;
}

bool WriteSettings(TUlkRegistry& r, const AppSettings& a, SettingGroup group) {
  std::vector<RegistryValue> values;
  for (const SettingRow& row : kRows) {
    if (row.group != group) continue;
    std::visit(Overload{
                   [&](bool A::*m) {
                     values.push_back({std::string(row.key), std::int32_t{a.*m ? 1 : 0}});
                   },
                   [&](std::int32_t A::*m) {
                     values.push_back({std::string(row.key), a.*m});
                   },
                   [&](std::string A::*m) {
                     values.push_back({std::string(row.key), a.*m});
                   },
               },
               row.member);
  }
  return r.WriteValues(kSettingsSection, values);
}

void CopySettings(const AppSettings& from, AppSettings& into, SettingGroup group) {
  for (const SettingRow& row : kRows) {
    if (row.group != group) continue;
    std::visit([&](auto m) { into.*m = from.*m; }, row.member);
  }
}

std::string ReadSavePath(const TUlkRegistry& r) {
  const SettingRow& row = RowOf(&AppSettings::SavePathGpx);
  return r.ReadString(kSettingsSection, std::string(row.key), std::get<const char*>(row.def));
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

}  // namespace quill
