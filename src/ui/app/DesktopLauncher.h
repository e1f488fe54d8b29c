// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher of the window: the desktop's own handler for a web page or a
// file (QDesktopServices). A URL that is not http or https is never passed
// on, whoever asks.
#include "base/Launcher.h"

namespace quill {

class DesktopLauncher : public Launcher {
 public:
  void OpenUrl(const std::string& url) override;
  void OpenFile(const std::string& path) override;
};

}  // namespace quill
