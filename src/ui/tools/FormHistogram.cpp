// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/FormHistogram.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "ui/tools/FormList.h"

namespace quill {

namespace {

constexpr int kDesignWidth = 760;
constexpr int kDesignHeight = 620;

constexpr std::array<const char*, kLetterClassCount> kClassNames = {"Alpha", "Ascii", "AsciiL", "AsciiH",
                                                                    "Num",   "Hex",   "All"};
constexpr std::array<const char*, 4> kReferenceNames = {"RadioButtonChartTextNL", "RadioButtonChartTextEN",
                                                        "RadioButtonChartNumNL", "RadioButtonChartNumEN"};

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

HistogramChartView* MakeChartView(const char* name, QWidget* parent) {
  auto* chart = new QChart();
  chart->legend()->hide();
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  auto* view = new HistogramChartView(chart, parent);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing, false);
  return view;
}

QGroupBox* ClassRadios(const char* side, std::array<QRadioButton*, kLetterClassCount>& radios, QWidget* parent) {
  auto* box = new QGroupBox(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(2);
  for (int i = 0; i < kLetterClassCount; ++i) {
    auto* radio = new QRadioButton(LetterClassCaption(static_cast<LetterClass>(i)), box);
    radio->setObjectName(QString("RadioButtonGraph%1%2").arg(side, kClassNames[static_cast<std::size_t>(i)]));
    radios[static_cast<std::size_t>(i)] = radio;
    layout->addWidget(radio);
  }
  layout->addStretch(1);
  return box;
}

template <std::size_t N>
int Checked(const std::array<QRadioButton*, N>& radios, int fallback) {
  for (std::size_t i = 0; i < N; ++i) {
    if (radios[i]->isChecked()) return static_cast<int>(i);
  }
  return fallback;
}

}  // namespace

void HistogramChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  QChartView::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

TFormHistogram::TFormHistogram(TFormList* listWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), list_(listWindow) {
  setObjectName("FormHistogram");
  setWindowTitle(tr("Histogram"));
  chartIn_ = MakeChartView("ChartFreqI", this);
  chartOut_ = MakeChartView("ChartFreqO", this);
  chartComp_ = MakeChartView("ChartFreqComp", this);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->addWidget(chartIn_, 0, 0);
  grid->addWidget(ClassRadios("In", radiosIn_, this), 0, 1);
  grid->addWidget(chartOut_, 1, 0);
  grid->addWidget(ClassRadios("Out", radiosOut_, this), 1, 1);
  grid->addWidget(chartComp_, 2, 0);
  auto* refBox = new QGroupBox(this);
  auto* refLayout = new QVBoxLayout(refBox);
  refLayout->setSpacing(2);
  for (std::size_t i = 0; i < radiosRef_.size(); ++i) {
    radiosRef_[i] = new QRadioButton(LetterReferenceCaption(static_cast<LetterReference>(i)), refBox);
    radiosRef_[i]->setObjectName(kReferenceNames[i]);
    refLayout->addWidget(radiosRef_[i]);
  }
  checkColor_ = new QCheckBox(tr("Special colors"), refBox);
  checkColor_->setObjectName("CheckBoxColor");
  refLayout->addSpacing(8);
  refLayout->addWidget(checkColor_);
  refLayout->addStretch(1);
  grid->addWidget(refBox, 2, 1);
  grid->setColumnStretch(0, 1);

  for (auto* radio : radiosIn_) connect(radio, &QRadioButton::clicked, this, [this] { DrawInOut(); });
  for (auto* radio : radiosOut_) connect(radio, &QRadioButton::clicked, this, [this] { DrawInOut(); });
  for (auto* radio : radiosRef_) connect(radio, &QRadioButton::clicked, this, [this] { DrawReference(); });
  connect(checkColor_, &QCheckBox::clicked, this, [this](bool on) {
    SpecialColors = on;
    DrawInOut();
    DrawReference();
  });
  connect(chartIn_, &HistogramChartView::doubleClicked, this, [this] { ChartDoubleClick(true); });
  connect(chartOut_, &HistogramChartView::doubleClicked, this, [this] { ChartDoubleClick(false); });

  setMinimumWidth(kDesignWidth);
  setFixedHeight(kDesignHeight);
  resize(kDesignWidth, kDesignHeight);
}

LetterClass TFormHistogram::InputClass() const { return static_cast<LetterClass>(Checked(radiosIn_, 1)); }
LetterClass TFormHistogram::OutputClass() const { return static_cast<LetterClass>(Checked(radiosOut_, 1)); }
LetterReference TFormHistogram::Reference() const { return static_cast<LetterReference>(Checked(radiosRef_, 0)); }

void TFormHistogram::showEvent(QShowEvent* event) {
  radiosRef_[0]->setChecked(true);
  radiosIn_[static_cast<std::size_t>(LetterClass::Ascii)]->setChecked(true);
  radiosOut_[static_cast<std::size_t>(LetterClass::Ascii)]->setChecked(true);
  checkColor_->setChecked(false);
  SpecialColors = false;
  DrawInOut();
  DrawReference();
  QWidget::showEvent(event);
}

void TFormHistogram::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TFormHistogram::DrawChart(HistogramChartView* view, const std::vector<std::uint32_t>& bars,
                               const std::vector<Rgb>& colors, LetterClass cls) {
  QChart* chart = view->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  // One set per colour, stacked: every bar has its value in exactly one set,
  // so each bar shows at full width in its own colour.
  auto* series = new QStackedBarSeries();
  series->setBarWidth(1.0);
  std::vector<std::pair<Rgb, QBarSet*>> sets;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    auto found = std::find_if(sets.begin(), sets.end(), [&](const auto& s) { return s.first == colors[i]; });
    if (found == sets.end()) {
      auto* set = new QBarSet(ToQColor(colors[i]).name());
      set->setColor(ToQColor(colors[i]));
      set->setBorderColor(ToQColor(colors[i]));
      for (std::size_t j = 0; j < bars.size(); ++j) set->append(0);
      sets.emplace_back(colors[i], set);
      found = sets.end() - 1;
    }
    found->second->replace(static_cast<int>(i), bars[i]);
  }
  for (auto& s : sets) series->append(s.second);
  const bool input = view == chartIn_;
  if (view != chartComp_) {
    for (auto& s : sets) {
      connect(s.second, &QBarSet::clicked, this, [this, input](int index) { BarClicked(input, index); });
    }
  }
  chart->addSeries(series);

