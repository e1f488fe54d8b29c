// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/SaveFileDialog.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>

#include "formats/FormatTable.h"
#include "text/QtText.h"

namespace quill {

QStringList DialogFilterEntries(std::string_view filter, bool withUpperCase) {
  QStringList parts = AnsiToQString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';');
    // File names on this system are case-sensitive; the extensions are not.
    if (withUpperCase) {
      for (const QString& p : QStringList(patterns)) patterns << p.toUpper();
    }
    entries << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return entries;
}

TSaveFileDialog::TSaveFileDialog(QWidget* parent) : QFileDialog(parent) {
  setObjectName("SaveDialog");
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptSave);
  // The dialog's own check would look at the name before the format's
  // extension is put on it; accept() asks about the final name instead.
  setOption(QFileDialog::DontConfirmOverwrite);
  connect(this, &QFileDialog::filterSelected, this, &TSaveFileDialog::UseFilter);
}

void TSaveFileDialog::Prepare(bool withKml, const std::string& currentFileName, const QString& folder) {
  QStringList filters = DialogFilterEntries(SaveDialogFilter(withKml), false);
  int index = FilterIndexForFileName(currentFileName);
  if (index < 1 || index > filters.size()) index = 1;
  // The suffix comes last: with it, the dialog would select the existing
  // file the proposed name becomes and show that file's whole name instead.
  setDefaultSuffix(QString());
  {
    QSignalBlocker quiet(this);
    setNameFilters(filters);
    selectNameFilter(filters[index - 1]);
  }
  setDirectory(folder);
  selectFile(AnsiToQString(ProposedSaveName(currentFileName)));
  UseFilter(filters[index - 1]);
}

void TSaveFileDialog::UseFilter(const QString& filter) {
  const FileFormat* entry =
      FormatForCode(FormatCodeForFilterIndex(static_cast<int>(nameFilters().indexOf(filter)) + 1));
  setDefaultSuffix(entry ? QString::fromLatin1(entry->extension.substr(1)) : QString());
}

int TSaveFileDialog::FormatCode() const {
  return FormatCodeForFilterIndex(static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1);
}

std::string TSaveFileDialog::TargetName() const {
  const QStringList chosen = selectedFiles();
  const int code = FormatCode();
  if (chosen.isEmpty() || code < 0) return {};
  return SaveNameForFormat(NativePath(chosen.first()), code);
}

void TSaveFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  // A folder typed or chosen is opened by the dialog itself.
  if (chosen.size() == 1 && !QFileInfo(chosen.first()).isDir()) {
    const QString target = QPath(TargetName());
    if (!target.isEmpty() && QFileInfo::exists(target)) {
      QMessageBox box(QMessageBox::Warning, windowTitle(),
                      tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(target).fileName()),
                      QMessageBox::Yes | QMessageBox::No, this);
      box.setObjectName("ReplaceQuestion");
      box.setDefaultButton(QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
      if (box.exec() != QMessageBox::Yes) return;
    }
  }
  QFileDialog::accept();
}

}  // namespace quill
