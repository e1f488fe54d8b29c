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
    settings_.SavePathGpx = Utf8ToAnsi(folder);
    WriteSettings(registry_, settings_, SettingGroup::kSavePath);
  };
}

bool TSettingsBinder::StoreOptions(const AppSettings& edited, int txtExportMode) {
  CopySettings(edited, settings_, SettingGroup::kOptions);
  TxtExportMode = txtExportMode;
  bool written = WriteSettings(registry_, settings_, SettingGroup::kOptions);
  ApplySettings();
  return written;
}

void TSettingsBinder::ApplySettings() {
  if (session_) {
    SessionSettings& ss = session_->Settings();
    ss.stored = settings_;
    ss.txtExportMode = TxtExportMode;
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
