// SPDX-License-Identifier: GPL-3.0-or-later
// The details pane: what it shows of a cache, the hint turned on request,
// the pictures of a description never fetched until clicked (a server on
// loopback counts what is asked of it), and its place beside the list.
#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include "UiTestSupport.h"
#include "ui/list/DetailsPane.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

using test::ReadSettingInt;
using test::WindowFixture;
using test::WriteSetting;

// Answers every request with a small PNG and notes the paths asked for.
class PictureServer {
 public:
  PictureServer() {
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer(&png_);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          request_ += socket->readAll();
          if (!request_.contains("\r\n\r\n")) return;
          paths.push_back(request_.split(' ').value(1).toStdString());
          request_.clear();
          socket->write("HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                        QByteArray::number(png_.size()) + "\r\nConnection: close\r\n\r\n" + png_);
          socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
    server_.listen(QHostAddress::LocalHost);
  }
  std::string Url(const char* path) const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/" + path;
  }
  std::vector<std::string> paths;

 private:
  QTcpServer server_;
  QByteArray png_;
  QByteArray request_;
};

std::string Log(const char* date, const char* type, const char* finder, const char* text) {
  return std::string("<groundspeak:log id=\"1\"><groundspeak:date>") + date + "</groundspeak:date><groundspeak:type>" +
         type + "</groundspeak:type><groundspeak:finder id=\"2\">" + finder +
         "</groundspeak:finder><groundspeak:text encoded=\"False\">" + text + "</groundspeak:text></groundspeak:log>";
}

std::string CacheGpx(const PictureServer& server) {
  std::string s =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<gpx version=\"1.0\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
      "<wpt lat=\"51.5\" lon=\"5.5\"><time>2012-05-20T00:00:00</time><name>GC1ABC</name><desc>Mill</desc>"
      "<sym>Geocache</sym><type>Geocache|Unknown Cache</type>\n"
      "<groundspeak:cache id=\"1\" available=\"False\" archived=\"False\" "
      "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">"
      "<groundspeak:name>Mill &amp;amp; weir</groundspeak:name>"
      "<groundspeak:placed_by>Tarn Walker</groundspeak:placed_by>"
      "<groundspeak:owner id=\"7\">Tarn Owner</groundspeak:owner>"
      "<groundspeak:type>Unknown Cache</groundspeak:type>"
      "<groundspeak:container>Small</groundspeak:container>"
      "<groundspeak:difficulty>3.5</groundspeak:difficulty><groundspeak:terrain>2</groundspeak:terrain>"
      "<groundspeak:country>Netherlands</groundspeak:country><groundspeak:state>Gelderland</groundspeak:state>"
      "<groundspeak:short_description html=\"True\">&lt;img src=\"" +
      server.Url("first.png") +
      "\"&gt; Count the blades.</groundspeak:short_description>"
      "<groundspeak:long_description html=\"True\">&lt;p&gt;Then &lt;img src=\"" +
      server.Url("second.png") + "\"&gt;&lt;/p&gt;&lt;script&gt;stealCookies()&lt;/script&gt;&lt;p style=\"" +
      "background:url(" + server.Url("style.png") + ")\"&gt;Done&lt;/p&gt;&lt;link rel=\"stylesheet\" href=\"" +
      server.Url("sheet.css") +
      "\"&gt;</groundspeak:long_description>"
      "<groundspeak:encoded_hints>Under the [NL: plank] stone</groundspeak:encoded_hints><groundspeak:logs>" +
      Log("2019-01-01T00:00:00Z", "Found it", "Oldest", "first") +
      Log("2021-05-01T00:00:00Z", "Found it", "Fifth", "nice") +
      Log("2023-01-01T00:00:00Z", "Didn't find it", "Newest", "no luck") +
      Log("2022-01-01T00:00:00Z", "Write note", "Second", "note") +
      Log("2021-06-01T00:00:00Z", "Found it", "Fourth", "ok") +
      Log("2021-12-01T00:00:00Z", "Found it", "Third", "&lt;b&gt;bold&lt;/b&gt;") +
      "</groundspeak:logs></groundspeak:cache></wpt>\n"
      "<wpt lat=\"51.51\" lon=\"5.51\"><name>PK1ABC</name><desc>Parking</desc>"
      "<sym>Parking Area</sym><type>Waypoint|Parking Area</type></wpt>\n"
      "<wpt lat=\"51.6\" lon=\"5.6\"><name>GC2XYZ</name><desc>Other</desc></wpt>\n"
      "</gpx>\n";
  return s;
}

