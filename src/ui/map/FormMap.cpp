// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/map/FormMap.h"

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "render/MapWaypoints.h"
#include "render/TileSource.h"
#include "session/ListSession.h"
#include "text/QtText.h"
#include "ui/map/MapWidget.h"

namespace quill {
namespace {

constexpr int kFirstWidth = 640;
constexpr int kFirstHeight = 600;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

TFormMap::TFormMap(ListSession& session, MapWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), links_(std::move(links)) {
  setObjectName("FormMap");
  setWindowTitle(tr("Map"));

  map_ = new TMapWidget(this);
  map_->describe = [this](std::uint32_t row) { return Describe(row); };
  buttonFitList_ = Button(this, "ButtonFitList", tr("Fit list"), tr("Zoom to every shown waypoint"));
  QPushButton* zoomIn = Button(this, "ButtonZoomIn", QStringLiteral("+"), tr("Zoom in (wheel up, +)"));
  QPushButton* zoomOut = Button(this, "ButtonZoomOut", QString(QChar(0x2212)), tr("Zoom out (wheel down, -)"));
  labelPoints_ = new QLabel(this);
  labelPoints_->setObjectName("LabelMapPoints");

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(6, 4, 6, 0);
  bar->addWidget(buttonFitList_);
  bar->addWidget(zoomIn);
  bar->addWidget(zoomOut);
  bar->addStretch(1);
  bar->addWidget(labelPoints_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(map_, 1);

  connect(buttonFitList_, &QPushButton::clicked, this, &TFormMap::ButtonFitListClick);
  connect(zoomIn, &QPushButton::clicked, this,
          [this] { map_->ZoomBy(1, QPointF(map_->width() / 2.0, map_->height() / 2.0)); });
  connect(zoomOut, &QPushButton::clicked, this,
          [this] { map_->ZoomBy(-1, QPointF(map_->width() / 2.0, map_->height() / 2.0)); });
  connect(map_, &TMapWidget::PointClicked, this, &TFormMap::PointClicked);
  connect(map_, &TMapWidget::PointActivated, this, [this](std::uint32_t row) {
    PointClicked(row);
    if (links_.editRow) links_.editRow(static_cast<int>(row));
  });
  connect(map_, &TMapWidget::TileProblem, this,
          [this](const QString& text) { session_.Status().SetError(1, QStringToAnsi(text)); });

  if (links_.rows) {
    // Every change of the shown list reaches the list view as one of these.
    connect(links_.rows, &QAbstractItemModel::modelReset, this, &TFormMap::ListChanged);
    connect(links_.rows, &QAbstractItemModel::rowsRemoved, this, &TFormMap::ListChanged);
    connect(links_.rows, &QAbstractItemModel::rowsInserted, this, &TFormMap::ListChanged);
    connect(links_.rows, &QAbstractItemModel::layoutChanged, this, &TFormMap::ListChanged);
  }
  if (links_.selection)
    connect(links_.selection, &QItemSelectionModel::selectionChanged, this, &TFormMap::FollowSelection);
}

TFormMap::~TFormMap() = default;

void TFormMap::ShowMap() {
  if (!placed_) {
    placed_ = true;
    // Where it was, on a screen that is still there; else beside the main window.
    if (storedPlace_.width() > 0 && storedPlace_.height() > 0 && QGuiApplication::screenAt(storedPlace_.topLeft())) {
      setGeometry(storedPlace_);
    } else {
      PlaceBesideParent();
    }
  }
  show();
  raise();
  activateWindow();
}

void TFormMap::PlaceBesideParent() {
  QWidget* main = parentWidget();
  resize(kFirstWidth, main ? std::max(kFirstHeight, main->height()) : kFirstHeight);
  if (!main) return;
  QRect frame = main->frameGeometry();
  QScreen* screen = main->screen();
  QRect room = screen ? screen->availableGeometry() : QRect();
  QPoint at(frame.right() + 1, main->geometry().top());
  // On the right when it fits, else on the left, else over the main window's right edge.
  if (room.isValid() && at.x() + width() > room.right()) {
    at.setX(frame.left() - width() - (frame.width() - main->width()));
    if (at.x() < room.left()) at.setX(std::max(room.left(), room.right() - width()));
  }
  move(at);
}

void TFormMap::ApplySettings(const AppSettings& s) {
  storedPlace_ = QRect(s.MapLeft, s.MapTop, s.MapWidth, s.MapHeight);
  if (s.MapTileUrl != tileUrl_ || s.MapAttribution != attribution_ || s.MapCacheMB != cacheMB_) {
    tileUrl_ = s.MapTileUrl;
    attribution_ = s.MapAttribution;
    cacheMB_ = s.MapCacheMB;
    tilesStale_ = true;
    // No network before the map is first opened.
    if (isVisible()) MakeTiles();
  }
  // A new home position.
  if (isVisible()) UpdateMarks();
}

void TFormMap::MakeTiles() {
  tilesStale_ = false;
  TileSourceOptions options;
  options.urlTemplate = AnsiToQString(tileUrl_);
  options.cacheBytes = qint64{std::clamp(cacheMB_, 0, kMaxMapCacheMB)} * 1024 * 1024;
  auto tiles = std::make_unique<TileSource>(options);
  if (!tiles->Active() && !tileUrl_.empty())
    session_.Status().SetError(1, "Map tiles: not a tile address with {z}, {x} and {y}: " + tileUrl_);
  map_->SetTiles(std::move(tiles), AnsiToQString(attribution_));
}

void TFormMap::SetConverterPosition(std::optional<LatLon> position) {
  converter_ = position;
  if (isVisible()) UpdateMarks();
}

void TFormMap::SetGpsFix(std::optional<LatLon> fix) {
  gps_ = fix;
  if (isVisible()) UpdateMarks();
}

void TFormMap::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (tilesStale_) MakeTiles();
  if (stale_) Refresh();
  UpdateMarks();
}

void TFormMap::closeEvent(QCloseEvent* event) {
  if (links_.placeChanged) links_.placeChanged(geometry());
  QWidget::closeEvent(event);
}

void TFormMap::ListChanged() {
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  Refresh();
}

void TFormMap::Refresh() {
  stale_ = false;
  std::vector<MapPoint> points = MapPointsOf(session_.Store().ShownWaypoints());
  if (!SameMapPoints(points, points_) || indexBuilds_ == 0) {
    bool wasEmpty = points_.empty();
    points_ = std::move(points);
    map_->SetPoints(points_);
    ++indexBuilds_;
    // A first list (or one after the list was cleared) is shown whole.
    if (wasEmpty || indexBuilds_ == 1) map_->FitPoints();
  }
  const PointIndex& index = map_->Index();
  QString text = AnsiToQString(WaypointCountText(index.size()));
  if (index.skipped() > 0) text += tr(", %1 without a position").arg(index.skipped());
  labelPoints_->setText(text);
  buttonFitList_->setEnabled(index.size() > 0);
  UpdateMarks();
  FollowSelection();
}

void TFormMap::UpdateMarks() {
  std::vector<MapMark> marks;
  const HomePosition& home = session_.View().Home;
  if (home.lat != 0.0 || home.lon != 0.0) marks.push_back({home, MapMarkKind::kHome});
  if (converter_) marks.push_back({*converter_, MapMarkKind::kPosition});
  if (gps_) marks.push_back({*gps_, MapMarkKind::kGps});
  map_->SetMarks(std::move(marks));
}

const TGpxRecord* TFormMap::RecordAt(std::int64_t row) const {
  const auto& shown = session_.Store().ShownWaypoints();
  if (row < 0 || static_cast<std::uint64_t>(row) >= shown.size()) return nullptr;
  return shown[static_cast<std::size_t>(row)];
}

void TFormMap::FollowSelection() {
  int row = links_.selectedRow ? links_.selectedRow() : -1;
  const TGpxRecord* record = RecordAt(row);
  if (!record) {
    map_->SetSelected(std::nullopt);
    return;
  }
  map_->SetSelected(MapPointOf(*record, static_cast<std::uint32_t>(row)));
  // A row chosen in the list brings its point to the middle; one chosen on
  // the map stays where the user clicked it.
  if (record != centredOn_ && !selectingFromMap_ && IsOnEarth(record->Lat, record->Lon))
    map_->CentreOn({record->Lat, record->Lon});
  centredOn_ = record;
}

void TFormMap::PointClicked(std::uint32_t row) {
  if (!links_.selectRow) return;
  selectingFromMap_ = true;
  links_.selectRow(static_cast<int>(row));
  selectingFromMap_ = false;
}

void TFormMap::ButtonFitListClick() { map_->FitPoints(); }

QString TFormMap::Describe(std::uint32_t row) const {
  const TGpxRecord* record = RecordAt(row);
  if (!record) return {};
  const WaypointSummary s = SummaryOf(*record);
  QString text = QStringLiteral("<b>%1</b>").arg(AnsiToQString(s.name).toHtmlEscaped());
  if (!s.description.empty()) text += QStringLiteral("<br>") + AnsiToQString(s.description).toHtmlEscaped();
  QString type = AnsiToQString(s.type).toHtmlEscaped();
  if (s.archived) type += tr(", archived");
  if (s.unavailable) type += tr(", unavailable");
  if (!type.isEmpty()) text += QStringLiteral("<br>") + type;
  if (!s.diffTerr.empty()) text += QStringLiteral("<br>") + tr("D/T %1").arg(AnsiToQString(s.diffTerr).toHtmlEscaped());
  return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text);
}

}  // namespace quill
