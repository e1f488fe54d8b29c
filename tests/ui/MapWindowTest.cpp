// SPDX-License-Identifier: GPL-3.0-or-later
// The map window: it follows the list (filter, delete, undo) and the
// selection both ways, and the mouse moves it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "UiTestSupport.h"
#include "list/ListFilter.h"
#include "ui/list/FormEditItem.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"
#include "ui/map/FormMap.h"
#include "ui/map/MapWidget.h"

namespace quill {
namespace {

using test::AnswerNextModal;
using test::TestWaypoint;
using test::WindowFixture;

// Far enough apart to be drawn one by one when the list is fitted; GC3CCC archived.
const std::vector<TestWaypoint> kCaches = {
    {"GC2BBB", 52.30, 5.20, "", "Old mill", "Mill", "True", "False", "Germany"},
    {"GC1AAA", 52.10, 5.35, "", "Bridge", "Bridge", "True", "False", "Netherlands"},
    {"GC3CCC", 52.20, 5.05, "", "Tower", "Tower", "False", "True", "Austria"},
    {"PK1AAA", 52.40, 5.00, "", "Parking", "", "", "", ""},
};

class MapWindow : public ::testing::Test, public WindowFixture {
 protected:
  void SetUp() override {
    // No tiles: the window tests never reach a network.
    test::WriteSetting(SettingsFolder(), "MapTileUrl", "");
    test::WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
    test::WriteSetting(SettingsFolder(), "HomeCoords", "N 52 E 5");
  }
  TFormMap& OpenMap() {
    Open({QString::fromStdString(WriteGpx("caches.gpx", kCaches))});
    App().Action("ActionMap")->trigger();
    auto* form = Find<TFormMap>("FormMap");
    EXPECT_NE(form, nullptr);
    map_ = form->findChild<TMapWidget*>("MapView");
    EXPECT_NE(map_, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_TRUE(test::RunEventsUntil([this] { return map_->Frames() > 0; }));
    return *form;
  }
  // Where the shown row's waypoint lies on the map.
  QPoint PixelOf(int row) {
    const TGpxRecord* r = App().Session().Store().ShownWaypoints()[static_cast<std::size_t>(row)];
    WorldPixel p = map_->View().ToView(r->Lat, r->Lon);
    return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
  }
  // The map painted itself again after frame `after`, by itself, with that many single points.
  bool Redrawn(int after, std::size_t count) {
    return test::RunEventsUntil([&] { return map_->Frames() > after && map_->Drawn().points.size() == count; });
  }
  std::string SelectedName() {
    const TGpxRecord* r = App().SelectedRecord();
    return r ? r->Name : std::string();
  }
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, at, map_->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(map_, &e);
  }

