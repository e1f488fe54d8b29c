// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two Ftp buttons of extended mode: the favorite list downloaded from, or
// uploaded to, the server of the settings. The transfer runs off the window
// thread; a downloaded list is loaded like any other file.
#include <QObject>
#include <QString>
#include <memory>

namespace quill {

struct AppSettings;
class FavoriteTransfer;
class ListSession;
class TFileCommands;
class TListPanel;

class TFtpCommands : public QObject {
  Q_OBJECT
 public:
  // The FTP values of `settings` are read at every press.
  TFtpCommands(QObject* parent, ListSession& session, TFileCommands& files, TListPanel& panel,
               const AppSettings& settings);
  ~TFtpCommands() override;

  void ButtonFtpLoadClick();
  void ButtonFtpSaveClick();
  // A transfer runs, or its list is loading.
  bool Busy() const;
  // The window closes: the transfer is cut off, its files removed.
  void Cancel();
  FavoriteTransfer& Transfer() { return *ftp_; }

 signals:
  // Each step and outcome of a transfer, for the log.
  void Event(bool error, const QString& text);
  void Finished(bool ok);

 private:
  bool LoadDownloaded(const std::string& localFile);

  TFileCommands& files_;
  const AppSettings& settings_;
  std::unique_ptr<FavoriteTransfer> ftp_;
};

}  // namespace quill
