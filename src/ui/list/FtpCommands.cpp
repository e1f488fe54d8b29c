// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FtpCommands.h"

#include <QPushButton>

#include "session/FavoriteTransfer.h"
#include "settings/AppSettings.h"
#include "ui/list/FileCommands.h"
#include "ui/list/ListPanel.h"

namespace quill {

TFtpCommands::TFtpCommands(QObject* parent, ListSession& session, TFileCommands& files, TListPanel& panel,
                           const AppSettings& settings)
    : QObject(parent), files_(files), settings_(settings), ftp_(std::make_unique<FavoriteTransfer>(session)) {
  setObjectName("FtpCommands");
  ftp_->loadDownloaded = [this](const std::string& local) { return LoadDownloaded(local); };
  ftp_->onFinished = [this](bool ok) { emit Finished(ok); };
  ftp_->onEvent = [this](bool error, const std::string& text) { emit Event(error, QString::fromStdString(text)); };
  const TListPanel::ListButtons& b = panel.Buttons();
  connect(b.ftpLoad, &QPushButton::clicked, this, &TFtpCommands::ButtonFtpLoadClick);
  connect(b.ftpSave, &QPushButton::clicked, this, &TFtpCommands::ButtonFtpSaveClick);
}

TFtpCommands::~TFtpCommands() {
  // Nothing of this object may be called back while the transfer winds down.
  ftp_->loadDownloaded = nullptr;
  ftp_->onFinished = nullptr;
  ftp_->onEvent = nullptr;
}

void TFtpCommands::ButtonFtpLoadClick() {
  ftp_->Settings().stored = settings_;
  ftp_->FtpLoad();
}

void TFtpCommands::ButtonFtpSaveClick() {
  ftp_->Settings().stored = settings_;
  ftp_->FtpSave();
}

bool TFtpCommands::Busy() const { return ftp_->Busy(); }

void TFtpCommands::Cancel() { ftp_->Cancel(); }

// The normal load path, duplicate question included. While another load or
// save holds the window, the file waits in the load queue, which removes it.
bool TFtpCommands::LoadDownloaded(const std::string& localFile) {
  // Named after the favorite, so that Save proposes that name in the user's
  // own folder, not the private file's.
  const std::string listName = FavoriteListName(settings_.FavoriteFile, settings_.FtpRemFilenameFav);
  if (!files_.Busy()) return files_.LoadFile(localFile, listName);
  files_.QueueTemporaryLoad(ftp_->TakeLocalFile(), listName);
  return true;
}

}  // namespace quill
