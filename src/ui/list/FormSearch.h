// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormSearch: the one-line text prompt of the search and the rename. The
// caller sets the caption, PromptText and LegendText, shows it modally and
// reads PromptText back after OK.
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quill {

class TFormSearch : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSearch(QWidget* parent = nullptr);

  // Memory text. PromptText fills the edit field when the dialog opens and
  // takes its text when OK is pressed; an empty legend hides the legend line
  // and makes the dialog lower.
  std::string PromptText;
  std::string LegendText;

  void ButtonOkClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* editSearch_;
  QLabel* labelDesc_;
  QPushButton* buttonOk_;
  QPushButton* buttonCancel_;
};

}  // namespace quill
