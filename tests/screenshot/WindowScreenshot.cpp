// SPDX-License-Identifier: GPL-3.0-or-later
// Not a check: draws the window on the sample list into a PNG to look at.
//   quillmark_screenshot OUT.png [--extended] [--dark]
// --dark draws it in a dark Fusion palette, as a dark desktop theme would.
// Run it under Xvfb for real fonts; the offscreen platform draws without them.
#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/DarkPalette.h"
#include "ui/app/FormApp.h"
#include "ui/components/UlkStatusBar.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [--extended] [--dark]\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  bool extended = false;
  bool dark = false;
  for (int i = 2; i < argc; ++i) {
    extended = extended || std::strcmp(argv[i], "--extended") == 0;
    dark = dark || std::strcmp(argv[i], "--dark") == 0;
  }
  if (dark) {
    QApplication::setStyle("Fusion");
    QApplication::setPalette(quill::test::DarkPalette());
  }
  QTemporaryDir settings;  // never the user's own settings
  quill::FormAppOptions options;
  options.extendedMode = extended;
  options.settingsFolder = settings.path().toStdString();
  options.arguments = {QString(QUILL_SOURCE_DIR) + "/examples/sample.gpx"};
  options.listenForFiles = false;
  quill::TFormApp window(options);
  window.show();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  window.SelectRow(2);
  // The standing message of the load, once "Done!" has passed.
  while (window.StatusBar().Flashing()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