  TMapWidget* map_ = nullptr;
};

TEST_F(MapWindow, SelectionFollowsBothWaysAndTheMouseMovesTheMap) {
  TFormMap& form = OpenMap();
  EXPECT_EQ(App().Action("ActionMap")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
  ASSERT_EQ(map_->Index().size(), 4u);
  // Fitted: every waypoint drawn on its own inside the map.
  EXPECT_TRUE(Redrawn(0, 4));
  EXPECT_TRUE(map_->Drawn().clusters.empty());

  // A row chosen in the list: its point ringed and in the middle.
  App().SelectRow(2);
  const TGpxRecord* chosen = App().SelectedRecord();
  ASSERT_TRUE(map_->Selected().has_value());
  EXPECT_EQ(map_->Selected()->row, 2u);
  EXPECT_DOUBLE_EQ(map_->View().centre.lat, chosen->Lat);
  EXPECT_DOUBLE_EQ(map_->View().centre.lon, chosen->Lon);
  EXPECT_EQ(map_->Selected()->flags & kMapPointArchived, chosen->Name == "GC3CCC" ? kMapPointArchived : 0);
  // The home position, and the converter showing the chosen waypoint.
  ASSERT_EQ(map_->Marks().size(), 2u);
  EXPECT_EQ(map_->Marks()[0].kind, MapMarkKind::kHome);
  EXPECT_EQ(map_->Marks()[0].position.lat, 52.0);
  EXPECT_EQ(map_->Marks()[0].position.lon, 5.0);
  EXPECT_EQ(map_->Marks()[1].kind, MapMarkKind::kPosition);
  EXPECT_NEAR(map_->Marks()[1].position.lat, chosen->Lat, 1e-9);
  EXPECT_NEAR(map_->Marks()[1].position.lon, chosen->Lon, 1e-9);

  // A point clicked on the map: its row chosen, the map stays put.
  for (int row : {0, 3}) {
    map_->repaint();
    const MapView before = map_->View();
    const QPoint at = PixelOf(row) + QPoint(2, -1);
    EXPECT_TRUE(map_->ToolTipAt(at).contains(
        QString::fromStdString(App().Session().Store().ShownWaypoints()[static_cast<std::size_t>(row)]->Name)));
    QTest::mouseClick(map_, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(App().SelectedIndex(), row);
    EXPECT_EQ(map_->Selected()->row, static_cast<std::uint32_t>(row));
    EXPECT_EQ(map_->View().centre.lat, before.centre.lat);
  }
  // A click beside every point chooses nothing new.
  QTest::mouseClick(map_, Qt::LeftButton, Qt::NoModifier, QPoint(3, map_->height() - 3));
  EXPECT_EQ(App().SelectedIndex(), 3);

  // A double click opens the edit dialog on that row.
  int edited = -1;
  AnswerNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<TFormEditItem*>(w);
    ASSERT_NE(dialog, nullptr);
    edited = dialog->CurrentRow;
    dialog->reject();
  });
  QTest::mouseDClick(map_, Qt::LeftButton, Qt::NoModifier, PixelOf(1));
  EXPECT_EQ(edited, 1);
  EXPECT_EQ(App().SelectedIndex(), 1);

  // The wheel zooms one level around the cursor: the place under it stays.
  const QPointF cursor(map_->width() * 0.3, map_->height() * 0.7);
  const MapView before = map_->View();
  const LatLon under = before.FromView(cursor.x(), cursor.y());
  QWheelEvent wheel(cursor, map_->mapToGlobal(cursor), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(map_, &wheel);
  EXPECT_EQ(map_->View().zoom, before.zoom + 1);
  WorldPixel still = map_->View().ToView(under.lat, under.lon);
  EXPECT_NEAR(still.x, cursor.x(), 1e-6);
  EXPECT_NEAR(still.y, cursor.y(), 1e-6);

  // A drag takes the place under the mouse along.
  const QPointF from(100, 100), to(160, 130);
  const LatLon grabbed = map_->View().FromView(from.x(), from.y());
  Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
  Mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
  Mouse(QEvent::MouseMove, to, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
  WorldPixel moved = map_->View().ToView(grabbed.lat, grabbed.lon);
  EXPECT_NEAR(moved.x, to.x(), 1e-6);
  EXPECT_NEAR(moved.y, to.y(), 1e-6);
  EXPECT_EQ(App().SelectedIndex(), 1) << "a drag is no click";

  // "Fit list" shows them all again.
  int frames = map_->Frames();
  form.findChild<QPushButton*>("ButtonFitList")->click();
  EXPECT_TRUE(Redrawn(frames, 4));

  // The place is remembered when the window closes.
  form.move(40, 50);
  form.resize(500, 420);
  form.close();
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "MapWidth", 0), 500);
  EXPECT_EQ(test::ReadSettingInt(SettingsFolder(), "MapHeight", 0), 420);
}

TEST_F(MapWindow, FilterDeleteAndUndoRedrawTheMap) {
  OpenMap();
  const int builds = Find<TFormMap>("FormMap")->IndexBuilds();
  int frames = map_->Frames();
  AnswerNextModal([](QWidget* dialog) {
    dialog->findChild<QComboBox*>("ComboBoxMode")->setCurrentIndex(kFilterName);
    dialog->findChild<QLineEdit*>("EditSearch")->setText("GC");
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  Find<QPushButton>("ButtonFilter")->click();
  ASSERT_EQ(App().Model().rowCount(), 3);
  EXPECT_EQ(map_->Index().size(), 3u);
  EXPECT_TRUE(Redrawn(frames, 3));

  App().SelectRow(0);
  const std::string deleted = SelectedName();
  frames = map_->Frames();
  QTest::keyClick(&App().ListView(), Qt::Key_Delete);
  ASSERT_EQ(App().Model().rowCount(), 2);
  EXPECT_EQ(map_->Index().size(), 2u);
  EXPECT_TRUE(Redrawn(frames, 2));
  for (const ViewPoint& p : map_->Drawn().points)
    EXPECT_NE(App().Session().Store().ShownWaypoints()[p.row]->Name, deleted);

  QApplication::setActiveWindow(&App());
  frames = map_->Frames();
  QTest::keyClick(&App().ListView(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(App().Model().rowCount(), 3);
  EXPECT_TRUE(Redrawn(frames, 3));
  EXPECT_EQ(Find<TFormMap>("FormMap")->IndexBuilds(), builds + 3);
}

}  // namespace
}  // namespace quill
