// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormMap, the map window (View > Map): the shown waypoints on a slippy map
// beside the main window, with the home position, the converter's position
// and the GPS fix. It follows the list by the list model's resets and
// removals (every load, filter, sort, delete, undo and redo ends in one),
// builds its index again only when the shown points changed, and follows the
// selection both ways. It is given the session and what it may ask of the
// list (MapWindowLinks), never the main window.
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "geo/GeoTypes.h"
#include "map/PointIndex.h"
#include "settings/AppSettings.h"

class QAbstractItemModel;
class QItemSelectionModel;
class QLabel;
class QPushButton;

namespace quill {

class ListSession;
class TMapWidget;
struct TGpxRecord;

struct MapWindowLinks {
  // The list's rows and their selection: what the map follows.
  QAbstractItemModel* rows = nullptr;
  QItemSelectionModel* selection = nullptr;
  std::function<int()> selectedRow;
  std::function<void(int row)> selectRow;
  // The edit dialog on a row.
  std::function<void(int row)> editRow;
  // The window's client area when it closes, to be remembered.
  std::function<void(const QRect& place)> placeChanged;
};

class TFormMap : public QWidget {
  Q_OBJECT
 public:
  TFormMap(ListSession& session, MapWindowLinks links, QWidget* parent);
  ~TFormMap() override;

  // View > Map: shows the window (beside the main window the first time,
  // else where it was) and brings it to the front.
  void ShowMap();
  // The tile template, attribution and cache size, and the remembered place.
  void ApplySettings(const AppSettings& settings);
  void SetConverterPosition(std::optional<LatLon> position);
  void SetGpsFix(std::optional<LatLon> fix);

  TMapWidget& Map() { return *map_; }
  // Times the index was built, for the window's tests.
  int IndexBuilds() const { return indexBuilds_; }

  void ButtonFitListClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The list changed: points, marks and selection afresh (later when hidden).
  void ListChanged();
  void Refresh();
  void UpdateMarks();
  void FollowSelection();
  void PointClicked(std::uint32_t row);
  const TGpxRecord* RecordAt(std::int64_t row) const;
  QString Describe(std::uint32_t row) const;
  void PlaceBesideParent();
  void MakeTiles();

  ListSession& session_;
  MapWindowLinks links_;
  TMapWidget* map_;
  QLabel* labelPoints_;
  QPushButton* buttonFitList_;
  std::vector<MapPoint> points_;
  int indexBuilds_ = 0;
  bool stale_ = true;
  bool placed_ = false;
  bool selectingFromMap_ = false;
  // The record last centred on; compared, never read.
  const TGpxRecord* centredOn_ = nullptr;
  std::optional<LatLon> converter_;
  std::optional<LatLon> gps_;
  // The tiles as set.
  std::string tileUrl_;
  std::string attribution_;
  std::int32_t cacheMB_ = -1;
  bool tilesStale_ = true;
  QRect storedPlace_;
};

}  // namespace quill
