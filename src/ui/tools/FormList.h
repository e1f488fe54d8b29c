// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormList: a read-only, fixed-pitch view of a block of text (the
// histogram's count listing). Created once and hidden rather than destroyed.
#include <QWidget>
#include <string>

class QCheckBox;

namespace quill {

class TUlkMemo;

class TFormList : public QWidget {
  Q_OBJECT
 public:
  explicit TFormList(QWidget* parent = nullptr);

  // Memory text with CR LF line ends, shown exactly as given.
  std::string ListText;
  // Colour markup of the text control; the plain control has none, so the
  // text is shown as passed either way.
  bool ColorsEnabled = false;

  // Refills the control from ListText (a caller's refresh while visible).
  void Refresh();
  // Copies the whole text, line ends included.
  void CopyAll() const;

  void CheckBoxWordWrapClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetWordWrap(bool on);

  TUlkMemo* memo_;
  QCheckBox* checkWordWrap_;
  bool placed_ = false;
};

}  // namespace quill
