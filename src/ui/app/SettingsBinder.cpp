// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/SettingsBinder.h"

#include <QPushButton>

#include "session/ListSession.h"
#include "text/Ansi.h"
#include "ui/list/ListPanel.h"

namespace quill {

TSettingsBinder::TSettingsBinder(const std::string& settingsFolder) : registry_(settingsFolder) {}

void TSettingsBinder::Read(const ProgramIdentity& identity) {
  registry_.Init(RegistryRoot::kLocalMachine, "Software", identity.companyName, identity.fileDescription);
  settings_ = ReadAppSettings(registry_);
}

void TSettingsBinder::Bind(ListSession& session, TListPanel& panel) {
  session_ = &session;
  panel_ = &panel;
  // Settings hold memory text; the file system wants its own bytes (UTF-8).
  session.Settings().savePathGpx = AnsiToUtf8(ReadSavePath(registry_));
  session.onSavePathChanged = [this](const std::string& folder) {
    registry_.WriteString(kSettingsSection, "SavePathGPX", Utf8ToAnsi(folder));
  };
}

bool TSettingsBinder::StoreOptions(const AppSettings& edited, int txtExportMode) {
  AppSettings taken = edited;
  taken.AppTop = settings_.AppTop;
  taken.AppLeft = settings_.AppLeft;
  taken.HistTop = settings_.HistTop;
  taken.HistLeft = settings_.HistLeft;
  taken.MapTop = settings_.MapTop;
  taken.MapLeft = settings_.MapLeft;
  taken.MapWidth = settings_.MapWidth;
  taken.MapHeight = settings_.MapHeight;
  settings_ = taken;
  TxtExportMode = txtExportMode;
  bool written = WriteOptionSettings(registry_, settings_);
  ApplySettings();
  return written;
}

void TSettingsBinder::ApplySettings() {
  if (session_) {
    SessionSettings& ss = session_->Settings();
    ss.includeGroundspeak = settings_.IncludeGroudspeak;
    ss.noCheckWhenEmpty = settings_.NoCheckWhenEmpty;
    ss.favoriteFile = AnsiToUtf8(settings_.FavoriteFile);
    ss.warnSaveFav = settings_.WarnSaveFav;
    ss.txtExportMode = TxtExportMode;
    ss.warnDel = settings_.WarnDel;
    ss.archiveFile = AnsiToUtf8(settings_.ArchiveFile);
    session_->SetHome(settings_.HomeCoords);
  }
  if (panel_) {
    bool favorite = !settings_.FavoriteFile.empty();
    panel_->Buttons().loadFavorite->setEnabled(favorite);
    panel_->Buttons().saveFavorite->setEnabled(favorite);
    // Distances from a new home.
    panel_->FillListView();
  }
  for (const auto& apply : appliers_) apply(settings_);
}

}  // namespace quill
