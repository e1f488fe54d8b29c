#include "ui/app/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quill {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setWindowTitle("Quillmark Help");
  auto* browser = new QTextBrowser(this);
  browser->setObjectName("HelpBrowser");
  // The page links only to its own sections.
  browser->setOpenExternalLinks(false);
  browser->setSource(QUrl("qrc:/help.html"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  resize(640, 560);
}

QString HelpWindow::PageText() const { return findChild<QTextBrowser*>("HelpBrowser")->toPlainText(); }

}  // namespace quill
