// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map itself: draws a view of points with the map painter and lets the
// mouse move it. The wheel zooms around the cursor, a drag pans, a click on a
// point picks it, a click on a bubble zooms in on it, a double click on a
// point activates it. It knows rows of points, not waypoints: whoever feeds
// it says what a row is (describe, for the tooltip).
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "map/PointIndex.h"
#include "render/MapPainter.h"

namespace quill {

class TileSource;

class TMapWidget : public QWidget {
  Q_OBJECT
 public:
  explicit TMapWidget(QWidget* parent = nullptr);
  ~TMapWidget() override;

  // The points to show; the index is built from them.
  void SetPoints(std::span<const MapPoint> points);
  const PointIndex& Index() const { return index_; }
  // Where tiles come from (owned); null: the background with degree lines.
  // The attribution is drawn while there is a source.
  void SetTiles(std::unique_ptr<TileSource> tiles, const QString& attribution);
  TileSource* Tiles() const { return tiles_.get(); }
  void SetSelected(std::optional<MapPoint> point);
  const std::optional<MapPoint>& Selected() const { return scene_.selected; }
  void SetMarks(std::vector<MapMark> marks);
  const std::vector<MapMark>& Marks() const { return scene_.marks; }

  // The view as drawn: its size is the widget's.
  const MapView& View() const { return view_; }
  void SetView(const MapView& view);
  void CentreOn(LatLon position);
  // Whole zoom levels in or out (negative), keeping the position under the
  // view pixel `around` where it is.
  void ZoomBy(int levels, QPointF around);
  // The view that shows every point (FitListView); done when the widget is
  // shown when it is not yet.
  void FitPoints();

  // What the last paint drew, and how many paints there were.
  const ViewItems& Drawn() const { return painter_.Drawn(); }
  int Frames() const { return frames_; }

  // The point or bubble drawn under a view pixel: a row, or the count of a
  // bubble (rowAt gives nullopt for a bubble).
  std::optional<std::uint32_t> RowAt(QPointF at) const;
  std::optional<ViewCluster> BubbleAt(QPointF at) const;
  // The tooltip there: describe(row) over a point, the count over a bubble.
  QString ToolTipAt(QPointF at) const;

  // A row's tooltip text (rich text).
  std::function<QString(std::uint32_t row)> describe;

 signals:
  void PointClicked(std::uint32_t row);
  void PointActivated(std::uint32_t row);
  // The view moved or zoomed.
  void ViewChanged();
  // Tiles could not be had (said once, see TileSource::problem).
  void TileProblem(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Moved(const MapView& view);

  MapView view_;
  PointIndex index_;
  MapScene scene_;
  MapPainter painter_;
  std::unique_ptr<TileSource> tiles_;
  bool fitPending_ = false;
  int frames_ = 0;
  // A press of the left button, until its release: where, the view then,
  // and whether it became a drag.
  bool pressed_ = false;
  bool dragging_ = false;
  QPointF pressAt_;
  MapView pressView_;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole step
};

}  // namespace quill
