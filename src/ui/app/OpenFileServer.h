#pragma once
// The running window's ear for file names sent by `quillmark-cli open FILE`:
// a local socket that only the same user may use. A name is a zero-terminated
// run of bytes (the file system's own form); each is answered with one byte.
#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace quill {

class OpenFileServer : public QObject {
  Q_OBJECT
 public:
  explicit OpenFileServer(QObject* parent = nullptr);
  ~OpenFileServer() override;

  // False when another window already listens or the socket cannot be made.
  bool Listen(const QString& path);
  bool Listening() const;

 signals:
  void FileReceived(const QByteArray& fileName);

 private:
  void NewConnection();
  void ReadFrom(QLocalSocket* socket);

  QLocalServer* server_;
};

}  // namespace quill
