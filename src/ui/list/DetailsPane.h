// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details pane beside the list: one cache read without a browser. Its
// facts (code, type, owner, ratings, container, place, date, status, the hint
// and the other waypoints of the cache), its descriptions and its newest logs,
// all from the Groundspeak data, cleaned of active HTML. Nothing is fetched
// from the network: a picture in a description shows as a placeholder until
// the user clicks that one picture.
#include <QHash>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include "list/CacheCodeIndex.h"
#include "list/GpxRecord.h"

class QAbstractItemModel;
class QLabel;
class QNetworkAccessManager;
class QPushButton;
class QTabWidget;

namespace quill {

class WaypointStore;

// A text browser that loads only the program's own pictures (qrc:). Any
// other picture is a placeholder; a click on one fetches that picture alone.
class TDetailsBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit TDetailsBrowser(QWidget* parent = nullptr);

  // The document as HTML; pictures fetched for the same addresses stay.
  void SetPage(const QString& html);
  // The picture at a point of the viewport, when it is one from the web
  // not yet fetched: asks for it. True when a fetch began.
  bool FetchImageAt(const QPoint& viewportPos);
  // Fetches that have begun (a fetched picture is not asked for again).
  int Fetches() const { return fetches_; }

 signals:
  // A link in the text was clicked.
  void LinkActivated(const QUrl& url);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ImageArrived(const QUrl& url, const QByteArray& bytes);

  QString html_;
  QHash<QUrl, QImage> fetched_;
  QHash<QUrl, bool> asked_;
  QNetworkAccessManager* network_ = nullptr;
  int fetches_ = 0;
};

class TDetailsPane : public QWidget {
  Q_OBJECT
 public:
  // The store's records are what the other waypoints of a cache are looked
  // up in; `listModel` announces every change of the list (the index of the
  // codes is made again after one).
  TDetailsPane(const WaypointStore& store, QAbstractItemModel* listModel, QWidget* parent = nullptr);

 public slots:
  // Shows this record (nullptr: none), from the list's selection or the
  // map's. Nothing of it is kept beyond the texts shown, so the record may
  // go with the next change of the list. A hidden pane shows nothing: show
  // it first.
  void ShowRecord(const TGpxRecord* record);
  // The hint as the file holds it, or turned again ("Decode"/"Encode").
  void ToggleHint();

 signals:
  // The close button of the pane was clicked.
  void CloseRequested();
  void LinkActivated(const QUrl& url);

 private:
  void Clear();
  void ListChanged() { codes_.Clear(); }
  void ShowHint();

  const WaypointStore& store_;
  CacheCodeIndex codes_;
  QLabel* icon_;
  QLabel* name_;
  QLabel* noInfo_;
  QTabWidget* tabs_;
  QLabel* code_;
  QLabel* type_;
  QLabel* owner_;
  QLabel* difficulty_;
  QLabel* terrain_;
  QLabel* container_;
  QLabel* location_;
  QLabel* placed_;
  QLabel* status_;
  QLabel* hint_;
  QPushButton* hintButton_;
  QLabel* waypoints_;
  TDetailsBrowser* description_;
  TDetailsBrowser* logs_;
  // The hint as the file holds it, and whether it is shown so.
  QString hintText_;
  bool hintDecoded_ = false;
};

}  // namespace quill
