// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark: the window program.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/Help.h"
#include "settings/ProgramVersion.h"
#include "settings/UlkFileversionInfo.h"
#include "ui/app/FormApp.h"
#include "ui/app/Translations.h"

namespace {

// One line on stderr, with the way to the help.
int UsageError(const std::string& message) {
  std::fprintf(stderr, "quillmark: %s (try 'quillmark --help')\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is needed, so they work without a display.
  if (argc == 2) {
    std::string_view arg = argv[1];
    if (arg == "--help" || arg == "-h") {
      std::fputs(quill::cli::HelpText(quill::cli::WindowHelp()).c_str(), stdout);
      return 0;
    }
    if (arg == "--version" || arg == "-V") {
      std::fputs(quill::VersionReport("quillmark").c_str(), stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillmark");
  quill::InstallTranslations(app);

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
    return UsageError("--log-level needs a level from 0 to 3");
  }
  // Qt has taken its own options by now; anything else that looks like one
  // would be loaded as a file name.
  for (const QString& arg : options.arguments) {
    if (arg.startsWith('-') && arg != "-") return UsageError("unknown option '" + arg.toStdString() + "'");
  }
  auto* window = new quill::TFormApp(options);
  if (!window->LogWritable()) {
    std::string why;
    window->Log().UlkLogfile1.CanOpen(&why);
    std::fprintf(stderr, "quillmark: warning: the log file %s cannot be written (%s); nothing will be logged\n",
                 window->Log().UlkLogfile1.CurrentFilePath().c_str(), why.c_str());
  }
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return QApplication::exec();
}
