// quillmark: the window program.
#include <QApplication>
#include <QMessageBox>

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
  auto* window = new quill::TFormApp(options);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return QApplication::exec();
}
