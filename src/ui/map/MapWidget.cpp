// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/map/MapWidget.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "render/MapWaypoints.h"
#include "render/TileSource.h"

namespace quill {
namespace {

// How far from a marker's middle a click still picks it: half a marker and
// a little, so that a finger-sized miss still counts.
constexpr double kPickRadius = MapPainter::kMarkerSize / 2.0 + 2.0;
// Bubbles are 24 to 32 pixels high.
constexpr double kBubbleRadius = 14.0;
// A wheel notch is 15 degrees, given in eighths.
constexpr int kWheelStep = 120;

}  // namespace

TMapWidget::TMapWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("MapView");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setCursor(Qt::OpenHandCursor);
  setMinimumSize(200, 150);
  view_.width = std::max(1, width());
  view_.height = std::max(1, height());
  scene_.points = &index_;
}

TMapWidget::~TMapWidget() = default;

void TMapWidget::SetPoints(std::span<const MapPoint> points) {
  index_ = PointIndex(points);
  update();
}

void TMapWidget::SetTiles(std::unique_ptr<TileSource> tiles, const QString& attribution) {
  tiles_ = std::move(tiles);
  scene_.attribution = tiles_ && tiles_->Active() ? attribution : QString();
  if (tiles_) {
    connect(tiles_.get(), &TileSource::tileArrived, this, qOverload<>(&QWidget::update));
    connect(tiles_.get(), &TileSource::problem, this, &TMapWidget::TileProblem);
  }
  update();
}

void TMapWidget::SetSelected(std::optional<MapPoint> point) {
  scene_.selected = point;
  update();
}

void TMapWidget::SetMarks(std::vector<MapMark> marks) {
  scene_.marks = std::move(marks);
  update();
}

void TMapWidget::SetView(const MapView& view) {
  MapView v = view;
  v.width = view_.width;
  v.height = view_.height;
  fitPending_ = false;
  Moved(v);
}

void TMapWidget::Moved(const MapView& view) {
  view_ = view;
  update();
  emit ViewChanged();
}

void TMapWidget::CentreOn(LatLon position) {
  MapView v = view_;
  v.centre = position;
  SetView(v);
}

void TMapWidget::ZoomBy(int levels, QPointF around) {
  double zoom =
      std::clamp(std::round(view_.zoom) + levels, static_cast<double>(kMinZoom), static_cast<double>(kMaxZoom));
  if (zoom == view_.zoom) return;
  Moved(ZoomedAround(view_, zoom, around.x(), around.y()));
}

void TMapWidget::FitPoints() {
  // A widget not yet shown has no size of its own.
  if (!isVisible()) {
    fitPending_ = true;
    return;
  }
  fitPending_ = false;
  MapView fitted = FitListView(index_, view_.width, view_.height);
  Moved(fitted);
}

std::optional<ViewCluster> TMapWidget::BubbleAt(QPointF at) const {
  const std::vector<ViewCluster>& bubbles = Drawn().clusters;
  // Later ones lie on top.
  for (auto it = bubbles.rbegin(); it != bubbles.rend(); ++it) {
    double dx = it->x - at.x(), dy = it->y - at.y();
    if (dx * dx + dy * dy <= kBubbleRadius * kBubbleRadius) return *it;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> TMapWidget::RowAt(QPointF at) const {
  if (BubbleAt(at)) return std::nullopt;
  // The ringed point is drawn above all others.
  if (scene_.selected) {
    WorldPixel p = view_.ToView(scene_.selected->lat, scene_.selected->lon);
    double dx = std::floor(p.x) + 0.5 - at.x(), dy = std::floor(p.y) + 0.5 - at.y();
    if (dx * dx + dy * dy <= kPickRadius * kPickRadius) return scene_.selected->row;
  }
  std::optional<std::uint32_t> best;
  double bestD2 = kPickRadius * kPickRadius;
  for (const ViewPoint& p : Drawn().points) {
    // The middle of a marker is the middle of its pixel.
    double dx = std::floor(p.x) + 0.5 - at.x(), dy = std::floor(p.y) + 0.5 - at.y();
    double d2 = dx * dx + dy * dy;
    // Ties go to the later one, drawn on top.
    if (d2 <= bestD2) {
      bestD2 = d2;
      best = p.row;
    }
  }
  return best;
}

QString TMapWidget::ToolTipAt(QPointF at) const {
  if (std::optional<ViewCluster> bubble = BubbleAt(at)) return tr("%1 waypoints: click to zoom in").arg(bubble->count);
  std::optional<std::uint32_t> row = RowAt(at);
  if (row && describe) return describe(*row);
  return {};
}

void TMapWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  painter_.Paint(p, view_, scene_, tiles_.get());
  ++frames_;
}

void TMapWidget::resizeEvent(QResizeEvent* event) {
  view_.width = std::max(1, width());
  view_.height = std::max(1, height());
  QWidget::resizeEvent(event);
  if (fitPending_ && isVisible()) FitPoints();
}

void TMapWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (fitPending_) FitPoints();
}

void TMapWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  pressed_ = true;
  dragging_ = false;
  pressAt_ = event->position();
  pressView_ = view_;
}

void TMapWidget::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ && (event->buttons() & Qt::LeftButton)) {
    QPointF moved = event->position() - pressAt_;
    if (!dragging_ && moved.manhattanLength() >= QApplication::startDragDistance()) {
      dragging_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
    if (dragging_) Moved(Panned(pressView_, moved.x(), moved.y()));
    return;
  }
  setCursor(RowAt(event->position()) || BubbleAt(event->position()) ? Qt::PointingHandCursor : Qt::OpenHandCursor);
}

void TMapWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
  pressed_ = false;
  if (dragging_) {
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    return;
  }
  if (std::optional<ViewCluster> bubble = BubbleAt(event->position())) {
    ZoomBy(2, QPointF(bubble->x, bubble->y));
    return;
  }
  if (std::optional<std::uint32_t> row = RowAt(event->position())) emit PointClicked(*row);
}

void TMapWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  // The release that follows is no click of its own.
  pressed_ = false;
  if (BubbleAt(event->position())) return;
  if (std::optional<std::uint32_t> row = RowAt(event->position())) {
    emit PointActivated(*row);
    return;
  }
  ZoomBy(1, event->position());
}

void TMapWidget::wheelEvent(QWheelEvent* event) {
  // Touchpads send small parts of a notch: they add up to whole levels.
  wheelRest_ += event->angleDelta().y();
  int levels = wheelRest_ / kWheelStep;
  wheelRest_ -= levels * kWheelStep;
  if (levels != 0) ZoomBy(levels, event->position());
  event->accept();
}

void TMapWidget::keyPressEvent(QKeyEvent* event) {
  const QPointF middle(view_.width / 2.0, view_.height / 2.0);
  const double stepX = view_.width / 4.0, stepY = view_.height / 4.0;
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomBy(1, middle);
      break;
    case Qt::Key_Minus:
      ZoomBy(-1, middle);
      break;
    case Qt::Key_Left:
      Moved(Panned(view_, stepX, 0));
      break;
    case Qt::Key_Right:
      Moved(Panned(view_, -stepX, 0));
      break;
    case Qt::Key_Up:
      Moved(Panned(view_, 0, stepY));
      break;
    case Qt::Key_Down:
      Moved(Panned(view_, 0, -stepY));
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool TMapWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    QString text = ToolTipAt(help->pos());
    if (text.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace quill
