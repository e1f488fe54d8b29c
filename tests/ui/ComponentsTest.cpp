// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "ui/components/UlkEdit.h"
#include "ui/components/UlkMemo.h"
#include "ui/components/UlkStatusBar.h"

namespace quill {
namespace {

TEST(UiStatusBar, LevelsPaintTheirColours) {
  TUlkStatusBar bar;
  const QColor face = bar.palette().color(QPalette::Button);
  const QColor text = bar.palette().color(QPalette::WindowText);
  struct Row {
    int level;
    QColor back;
    QColor fore;
  };
  const Row rows[] = {{0, face, text},
                      {1, face, Qt::white},
                      {2, QColor(255, 0, 0), Qt::white},
                      {3, QColor(0, 0, 255), Qt::white},
                      {4, QColor(0, 128, 0), Qt::white},
                      {6, face, QColor(255, 0, 0)},
                      {7, face, QColor(0, 0, 255)},
                      {8, face, QColor(0, 128, 0)},
                      {9, face, text},
                      {-1, face, text}};
  for (const Row& r : rows) {
    EXPECT_EQ(bar.LevelBackground(r.level), r.back) << r.level;
    EXPECT_EQ(bar.LevelText(r.level), r.fore) << r.level;
  }
  bar.SetBackColor(QColor(1, 2, 3));
  bar.SetTextColor(QColor(4, 5, 6));
  EXPECT_EQ(bar.LevelBackground(5), QColor(1, 2, 3));
  EXPECT_EQ(bar.LevelText(5), QColor(4, 5, 6));
}

TEST(UiStatusBar, PaintedPanelShowsTheLevelBackground) {
  TUlkStatusBar bar;
  bar.resize(300, 24);
  bar.SetError(2, "Error loading file");
  QImage image = bar.grab().toImage();
  // A corner pixel away from the text and the size grip.
  EXPECT_EQ(QColor(image.pixel(2, 1)), QColor(255, 0, 0));
  bar.SetError(0, "");
  image = bar.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(2, 1)), bar.palette().color(QPalette::Button));
}

TEST(UiStatusBar, FlashGivesWayToTheStandingMessage) {
  TUlkStatusBar bar;
  EXPECT_EQ(bar.FlashTimeout(), 1000);
  bar.SetFlashTimeout(150);
  bar.SetError(0, "Busy...");
  bar.FlashError(0, "Done!");
  EXPECT_TRUE(bar.Flashing());
  EXPECT_EQ(bar.ShownText(), "Done!");
  // A standing message set during the flash waits for the flash to end.
  bar.SetError(2, "Error saving file");
  EXPECT_EQ(bar.ShownText(), "Done!");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.Flashing(); }, 2000));
  EXPECT_EQ(bar.ShownText(), "Error saving file");
  EXPECT_EQ(bar.ShownLevel(), 2);
}

TEST(UiStatusBar, ASecondFlashRestartsTheTimer) {
  TUlkStatusBar bar;
  bar.SetFlashTimeout(300);
  QElapsedTimer clock;
  clock.start();
  bar.FlashError(0, "one");
  QTest::qWait(200);
  bar.FlashError(2, "Invalid name");
  qint64 second = clock.elapsed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.Flashing(); }, 2000));
  // Counted from the second call, not the first.
  EXPECT_GE(clock.elapsed() - second, 250);
}

TEST(UiStatusBar, TextIsCutAt999Characters) {
  TUlkStatusBar bar;
  bar.SetError(0, std::string(1500, 'x'));
  EXPECT_EQ(bar.MessageText().size(), 999);
  bar.FlashError(0, std::string(1200, 'y'));
  EXPECT_EQ(bar.FlashText().size(), 999);
  bar.SetText(0, "panel");
  EXPECT_EQ(bar.MessageText(), "panel");
  EXPECT_EQ(bar.MessageLevel(), 0);
  // Memory text: a Windows-1252 byte and a kept UTF-8 sequence.
  bar.SetError(0, "caf\xE9 \xC5\x99");
  EXPECT_EQ(bar.MessageText(), QString::fromUtf8("café ř"));
}

template <class T>
class UiReadOnlyAware : public ::testing::Test {};
using EditTypes = ::testing::Types<TUlkEdit, TUlkMemo>;
TYPED_TEST_SUITE(UiReadOnlyAware, EditTypes);

TYPED_TEST(UiReadOnlyAware, BackgroundFollowsState) {
  TypeParam edit;
  const QColor face = edit.palette().color(QPalette::Active, QPalette::Button);
  const QColor rw = edit.Color();
  const QColor ro = edit.ColorRO();
  EXPECT_EQ(edit.Background(), rw);
  EXPECT_EQ(edit.palette().color(QPalette::Base), rw);
  edit.SetReadOnly(true);
  EXPECT_EQ(edit.palette().color(QPalette::Base), ro);
  edit.SetEnabled(false);
  EXPECT_EQ(edit.palette().color(QPalette::Disabled, QPalette::Base), face);
  edit.SetEnabled(true);
  EXPECT_EQ(edit.palette().color(QPalette::Base), ro);
  edit.SetReadOnly(false);
  EXPECT_EQ(edit.palette().color(QPalette::Base), rw);
  // A new read-only colour shows only once the control is read-only.
  edit.SetColorRO(QColor(10, 20, 30));
  EXPECT_EQ(edit.palette().color(QPalette::Base), rw);
  edit.SetReadOnly(true);
  EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(10, 20, 30));
}

TYPED_TEST(UiReadOnlyAware, ParentDisablingRepaints) {
  QWidget parent;
  auto* edit = new TypeParam(&parent);
  edit->SetReadOnly(true);
  parent.setEnabled(false);
  EXPECT_EQ(edit->Background(), edit->palette().color(QPalette::Active, QPalette::Button));
  EXPECT_EQ(edit->palette().color(QPalette::Disabled, QPalette::Base), edit->Background());
  parent.setEnabled(true);
  EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base), edit->ColorRO());
}

}  // namespace
}  // namespace quill
