// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the core hands a web page or a file to the desktop: the desktop's own
// handler in the window, a recorder in tests, nothing on the command line.
// Callers pass only http/https URLs and files the program wrote itself; the
// window's launcher checks the scheme once more.
#include <string>

namespace quill {

class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual void OpenUrl(const std::string& url) = 0;
  // path: the file system's bytes.
  virtual void OpenFile(const std::string& path) = 0;
};

// Opens nothing: a session without a desktop.
class NoLauncher : public Launcher {
 public:
  void OpenUrl(const std::string&) override {}
  void OpenFile(const std::string&) override {}
};

}  // namespace quill
