// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSinks.h"

#include <QCoreApplication>
#include <iostream>

#include "base/Platform.h"
#include "text/TextHelpers.h"

namespace quill::cli {

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
  if (QCoreApplication::instance()) return nullptr;
  static int argc = 1;
  static char name[] = "quillmark-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QCoreApplication>(argc, argv);
}

void PrintError(std::ostream& err, std::string_view subject, std::string_view text) {
  std::string line = "quillmark-cli: ";
  if (!subject.empty()) {
    line += subject;
    line += ": ";
  }
  line += text;
  BlankTerminalControls(line);
  err << line << '\n';
}

ProgressPrinter::ProgressPrinter(std::ostream& err)
    : err_(err), enabled_(&err == &std::cerr && platform::IsTerminal(2)) {}

void ProgressPrinter::Start(const std::string& name) {
  name_ = name;
  lastPercent_ = -1;
}

void ProgressPrinter::Update(unsigned long long done, unsigned long long total) {
  if (!enabled_ || total == 0) return;
  int percent = static_cast<int>(done * 100 / total);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  err_ << "\rLoading " << name_ << ": " << percent << "%" << std::flush;
}

void ProgressPrinter::Finish() {
  if (enabled_ && lastPercent_ >= 0) err_ << "\n" << std::flush;
  lastPercent_ = -1;
}

}  // namespace quill::cli
