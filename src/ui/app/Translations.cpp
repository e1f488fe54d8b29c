// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "base/ProgramFolders.h"

namespace quill {

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  auto* qt = new QTranslator(&app);
  if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* own = new QTranslator(&app);
  const QString folder = QString::fromLocal8Bit((DataFolder() + "translations").c_str());
  if (!own->load(locale, "quillmark", "_", folder)) {
    delete own;
    return false;
  }
  QCoreApplication::installTranslator(own);
  return true;
}

}  // namespace quill
