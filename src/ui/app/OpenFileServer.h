// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running window's ear for file names sent by `quillmark-cli open FILE`:
// a local socket in a folder private to the user, taking connections of the
// same user only. A name is a zero-terminated run of bytes (the file system's
// own form); each is answered with one byte. When connections cannot be taken
// for a moment (no descriptors left) it keeps listening and tries again.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

class QLocalSocket;
class QSocketNotifier;

namespace quill {

class OpenFileServer : public QObject {
  Q_OBJECT
 public:
  explicit OpenFileServer(QObject* parent = nullptr);
  ~OpenFileServer() override;

  // False when another window already listens or the socket cannot be made;
  // then Problem() says why, unless it is the other window.
  bool Listen(const QString& path);
  bool Listening() const;
  const std::string& Problem() const { return problem_; }

 signals:
  void FileReceived(const QByteArray& fileName);
  // A waiting connection could not be taken yet (no descriptors left, say);
  // it is tried again shortly.
  void AcceptPaused();

 private:
  void AcceptWaiting();
  void Take(int connection);
  void ReadFrom(QLocalSocket* socket);
  void Close();

  int listener_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  std::string path_;
  std::uint64_t inode_ = 0;  // of our socket file, so only ours is removed
  std::string problem_;
};

}  // namespace quill
