// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window the _ui benchmarks measure: settings of its own in a folder of
// the bench, the Groundspeak data kept (row marks, cache columns), shown.
#include <QApplication>
#include <memory>
#include <string>

#include "settings/UlkRegistry.h"
#include "ui/app/FormApp.h"

namespace quill::bench {

inline std::unique_ptr<TFormApp> OpenBenchWindow(const std::string& settingsFolder) {
  TUlkRegistry registry(settingsFolder);
  registry.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  registry.WriteInt("Settings", "IncludeGroudspeak", 1);
  FormAppOptions options;
  options.settingsFolder = settingsFolder;
  options.listenForFiles = false;
  auto window = std::make_unique<TFormApp>(options);
  window->show();
  QApplication::processEvents();
  return window;
}

// What the event loop does after a command: the view lays out and paints
// once (a repaint() of its own would paint it twice).
inline void ShowChanges() {
  QApplication::processEvents();
  QApplication::processEvents();
}

}  // namespace quill::bench
