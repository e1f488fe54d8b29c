// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/FormAbout.h"

#include <QCoreApplication>
#include <QFile>
#include <QtGlobal>

#include "base/ProgramFolders.h"
#include "quillmark/BuildVersion.h"
#include "text/QtText.h"

namespace quill {

QString AboutText(const ProgramIdentity& identity, const QString& buildDate, const QString& dataFolder,
                  const QString& qtVersion) {
  return AnsiToQString(identity.fileDescription) + " " + AnsiToQString(identity.fileVersion) + "\n" +
         QCoreApplication::translate("quill::TFormAbout", "A position converter and waypoint list for geocachers.") +
         "\n\n" + QCoreApplication::translate("quill::TFormAbout", "Built %1").arg(buildDate) + "\n" +
         QCoreApplication::translate("quill::TFormAbout", "Data folder: %1").arg(dataFolder) + "\nQt " + qtVersion +
         "\n\n" +
         QCoreApplication::translate(
             "quill::TFormAbout",
             "Licensed under the GNU General Public License, version 3 or later. There is no warranty.");
}

TFormAbout::TFormAbout(const ProgramIdentity& identity, QWidget* parent)
    : QMessageBox(QMessageBox::Information, tr("About %1").arg(AnsiToQString(identity.internalName)), QString(),
                  QMessageBox::Ok, parent) {
  setObjectName("FormAbout");
  setTextFormat(Qt::PlainText);
  setText(AboutText(identity, AnsiToQString(RearrangeBuildDate(build::kBuildDate)),
                    QFile::decodeName(QByteArray::fromStdString(DataFolder())), QString::fromLatin1(qVersion())));
}

}  // namespace quill
