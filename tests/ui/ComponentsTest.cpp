// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QTest>

#include "support/DarkPalette.h"
#include "ui/components/UlkEdit.h"
#include "ui/components/UlkMemo.h"
#include "ui/components/UlkStatusBar.h"

namespace quill {
namespace {

using test::Contrast;

// Every level reads in a light and in a dark palette, and takes the
// palette's colours where it has no colour of its own.
TEST(UiStatusBar, EveryLevelReadsInLightAndDarkPalettes) {
  TUlkStatusBar bar;
  const QPalette light = QApplication::style()->standardPalette();
  for (const QPalette& palette : {light, test::DarkPalette()}) {
    bar.setPalette(palette);
    const QColor face = palette.color(QPalette::Button);
    for (int level = -1; level <= 9; ++level) {
      EXPECT_GE(Contrast(bar.LevelText(level), bar.LevelBackground(level)), 4.5)
          << "level " << level << " on " << face.name().toStdString();
    }
    EXPECT_EQ(bar.LevelBackground(0), face);
    EXPECT_EQ(bar.LevelText(0), palette.color(QPalette::WindowText));
    EXPECT_EQ(bar.LevelBackground(9), face);
    EXPECT_EQ(bar.LevelBackground(1), palette.color(QPalette::ToolTipBase));
    EXPECT_EQ(bar.LevelText(1), palette.color(QPalette::ToolTipText));
    EXPECT_EQ(bar.LevelText(5), palette.color(QPalette::WindowText));
    // Errors are red whatever the theme; 6 to 8 keep their hues.
    EXPECT_EQ(bar.LevelBackground(2).hue(), 0);
    EXPECT_EQ(bar.LevelText(2), QColor(Qt::white));
    EXPECT_EQ(bar.LevelText(6).hue(), 0);
    EXPECT_EQ(bar.LevelText(7).hue(), 240);
    EXPECT_EQ(bar.LevelText(8).hue(), 120);
  }
  bar.SetBackColor(QColor(1, 2, 3));
  bar.SetTextColor(QColor(4, 5, 6));
  EXPECT_EQ(bar.LevelBackground(5), QColor(1, 2, 3));
  EXPECT_EQ(bar.LevelText(5), QColor(4, 5, 6));
}

TEST(UiStatusBar, AnErrorStaysUntilTheNextMessage) {
  TUlkStatusBar bar;
  bar.SetFlashTimeout(1);
  bar.SetError(0, "Busy...");
  bar.FlashError(0, "Done!");
  bar.FlashError(2, "Authentication Failed!");
  EXPECT_FALSE(bar.Flashing());
  EXPECT_EQ(bar.ShownText(), "Authentication Failed!");
  EXPECT_EQ(bar.ShownLevel(), 2);
  // A passing message passes over it, and it is there again afterwards.
  bar.FlashError(0, "Done!");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.Flashing(); }, 2000));
  EXPECT_EQ(bar.ShownText(), "Authentication Failed!");
  bar.SetError(0, "");
  EXPECT_EQ(bar.ShownText(), "");
}

TEST(UiStatusBar, PaintedPanelShowsTheLevelBackground) {
  TUlkStatusBar bar;
  bar.resize(300, 24);
  bar.SetError(2, "Error loading file");
  QImage image = bar.grab().toImage();
  // A corner pixel away from the text and the size grip.
  EXPECT_EQ(QColor(image.pixel(2, 1)), bar.LevelBackground(2));
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
  bar.FlashError(0, "one");
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar.FlashRemaining() < 200; }, 2000));
  const int left = bar.FlashRemaining();
  bar.FlashError(0, "two");
  // Counted from the second call: a timer left running could only have less.
  EXPECT_GT(bar.FlashRemaining(), left);
  EXPECT_EQ(bar.ShownText(), "two");
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
