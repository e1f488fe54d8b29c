// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormHistogram: bar charts of the character counts of an input text (a
// coded text) and an output text (its decoding), beside the letter
// distribution of Dutch or English. The caller fills InputCounts and
// OutputCounts and shows the window; a double click on either chart lists its
// counts in the list viewer.
#include <QChartView>
#include <QWidget>
#include <array>
#include <vector>

#include "tools/LetterFrequency.h"

class QCheckBox;
class QRadioButton;

namespace quill {

class TFormList;

// A chart view that reports double clicks.
class HistogramChartView : public QChartView {
  Q_OBJECT
 public:
  using QChartView::QChartView;
 signals:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TFormHistogram : public QWidget {
  Q_OBJECT
 public:
  // listWindow shows the count listings; it is not owned.
  explicit TFormHistogram(TFormList* listWindow, QWidget* parent = nullptr);

  LetterCounts InputCounts;
  LetterCounts OutputCounts;
  bool SpecialColors = false;

  LetterClass InputClass() const;
  LetterClass OutputClass() const;
  LetterReference Reference() const;

  // Redraws the charts from the counts and the selections.
  void DrawInOut();
  void DrawReference();
  // A bar click and a double click of the input (true) or output chart.
  void BarClicked(bool input, int bar);
  void ChartDoubleClick(bool input);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void DrawChart(HistogramChartView* view, const std::vector<std::uint32_t>& bars, const std::vector<Rgb>& colors,
                 LetterClass cls);

  TFormList* list_;
  HistogramChartView* chartIn_;
  HistogramChartView* chartOut_;
  HistogramChartView* chartComp_;
  std::array<QRadioButton*, kLetterClassCount> radiosIn_{};
  std::array<QRadioButton*, kLetterClassCount> radiosOut_{};
  std::array<QRadioButton*, 4> radiosRef_{};
  QCheckBox* checkColor_;
};

}  // namespace quill
