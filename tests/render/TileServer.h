// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tile server on loopback for the tests: answers GET /z/x/y.png with a
// 256 x 256 PNG of one colour (TileColour), counts what it was asked, and can
// hold answers back until the test releases them.
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace quill::test {

class TileServer : public QObject {
 public:
  explicit TileServer(QByteArray cacheControl = "max-age=3600");
  ~TileServer() override;

  static QColor TileColour(int z, int x, int y);

  quint16 port() const { return server_.serverPort(); }
  QString Template() const;
  // Requests waiting for their answer are answered once released.
  void SetHolding(bool hold) { holding_ = hold; }
  void ReleaseAll();
  void Stop();

  QByteArray answer;         // when set, the answer to every tile instead of its picture
  QStringList paths;         // "/z/x/y.png", in order of arrival
  QList<QByteArray> agents;  // the User-Agent of each
  int maxPending = 0;        // most requests ever waiting at once
  int Pending() const { return static_cast<int>(held_.size()); }

 private:
  void Read(QTcpSocket* socket);
  void Answer(QTcpSocket* socket, const QString& path);

  QTcpServer server_;
  QByteArray cacheControl_;
  bool holding_ = false;
  QList<std::pair<QTcpSocket*, QString>> held_;
};

}  // namespace quill::test
