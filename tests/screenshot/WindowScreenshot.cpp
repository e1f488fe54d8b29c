// SPDX-License-Identifier: GPL-3.0-or-later
// Not a check: draws the window on the sample list into a PNG to look at.
//   quillmark_screenshot OUT.png [--extended]
// Run it under Xvfb for real fonts; the offscreen platform draws without them.
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/app/FormApp.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [--extended]\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  QTemporaryDir settings;  // never the user's own settings
  quill::FormAppOptions options;
  options.extendedMode = argc > 2 && std::strcmp(argv[2], "--extended") == 0;
  options.settingsFolder = settings.path().toStdString();
  options.arguments = {QString(QUILL_SOURCE_DIR) + "/examples/sample.gpx"};
  options.listenForFiles = false;
  quill::TFormApp window(options);
  window.show();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  window.SelectRow(2);
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
