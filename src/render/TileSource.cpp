// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TileSource.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "base/UserFolders.h"
#include "settings/ProgramVersion.h"

namespace quill {
namespace {

constexpr int kMemoryKilobytes = 96 * 1024;  // decoded tiles: some 380 of 256 x 256
constexpr int kTransferTimeoutMs = 20000;
// A tile is some kilobytes; a server sending more is not sending a tile.
constexpr qint64 kMaxTileBytes = 8 * 1024 * 1024;
constexpr int kMaxTileSide = 1024;

quint64 KeyOf(int z, int x, int y) {
  return (static_cast<quint64>(z) << 48) | (static_cast<quint64>(x) << 24) | static_cast<quint64>(y);
}
int ZOf(quint64 key) { return static_cast<int>(key >> 48); }
int XOf(quint64 key) { return static_cast<int>((key >> 24) & 0xFFFFFF); }
int YOf(quint64 key) { return static_cast<int>(key & 0xFFFFFF); }

}  // namespace

QString TileCacheFolder() { return QString::fromStdString(CacheFolder()) + QStringLiteral("/tiles"); }

TileSource::TileSource(const TileSourceOptions& options, QObject* parent)
    : QObject(parent), options_(options), active_(IsTileTemplate(options.urlTemplate)) {
  memory_.setMaxCost(kMemoryKilobytes);
  if (!active_) return;
  network_ = new QNetworkAccessManager(this);
  QString folder = options_.cacheFolder.isEmpty() ? TileCacheFolder() : options_.cacheFolder;
  if (options_.cacheBytes > 0 && MakeFolders(folder.toStdString())) {
    auto* cache = new QNetworkDiskCache(network_);
    cache->setCacheDirectory(folder);
    cache->setMaximumCacheSize(options_.cacheBytes);
    network_->setCache(cache);
    diskCache_ = true;
  }
}

TileSource::~TileSource() {
  // No answer may reach a source that is going away.
  for (QNetworkReply* reply : std::as_const(running_)) {
    reply->disconnect(this);
    reply->abort();
  }
}

void TileSource::Want(const std::vector<TileRef>& tiles) {
  if (!active_) return;
  std::vector<quint64> next;
  QSet<quint64> seen;
  for (const TileRef& t : tiles) {
    quint64 key = KeyOf(t.z, t.x, t.y);
    if (seen.contains(key)) continue;
    seen.insert(key);
    if (memory_.contains(key) || running_.contains(key) || refused_.contains(key) || unreachable_.contains(key))
      continue;
    next.push_back(key);
  }
  queue_.swap(next);
  Pump();
}

const QImage* TileSource::Find(int z, int x, int y) { return memory_.object(KeyOf(z, x, y)); }

void TileSource::Pump() {
  std::size_t taken = 0;
  while (running_.size() < kMaxTileRequests && taken < queue_.size()) Start(queue_[taken++], Attempt{});
  queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(taken));
}

void TileSource::Start(quint64 key, const Attempt& attempt) {
  QNetworkRequest request(TileUrl(options_.urlTemplate, ZOf(key), XOf(key), YOf(key)));
  request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray::fromStdString(UserAgent()));
  // PreferNetwork serves a fresh cached copy without asking and revalidates
  // a stale one: the server's caching headers decide.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                       attempt.cacheOnly ? QNetworkRequest::AlwaysCache : QNetworkRequest::PreferNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, true);
  request.setTransferTimeout(kTransferTimeoutMs);
  QNetworkReply* reply = network_->get(request);
  running_.insert(key, reply);
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > kMaxTileBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, key, attempt] { Finished(reply, key, attempt); });
}

void TileSource::Finished(QNetworkReply* reply, quint64 key, Attempt attempt) {
  running_.remove(key);
  reply->deleteLater();
  if (reply->error() == QNetworkReply::NoError) {
    QImage image;
    QByteArray bytes = reply->read(kMaxTileBytes + 1);
    if (bytes.size() <= kMaxTileBytes && image.loadFromData(bytes) && image.width() <= kMaxTileSide &&
        image.height() <= kMaxTileSide) {
      auto* kept = new QImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
      memory_.insert(key, kept, std::max(1, static_cast<int>(kept->sizeInBytes() / 1024)));
      if (!attempt.cacheOnly && !reply->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool()) {
        // The server is back: what it did not answer before may be asked again.
        unreachable_.clear();
        reported_ = false;
      }
      emit tileArrived();
    } else {
      refused_.insert(key);
      Report(tr("Map tile %1 is not a picture").arg(reply->url().toDisplayString()));
    }
  } else if (!attempt.cacheOnly && diskCache_) {
    attempt.cacheOnly = true;
    attempt.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    attempt.error = reply->errorString();
    Start(key, attempt);
    return;
  } else {
    if (!attempt.cacheOnly) {
      attempt.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
      attempt.error = reply->errorString();
    }
    if (attempt.status >= 400 && attempt.status < 500)
      refused_.insert(key);
    else
      unreachable_.insert(key);
    QString host = reply->url().host();
    Report(host.isEmpty() ? tr("No map tiles: %1").arg(attempt.error)
                          : tr("No map tiles from %1: %2").arg(host, attempt.error));
  }
  Pump();
  if (!Busy()) emit settled();
}

void TileSource::Report(const QString& text) {
  if (reported_) return;
  reported_ = true;
  QString line = text;
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  emit problem(line);
}

}  // namespace quill
