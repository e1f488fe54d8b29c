// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher of the window: the desktop's own handler for a web page or a
// file (QDesktopServices). A URL that is not http or https is never passed
// on, whoever asks. When nothing could open what was handed over (no
// handler, no browser), the status bar says so at level 2.
#include <QUrl>
#include <functional>

#include "base/Launcher.h"
#include "base/StatusSink.h"

namespace quill {

class DesktopLauncher : public Launcher {
 public:
  // open: what hands a URL to the desktop; QDesktopServices unless a test
  // puts another.
  using Opener = std::function<bool(const QUrl&)>;
  explicit DesktopLauncher(StatusSink& status, Opener open = {});

  void OpenUrl(const std::string& url) override;
  void OpenFile(const std::string& path) override;

 private:
  StatusSink& status_;
  Opener open_;
};

}  // namespace quill
