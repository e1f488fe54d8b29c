// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the test programs.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Launcher.h"
#include "base/QuestionSeam.h"
#include "base/StatusSink.h"

namespace quill::test {

// A fresh folder under the build's temporary area, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Every entry under folder as a path relative to it, sorted; links are listed, not followed.
std::vector<std::string> ListTree(const std::string& folder);
// A Unix socket bound at path (the descriptor is closed, the socket file stays).
void BindUnixSocket(const std::string& path);
// The corpus of real files: QUILL_CORPUS_DIR from the environment, else the
// folder named at build time (../shared/corpus beside the source tree). A clone
// on its own has none; tests over it skip with QUILL_SKIP_WITHOUT_CORPUS().
std::string CorpusDir();
bool HaveCorpus();
std::string CorpusPath(const std::string& relative);
// Every corpus file with that extension (".gpx"), sorted; empty without a corpus.
std::vector<std::string> CorpusFiles(const std::string& extension);
// A file of our own under tests/data.
std::string DataPath(const std::string& relative);
// True when an executable of that name is on PATH.
bool HaveTool(const std::string& name);
// Marks the running test skipped because a peer tool is missing; the test's
// other checks still run and a failure among them still fails it.
void NoteMissingTool(const std::string& name);
// Runs a shell command; returns its exit status and fills output with stdout+stderr.
int RunCommand(const std::string& command, std::string* output = nullptr);
std::string ShellQuote(const std::string& s);
// Runs the Qt event loop until done() holds; false when it did not within
// 10 s (a guard against a hang, not a measure of speed).
bool RunEventsUntil(const std::function<bool()>& done);
// The same without an event loop: looks again every few milliseconds.
bool WaitUntil(const std::function<bool()>& done);

// Sets an environment variable for its lifetime; the old value (or its
// absence) comes back at the end.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::string saved_;
  bool had_ = false;
};

// Switches the C locale to German (decimal comma) for its lifetime, building
// the locale with localedef into a private folder when the machine has none;
// ok() is false when neither works. The old locale comes back at the end.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale();
  ~DecimalCommaLocale();
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
  bool ok() const { return ok_; }

 private:
  std::unique_ptr<TempDir> dir_;
  std::string saved_;
  bool ok_ = false;
};

// Runs body in a child process and gives its result, or -1 when the child
// died or was still busy after timeoutSeconds (a hang fails instead of
// stopping the tests). asUnprivileged: run as the user "nobody" when the tests
// run as root, so that file permissions apply (files the child must reach
// need modes that let it); the result is 125 when that cannot be done.
int RunInChild(const std::function<int()>& body, bool asUnprivileged = false, unsigned timeoutSeconds = 30);

class RecordingStatus : public StatusSink {
 public:
  std::vector<std::pair<int, std::string>> set;
  std::vector<std::pair<int, std::string>> flashed;
  void SetError(int level, const std::string& text) override { set.emplace_back(level, text); }
  void FlashError(int level, const std::string& text) override { flashed.emplace_back(level, text); }
  std::string LastSet() const { return set.empty() ? std::string() : set.back().second; }
  std::string LastFlash() const { return flashed.empty() ? std::string() : flashed.back().second; }
};

// What would have been opened, in order: "url:..." or "file:..." (the path).
class RecordingLauncher : public Launcher {
 public:
  std::vector<std::string> opened;
  void OpenUrl(const std::string& url) override { opened.push_back("url:" + url); }
  void OpenFile(const std::string& path) override { opened.push_back("file:" + path); }
};

class ScriptedQuestions : public QuestionSeam {
 public:
  std::vector<int> duplicateAnswers;  // consumed in order; 2 when exhausted
  std::vector<std::string> duplicateNames;
  bool yesNo = true;
  std::vector<std::string> captions;
  int AskDuplicate(const std::string& name) override {
    duplicateNames.push_back(name);
    if (duplicateAnswers.empty()) return 2;
    int a = duplicateAnswers.front();
    duplicateAnswers.erase(duplicateAnswers.begin());
    return a;
  }
  bool AskYesNo(const std::string& caption, const std::string&) override {
    captions.push_back(caption);
    return yesNo;
  }
};

}  // namespace quill::test

#define QUILL_SKIP_WITHOUT_CORPUS()                                           \
  if (!::quill::test::HaveCorpus())                                           \
  GTEST_SKIP() << "no corpus of real files at " << ::quill::test::CorpusDir() \
               << " (set QUILL_CORPUS_DIR to a folder of waypoint files to run this test)"

#define QUILL_SKIP_WITHOUT_TOOL(name) \
  if (!::quill::test::HaveTool(name)) GTEST_SKIP() << (name) << " not installed (scripts/setup-deps installs it)"
