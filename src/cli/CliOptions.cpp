// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "base/UserFolders.h"
#include "cli/Cli.h"
#include "cli/CliSinks.h"
#include "cli/CliStreams.h"
#include "formats/FormatSniff.h"
#include "session/ListSession.h"
#include "settings/UlkFileversionInfo.h"
#include "settings/UlkRegistry.h"

namespace quill::cli {

namespace {

struct NamedValue {
  std::string_view name;
  int value;
};

constexpr std::array<NamedValue, 7> kTxtModeNames = {{
    {"wgs84", 0},
    {"ed50", 1},
    {"bessel", 2},
    {"rd", 3},
    {"lambert", 4},
    {"utm", 5},
    {"ecef", 6},
}};

constexpr std::array<NamedValue, 3> kDuplicateNames = {{
    {"keep", kDuplicateKeep},
    {"replace", kDuplicateReplace},
    {"allow", kDuplicateAllow},
}};

template <std::size_t N>
int Lookup(const std::array<NamedValue, N>& table, std::string_view name) {
  for (const NamedValue& e : table) {
    if (e.name == name) return e.value;
  }
  return -1;
}

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

int TxtModeForName(std::string_view name) { return Lookup(kTxtModeNames, name); }

bool ParseCliOptions(const std::vector<std::string>& args, const ExtraOptionNames& extraNames, CliOptions& options,
                     std::string& error) {
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyFiles || arg.size() < 2 || arg[0] != '-') {
      options.files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyFiles = true;
      continue;
    }
    std::string name = arg;
    std::string value;
    bool hasInlineValue = false;
    if (std::size_t eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasInlineValue = true;
    }
    auto takeValue = [&](std::string_view what) {
      if (hasInlineValue) return true;
      if (i + 1 >= args.size()) {
        error = name + " needs " + std::string(what);
        return false;
      }
      value = args[++i];
      return true;
    };

    if (name == "--format") {
      if (!takeValue(FormatNames(", ", " or "))) return false;
      int code = FormatCodeForName(value);
      if (code < 0) {
        error = "unknown format '" + value + "' (" + FormatNames(", ", " or ") + ")";
        return false;
      }
      options.formatCode = code;
    } else if (name == "--input-format") {
      if (!takeValue("gpx, loc, ov2, txt, csv or zip")) return false;
      int code = ReadFormatCodeForName(value);
      if (code < 0) {
        error = "unknown input format '" + value + "' (gpx, loc, ov2, txt, csv or zip)";
        return false;
      }
      options.inputFormat = code;
    } else if (name == "--txt-mode") {
      if (!takeValue("wgs84, ed50, bessel, rd, lambert, utm or ecef")) return false;
      int mode = TxtModeForName(value);
      if (mode < 0) {
        error = "unknown text mode '" + value + "' (wgs84, ed50, bessel, rd, lambert, utm or ecef)";
        return false;
      }
      options.txtMode = mode;
    } else if (name == "--duplicates") {
      if (!takeValue("keep, replace or allow")) return false;
      int mode = Lookup(kDuplicateNames, value);
      if (mode < 0) {
        error = "--duplicates needs keep, replace or allow";
        return false;
      }
      options.duplicateMode = mode;
    } else if (name == "--no-groundspeak" && !hasInlineValue) {
      options.includeGroundspeak = false;
    } else if (Contains(extraNames.withValue, name)) {
      if (!takeValue("a value")) return false;
      options.extra.push_back({name, value});
    } else if (Contains(extraNames.flags, name) && !hasInlineValue) {
      options.extra.push_back({name, {}});
    } else {
      error = "unknown option '" + arg + "'";
      return false;
    }
  }
  return true;
}

void ApplyCliOptions(const CliOptions& options, ListSession& session, FixedAnswers& answers) {
  answers.duplicateAnswer = options.duplicateMode;
  session.Settings().stored.IncludeGroundspeak = options.includeGroundspeak;
  session.Settings().txtExportMode = options.txtMode;
}

namespace {

constexpr const char* kStandardInput = "standard input";

// The format an input is read as: inputFormat, the extension's, or what its
// content shows. False with the reason when none tells.
bool InputFormatOf(const std::string& path, int inputFormat, int& code, std::string& error) {
  code = inputFormat;
  if (code != kFormatByExtension || ReaderForPath(path)) return true;
  std::string head;
  bool complete = false;
  if (!ReadHead(path, head, complete, error)) {
    error = "Error loading file: " + error;
    return false;
  }
  const SniffResult sniff = FormatOfContent(head, complete);
  if (sniff.formatCode < 0) {
    error = "Unknown Extension, and the content is no waypoint file (" + sniff.reason +
            "); name its format with --input-format";
    return false;
  }
  code = sniff.formatCode;
  return true;
}

bool LoadStandardInput(ListSession& session, int inputFormat, std::string& error) {
  StagedFile staged("stdin-");
  std::string head;
  bool complete = false;
  if (!staged.Ok() || !CopyStreamToFile(CommandInput(), staged.Path(), head, complete, error)) {
    if (error.empty()) error = "cannot keep it in " + CacheFolder();
    return false;
  }
  int code = inputFormat;
  if (code == kFormatByExtension) {
    const SniffResult sniff = FormatOfContent(head, complete);
    if (sniff.formatCode < 0) {
      error = "cannot tell its format (" + sniff.reason + "); name it with --input-format";
      return false;
    }
    code = sniff.formatCode;
  }
  return session.LoadFile(staged.Path(), code);
}

}  // namespace

AppSettings StoredAppSettings() {
  TUlkFileversionInfo info;
  info.GetInfo();
  const ProgramIdentity identity = IdentityFromVersionInfo(info);
  TUlkRegistry registry;
  registry.Init(RegistryRoot::kLocalMachine, "Software", identity.companyName, identity.fileDescription);
  return ReadAppSettings(registry);
}

int LoadInputs(ListSession& session, const std::vector<std::string>& inputs, std::ostream& err, int inputFormat) {
  if (std::count(inputs.begin(), inputs.end(), "-") > 1) return UsageError(err, "- (standard input) can be read once");
  StderrStatus* status = dynamic_cast<StderrStatus*>(&session.Status());
  ProgressPrinter progress(err);
  auto previous = session.onProgress;
  session.onProgress = [&](std::uint64_t done, std::uint64_t total) { progress.Update(done, total); };
  int rc = 0;
  for (const std::string& input : inputs) {
    const bool standardInput = input == "-";
    const std::string subject = standardInput ? kStandardInput : input;
    if (status) status->SetSubject(subject);
    const int printedBefore = status ? status->Printed() : 0;
    progress.Start(subject);
    std::string error;
    int code = kFormatByExtension;
    bool ok = false;
    if (standardInput) {
      ok = LoadStandardInput(session, inputFormat, error);
    } else if (InputFormatOf(input, inputFormat, code, error)) {
      ok = session.LoadFile(input, code);
    }
    progress.Finish();
    if (!ok) {
      // The session has said why, unless the failure came before it.
      if (!status || status->Printed() == printedBefore) {
        PrintError(err, subject, error.empty() ? std::string("Error loading file") : error);
      }
      rc = 1;
      break;
    }
  }
  if (status) status->SetSubject({});
  session.onProgress = previous;
  return rc;
}

}  // namespace quill::cli
