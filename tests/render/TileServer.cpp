// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TileServer.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTcpSocket>

namespace quill::test {

TileServer::TileServer(QByteArray cacheControl) : cacheControl_(std::move(cacheControl)) {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(this);
      QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
    }
  });
}

TileServer::~TileServer() { Stop(); }

QColor TileServer::TileColour(int z, int x, int y) {
  return QColor((x * 53 + 20) % 200 + 30, (y * 97 + 40) % 200 + 30, (z * 31 + 60) % 200 + 30);
}

QString TileServer::Template() const { return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(port()); }

void TileServer::Read(QTcpSocket* socket) {
  QByteArray seen = socket->property("request").toByteArray() + socket->readAll();
  socket->setProperty("request", seen);
  qsizetype end = seen.indexOf("\r\n\r\n");
  if (end < 0) return;
  QList<QByteArray> lines = seen.left(end).split('\n');
  QString path = QString::fromLatin1(lines.value(0).split(' ').value(1));
  QByteArray agent;
  for (const QByteArray& line : lines)
    if (line.toLower().startsWith("user-agent:")) agent = line.mid(11).trimmed();
  paths.append(path);
  agents.append(agent);
  if (holding_) {
    held_.append({socket, path});
    maxPending = std::max(maxPending, Pending());
    return;
  }
  Answer(socket, path);
}

void TileServer::ReleaseAll() {
  auto held = held_;
  held_.clear();
  for (auto& [socket, path] : held) Answer(socket, path);
}

void TileServer::Answer(QTcpSocket* socket, const QString& path) {
  static const QRegularExpression kTile(QStringLiteral("^/(\\d+)/(\\d+)/(\\d+)\\.png$"));
  QRegularExpressionMatch m = kTile.match(path);
  QByteArray head;
  QByteArray body;
  if (m.hasMatch() && !answer.isEmpty()) {
    body = answer;
    head = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: " + cacheControl_ + "\r\n";
  } else if (m.hasMatch()) {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(TileColour(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()));
    QBuffer buffer(&body);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    head = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: " + cacheControl_ +
           "\r\nLast-Modified: Mon, 01 Jan 2024 00:00:00 GMT\r\n";
  } else {
    body = "not a tile";
    head = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n";
  }
  head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
  socket->write(head + body);
  socket->disconnectFromHost();
}

void TileServer::Stop() {
  server_.close();
  held_.clear();
  for (QTcpSocket* socket : findChildren<QTcpSocket*>()) socket->abort();
}

}  // namespace quill::test
