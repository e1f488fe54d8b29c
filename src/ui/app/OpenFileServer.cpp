#include "ui/app/OpenFileServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace quill {
namespace {

constexpr qsizetype kMaxName = 64 * 1024;

bool SameUser(qintptr fd) {
  struct ucred cred {};
  socklen_t len = sizeof cred;
  if (::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return cred.uid == ::getuid();
}

}  // namespace

OpenFileServer::OpenFileServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &OpenFileServer::NewConnection);
}

OpenFileServer::~OpenFileServer() { server_->close(); }

bool OpenFileServer::Listening() const { return server_->isListening(); }

bool OpenFileServer::Listen(const QString& path) {
  QString folder = QFileInfo(path).absolutePath();
  if (!QDir(folder).exists()) {
    QDir().mkpath(folder);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
  }
  // Listening with user-only access puts a new socket in place of any old
  // one, so ask first whether another window answers there.
  if (QFileInfo::exists(path)) {
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(300)) {
      probe.disconnectFromServer();
      return false;
    }
    QLocalServer::removeServer(path);
  }
  return server_->listen(path);
}

void OpenFileServer::NewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!SameUser(socket->socketDescriptor())) {
      socket->abort();
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    if (socket->bytesAvailable() > 0) ReadFrom(socket);
  }
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
