// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The duplicate-name question of a load or an add: keep, replace or allow.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

namespace quill {

class TFormSelectWpAddMode : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSelectWpAddMode(QWidget* parent = nullptr);

  // The duplicate name, in memory form; set before showing.
  void SetNameText(const std::string& name);
  // 0 keep, 1 replace, 2 allow; only the buttons set it, and it keeps its
  // last value between showings.
  int Result() const { return result_; }

  void ButtonKeepClick();
  void ButtonReplaceClick();
  void ButtonAllowClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape is the Keep button.
  void reject() override;

 private:
  void Choose(int result);

  QLabel* labelName_;
  QPushButton* buttonKeep_;
  QPushButton* buttonReplace_;
  QPushButton* buttonAllow_;
  int result_ = 0;
};

}  // namespace quill