class UiDetails : public ::testing::Test, public WindowFixture {
 protected:
  TFormApp& OpenCaches() {
    WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
    WriteSetting(SettingsFolder(), "ShowDetails", 1);
    const std::string file = Dir().File("caches.gpx");
    test::WriteFileBytes(file, CacheGpx(server));
    return Open({QString::fromStdString(file)});
  }
  QString Text(const char* name) { return Find<QLabel>(name)->text(); }
  TDetailsBrowser* Browser(const char* name) { return Find<TDetailsBrowser>(name); }
  PictureServer server;
};

// The viewport point in the middle of the first picture whose address ends so.
QPoint PictureAt(TDetailsBrowser& browser, const QString& ending) {
  for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (!f.charFormat().isImageFormat() || !f.charFormat().toImageFormat().name().endsWith(ending)) continue;
      QTextCursor cursor(browser.document());
      cursor.setPosition(f.position());
      const QRect before = browser.cursorRect(cursor);
      return QPoint(before.right() + 2, before.center().y());
    }
  }
  return {-1, -1};
}

TEST_F(UiDetails, ShowsTheCacheOfTheSelectedRowAndNoInfoForAPlainWaypoint) {
  TFormApp& app = OpenCaches();
  ASSERT_TRUE(app.Details().isVisible());
  EXPECT_TRUE(app.Action("ActionViewDetails")->isChecked());
  app.SelectRow(0);
  EXPECT_EQ(Text("LabelDetailsCode"), "GC1ABC");
  // Disabled: struck through, not red.
  EXPECT_EQ(Text("LabelDetailsName"), "<s>Mill &amp; weir</s>");
  EXPECT_EQ(Text("LabelDetailsType"), "Unknown Cache");
  EXPECT_EQ(Text("LabelDetailsOwner"), "Tarn Owner");
  EXPECT_EQ(Text("LabelDetailsContainer"), "Small");
  EXPECT_EQ(Text("LabelDetailsLocation"), "Netherlands (Gelderland)");
  EXPECT_EQ(Text("LabelDetailsPlaced"), "20 may 2012");
  EXPECT_EQ(Text("LabelDetailsStatus"), "Disabled");
  EXPECT_EQ(Text("LabelDetailsDifficulty").count("sr.gif"), 3);
  EXPECT_EQ(Text("LabelDetailsDifficulty").count("srh.gif"), 1);
  EXPECT_EQ(Text("LabelDetailsTerrain").count("sr.gif"), 2);
  EXPECT_FALSE(Find<QLabel>("LabelDetailsIcon")->pixmap().isNull());
  // The other waypoint of the cache, not the other cache.
  EXPECT_TRUE(Text("LabelDetailsWaypoints").startsWith("PK1ABC")) << Text("LabelDetailsWaypoints").toStdString();
  EXPECT_FALSE(Text("LabelDetailsWaypoints").contains("GC2XYZ"));
  EXPECT_FALSE(Find<QLabel>("LabelDetailsNoInfo")->isVisible());

  const QString description = Browser("TextDetailsDescription")->toPlainText();
  EXPECT_TRUE(description.contains("Count the blades.")) << description.toStdString();
  EXPECT_TRUE(description.contains("Done"));
  EXPECT_FALSE(description.contains("stealCookies"));
  // The five newest logs, newest first.
  const QString logs = Browser("TextDetailsLogs")->toPlainText();
  std::vector<qsizetype> at;
  for (const char* finder : {"Newest", "Second", "Third", "Fourth", "Fifth"}) at.push_back(logs.indexOf(finder));
  for (std::size_t i = 0; i < at.size(); ++i) {
    ASSERT_GE(at[i], 0) << i << logs.toStdString();
    if (i > 0) {
      EXPECT_LT(at[i - 1], at[i]);
    }
  }
  EXPECT_FALSE(logs.contains("Oldest"));
  // A log is plain text: what looks like mark-up in it is shown as written.
  EXPECT_TRUE(logs.contains("<b>bold</b>"));

  // The hint is shown turned until asked for; the brackets stay as written.
  auto* decode = Find<QPushButton>("ButtonDecodeHint");
  const struct {
    const char* hint;
    const char* button;
  } hints[] = {{"Haqre gur [NL: plank] fgbar", "Decode"},
               {"Under the [NL: plank] stone", "Encode"},
               {"Haqre gur [NL: plank] fgbar", "Decode"}};
  for (const auto& h : hints) {
    EXPECT_EQ(Text("LabelDetailsHint"), h.hint);
    EXPECT_EQ(decode->text(), h.button);
    decode->click();
  }

  // The parking area has no cache data of its own.
  app.SelectRow(1);
  EXPECT_TRUE(Find<QLabel>("LabelDetailsNoInfo")->isVisible());
  EXPECT_EQ(Text("LabelDetailsNoInfo"), "No geocaching info");
  EXPECT_FALSE(Find<QTabWidget>("TabDetails")->isVisible());
  EXPECT_EQ(Text("LabelDetailsHint"), "");
  // The map's selection comes in by the record.
  app.Details().ShowRecord(app.Session().Store().AllWaypoints().front());
  EXPECT_EQ(Text("LabelDetailsCode"), "GC1ABC");
  EXPECT_EQ(Text("LabelDetailsHint"), "Haqre gur [NL: plank] fgbar");
  app.SelectRow(-1);
  EXPECT_EQ(Text("LabelDetailsCode"), "");
  EXPECT_EQ(Text("LabelDetailsNoInfo"), "No waypoint selected");
}

