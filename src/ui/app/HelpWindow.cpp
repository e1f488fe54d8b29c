// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "base/ProgramFolders.h"

namespace quill {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("Quillmark Help"));
  auto* browser = new QTextBrowser(this);
  browser->setObjectName("HelpBrowser");
  // The page links only to its own sections.
  browser->setOpenExternalLinks(false);
  // The installed page, which a packager may update; the built-in copy when the
  // program runs without its data folder.
  const QString installed = QString::fromLocal8Bit((DataFolder() + "help.html").c_str());
  browser->setSource(QFileInfo::exists(installed) ? QUrl::fromLocalFile(installed) : QUrl("qrc:/help.html"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  resize(640, 560);
}

QString HelpWindow::PageText() const { return findChild<QTextBrowser*>("HelpBrowser")->toPlainText(); }

}  // namespace quill
