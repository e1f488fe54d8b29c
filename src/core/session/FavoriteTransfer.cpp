// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FavoriteTransfer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "base/Platform.h"
#include "base/UserFolders.h"
#include "formats/FormatTable.h"
#include "net/ScramblePassword.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

bool HasControlCharacter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

constexpr long kStaleAfterSeconds = 24 * 3600;

// The status bar's words for an operation the server refused or did not know.
std::string Refusal(const FtpResult& result, const char* operation) {
  return std::string(result.kind == FtpResult::Kind::kUnsupported ? "Unsupported function! (" : "Failure! (") +
         operation + ")";
}

}  // namespace

std::string FtpPartName(const std::string& remoteFile) { return remoteFile + ".part"; }

std::string FavoriteListName(const std::string& favoriteFile, const std::string& remoteFile) {
  std::string_view name = FileNamePart(favoriteFile);
  if (name.empty()) name = FileNamePart(remoteFile);
  return name.empty() ? std::string("favorites.gpx") : std::string(name);
}

std::string FtpAsideName(const std::string& remoteFile) { return remoteFile + ".old.part"; }

std::string ProxyWithoutCredentials(const std::string& proxy) {
  const std::size_t scheme = proxy.find("://");
  const std::size_t start = scheme == std::string::npos ? 0 : scheme + 3;
  const std::size_t hostEnd = proxy.find_first_of("/?#", start);
  const std::string_view authority =
      std::string_view(proxy).substr(start, hostEnd == std::string::npos ? std::string::npos : hostEnd - start);
  const std::size_t at = authority.rfind('@');
  if (at == std::string_view::npos) return proxy;
  return proxy.substr(0, start) + proxy.substr(start + at + 1);
}

FavoriteTransfer::FavoriteTransfer(ListSession& session) : session_(session) {
  // Local files of transfers that were killed, from an earlier run.
  static std::once_flag swept;
  std::call_once(swept, [] { SweepStaleCacheTempFiles("ftp-", ".gpx", kStaleAfterSeconds); });
}

// The file is on the termination list from its creation on.
void FavoriteTransfer::LocalFile::Own(const std::string& file) {
  path = file;
  owned = true;
}

void FavoriteTransfer::LocalFile::Remove() {
  if (owned) {
    ::unlink(path.c_str());
    platform::ForgetOnTermination(path);
  }
  owned = false;
}

// The running transfer's state and local file must stay as they are.
bool FavoriteTransfer::RefuseWhileBusy() {
  if (!Busy()) return false;
  session_.Status().SetError(2, "Already connected!");
  Report(true, "Already connected!");
  return true;
}

void FavoriteTransfer::FtpLoad() {
  session_.SetFavoriteLoaded();
  if (RefuseWhileBusy()) return;
  const std::string local = CreateCacheTempFile("ftp-", ".gpx");
  if (local.empty()) {
    session_.Status().SetError(2, "Error saving file");
    Report(true, "No temporary file in " + CacheFolder());
    return;
  }
  platform::RemoveOnTermination(local);
  StartWithLocalFile(FtpDirection::Download, local);
}

void FavoriteTransfer::FtpSave() {
  if (RefuseWhileBusy()) return;
  if (settings_.stored.WarnSaveFtp &&
      !session_.Questions().AskDestructive("FTP Upload GPX", "Are you sure?",
                                           "Upload " + WaypointCountText(session_.Store().ShownWaypoints().size()) +
                                               " over " + settings_.stored.FtpRemFilenameFav + " on " +
                                               settings_.stored.FtpHost + ".")) {
    return;
  }
  const std::string local = CreateCacheTempFile("ftp-", ".gpx");
  if (!local.empty()) platform::RemoveOnTermination(local);
  // A file that did not come out whole must not replace the remote list.
  if (local.empty() || !session_.WriteCopy(local, kFormatGpx)) {
    if (!local.empty()) {
      ::unlink(local.c_str());
      platform::ForgetOnTermination(local);
    }
    session_.Status().SetError(2, "Error saving file");
    Report(true, "The list to upload could not be written");
    return;
  }
  StartWithLocalFile(FtpDirection::Upload, local);
}

void FavoriteTransfer::StartWithLocalFile(FtpDirection direction, const std::string& local) {
  if (StartFtpTransfer(direction, settings_.stored.FtpHost, settings_.stored.FtpUser, settings_.stored.FtpPassword,
                       settings_.stored.FtpRemDirFav, settings_.stored.FtpRemFilenameFav, local)) {
    local_.Own(local);
  } else {
    ::unlink(local.c_str());
    platform::ForgetOnTermination(local);
  }
}

