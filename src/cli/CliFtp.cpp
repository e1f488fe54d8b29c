// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmark-cli ftp download|upload`: the favorite list transfer of the
// window's two Ftp buttons, with the settings' FTP values as defaults.
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "net/ScramblePassword.h"
#include "session/FavoriteTransfer.h"
#include "session/ListSession.h"
#include "settings/AppSettings.h"

namespace quill::cli {
namespace {

// Keeps the last message: the transfer reports its outcome as a passing one.
class FtpStatus : public StderrStatus {
 public:
  explicit FtpStatus(std::ostream& err) : StderrStatus(err) {}
  std::string standing;
  std::string flashed;
  bool echo = false;  // errors of the load, as they come
  void SetError(int level, const std::string& text) override {
    standing = level >= 2 ? text : std::string();
    if (echo) Print(level, text);
  }
  void FlashError(int, const std::string& text) override { flashed = text; }
};

FavoriteTransferSettings SettingsFromStore() {
  FavoriteTransferSettings settings;
  settings.stored = StoredAppSettings();
  return settings;
}

// One GPX file that loads as it is goes up byte for byte: it already is a
// favorite list, and the server should hold what the user has.
bool SendsFileAsItIs(const CliOptions& options, const ListSession& session) {
  if (options.files.size() != 1 || !options.includeGroundspeak || options.duplicateMode != kDuplicateAllow) {
    return false;
  }
  const std::string& file = options.files.front();
  if (file.size() < 4) return false;
  std::string extension = file.substr(file.size() - 4);
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension == ".gpx" && !session.Store().AllWaypoints().empty();
}

bool CopyWhole(const std::string& from, const std::string& to) {
  InputFile in;
  AtomicFileWriter out;
  if (!in.Open(from, false) || !out.Open(to, false)) return false;
  for (std::string_view chunk = in.ReadChunk(); !chunk.empty(); chunk = in.ReadChunk()) out.Write(chunk);
  return !in.HadError() && out.Commit();
}

}  // namespace

int RunFtp(const std::vector<std::string>& args, std::ostream& /*out*/, std::ostream& err) {
  if (args.empty() || (args[0] != "download" && args[0] != "upload")) {
    return UsageError(err, "ftp needs download or upload");
  }
  const bool upload = args[0] == "upload";
  for (const std::string& a : args) {
    // --passive is the transfer mode, not a password.
    if (a.rfind("--pass", 0) == 0 && a != "--passive") {
      return UsageError(err, "the password comes from the settings or QUILLMARK_FTP_PASSWORD, never an argument");
    }
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  ExtraOptionNames names;
  names.withValue = {"--host", "--user", "--dir", "--name", "--timeout"};
  names.flags = {"--active", "--passive"};
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(rest, names, options, error)) return UsageError(err, error);
  if (upload ? options.files.empty() : options.files.size() != 1) {
    return UsageError(err, upload ? "ftp upload needs at least one INPUT" : "ftp download takes one OUTPUT");
  }

  FavoriteTransferSettings settings = SettingsFromStore();
  settings.stored.WarnSaveFtp = false;  // asking is the command itself
  if (const char* password = std::getenv("QUILLMARK_FTP_PASSWORD")) {
    settings.stored.FtpPassword = ScramblePassword(password, kFtpPasswordKey, ScrambleDirection::Add);
  }
  for (const CliOption& o : options.extra) {
    if (o.name == "--host") settings.stored.FtpHost = o.value;
    if (o.name == "--user") settings.stored.FtpUser = o.value;
    if (o.name == "--dir") settings.stored.FtpRemDirFav = o.value;
    if (o.name == "--name") settings.stored.FtpRemFilenameFav = o.value;
    if (o.name == "--active") settings.stored.FtpPassive = 0;
    if (o.name == "--passive") settings.stored.FtpPassive = 1;
    if (o.name == "--timeout") {
      char* end = nullptr;
      const long seconds = std::strtol(o.value.c_str(), &end, 10);
      if (o.value.empty() || *end != '\0' || seconds < 1 || seconds > 3600) {
        return UsageError(err, "--timeout takes 1 to 3600 seconds");
      }
      settings.connectTimeoutMs = settings.idleTimeoutMs = static_cast<int>(seconds * 1000);
      settings.totalTimeoutMs = std::max(settings.totalTimeoutMs, settings.idleTimeoutMs);
    }
  }

  const std::unique_ptr<QCoreApplication> app = EnsureCoreApplication();
  // Interrupted or killed, the transfer leaves no local file behind.
  platform::CleanUpOnTermination();

  FixedAnswers answers;
  FtpStatus status(err);
  ListSession session(status, answers);
  ApplyCliOptions(options, session, answers);
  FavoriteTransfer ftp(session);
  ftp.Settings() = settings;

  if (upload) {
    status.echo = true;
    if (int rc = LoadInputs(session, options.files, err, options.inputFormat)) return rc;
    status.echo = false;
  } else {
    const std::string output = options.files.front();
    ftp.loadDownloaded = [&status, output](const std::string& local) {
      if (CopyWhole(local, output)) return true;
      status.flashed = "Error saving file";
      return false;
    };
  }

  bool finished = false;
  bool ok = false;
  QEventLoop loop;
  ftp.onFinished = [&](bool success) {
    finished = true;
    ok = success;
    loop.quit();
  };
  if (upload && SendsFileAsItIs(options, session)) {
    ftp.StartFtpTransfer(FtpDirection::Upload, settings.stored.FtpHost, settings.stored.FtpUser,
                         settings.stored.FtpPassword, settings.stored.FtpRemDirFav, settings.stored.FtpRemFilenameFav,
                         options.files.front());
  } else if (upload) {
    ftp.FtpSave();
  } else {
    ftp.FtpLoad();
  }
  if (!finished && ftp.Connected()) loop.exec();
  if (!finished || !ok) {
    const std::string& text = status.standing.empty() ? status.flashed : status.standing;
    PrintError(err, "ftp", text.empty() ? std::string("FTP transfer failed") : text);
    return 1;
  }
  return 0;
}

}  // namespace quill::cli
