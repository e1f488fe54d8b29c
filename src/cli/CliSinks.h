// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Status sink and question seam of the command line: errors on stderr,
// the duplicate policy from --duplicates.
#include <memory>
#include <ostream>
#include <string>

#include "base/QuestionSeam.h"
#include "base/StatusSink.h"

class QCoreApplication;

namespace quill::cli {

// The Qt application object a command's event loop or sockets need; empty
// when one exists already (a test made it).
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

class StderrStatus : public StatusSink {
 public:
  explicit StderrStatus(std::ostream& err) : err_(err) {}
  void SetError(int level, const std::string& text) override {
    if (level >= 2 && !text.empty()) err_ << text << "\n";
  }
  void FlashError(int level, const std::string& text) override {
    if (level >= 2 && !text.empty()) err_ << text << "\n";
  }

 private:
  std::ostream& err_;
};

class FixedAnswers : public QuestionSeam {
 public:
  int duplicateAnswer = 2;
  bool yesNoAnswer = true;
  int AskDuplicate(const std::string&) override { return duplicateAnswer; }
  bool AskYesNo(const std::string&, const std::string&) override { return yesNoAnswer; }
};

// Prints "\rLoading NAME: 42%" on stderr when it is a terminal.
class ProgressPrinter {
 public:
  explicit ProgressPrinter(std::ostream& err);
  void Start(const std::string& name);
  void Update(unsigned long long done, unsigned long long total);
  void Finish();

 private:
  std::ostream& err_;
  bool enabled_;
  std::string name_;
  int lastPercent_ = -1;
};

}  // namespace quill::cli
