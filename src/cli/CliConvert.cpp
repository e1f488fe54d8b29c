#include <ostream>

#include "cli/Cli.h"
#include "cli/CliSinks.h"
#include "formats/FormatTable.h"
#include "session/ListSession.h"

namespace quill::cli {

int RunConvert(const std::vector<std::string>& args, std::ostream& /*out*/, std::ostream& err) {
  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  session.Settings().includeGroundspeak = true;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--duplicates") {
      if (i + 1 >= args.size()) return UsageError(err, "--duplicates needs keep, replace or allow");
      const std::string& v = args[++i];
      if (v == "keep") answers.duplicateAnswer = kDuplicateKeep;
      else if (v == "replace") answers.duplicateAnswer = kDuplicateReplace;
      else if (v == "allow") answers.duplicateAnswer = kDuplicateAllow;
      else return UsageError(err, "--duplicates needs keep, replace or allow");
    } else if (a == "--no-groundspeak") {
      session.Settings().includeGroundspeak = false;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      return UsageError(err, "unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() < 2) return UsageError(err, "convert needs at least one INPUT and an OUTPUT");
  const std::string output = files.back();
  files.pop_back();

  ProgressPrinter progress(err);
  session.onProgress = [&](std::uint64_t done, std::uint64_t total) { progress.Update(done, total); };
  for (const std::string& input : files) {
    progress.Start(input);
    bool ok = session.LoadFile(input);
    progress.Finish();
    if (!ok) {
      err << input << "\n";
      return 1;
    }
  }
  if (!session.SaveFile(output, kFormatByExtension)) {
    err << output << "\n";
    return 1;
  }
  return 0;
}

}  // namespace quill::cli
