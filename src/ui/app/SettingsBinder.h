// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's settings: read once at start, and handed by ApplySettings to
// every part that acts on them (the session's load and save options, the home
// position and the distance column, the favorite buttons, and whatever joins
// with OnApply). The options dialog edits Settings(), writes the store and
// calls ApplySettings().
#include <functional>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/UlkFileversionInfo.h"
#include "settings/UlkRegistry.h"

namespace quill {

class ListSession;
class TListPanel;

class TSettingsBinder {
 public:
  // settingsFolder: where the store lives; empty for the per-user folder.
  explicit TSettingsBinder(const std::string& settingsFolder);

  // Opens the key the identity names and reads every setting.
  void Read(const ProgramIdentity& identity);

  AppSettings& Settings() { return settings_; }
  const AppSettings& Settings() const { return settings_; }
  TUlkRegistry& Registry() { return registry_; }
  // The text export's notation: chosen for the run, never stored.
  int TxtExportMode = 0;

  // The session's folder of the file dialogs comes from, and goes back to, the store.
  void Bind(ListSession& session, TListPanel& panel);
  void OnApply(std::function<void(const AppSettings&)> applier) { appliers_.push_back(std::move(applier)); }
  void ApplySettings();
  // OK of the options dialog: the edited settings (the window positions stay
  // as they are) and the run's text notation are taken, written to the store
  // and applied at once. False when the store could not be written; the
  // settings still hold for this run.
  bool StoreOptions(const AppSettings& edited, int txtExportMode);

 private:
  TUlkRegistry registry_;
  AppSettings settings_;
  ListSession* session_ = nullptr;
  TListPanel* panel_ = nullptr;
  std::vector<std::function<void(const AppSettings&)>> appliers_;
};

}  // namespace quill
