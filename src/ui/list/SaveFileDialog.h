// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save dialog: the save formats as its filters, the current file's format
// preselected and its name proposed. The name typed gets the chosen format's
// extension, and the question whether to replace a file is asked for that
// final name, the one that will be written.
#include <QFileDialog>
#include <string>
#include <string_view>

namespace quill {

// A filter text of "Name|patterns" pairs as a file dialog's "Name (patterns)"
// entries; withUpperCase adds each pattern in capitals.
QStringList DialogFilterEntries(std::string_view filter, bool withUpperCase);

class TSaveFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  explicit TSaveFileDialog(QWidget* parent);

  // Filters (the KML entry only withKml), the entry and the name proposed for
  // the current file (memory text), and the start folder.
  void Prepare(bool withKml, const std::string& currentFileName, const QString& folder);
  // After exec: the format code of the chosen entry (-1 when none) and the
  // file to write, in the file system's bytes (empty when none).
  int FormatCode() const;
  std::string TargetName() const;

  void accept() override;

 private:
  void UseFilter(const QString& filter);
};

}  // namespace quill
