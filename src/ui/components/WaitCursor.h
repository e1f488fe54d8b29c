// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hourglass for the length of a scope: restored on every return,
// exceptions included.
#include <QApplication>

namespace quill {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace quill
