// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the core reports to the user: the status bar in the window, stderr on
// the command line, a recorder in tests.
#include <string>

namespace quill {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  // A standing message; level 0 plain, 2 error (the nine levels of the bar).
  virtual void SetError(int level, const std::string& text) = 0;
  // A passing message.
  virtual void FlashError(int level, const std::string& text) = 0;
};

}  // namespace quill