  auto* axisX = new QCategoryAxis();
  axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axisX->setStartValue(-1);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const std::string label = BarAxisLabel(cls, static_cast<int>(i));
    if (!label.empty()) axisX->append(QString::fromLatin1(label.c_str()), static_cast<double>(i));
  }
  axisX->setRange(-1, static_cast<double>(bars.size()));
  axisX->setGridLineVisible(false);
  auto* axisY = new QValueAxis();
  const std::uint32_t top = bars.empty() ? 0 : *std::max_element(bars.begin(), bars.end());
  axisY->setRange(0, top ? top : 1);
  axisY->setVisible(false);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  series->attachAxis(axisX);
  series->attachAxis(axisY);
}

void TFormHistogram::DrawInOut() {
  const LetterReference ref = Reference();
  const LetterClass inClass = InputClass();
  const auto inBars = ClassBars(InputCounts, inClass);
  DrawChart(chartIn_, inBars, ChartBarColors(inClass, inBars, InputCounts.markers.data(), SpecialColors, ref), inClass);
  const LetterClass outClass = OutputClass();
  const auto outBars = ClassBars(OutputCounts, outClass);
  DrawChart(chartOut_, outBars, ChartBarColors(outClass, outBars, nullptr, SpecialColors, ref), outClass);
}

void TFormHistogram::DrawReference() {
  const LetterReference ref = Reference();
  const auto& table = ReferenceTable(ref);
  const auto colors = ReferenceBarColors(ref, SpecialColors);
  DrawChart(chartComp_, std::vector<std::uint32_t>(table.begin(), table.end()),
            std::vector<Rgb>(colors.begin(), colors.end()), LetterClass::AsciiUpper);
}

void TFormHistogram::BarClicked(bool input, int bar) {
  const LetterClass cls = input ? InputClass() : OutputClass();
  const auto bars = ClassBars(input ? InputCounts : OutputCounts, cls);
  if (bar < 0 || static_cast<std::size_t>(bar) >= bars.size()) return;
  HistogramChartView* view = input ? chartIn_ : chartOut_;
  const QString hint = QString::fromLatin1(BarHint(cls, bar, bars[static_cast<std::size_t>(bar)]).c_str());
  view->setToolTip(hint);
  if (view->isVisible()) QToolTip::showText(QCursor::pos(), hint, view);
}

void TFormHistogram::ChartDoubleClick(bool input) {
  if (!list_) return;
  const LetterClass cls = input ? InputClass() : OutputClass();
  list_->ListText = LetterListing(cls, ClassBars(input ? InputCounts : OutputCounts, cls));
  list_->ColorsEnabled = false;
  list_->setWindowState(Qt::WindowNoState);
  list_->resize(250, 510);
  if (list_->isVisible()) {
    list_->Refresh();
  } else {
    list_->show();
  }
}

}  // namespace quill
