// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli page and link: the offline cache page and the address "Web
// Link" opens, for the first loaded waypoint of a name.
#include <ostream>

#include "base/FileIo.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "session/ListSession.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "web/CachePage.h"
#include "web/WebLinks.h"

namespace quill::cli {
namespace {

// Loads options.files after the name; the waypoint of that name, or nullptr
// with rc set (1 when a file failed or no waypoint has the name).
const TGpxRecord* LoadAndFind(ListSession& session, FixedAnswers& answers, const CliOptions& options,
                              const std::vector<std::string>& inputs, std::ostream& err, int& rc) {
  ApplyCliOptions(options, session, answers);
  rc = LoadInputs(session, inputs, err, options.inputFormat);
  if (rc != 0) return nullptr;
  const TGpxRecord* record = session.Store().FirstWithName(Utf8ToAnsi(options.files.front()));
  if (!record) {
    err << "quillmark-cli: no waypoint named " << options.files.front() << "\n";
    rc = 1;
  }
  return record;
}

}  // namespace

int RunPage(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, ExtraOptionNames{{"--template"}, {}}, options, error)) return UsageError(err, error);
  if (options.files.size() < 3) return UsageError(err, "page needs a NAME, at least one INPUT and an OUTPUT");

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  std::string templatePath = CachePageTemplatePath(session.ProgramFolder());
  for (const CliOption& o : options.extra) templatePath = o.value;
  std::string templateText;
  if (!ReadCachePageTemplate(templatePath, templateText)) {
    err << "quillmark-cli: cache page template missing: " << templatePath << "\n";
    return 1;
  }
  const std::string output = options.files.back();
  const std::vector<std::string> inputs(options.files.begin() + 1, options.files.end() - 1);
  int rc = 0;
  const TGpxRecord* record = LoadAndFind(session, answers, options, inputs, err, rc);
  if (!record) return rc;
  // The images come from beside the template, else from the shipped ones.
  const std::vector<std::string> imageFolders = {FolderOfPath(templatePath), session.ProgramFolder() + "html"};
  if (output == "-") {
    // Standard output takes the page alone: there is no folder for its images.
    out << BuildCachePage(templateText, *record);
    out.flush();
    return out ? 0 : 1;
  }
  std::string why;
  if (!WriteCachePage(output, BuildCachePage(templateText, *record, CachePageImageUrl(output)), imageFolders, false,
                      &why)) {
    err << "quillmark-cli: " << why << "\n";
    return 1;
  }
  return 0;
}

int RunLink(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, ExtraOptionNames{{}, {"--real-web-link"}}, options, error)) return UsageError(err, error);
  if (options.files.size() < 2) return UsageError(err, "link needs a NAME and at least one INPUT");

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  const std::vector<std::string> inputs(options.files.begin() + 1, options.files.end());
  int rc = 0;
  const TGpxRecord* record = LoadAndFind(session, answers, options, inputs, err, rc);
  if (!record) return rc;
  const std::string target = WebLinkTarget(*record, !options.extra.empty());
  if (target.empty()) return 0;
  if (!IsWebLink(target)) {
    err << "quillmark-cli: Not a web link: " << LinkForDisplay(target) << "\n";
    return 1;
  }
  out << AnsiToUtf8(target) << "\n";
  out.flush();
  return out ? 0 : 1;
}

}  // namespace quill::cli