bool FavoriteTransfer::StartFtpTransfer(FtpDirection direction, const std::string& host, const std::string& user,
                                        const std::string& scrambledPassword, const std::string& remoteDir,
                                        const std::string& remoteFile, const std::string& localFile) {
  if (RefuseWhileBusy()) return false;
  const std::string password = ScramblePassword(scrambledPassword, kFtpPasswordKey, ScrambleDirection::Subtract);
  // A line break in any of them would reach the server as a command of its own.
  if (const std::string invalid = InvalidField(host, user, password, remoteDir, remoteFile); !invalid.empty()) {
    Report(true, invalid);
    session_.Status().SetError(0, "");
    session_.Status().FlashError(2, invalid);
    return false;
  }
  direction_ = direction;
  remoteDir_ = remoteDir;
  remoteFile_ = remoteFile;
  localFile_ = localFile;
  local_ = {};
  running_ = true;

  FtpProperties p;
  p.Host = host;
  p.UserID = user;
  p.Password = password;
  p.Proxy = settings_.stored.FtpProxy;
  p.ProxyPort = settings_.stored.FtpProxyPort;
  p.Passive = settings_.stored.FtpPassive != 0;
  p.connectTimeoutMs = settings_.connectTimeoutMs;
  p.idleTimeoutMs = settings_.idleTimeoutMs;
  constexpr std::int64_t kMostMs = 7 * 24 * 3600 * std::int64_t{1000};
  p.totalTimeoutMs = static_cast<int>(std::clamp<std::int64_t>(
      std::max<std::int64_t>(settings_.totalTimeoutMs, std::int64_t{settings_.stored.FtpTimeLimit} * 1000), 1,
      kMostMs));
  p.maxDownloadBytes = settings_.maxDownloadBytes;
  p.caFile = settings_.caFile;
  session_.Status().SetError(0, "Busy...");
  started_ = std::chrono::steady_clock::now();
  Report(false, std::string(direction == FtpDirection::Upload ? "Upload to " : "Download of ") +
                    RemotePath(remoteFile) + " on " + host + " as " + (user.empty() ? "anonymous" : user) + ", " +
                    (p.Passive ? "passive" : "active") +
                    (p.Proxy.empty() ? "" : ", through " + ProxyWithoutCredentials(p.Proxy)));
  client_.Connect(p, [this](const FtpResult& r) { LoggedIn(r); });
  return true;
}

void FavoriteTransfer::LoggedIn(const FtpResult& result) {
  if (Broken(result)) return;
  Report(false, "Connected");
  client_.ChangeDir(remoteDir_, [this](const FtpResult& r) { InFolder(r); });
}

void FavoriteTransfer::InFolder(const FtpResult& result) {
  if (Broken(result)) return;
  if (!result.Ok()) return Fail(Refusal(result, "ChangeDir"));
  Report(false, "In folder " + (remoteDir_.empty() ? std::string("(login folder)") : remoteDir_));
  if (direction_ == FtpDirection::Upload) {
    client_.Upload(localFile_, FtpPartName(remoteFile_), [this](const FtpResult& r) { Uploaded(r); });
  } else {
    client_.Download(remoteFile_, localFile_, [this](const FtpResult& r) { Downloaded(r); });
  }
}

void FavoriteTransfer::Downloaded(const FtpResult& result) {
  if (Broken(result)) return;
  if (!result.Ok()) return Fail(Refusal(result, "Download"));
  // The client reports a download only once it arrived whole.
  Report(false, "Downloaded " + TransferFigures());
  client_.Disconnect();
  session_.Status().SetError(0, "");
  const bool ok = loadDownloaded ? loadDownloaded(localFile_)
                                 : session_.LoadFileAs(
                                       localFile_, FavoriteListName(session_.Settings().FavoriteFile(), remoteFile_));
  Finish(ok);
}

// After the upload the part file takes the remote file's place. A server
// that refuses to rename onto an existing file gets the old file moved aside
// first (the only moment the list is not on the server under its name) and
// removed after; when the new file cannot take its place, the old one is put
// back and the part file removed, so nothing of ours is left behind.
void FavoriteTransfer::Uploaded(const FtpResult& result) {
  if (Broken(result)) return;
  if (!result.Ok()) return Fail(Refusal(result, "Upload"));
  Report(false, "Uploaded " + TransferFigures() + " as " + FtpPartName(remoteFile_));
  client_.Rename(FtpPartName(remoteFile_), remoteFile_, [this](const FtpResult& r) { RenamedOver(r); });
}

void FavoriteTransfer::RenamedOver(const FtpResult& result) {
  if (Broken(result)) return;
  if (result.Ok()) return UploadDone();
  // A server that cannot rename at all will not do it the second way either.
  if (result.kind == FtpResult::Kind::kUnsupported) return RemovePartAndFail(Refusal(result, "Rename"));
  Report(true, "The server refused to rename " + FtpPartName(remoteFile_) + " over " + remoteFile_ +
                   "; moving the old file aside");
  client_.Rename(remoteFile_, FtpAsideName(remoteFile_), [this](const FtpResult& r) { MovedAside(r); });
}

void FavoriteTransfer::MovedAside(const FtpResult& result) {
  if (Broken(result)) return;
  if (!result.Ok()) return RemovePartAndFail("Failure! (Rename)");
  client_.Rename(FtpPartName(remoteFile_), remoteFile_, [this](const FtpResult& r) { RenamedAfterMovingAside(r); });
}

