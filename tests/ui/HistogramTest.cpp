// SPDX-License-Identifier: GPL-3.0-or-later
// The histogram and the list viewer, driven by objectName; the charts are
// read back from their series.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QTest>

#include "text/QtText.h"
#include "ui/tools/FormHistogram.h"
#include "ui/tools/FormList.h"

namespace quill {
namespace {

struct Bar {
  qreal value = 0;
  QColor color;
  int sets = 0;  // sets holding a non-zero value for the bar
};

// The bars of a chart: each bar's value and the colour of the set it is in.
std::vector<Bar> Bars(QWidget* window, const char* chartName) {
  auto* view = window->findChild<QChartView*>(chartName);
  EXPECT_NE(view, nullptr) << chartName;
  if (!view) return {};
  const auto series = view->chart()->series();
  EXPECT_EQ(series.size(), 1);
  auto* stacked = qobject_cast<QStackedBarSeries*>(series.value(0));
  if (!stacked) return {};
  std::vector<Bar> bars;
  for (QBarSet* set : stacked->barSets()) {
    if (bars.empty()) bars.resize(static_cast<std::size_t>(set->count()));
    EXPECT_EQ(static_cast<std::size_t>(set->count()), bars.size());
    for (int i = 0; i < set->count() && static_cast<std::size_t>(i) < bars.size(); ++i) {
      Bar& b = bars[static_cast<std::size_t>(i)];
      if (set->at(i) != 0) {
        b.value += set->at(i);
        b.color = set->color();
        ++b.sets;
      }
    }
  }
  return bars;
}

QStringList AxisLabels(QWidget* window, const char* chartName) {
  auto* view = window->findChild<QChartView*>(chartName);
  const auto axes = view->chart()->axes(Qt::Horizontal);
  auto* axis = qobject_cast<QCategoryAxis*>(axes.value(0));
  return axis ? axis->categoriesLabels() : QStringList();
}

void Click(QWidget* window, const char* name) {
  auto* button = window->findChild<QAbstractButton*>(name);
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

struct Windows {
  TFormList list;
  TFormHistogram histogram{&list};
  Windows() {
    histogram.InputCounts = CountText("Hello World");
    histogram.OutputCounts = CountText(
        "EEEEEEEEEEEEEEEEEENNNNNNNNNNaaabbbcccdddfffggghhhiiijjjkkklllmmmooopppqqqrrrssstttuuuvvvwwwxxxyyyzzz");
  }
};

TEST(UiHistogram, ChartsShowTheClassBarsLabelsAndColours) {
  Windows w;
  // A caller's marker can grey out a letter that does occur.
  w.histogram.InputCounts.markers['L' - 'A'] = '-';
  w.histogram.show();
  auto in = Bars(&w.histogram, "ChartFreqI");
  ASSERT_EQ(in.size(), 26u);
  EXPECT_EQ(in['L' - 'A'].value, 3);
  EXPECT_EQ(in['L' - 'A'].color, QColor(192, 192, 192));
  EXPECT_EQ(in['O' - 'A'].value, 2);
  EXPECT_EQ(in['O' - 'A'].color, QColor(255, 0, 0));
  EXPECT_EQ(AxisLabels(&w.histogram, "ChartFreqI").join(""), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (const Bar& b : in) EXPECT_LE(b.sets, 1);

  const auto comp = Bars(&w.histogram, "ChartFreqComp");
  ASSERT_EQ(comp.size(), 26u);
  EXPECT_EQ(comp['E' - 'A'].value, 18897);
  EXPECT_EQ(comp['E' - 'A'].color, QColor(0, 0, 255));

  struct Row {
    const char* radio;
    std::size_t bars;
    const char* labels;
  };
  const Row rows[] = {{"RadioButtonGraphInNum", 10, "0123456789"},
                      {"RadioButtonGraphInHex", 16, "0123456789ABCDEF"},
                      {"RadioButtonGraphInAll", 256, "00 20 40 60 80 A0 C0 E0"},
                      {"RadioButtonGraphInAsciiL", 26, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}};
  for (const Row& r : rows) {
    Click(&w.histogram, r.radio);
    EXPECT_EQ(Bars(&w.histogram, "ChartFreqI").size(), r.bars) << r.radio;
    const QString sep = r.bars == 256 ? " " : "";
    EXPECT_EQ(AxisLabels(&w.histogram, "ChartFreqI").join(sep).toStdString(), r.labels) << r.radio;
  }
  // The output chart keeps its own class.
  EXPECT_EQ(Bars(&w.histogram, "ChartFreqO").size(), 26u);
  EXPECT_EQ(Bars(&w.histogram, "ChartFreqI")['H' - 'A'].value, 0);  // lower case only

  Click(&w.histogram, "RadioButtonGraphOutHex");
  w.histogram.OutputCounts = CountText("aA");
  w.histogram.DrawInOut();
  const auto hex = Bars(&w.histogram, "ChartFreqO");
  ASSERT_EQ(hex.size(), 16u);
  EXPECT_EQ(hex[10].value, 2);
  EXPECT_EQ(hex[10].color, QColor(255, 0, 0));
}

TEST(UiHistogram, SpecialColoursAndReferences) {
  Windows w;
  w.histogram.show();
  Click(&w.histogram, "CheckBoxColor");
  EXPECT_TRUE(w.histogram.SpecialColors);
  auto out = Bars(&w.histogram, "ChartFreqO");
  EXPECT_EQ(out['E' - 'A'].color, QColor(255, 0, 0));
  EXPECT_EQ(out['N' - 'A'].color, QColor(128, 0, 128));
  EXPECT_EQ(out['A' - 'A'].color, QColor(128, 128, 128));
  auto comp = Bars(&w.histogram, "ChartFreqComp");
  EXPECT_EQ(comp['E' - 'A'].color, QColor(255, 0, 0));
  EXPECT_EQ(comp['L' - 'A'].color, QColor(128, 128, 0));

  // A number reference: green reference bars and grey special colours.
  Click(&w.histogram, "RadioButtonChartNumEN");
  comp = Bars(&w.histogram, "ChartFreqComp");
  EXPECT_EQ(comp['E' - 'A'].value, 9);
  EXPECT_EQ(comp['E' - 'A'].color, QColor(0, 128, 0));
  Click(&w.histogram, "RadioButtonGraphOutAscii");
  EXPECT_EQ(Bars(&w.histogram, "ChartFreqO")['E' - 'A'].color, QColor(128, 128, 128));

  // Showing again resets every selection.
  Click(&w.histogram, "RadioButtonGraphInAll");
  w.histogram.hide();
  w.histogram.show();
  EXPECT_FALSE(w.histogram.SpecialColors);
  EXPECT_FALSE(w.histogram.findChild<QCheckBox*>("CheckBoxColor")->isChecked());
  EXPECT_TRUE(w.histogram.findChild<QRadioButton*>("RadioButtonChartTextNL")->isChecked());
  EXPECT_TRUE(w.histogram.findChild<QRadioButton*>("RadioButtonGraphInAscii")->isChecked());
  EXPECT_EQ(Bars(&w.histogram, "ChartFreqI").size(), 26u);
  EXPECT_EQ(Bars(&w.histogram, "ChartFreqO")['E' - 'A'].color, QColor(255, 0, 0));

  QTest::keyClick(&w.histogram, Qt::Key_Escape);
  EXPECT_FALSE(w.histogram.isVisible());
}

TEST(UiHistogram, BarClickHintAndDoubleClickListing) {
  Windows w;
  w.histogram.show();
  auto* view = w.histogram.findChild<QChartView*>("ChartFreqI");
  auto* series = qobject_cast<QStackedBarSeries*>(view->chart()->series().value(0));
  ASSERT_NE(series, nullptr);
  emit series->barSets().value(0)->clicked('L' - 'A');
  EXPECT_EQ(view->toolTip(), "L = 3");
  Click(&w.histogram, "RadioButtonGraphInAll");
  series = qobject_cast<QStackedBarSeries*>(view->chart()->series().value(0));
  emit series->barSets().value(0)->clicked(0x20);
  EXPECT_EQ(view->toolTip(), "0x20 = 1");

  QTest::mouseDClick(view->viewport(), Qt::LeftButton);
  ASSERT_TRUE(w.list.isVisible());
  EXPECT_EQ(w.list.size(), QSize(250, 510));
  auto* memo = w.list.findChild<QPlainTextEdit*>("UlkMemo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->toPlainText().contains("0x6C (l) :  27.27     3\n"));
  EXPECT_TRUE(memo->toPlainText().endsWith("\n\n\n 8 unique"));

  // While the viewer is up, a second listing replaces its text.
  QTest::mouseDClick(w.histogram.findChild<QChartView*>("ChartFreqO")->viewport(), Qt::LeftButton);
  EXPECT_TRUE(memo->toPlainText().startsWith("A :   3.00     3\n"));
  EXPECT_TRUE(memo->toPlainText().endsWith("\n\n\n 26 unique"));
}

TEST(UiList, CopySelectAllEscapeAndRefill) {
  TFormList list;
  list.ListText = "first line\r\nsecond\r\n\r\n 2 unique";
  list.show();
  auto* memo = list.findChild<QPlainTextEdit*>("UlkMemo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->toPlainText(), "first line\nsecond\n\n 2 unique");
  QClipboard* clipboard = QGuiApplication::clipboard();

  // Nothing selected: the whole text with its line ends.
  clipboard->setText("old");
  QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QString::fromLatin1("first line\r\nsecond\r\n\r\n 2 unique"));

  // A selection: the control's own copy.
  QTextCursor cursor = memo->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(5, QTextCursor::KeepAnchor);
  memo->setTextCursor(cursor);
  QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), "first");

  QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(memo->textCursor().selectedText().size(), memo->toPlainText().size());

  auto* wrap = list.findChild<QCheckBox*>("CheckBoxWordWrap");
  ASSERT_NE(wrap, nullptr);
  wrap->click();
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  wrap->click();
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);

  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_FALSE(list.isVisible());
  list.ListText = "";
  list.show();
  EXPECT_TRUE(memo->toPlainText().isEmpty());
  EXPECT_TRUE(memo->isReadOnly());
  list.ListText = "\xE9t\xE9";
  QTest::keyClick(&list, Qt::Key_Escape);
  list.show();
  EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
}

}  // namespace
}  // namespace quill
