// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormLetterInput: the way into the letter-frequency histogram. The user
// pastes or types a coded text and its decoding; the button counts both into
// the histogram and shows it.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quill {

class TFormHistogram;

class TFormLetterInput : public QDialog {
  Q_OBJECT
 public:
  TFormLetterInput(TFormHistogram& histogram, QWidget* parent = nullptr);

  void ButtonShowHistogramClick();

 private:
  TFormHistogram& histogram_;
  QPlainTextEdit* coded_;
  QPlainTextEdit* decoded_;
};

}  // namespace quill