void FavoriteTransfer::RenamedAfterMovingAside(const FtpResult& result) {
  if (Broken(result)) return;
  if (!result.Ok()) {
    client_.Rename(FtpAsideName(remoteFile_), remoteFile_, [this](const FtpResult& r) { PutBack(r); });
    return;
  }
  client_.Delete(FtpAsideName(remoteFile_), [this](const FtpResult& r) {
    if (Broken(r)) return;
    if (!r.Ok()) Report(true, "Could not remove " + FtpAsideName(remoteFile_));
    UploadDone();
  });
}

void FavoriteTransfer::PutBack(const FtpResult& result) {
  if (Broken(result)) return;
  if (result.Ok()) return RemovePartAndFail("Failure! (Rename)");
  // Both lists are still on the server, under the two names.
  Report(true, "The old list stays as " + FtpAsideName(remoteFile_) + ", the new one as " + FtpPartName(remoteFile_));
  Fail("Failure! (Rename)");
}

void FavoriteTransfer::RemovePartAndFail(const std::string& failure) {
  client_.Delete(FtpPartName(remoteFile_), [this, failure](const FtpResult& r) {
    if (Broken(r)) return;
    if (!r.Ok()) Report(true, "Could not remove " + FtpPartName(remoteFile_));
    Fail(failure);
  });
}

void FavoriteTransfer::UploadDone() {
  Report(false, "Renamed to " + remoteFile_);
  client_.Disconnect();
  session_.Status().SetError(0, "");
  session_.Status().FlashError(0, "Done!");
  Finish(true);
}

std::string FavoriteTransfer::InvalidField(const std::string& host, const std::string& user,
                                           const std::string& password, const std::string& remoteDir,
                                           const std::string& remoteFile) const {
  const std::pair<const std::string*, const char*> fields[] = {
      {&host, "Invalid host!"},
      {&user, "Invalid user!"},
      {&password, "Invalid password!"},
      {&remoteDir, "Invalid folder!"},
      {&remoteFile, "Invalid file name!"},
      {&settings_.stored.FtpProxy, "Invalid proxy!"},
  };
  for (const auto& [text, message] : fields) {
    if (HasControlCharacter(*text)) return message;
  }
  return {};
}

bool FavoriteTransfer::Broken(const FtpResult& result) {
  switch (result.kind) {
    case FtpResult::Kind::kOk:
    case FtpResult::Kind::kRefused:
    case FtpResult::Kind::kUnsupported:
      return false;
    case FtpResult::Kind::kError:
      Fail("Error! (" + result.text + ")");
      break;
    case FtpResult::Kind::kConnectionFailed:
      Fail("Connection Failed!");
      break;
    case FtpResult::Kind::kAuthFailed:
      Fail("Authentication Failed!");
      break;
    case FtpResult::Kind::kInvalidHost:
      Fail("Invalid host!");
      break;
  }
  return true;
}

// A failed step ends the transfer and closes the connection, so the next
// press starts afresh instead of meeting "Already connected!" for good.
void FavoriteTransfer::Fail(const std::string& message) {
  Report(true, message);
  if (client_.Connected()) client_.Disconnect();
  session_.Status().SetError(0, "");
  // An error: it stays on the window's bar until the next message.
  session_.Status().FlashError(2, message);
  Finish(false);
}

void FavoriteTransfer::Finish(bool ok) {
  if (!running_) return;
  running_ = false;
  if (local_.owned) client_.RemoveLocalFile(local_.path);
  local_.owned = false;
  if (onFinished) onFinished(ok);
}

void FavoriteTransfer::Cancel() {
  if (!running_ && !client_.Connected()) return;
  if (client_.Connected()) client_.Disconnect();
  Report(true, "Cancelled");
  session_.Status().SetError(0, "");
  Finish(false);
}

std::string FavoriteTransfer::TakeLocalFile() {
  local_.owned = false;
  platform::ForgetOnTermination(local_.path);
  return local_.path;
}

void FavoriteTransfer::Report(bool error, const std::string& text) const {
  if (!onEvent) return;
  // A message of the network library may quote the proxy as it was given.
  std::string line = text;
  const std::string& proxy = settings_.stored.FtpProxy;
  const std::string bare = ProxyWithoutCredentials(proxy);
  if (bare != proxy) ReplaceAll(line, proxy, bare);
  onEvent(error, line);
}

std::string FavoriteTransfer::RemotePath(const std::string& name) const {
  if (remoteDir_.empty()) return name;
  return remoteDir_ + (remoteDir_.back() == '/' ? "" : "/") + name;
}

// "123456 bytes in 1.25 s": the local file is the transfer's size either way.
std::string FavoriteTransfer::TransferFigures() const {
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(localFile_, ec);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  char text[64];
  std::snprintf(text, sizeof text, "%llu bytes in %.2f s", ec ? 0ULL : static_cast<unsigned long long>(bytes), seconds);
  return text;
}

}  // namespace quill
