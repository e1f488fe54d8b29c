// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help > About: the program's name and version, where it found its data,
// the Qt it runs on and its licence.
#include <QMessageBox>
#include <QString>

#include "settings/UlkFileversionInfo.h"

namespace quill {

// The box's text, plain, one fact a line.
QString AboutText(const ProgramIdentity& identity, const QString& buildDate, const QString& dataFolder,
                  const QString& qtVersion);

class TFormAbout : public QMessageBox {
  Q_OBJECT
 public:
  TFormAbout(const ProgramIdentity& identity, QWidget* parent);
};

}  // namespace quill
