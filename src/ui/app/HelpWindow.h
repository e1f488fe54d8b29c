// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help page shipped with the program, shown in a window of its own.
#include <QDialog>

namespace quill {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // The page's text (for checks that it loaded).
  QString PageText() const;
};

}  // namespace quill