TEST_F(UiDetails, PicturesComeFromTheNetworkOnlyWhenClickedOneByOne) {
  TFormApp& app = OpenCaches();
  app.SelectRow(0);
  auto* tabs = Find<QTabWidget>("TabDetails");
  TDetailsBrowser& browser = *Browser("TextDetailsDescription");
  tabs->setCurrentWidget(&browser);
  // Painted: the pictures were laid out, and any fetch would have been asked
  // for through the browser, which counts them.
  browser.grab();
  EXPECT_TRUE(server.paths.empty());
  EXPECT_EQ(browser.Fetches(), 0);

  const QPoint first = PictureAt(browser, "first.png");
  ASSERT_GE(first.x(), 0);
  QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, first);
  const QUrl url(QString::fromStdString(server.Url("first.png")));
  QTRY_COMPARE(browser.document()->resource(QTextDocument::ImageResource, url).value<QImage>().size(), QSize(3, 3));
  EXPECT_EQ(server.paths, (std::vector<std::string>{"/first.png"}));
  // Fetched once: a second click asks nothing more.
  QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, PictureAt(browser, "first.png"));
  EXPECT_EQ(browser.Fetches(), 1);
  // Another cache and back: still only what was clicked.
  app.SelectRow(2);
  app.SelectRow(0);
  browser.grab();
  EXPECT_EQ(browser.Fetches(), 1);
  EXPECT_EQ(server.paths, (std::vector<std::string>{"/first.png"}));
}

TEST_F(UiDetails, ClosedStaysClosedAndTheListKeepsItsRoomAtTheSmallestWindow) {
  TFormApp& app = OpenCaches();
  app.resize(app.minimumSize());
  app.layout()->activate();
  TDetailsPane& pane = app.Details();
  TListView& list = app.ListView();
  EXPECT_GE(list.width(), 400);
  EXPECT_GE(pane.width(), pane.minimumWidth());
  EXPECT_LE(pane.mapTo(&app, QPoint(pane.width(), 0)).x(), app.width());
  EXPECT_GE(list.height(), 150);

  Find<QToolButton>("ButtonDetailsClose")->click();
  EXPECT_FALSE(pane.isVisible());
  EXPECT_FALSE(app.Action("ActionViewDetails")->isChecked());
  EXPECT_EQ(ReadSettingInt(SettingsFolder(), "ShowDetails", -1), 0);
  Close();
  TFormApp& closed = Open();
  EXPECT_FALSE(closed.Details().isVisible());
  closed.Action("ActionViewDetails")->trigger();
  EXPECT_TRUE(closed.Details().isVisible());
  EXPECT_EQ(ReadSettingInt(SettingsFolder(), "ShowDetails", -1), 1);
}

}  // namespace
}  // namespace quill
