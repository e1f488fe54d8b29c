// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/FtpTransfer.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "base/UserFolders.h"
#include "formats/GpxWriter.h"
#include "net/ScramblePassword.h"
#include "text/TextHelpers.h"

namespace quill {

FtpTransferSettings FtpSettingsFrom(const AppSettings& settings) {
  FtpTransferSettings s;
  CopyFtpSettings(settings, s);
  return s;
}

void CopyFtpSettings(const AppSettings& settings, FtpTransferSettings& s) {
  s.FtpHost = settings.FtpHost;
  s.FtpUser = settings.FtpUser;
  s.FtpPassword = settings.FtpPassword;
  s.FtpRemDirFav = settings.FtpRemDirFav;
  s.FtpRemFilenameFav = settings.FtpRemFilenameFav;
  s.FtpProxy = settings.FtpProxy;
  s.FtpProxyPort = settings.FtpProxyPort;
  s.FtpPassive = settings.FtpPassive != 0;
  s.WarnSaveFtp = settings.WarnSaveFtp;
}

std::string FtpPartName(const std::string& remoteFile) { return remoteFile + ".part"; }

std::string FavoriteListName(const std::string& favoriteFile, const std::string& remoteFile) {
  std::string_view name = FileNamePart(favoriteFile);
  if (name.empty()) name = FileNamePart(remoteFile);
  return name.empty() ? std::string("favorites.gpx") : std::string(name);
}

FtpTransfer::FtpTransfer(ListSession& session) : session_(session), client_(*this) {}

void FtpTransfer::LocalFile::Remove() {
  if (owned) ::unlink(path.c_str());
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
  StartWithLocalFile(FtpDirection::Download, local);
}

void FtpTransfer::FtpSave() {
  if (RefuseWhileBusy()) return;
  if (settings_.WarnSaveFtp && !session_.Questions().AskDestructive(
                                   "FTP Upload GPX", "Are you sure?",
                                   "Upload " + WaypointCountText(session_.Store().ShownWaypoints().size()) + " over " +
                                       settings_.FtpRemFilenameFav + " on " + settings_.FtpHost + ".")) {
    return;
  }
  const std::string local = CreateCacheTempFile("ftp-", ".gpx");
  const auto& shown = session_.Store().ShownWaypoints();
  WriteOptions options;
  options.internalName = session_.Settings().internalName;
  options.status = &session_.Status();
  // A file that did not come out whole must not replace the remote list.
  if (local.empty() || !WriteGpxFile(local, RecordSpan(shown.data(), shown.size()), options)) {
    if (!local.empty()) ::unlink(local.c_str());
    session_.Status().SetError(2, "Error saving file");
    Report(true, "The list to upload could not be written");
    return;
  }
  StartWithLocalFile(FtpDirection::Upload, local);
}

void FtpTransfer::StartWithLocalFile(FtpDirection direction, const std::string& local) {
  if (StartFtpTransfer(direction, settings_.FtpHost, settings_.FtpUser, settings_.FtpPassword, settings_.FtpRemDirFav,
                       settings_.FtpRemFilenameFav, local)) {
    local_.path = local;
    local_.owned = true;
  } else {
    ::unlink(local.c_str());
  }
}

bool FtpTransfer::StartFtpTransfer(FtpDirection direction, const std::string& host, const std::string& user,
                                   const std::string& scrambledPassword, const std::string& remoteDir,
                                   const std::string& remoteFile, const std::string& localFile) {
  if (RefuseWhileBusy()) return false;
  FtpDirection_ = direction;
  FtpHostText_ = host;
  FtpUserText_ = user;
  FtpPasswordText_ = scrambledPassword;
  FtpRemoteDir_ = remoteDir;
  FtpRemoteFile_ = remoteFile;
  FtpLocalFile_ = localFile;
  local_ = {};
  running_ = true;

  FtpProperties& p = client_.Properties();
  p.Vendor = 2411;
  p.Host = host;
  p.UserID = user;
  p.Password = ScramblePassword(scrambledPassword, kFtpPasswordKey, ScrambleDirection::Subtract);
  p.Proxy = settings_.FtpProxy;
  p.ProxyPort = settings_.FtpProxyPort;
  p.Passive = settings_.FtpPassive;
  p.connectTimeoutMs = settings_.connectTimeoutMs;
  p.idleTimeoutMs = settings_.idleTimeoutMs;
  p.caFile = settings_.caFile;
  session_.Status().SetError(0, "Busy...");
  started_ = std::chrono::steady_clock::now();
  Report(false, std::string(direction == FtpDirection::Upload ? "Upload to " : "Download of ") +
                    RemotePath(remoteFile) + " on " + host + " as " + (user.empty() ? "anonymous" : user) + ", " +
                    (p.Passive ? "passive" : "active") + (p.Proxy.empty() ? "" : ", through " + p.Proxy));
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
      const bool ok =
          loadDownloaded
              ? loadDownloaded(FtpLocalFile_)
              : session_.LoadFileAs(FtpLocalFile_, FavoriteListName(session_.Settings().favoriteFile, FtpRemoteFile_));
      Finish(ok);
      break;
    }
    case kFtpUpload:
      Report(false, "Uploaded " + TransferFigures() + " as " + FtpPartName(FtpRemoteFile_));
      client_.Rename(FtpPartName(FtpRemoteFile_), FtpRemoteFile_);
      break;
    case kFtpRename:
      Report(false, "Renamed to " + FtpRemoteFile_);
      client_.Disconnect();
      session_.Status().SetError(0, "");
      session_.Status().FlashError(0, "Done!");
      Finish(true);
      break;
    default:
      break;
  }
}

void FtpTransfer::OnFailure(bool& handled, int code) {
  handled = true;
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

void FtpTransfer::OnUnSupportedFunction(int code) { Fail("Unsupported function! (" + FtpCommandName(code) + ")"); }

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
  return local_.path;
}

void FtpTransfer::Report(bool error, const std::string& text) const {
  if (onEvent) onEvent(error, text);
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
