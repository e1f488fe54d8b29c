// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/OpenFileServer.h"

#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <QVariant>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/UserFolders.h"
#include "session/OpenSocketPath.h"

namespace quill {
namespace {

constexpr qsizetype kMaxName = 64 * 1024;
constexpr int kRetryMs = 200;

}  // namespace

OpenFileServer::OpenFileServer(QObject* parent) : QObject(parent) { setObjectName("OpenFileServer"); }

OpenFileServer::~OpenFileServer() { Close(); }

bool OpenFileServer::Listening() const { return listener_ >= 0; }

bool OpenFileServer::Listen(const QString& path) {
  Close();
  problem_.clear();
  const std::string name = QFile::encodeName(path).toStdString();
  MakeFolders(FolderOfPath(name));
  if (!OpenSocketFolderIsPrivate(name)) {
    problem_ = "Not listening for quillmark-cli open: the socket's folder is not private";
    return false;
  }
  // Ask first whether another window answers at the socket.
  if (platform::Stat(name, false).kind == platform::FileKind::kSocket) {
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(300)) {
      probe.disconnectFromServer();
      return false;
    }
  }
  listener_ = platform::ListenLocal(name);
  if (listener_ < 0) {
    problem_ = "Not listening for quillmark-cli open: the socket cannot be made";
    return false;
  }
  path_ = name;
  inode_ = platform::Stat(name, false).inode;
  notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &OpenFileServer::AcceptWaiting);
  return true;
}

void OpenFileServer::Close() {
  if (listener_ < 0) return;
  delete notifier_;
  notifier_ = nullptr;
  platform::Close(listener_);
  listener_ = -1;
  // Another window may have taken the name meanwhile: remove only our socket.
  platform::FileInfo info = platform::Stat(path_, false);
  if (info.kind == platform::FileKind::kSocket && info.inode == inode_) platform::Remove(path_);
}

void OpenFileServer::AcceptWaiting() {
  while (listener_ >= 0) {
    int connection = -1;
    switch (platform::AcceptLocal(listener_, connection)) {
      case platform::AcceptResult::kAccepted:
        Take(connection);
        break;
      case platform::AcceptResult::kNoneWaiting:
        return;
      case platform::AcceptResult::kRetryLater:
      case platform::AcceptResult::kFailed:
        // Out of descriptors, say: the waiting connection stays queued; pause
        // rather than spin, then take it.
        notifier_->setEnabled(false);
        emit AcceptPaused();
        QTimer::singleShot(kRetryMs, this, [this] {
          if (!notifier_) return;
          notifier_->setEnabled(true);
          AcceptWaiting();
        });
        return;
    }
  }
}

void OpenFileServer::Take(int connection) {
  if (!platform::PeerIsThisUser(connection)) {
    platform::Close(connection);
    return;
  }
  auto* socket = new QLocalSocket(this);
  if (!socket->setSocketDescriptor(connection)) {
    platform::Close(connection);
    delete socket;
    return;
  }
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
  if (socket->bytesAvailable() > 0) ReadFrom(socket);
}

void OpenFileServer::ReadFrom(QLocalSocket* socket) {
  QByteArray buffer = socket->property("pending").toByteArray();
  buffer += socket->readAll();
  qsizetype zero = buffer.indexOf('\0');
  while (zero >= 0) {
    QByteArray name = buffer.left(zero);
    buffer.remove(0, zero + 1);
    socket->write("1", 1);
    if (!name.isEmpty()) emit FileReceived(name);
    zero = buffer.indexOf('\0');
  }
  if (buffer.size() > kMaxName) {
    socket->abort();
    return;
  }
  socket->setProperty("pending", buffer);
}

}  // namespace quill
