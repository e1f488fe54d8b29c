// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name asked for when the converter's result is added to the list.
#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace quill {

class TFormNaam : public QDialog {
  Q_OBJECT
 public:
  explicit TFormNaam(QWidget* parent = nullptr);

  // Shown when the dialog opens; replaced by the edit's text on OK.
  std::string NameText;

  void ButtonOkClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceCaret();

  QLineEdit* editNaam_;
};

}  // namespace quill
