// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Status sink and question seam of the command line: errors on stderr,
// the duplicate policy from --duplicates.
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "base/QuestionSeam.h"
#include "base/StatusSink.h"
#include "text/Ansi.h"

class QCoreApplication;

namespace quill::cli {

// The Qt application object a command's event loop or sockets need; empty
// when one exists already (a test made it).
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// One error line on err: "quillmark-cli: SUBJECT: text" (no subject: none),
// line breaks and other control characters turned into blanks.
void PrintError(std::ostream& err, std::string_view subject, std::string_view text);

// The session's errors on stderr, each on one line naming the file at work.
class StderrStatus : public StatusSink {
 public:
  explicit StderrStatus(std::ostream& err) : err_(err) {}
  // The file the next messages are about ("standard input" for "-").
  void SetSubject(std::string subject) { subject_ = std::move(subject); }
  // Errors printed so far.
  int Printed() const { return printed_; }
  void SetError(int level, const std::string& text) override { Print(level, text); }
  void FlashError(int level, const std::string& text) override { Print(level, text); }

 protected:
  void Print(int level, const std::string& text) {
    if (level < 2 || text.empty()) return;
    PrintError(err_, subject_, AnsiToUtf8(text));
    ++printed_;
  }

 private:
  std::ostream& err_;
  std::string subject_;
  int printed_ = 0;
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
