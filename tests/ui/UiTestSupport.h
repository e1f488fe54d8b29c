// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the window tests: a window on a private settings folder, GPX
// files written on the spot, and answers to modal dialogs.
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "ui/app/FormApp.h"

namespace quill::test {

struct TestWaypoint {
  std::string name{};
  double lat = 0;
  double lon = 0;
  std::string url{};
  std::string desc{};
  std::string urlName{};
  // Attributes of the groundspeak:cache element; empty for no element.
  std::string available{};
  std::string archived{};
  std::string country{};
};

// A GPX 1.0 file with Groundspeak elements where asked.
std::string GpxText(const std::vector<TestWaypoint>& waypoints);

// Calls answer with the next modal dialog as soon as it is up (polls the
// event loop, so it also works when the dialog opens later in the test).
void AnswerNextModal(std::function<void(QWidget*)> answer);

// Runs the event loop until no load runs and none waits in the queue (the
// files of the command line, a drop, the socket); false after 10 s.
bool WaitForFiles(TFormApp& app);
// Answers a file dialog with path. The name field loses the focus first:
// while it has it, the dialog keeps what was typed and ignores the choice,
// and whether it has it yet depends on how busy the machine is.
void AcceptFile(QWidget* fileDialog, const std::string& path);

// Settings written before a window opens.
void WriteSetting(const std::string& folder, const std::string& name, int value);
void WriteSetting(const std::string& folder, const std::string& name, const std::string& value);
int ReadSettingInt(const std::string& folder, const std::string& name, int def);
std::string ReadSettingString(const std::string& folder, const std::string& name, const std::string& def);

class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  TFormApp& Open(const QStringList& arguments = {}, bool extendedMode = true);
  void Close();
  TFormApp& App() { return *app_; }
  const std::string& SettingsFolder() const { return settingsFolder_; }
  TempDir& Dir() { return dir_; }
  std::string WriteGpx(const std::string& name, const std::vector<TestWaypoint>& waypoints);

  template <class T>
  T* Find(const char* name) {
    return app_->findChild<T*>(name);
  }
  // Names of the shown rows, in order.
  std::vector<std::string> RowNames();

  ScriptedQuestions questions;
  // Listen for `quillmark-cli open` (off: tests run side by side).
  bool listen = false;
  // --log-level of the next Open.
  int logLevel = 0;

 private:
  TempDir dir_;
  std::string settingsFolder_;
  std::unique_ptr<TFormApp> app_;
};

}  // namespace quill::test
