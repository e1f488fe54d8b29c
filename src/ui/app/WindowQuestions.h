// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions of the core, asked with real dialogs (the duplicate dialog
// is its own). A test may put a scripted seam in front.
#include <QWidget>

#include "base/QuestionSeam.h"

namespace quill {

class TFormSelectWpAddMode;

class WindowQuestions : public QuestionSeam {
 public:
  explicit WindowQuestions(QWidget* parent);

  TFormSelectWpAddMode& DuplicateDialog() { return duplicateDialog_; }

  void SetOverride(QuestionSeam* seam) { override_ = seam; }

  int AskDuplicate(const std::string& name) override;
  // Every yes-no question here may lose data: No is the default button and
  // the answer to Escape.
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  bool AskDestructive(const std::string& caption, const std::string& text, const std::string& detail) override;
  bool ConfirmRename(const std::string& name) override;

 private:
  bool Ask(const std::string& caption, const std::string& text, const std::string& detail);

  QWidget* parent_;
  TFormSelectWpAddMode& duplicateDialog_;
  QuestionSeam* override_ = nullptr;
};

}  // namespace quill
