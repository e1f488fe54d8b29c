// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/FtpTransfer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "base/Platform.h"
#include "base/UserFolders.h"
#include "formats/GpxWriter.h"
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

FtpTransfer::FtpTransfer(ListSession& session) : session_(session), client_(*this) {
  // Local files of transfers that were killed, from an earlier run.
  static std::once_flag swept;
  std::call_once(swept, [] { SweepStaleCacheTempFiles("ftp-", ".gpx", kStaleAfterSeconds); });
}

// The file is on the termination list from its creation on.
void FtpTransfer::LocalFile::Own(const std::string& file) {
  path = file;
  owned = true;
}

void FtpTransfer::LocalFile::Remove() {
  if (owned) {
    ::unlink(path.c_str());
    platform::ForgetOnTermination(path);
  }
  owned = false;
}

// The running transfer's state and local file must stay as they are.
bool FtpTransfer::RefuseWhileBusy() {
  if (!Busy()) return false;
  session_.Status().SetError(2, "Already connected!");
  Report(true, "Already connected!");
  return true;
}

void FtpTransfer::FtpLoad() {
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

void FtpTransfer::FtpSave() {
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
  const auto& shown = session_.Store().ShownWaypoints();
  WriteOptions options;
  options.internalName = session_.Settings().internalName;
  options.status = &session_.Status();
  // A file that did not come out whole must not replace the remote list.
  if (local.empty() || !WriteGpxFile(local, RecordSpan(shown.data(), shown.size()), options)) {
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

void FtpTransfer::StartWithLocalFile(FtpDirection direction, const std::string& local) {
  if (StartFtpTransfer(direction, settings_.stored.FtpHost, settings_.stored.FtpUser, settings_.stored.FtpPassword,
                       settings_.stored.FtpRemDirFav, settings_.stored.FtpRemFilenameFav, local)) {
    local_.Own(local);
  } else {
    ::unlink(local.c_str());
    platform::ForgetOnTermination(local);
  }
}

bool FtpTransfer::StartFtpTransfer(FtpDirection direction, const std::string& host, const std::string& user,
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
  FtpDirection_ = direction;
  FtpHostText_ = host;
  FtpUserText_ = user;
  FtpPasswordText_ = scrambledPassword;
  FtpRemoteDir_ = remoteDir;
  FtpRemoteFile_ = remoteFile;
  FtpLocalFile_ = localFile;
  local_ = {};
  running_ = true;
  uploadStep_ = UploadStep::kNone;

  FtpProperties& p = client_.Properties();
  p.Vendor = 2411;
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
  client_.Connect();
  return true;
}

void FtpTransfer::OnConnect() {
  Report(false, "Connected");
  if (!FtpLocalFile_.empty()) client_.ChangeDir(FtpRemoteDir_);
}

void FtpTransfer::OnSuccess(int code) {
  switch (code) {
    case kFtpChangeDir:
      Report(false, "In folder " + (FtpRemoteDir_.empty() ? std::string("(login folder)") : FtpRemoteDir_));
      if (FtpDirection_ == FtpDirection::Upload) {
        client_.Upload(FtpLocalFile_, FtpPartName(FtpRemoteFile_));
      } else {
        client_.Download(FtpRemoteFile_, FtpLocalFile_);
      }
      break;
    case kFtpDownload: {
      // The client reports a download only once it arrived whole.
      Report(false, "Downloaded " + TransferFigures());
      client_.Disconnect();
      session_.Status().SetError(0, "");
      const bool ok = loadDownloaded
                          ? loadDownloaded(FtpLocalFile_)
                          : session_.LoadFileAs(FtpLocalFile_,
                                                FavoriteListName(session_.Settings().FavoriteFile(), FtpRemoteFile_));
      Finish(ok);
      break;
    }
    case kFtpUpload:
      Report(false, "Uploaded " + TransferFigures() + " as " + FtpPartName(FtpRemoteFile_));
      uploadStep_ = UploadStep::kRename;
      client_.Rename(FtpPartName(FtpRemoteFile_), FtpRemoteFile_);
      break;
    case kFtpRename:
    case kFtpDelete:
      FinishUpload(true);
      break;
    default:
      break;
  }
}

void FtpTransfer::OnFailure(bool& handled, int code) {
  handled = true;
  if ((code == kFtpRename || code == kFtpDelete) && uploadStep_ != UploadStep::kNone) {
    FinishUpload(false);
    return;
  }
  Fail("Failure! (" + FtpCommandName(code) + ")");
}

void FtpTransfer::OnError(int, const std::string& text) { Fail("Error! (" + text + ")"); }

void FtpTransfer::OnConnectionFailed() { Fail("Connection Failed!"); }

void FtpTransfer::OnAuthenticationFailed(bool& handled) {
  handled = false;
  Fail("Authentication Failed!");
}

void FtpTransfer::OnInvalidHost(bool& handled) {
  handled = true;
  Fail("Invalid host!");
}

void FtpTransfer::OnUnSupportedFunction(int code) {
  const std::string message = "Unsupported function! (" + FtpCommandName(code) + ")";
  if ((code == kFtpRename || code == kFtpDelete) && uploadStep_ != UploadStep::kNone) {
    // A server that cannot rename at all will not do it the second way either.
    if (uploadStep_ == UploadStep::kRename) {
      uploadFailure_ = message;
      uploadStep_ = UploadStep::kRemovePart;
      client_.Delete(FtpPartName(FtpRemoteFile_));
      return;
    }
    FinishUpload(false);
    return;
  }
  Fail(message);
}

// After the upload: the part file takes the remote file's place. A server
// that refuses to rename onto an existing file gets the old file moved aside
// first (the only moment the list is not on the server under its name) and
// removed after; when the new file cannot take its place, the old one is put
// back and the part file removed, so nothing of ours is left behind.
void FtpTransfer::FinishUpload(bool ok) {
  const std::string part = FtpPartName(FtpRemoteFile_);
  const std::string aside = FtpAsideName(FtpRemoteFile_);
  switch (uploadStep_) {
    case UploadStep::kRename:
      if (ok) {
        UploadDone();
        return;
      }
      Report(true, "The server refused to rename " + part + " over " + FtpRemoteFile_ + "; moving the old file aside");
      uploadStep_ = UploadStep::kMoveAside;
      client_.Rename(FtpRemoteFile_, aside);
      return;
    case UploadStep::kMoveAside:
      if (ok) {
        uploadStep_ = UploadStep::kRenameAgain;
        client_.Rename(part, FtpRemoteFile_);
        return;
      }
      uploadFailure_ = "Failure! (" + FtpCommandName(kFtpRename) + ")";
      uploadStep_ = UploadStep::kRemovePart;
      client_.Delete(part);
      return;
    case UploadStep::kRenameAgain:
      if (ok) {
        uploadStep_ = UploadStep::kRemoveAside;
        client_.Delete(aside);
        return;
      }
      uploadFailure_ = "Failure! (" + FtpCommandName(kFtpRename) + ")";
      uploadStep_ = UploadStep::kPutBack;
      client_.Rename(aside, FtpRemoteFile_);
      return;
    case UploadStep::kPutBack:
      if (ok) {
        uploadStep_ = UploadStep::kRemovePart;
        client_.Delete(part);
        return;
      }
      // Both lists are still on the server, under the two names.
      Report(true, "The old list stays as " + aside + ", the new one as " + part);
      break;
    case UploadStep::kRemoveAside:
      if (!ok) Report(true, "Could not remove " + aside);
      UploadDone();
      return;
    case UploadStep::kRemovePart:
      if (!ok) Report(true, "Could not remove " + part);
      break;
    case UploadStep::kNone:
      return;
  }
  uploadStep_ = UploadStep::kNone;
  Fail(uploadFailure_);
}

void FtpTransfer::UploadDone() {
  uploadStep_ = UploadStep::kNone;
  Report(false, "Renamed to " + FtpRemoteFile_);
  client_.Disconnect();
  session_.Status().SetError(0, "");
  session_.Status().FlashError(0, "Done!");
  Finish(true);
}

std::string FtpTransfer::InvalidField(const std::string& host, const std::string& user, const std::string& password,
                                      const std::string& remoteDir, const std::string& remoteFile) const {
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

// A failed step ends the transfer and closes the connection, so the next
// press starts afresh instead of meeting "Already connected!" for good.
void FtpTransfer::Fail(const std::string& message) {
  Report(true, message);
  if (client_.Connected()) client_.Disconnect();
  session_.Status().SetError(0, "");
  // An error: it stays on the window's bar until the next message.
  session_.Status().FlashError(2, message);
  Finish(false);
}

void FtpTransfer::Finish(bool ok) {
  if (!running_) return;
  running_ = false;
  uploadStep_ = UploadStep::kNone;
  if (local_.owned) client_.RemoveLocalFile(local_.path);
  local_.owned = false;
  if (onFinished) onFinished(ok);
}

}  // namespace quill

namespace quill {

void FtpTransfer::Cancel() {
  if (!running_ && !client_.Connected()) return;
  if (client_.Connected()) client_.Disconnect();
  Report(true, "Cancelled");
  session_.Status().SetError(0, "");
  Finish(false);
}

std::string FtpTransfer::TakeLocalFile() {
  local_.owned = false;
  platform::ForgetOnTermination(local_.path);
  return local_.path;
}

void FtpTransfer::Report(bool error, const std::string& text) const {
  if (!onEvent) return;
  // A message of the network library may quote the proxy as it was given.
  std::string line = text;
  const std::string& proxy = settings_.stored.FtpProxy;
  const std::string bare = ProxyWithoutCredentials(proxy);
  if (bare != proxy) ReplaceAll(line, proxy, bare);
  onEvent(error, line);
}

std::string FtpTransfer::RemotePath(const std::string& name) const {
  if (FtpRemoteDir_.empty()) return name;
  return FtpRemoteDir_ + (FtpRemoteDir_.back() == '/' ? "" : "/") + name;
}

// "123456 bytes in 1.25 s": the local file is the transfer's size either way.
std::string FtpTransfer::TransferFigures() const {
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(FtpLocalFile_, ec);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  char text[64];
  std::snprintf(text, sizeof text, "%llu bytes in %.2f s", ec ? 0ULL : static_cast<unsigned long long>(bytes), seconds);
  return text;
}

}  // namespace quill
