// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliListOptions.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "cli/CliStreams.h"
#include "formats/FormatTable.h"
#include "session/ListSession.h"

namespace quill::cli {

int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, ListOptionNames(), options, error)) return UsageError(err, error);
  if (options.files.size() < 2) return UsageError(err, "convert needs at least one INPUT and an OUTPUT");
  const std::string output = options.files.back();
  options.files.pop_back();

  const bool toStandardOutput = output == "-";
  if (toStandardOutput && options.formatCode == kFormatByExtension) {
    return UsageError(err, "an OUTPUT of - (standard output) needs --format");
  }

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  if (int rc = LoadWithListOptions(options, session, answers, err)) return rc;
  status.SetSubject(toStandardOutput ? "standard output" : output);
  const int printedBefore = status.Printed();
  if (!toStandardOutput) {
    if (!session.SaveFile(output, options.formatCode)) {
      if (status.Printed() == printedBefore) PrintError(err, output, "Error saving file");
      return 1;
    }
    return EndCommand(0, out, err);
  }
  StagedFile staged("stdout-");
  if (!staged.Ok() || !session.SaveFile(staged.Path(), options.formatCode) || !CopyFileToStream(staged.Path(), out)) {
    if (status.Printed() == printedBefore) PrintError(err, "standard output", "Error saving file");
    return 1;
  }
  return EndCommand(0, out, err);
}

}  // namespace quill::cli
