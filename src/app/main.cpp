// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark: the window program.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string_view>

#include "settings/ProgramVersion.h"
#include "settings/UlkFileversionInfo.h"
#include "ui/app/FormApp.h"

namespace {

constexpr const char* kHelp =
    "usage: quillmark [--extended] [--log-level N] [FILE]\n"
    "Opens the Quillmark window: a position converter above, a waypoint list below.\n"
    "FILE (GPX, LOC, OV2, TXT, CSV or ASC) is loaded into the list at start.\n"
    "  --extended       show the extended controls for this run: favorite file,\n"
    "                   FTP, archive, ED50/Bessel input, altitude, Bing map,\n"
    "                   import time, KML in the save dialog, expert options\n"
    "  --log-level N    write a log: 1 errors, 2 and warnings, 3 everything\n"
    "  -h, --help       show this help and exit\n"
    "  -V, --version    show the version and the data folder, and exit\n"
    "Qt's own options (such as -platform offscreen) are accepted too.\n"
    "quillmark-cli --help lists the command-line tools.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is needed, so they work without a display.
  if (argc == 2) {
    std::string_view arg = argv[1];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--version" || arg == "-V") {
      std::fputs(quill::VersionReport("quillmark").c_str(), stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillmark");

  quill::TUlkFileversionInfo info;
  info.GetInfo();
  if (!quill::IdentityFromVersionInfo(info).Complete()) {
    QMessageBox::critical(nullptr, QString(), "Incomplete Version Info", QMessageBox::Ok);
    return 0;
  }

  quill::FormAppOptions options;
  options.arguments = QApplication::arguments().mid(1);
  if (quill::TakeExtendedArgument(options.arguments)) options.extendedMode = true;
  if (!quill::TakeLogLevelArgument(options.arguments, options.logLevel)) {
    std::fprintf(stderr, "quillmark: --log-level needs a level from 0 to 3\n");
    return 2;
  }
  auto* window = new quill::TFormApp(options);
  if (!window->LogWritable()) {
    std::fprintf(stderr, "quillmark: warning: the log file %s cannot be written; nothing will be logged\n",
                 window->Log().UlkLogfile1.CurrentFilePath().c_str());
  }
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return QApplication::exec();
}
