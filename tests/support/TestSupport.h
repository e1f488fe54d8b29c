#pragma once
// Helpers shared by the test programs.
#include <functional>
#include <string>
#include <utility>
#include <vector>

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
std::string CorpusPath(const std::string& relative);
std::vector<std::string> CorpusFiles(const std::string& extension);
// Runs a shell command; returns its exit status and fills output with stdout+stderr.
int RunCommand(const std::string& command, std::string* output = nullptr);
std::string ShellQuote(const std::string& s);
// Runs the Qt event loop until done() holds; false when it did not within
// 10 s (a guard against a hang, not a measure of speed).
bool RunEventsUntil(const std::function<bool()>& done);

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
