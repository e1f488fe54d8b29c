// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Map tiles from a tile server, kept as its usage policy asks: one URL
// template, at most two requests at a time, a User-Agent naming the program,
// answers kept in a disk cache that honours the server's caching headers.
// When the network fails, a tile in the disk cache is used however old it
// is; a tile neither the server nor the cache has stays missing (the painter
// draws the plain background there) and is not asked for again until the
// server answers another request.
#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>
#include <vector>

#include "map/TileAddress.h"
#include "render/TileImages.h"
#include "settings/AppSettings.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace quill {

inline constexpr qint64 kDefaultTileCacheBytes = qint64{kDefaultMapCacheMB} * 1024 * 1024;
inline constexpr int kMaxTileRequests = 2;

struct TileSourceOptions {
  QString urlTemplate = QString::fromLatin1(kDefaultMapTileUrl);  // {z}, {x}, {y}; empty: no tiles
  QString cacheFolder;                                            // the disk cache; empty: TileCacheFolder()
  qint64 cacheBytes = kDefaultTileCacheBytes;
};

// $XDG_CACHE_HOME/quillmark/tiles (see CacheFolder).
QString TileCacheFolder();

class TileSource : public QObject, public TileImages {
  Q_OBJECT

 public:
  explicit TileSource(const TileSourceOptions& options, QObject* parent = nullptr);
  ~TileSource() override;

  void Want(const std::vector<TileRef>& tiles) override;
  const QImage* Find(int z, int x, int y) override;

  // False for an empty or unusable template: nothing is ever fetched.
  bool Active() const { return active_; }
  // Requests waiting or under way.
  bool Busy() const { return !queue_.empty() || !running_.isEmpty(); }

 signals:
  // A tile came in: time to paint again.
  void tileArrived();
  // The last tile asked for has been answered (or given up).
  void settled();
  // Tiles could not be had; said once, and again only after a tile came in
  // from the server in between. text is one line.
  void problem(const QString& text);

 private:
  // How the request for a tile went so far.
  struct Attempt {
    bool cacheOnly = false;  // the network failed: the disk cache's copy is asked for
    int status = 0;          // HTTP status of the network attempt
    QString error;           // its error text
  };
  void Pump();
  void Start(quint64 key, const Attempt& attempt);
  void Finished(QNetworkReply* reply, quint64 key, Attempt attempt);
  void Report(const QString& text);

  TileSourceOptions options_;
  bool active_ = false;
  bool diskCache_ = false;
  QNetworkAccessManager* network_ = nullptr;
  QCache<quint64, QImage> memory_;
  std::vector<quint64> queue_;
  QHash<quint64, QNetworkReply*> running_;
  QSet<quint64> refused_;      // the server said no (4xx): not asked again
  QSet<quint64> unreachable_;  // no answer: asked again once the server answers
  bool reported_ = false;
};

}  // namespace quill
