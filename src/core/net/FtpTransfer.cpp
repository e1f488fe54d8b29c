#include "net/FtpTransfer.h"

#include <unistd.h>

#include "base/UserFolders.h"
#include "formats/GpxWriter.h"
#include "net/ScramblePassword.h"

namespace quill {

FtpTransferSettings FtpSettingsFrom(const AppSettings& settings) {
  FtpTransferSettings s;
  s.FtpHost = settings.FtpHost;
  s.FtpUser = settings.FtpUser;
  s.FtpPassword = settings.FtpPassword;
  s.FtpRemDirFav = settings.FtpRemDirFav;
  s.FtpRemFilenameFav = settings.FtpRemFilenameFav;
  s.FtpProxy = settings.FtpProxy;
  s.FtpProxyPort = settings.FtpProxyPort;
  s.FtpPassive = settings.FtpPassive != 0;
  s.WarnSaveFtp = settings.WarnSaveFtp;
  return s;
}

std::string FtpPartName(const std::string& remoteFile) { return remoteFile + ".part"; }

FtpTransfer::FtpTransfer(ListSession& session) : session_(session), client_(*this) {}

void FtpTransfer::LocalFile::Remove() {
  if (owned) ::unlink(path.c_str());
  owned = false;
}

// The running transfer's state and local file must stay as they are.
bool FtpTransfer::RefuseWhileBusy() {
  if (!Busy()) return false;
  session_.Status().SetError(2, "Already connected!");
  return true;
}

void FtpTransfer::FtpLoad() {
  session_.SetFavoriteLoaded();
  if (RefuseWhileBusy()) return;
  const std::string local = CreateCacheTempFile("ftp-", ".gpx");
  if (local.empty()) {
    session_.Status().SetError(2, "Error saving file");
    return;
  }
  StartWithLocalFile(FtpDirection::Download, local);
}

void FtpTransfer::FtpSave() {
  if (RefuseWhileBusy()) return;
  if (settings_.WarnSaveFtp && !session_.Questions().AskYesNo("FTP Upload GPX", "Are you sure?")) return;
  const std::string local = CreateCacheTempFile("ftp-", ".gpx");
  const auto& shown = session_.Store().ShownWaypoints();
  WriteOptions options;
  options.internalName = session_.Settings().internalName;
  options.status = &session_.Status();
  // A file that did not come out whole must not replace the remote list.
  if (local.empty() || !WriteGpxFile(local, RecordSpan(shown.data(), shown.size()), options)) {
    if (!local.empty()) ::unlink(local.c_str());
    session_.Status().SetError(2, "Error saving file");
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
  client_.Connect();
  return true;
}

void FtpTransfer::OnConnect() {
  if (!FtpLocalFile_.empty()) client_.ChangeDir(FtpRemoteDir_);
}

void FtpTransfer::OnSuccess(int code) {
  switch (code) {
    case kFtpChangeDir:
      if (FtpDirection_ == FtpDirection::Upload) {
        client_.Upload(FtpLocalFile_, FtpPartName(FtpRemoteFile_));
      } else {
        client_.Download(FtpRemoteFile_, FtpLocalFile_);
      }
      break;
    case kFtpDownload: {
      // The client reports a download only once it arrived whole.
      client_.Disconnect();
      session_.Status().SetError(0, "");
      const bool ok = loadDownloaded ? loadDownloaded(FtpLocalFile_) : session_.LoadFile(FtpLocalFile_);
      Finish(ok);
      break;
    }
    case kFtpUpload:
      client_.Rename(FtpPartName(FtpRemoteFile_), FtpRemoteFile_);
      break;
    case kFtpRename:
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
  if (client_.Connected()) client_.Disconnect();
  session_.Status().SetError(0, "");
  session_.Status().FlashError(0, message);
  Finish(false);
}

void FtpTransfer::Finish(bool ok) {
  if (!running_) return;
  running_ = false;
  local_.Remove();
  if (onFinished) onFinished(ok);
}

}  // namespace quill
