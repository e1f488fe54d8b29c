// quillmark: the window program.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "settings/UlkFileversionInfo.h"
#include "ui/app/FormApp.h"

int main(int argc, char** argv) {
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
