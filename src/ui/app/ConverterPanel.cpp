// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/ConverterPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/StatusSink.h"
#include "geo/CoordCheck.h"
#include "text/QtText.h"
#include "ui/components/CoreTexts.h"
#include "ui/components/DesignWidth.h"
#include "ui/components/UlkEdit.h"

namespace quill {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& hint) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setToolTip(hint);
  return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {}) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ConverterPanel::ConverterPanel(StatusSink& status, QWidget* parent) : QWidget(parent), status_(status) {
  setObjectName("ConverterPanel");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildInput(), 1);
  layout->addWidget(BuildResults(), 1);
}

QGroupBox* ConverterPanel::BuildInput() {
  auto* box = new QGroupBox(tr(" Input "), this);
  box->setObjectName("GroupBoxInvoerWGS84");
  editN_ = MakeEdit(box, "EditN", tr("Enter Latitude (North coordinate)"));
  editE_ = MakeEdit(box, "EditE", tr("Enter Longitude (East coordinate)"));
  comboNorth_ = new QComboBox(box);
  comboNorth_->setObjectName("ComboBoxNorth");
  comboNorth_->addItems({"N", "S"});
  comboNorth_->setToolTip(tr("Select default latitude direction"));
  comboEast_ = new QComboBox(box);
  comboEast_->setObjectName("ComboBoxEast");
  comboEast_->addItems({"E", "W"});
  comboEast_->setToolTip(tr("Select default longitude direction"));
  editRD_ = MakeEdit(box, "EditRD", tr("Enter RD coordinates (separated by spaces)"));
  editLambert_ = MakeEdit(box, "EditLambert", tr("Enter Lambert72 coordinates (separated by spaces)"));
  editUTM_ = MakeEdit(box, "EditUTM", tr("Enter UTM coordinate"));
  editEcef_ = MakeEdit(box, "EditEcef", tr("Enter ECEF coordinates (separated by spaces)"));

  auto* convert = MakeButton(box, "ButtonConvert", tr("Calculate"), tr("Calculate Lat/Lon coordinates"));
  auto* clear = MakeButton(box, "ButtonClear", tr("Clear input"), tr("Clear coordinate inputs"));
  auto* convertRD = MakeButton(box, "ButtonConvertRD", tr("Calc"), tr("Calculate RD coordinates"));
  auto* convertLambert = MakeButton(box, "ButtonConvertLambert", tr("Calc"), tr("Calculate Lambert72 coordinates"));
  auto* convertUTM = MakeButton(box, "ButtonConvertUTM", tr("Calc"), tr("Calculate UTM coordinates"));
  auto* convertECEF = MakeButton(box, "ButtonConvertECEF", tr("Calc"), tr("Calculate ECEF coordinates"));
  connect(convert, &QPushButton::clicked, this, &ConverterPanel::ButtonConvertClick);
  connect(clear, &QPushButton::clicked, this, &ConverterPanel::ButtonClearClick);
  connect(convertRD, &QPushButton::clicked, this, &ConverterPanel::ButtonConvertRDClick);
  connect(convertLambert, &QPushButton::clicked, this, &ConverterPanel::ButtonConvertLambertClick);
  connect(convertUTM, &QPushButton::clicked, this, &ConverterPanel::ButtonConvertUTMClick);
  connect(convertECEF, &QPushButton::clicked, this, &ConverterPanel::ButtonConvertECEFClick);
  // Enter in a field presses that field's button.
  connect(editN_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertClick);
  connect(editE_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertClick);
  connect(editRD_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertRDClick);
  connect(editLambert_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertLambertClick);
  connect(editUTM_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertUTMClick);
  connect(editEcef_, &QLineEdit::returnPressed, this, &ConverterPanel::ButtonConvertECEFClick);

  panelLatLonFormat_ = new QWidget(box);
  panelLatLonFormat_->setObjectName("PanelLatLonFormat");
  radioWGS84_ = new QRadioButton("WGS84", panelLatLonFormat_);
  radioWGS84_->setObjectName("RadioButtonInputWGS84");
  radioED50_ = new QRadioButton("ED50", panelLatLonFormat_);
  radioED50_->setObjectName("RadioButtonInputED50");
  radioBessel_ = new QRadioButton("Bessel", panelLatLonFormat_);
  radioBessel_->setObjectName("RadioButtonInputBessel");
  radioWGS84_->setChecked(true);
  auto* radios = new QHBoxLayout(panelLatLonFormat_);
  radios->setContentsMargins(0, 0, 0, 0);
  radios->addWidget(radioWGS84_);
  radios->addWidget(radioED50_);
  radios->addWidget(radioBessel_);
  radios->addStretch();

  auto* g = new QGridLayout(box);
  g->addWidget(new QLabel(tr("Lat"), box), 0, 0);
  g->addWidget(editN_, 0, 1);
  g->addWidget(comboNorth_, 0, 2);
  g->addWidget(convert, 0, 3);
  g->addWidget(new QLabel(tr("Lon"), box), 1, 0);
  g->addWidget(editE_, 1, 1);
  g->addWidget(comboEast_, 1, 2);
  g->addWidget(clear, 1, 3);
  const struct {
    const char* label;
    QLineEdit* edit;
    QPushButton* button;
  } rows[] = {{QT_TR_NOOP("RD (dutch grid)"), editRD_, convertRD},
              {QT_TR_NOOP("Lambert72 (belgian grid)"), editLambert_, convertLambert},
              {QT_TR_NOOP("UTM"), editUTM_, convertUTM},
              {QT_TR_NOOP("ECEF (XYZ)"), editEcef_, convertECEF}};
  int row = 2;
  for (const auto& r : rows) {
    g->addWidget(new QLabel(tr(r.label), box), row, 0);
    g->addWidget(r.edit, row, 1, 1, 2);
    g->addWidget(r.button, row, 3);
    ++row;
  }
  g->addWidget(panelLatLonFormat_, row, 1, 1, 3);
  g->setColumnStretch(1, 1);
  g->setRowStretch(row + 1, 1);
  return box;
}

QGroupBox* ConverterPanel::BuildResults() {
  auto* box = new QGroupBox(tr(" Results "), this);
  box->setObjectName("GroupBoxResultaten");
  auto makeResult = [&](const char* name) {
    auto* e = new TUlkEdit(box);
    e->setObjectName(name);
    // Read-only in the button-face colour: the results cannot be typed in.
    e->SetColorRO(e->palette().color(QPalette::Active, QPalette::Button));
    e->SetReadOnly(true);
    e->installEventFilter(this);
    return e;
  };
  resultDeg_ = makeResult("UlkEditResultDeg");
  resultDegMin_ = makeResult("UlkEditResultDegMin");
  resultDegMinSec_ = makeResult("UlkEditResultDegMinSec");
  resultRD_ = makeResult("UlkEditResultRD");
  resultLambert_ = makeResult("UlkEditResultLambert");
  resultUTM_ = makeResult("UlkEditResultUTM");
  resultECEF_ = makeResult("UlkEditResultECEF");
  resultAltitude_ = makeResult("UlkEditResultAltitude");

  buttonAddWp_ = MakeButton(box, "ButtonAddWp", tr("Add to list"), tr("Add result to waypoint list"));
  buttonGoogleMaps_ = MakeButton(box, "ButtonGoogleMaps", tr("Google Maps"), tr("Show result in Google Maps"));
  buttonLiveCom_ = MakeButton(box, "ButtonLiveCom", tr("VE"));

  auto* g = new QGridLayout(box);
  TUlkEdit* fields[] = {resultDeg_,     resultDegMin_, resultDegMinSec_, resultRD_,
                        resultLambert_, resultUTM_,    resultECEF_,      resultAltitude_};
  // The labels are the core's, in the same order as the fields.
  for (int i = 0; i < 8; ++i) {
    auto* label = new QLabel(CoreText(kResultFields[static_cast<std::size_t>(i)].label), box);
    if (i == 7) {
      label->setObjectName("Label_altitude");
      labelAltitude_ = label;
    }
    g->addWidget(label, i, 0);
    g->addWidget(fields[i], i, 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(buttonAddWp_);
  buttons->addWidget(buttonGoogleMaps_);
  buttons->addWidget(buttonLiveCom_);
  buttons->addStretch();
  g->addLayout(buttons, 8, 1);
  g->setColumnStretch(1, 1);
  g->setRowStretch(9, 1);
  return box;
}

void ConverterPanel::Reset(int northDefault, int eastDefault) {
  for (QLineEdit* e : {editN_, editE_, editRD_, editLambert_, editUTM_, editEcef_}) e->clear();
  radioWGS84_->setChecked(true);
  comboNorth_->setCurrentIndex(northDefault == 1 ? 1 : 0);
  comboEast_->setCurrentIndex(eastDefault == 1 ? 1 : 0);
  ClearResults();
}

void ConverterPanel::SetExtendedMode(bool on) {
  panelLatLonFormat_->setVisible(on);
  labelAltitude_->setVisible(on);
  resultAltitude_->setVisible(on);
  buttonLiveCom_->setVisible(on);
  SetDesignWidth(buttonGoogleMaps_, on ? 73 : 97);
}

void ConverterPanel::Show(const ConverterResult& result, bool altitudeKnown) {
  result_ = result;
  hasPosition_ = result.onEarth;
  unread_.clear();
  if (!result.onEarth) status_.SetError(2, kOffEarthText);
  resultDeg_->setText(AnsiToQString(result.degrees));
  resultDegMin_->setText(AnsiToQString(result.degMin));
  resultDegMinSec_->setText(AnsiToQString(result.degMinSec));
  // A height the conversions assume is no measurement: shown only when known.
  resultAltitude_->setText(altitudeKnown ? AnsiToQString(result.altitude) : QString());
  resultRD_->setText(AnsiToQString(result.rd));
  resultLambert_->setText(AnsiToQString(result.lambert));
  resultUTM_->setText(AnsiToQString(result.utm));
  resultECEF_->setText(AnsiToQString(result.ecef));
  const QColor grey(128, 128, 128);
  auto colour = [&](TUlkEdit* e, bool inRange) {
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, inRange ? palette().color(QPalette::Text) : grey);
    e->setPalette(pal);
  };
  colour(resultRD_, result.rdInRange);
  colour(resultLambert_, result.lambertInRange);
}

void ConverterPanel::ShowResult(double lat, double lon, double h, bool altitudeKnown) {
  Show(quill::ShowResult(lat, lon, h), altitudeKnown);
}

void ConverterPanel::ClearResults() {
  status_.SetError(0, "");
  quill::ClearResults(result_);
  hasPosition_ = false;
  unread_.clear();
  for (TUlkEdit* e : {resultDeg_, resultDegMin_, resultDegMinSec_, resultRD_, resultLambert_, resultUTM_, resultECEF_,
                      resultAltitude_}) {
    e->clear();
  }
}

bool ConverterPanel::PositionToAdd(double& lat, double& lon) {
  if (!hasPosition_) {
    status_.SetError(2, kNotAPosition + (unread_.empty() ? std::string("nothing converted yet") : unread_));
    return false;
  }
  lat = result_.lat;
  lon = result_.lon;
  return true;
}

void ConverterPanel::Convert(const std::string& input, bool reads, const std::function<ConverterResult()>& convert,
                             bool givesHeight) {
  status_.SetError(0, "");
  if (!reads) {
    // Nothing is shown that the input did not say.
    ClearResults();
    unread_ = input;
    status_.SetError(2, kNotAPosition + input);
    return;
  }
  Show(convert(), givesHeight);
  if (!hasPosition_) unread_ = input;
}

void ConverterPanel::ButtonConvertClick() {
  InputDatum datum = radioED50_->isChecked()     ? InputDatum::Ed50
                     : radioBessel_->isChecked() ? InputDatum::Bessel
                                                 : InputDatum::Wgs84;
  const std::string north = QStringToAnsi(editN_->text());
  const std::string east = QStringToAnsi(editE_->text());
  Convert(east.empty() ? north : north + " " + east, LatLonFieldsRead(north, east), [&] {
    return ConvertLatLon(north, east, comboNorth_->currentIndex() == 1, comboEast_->currentIndex() == 1, datum);
  });
}

void ConverterPanel::ButtonConvertRDClick() {
  const std::string text = QStringToAnsi(editRD_->text());
  Convert(text, GridPairReads(text), [&] { return ConvertRd(text); });
}

void ConverterPanel::ButtonConvertLambertClick() {
  const std::string text = QStringToAnsi(editLambert_->text());
  Convert(text, GridPairReads(text), [&] { return ConvertLambert(text); });
}

void ConverterPanel::ButtonConvertUTMClick() {
  const std::string text = QStringToAnsi(editUTM_->text());
  Convert(text, UtmReads(text), [&] { return ConvertUtm(text); });
}

void ConverterPanel::ButtonConvertECEFClick() {
  const std::string text = QStringToAnsi(editEcef_->text());
  // Three coordinates in space fix the height too.
  Convert(
      text, EcefReads(text), [&] { return ConvertEcef(text); }, true);
}

void ConverterPanel::ButtonClearClick() {
  status_.SetError(0, "");
  for (QLineEdit* e : {editN_, editE_, editRD_, editLambert_, editUTM_, editEcef_}) e->clear();
  radioWGS84_->setChecked(true);
}

bool ConverterPanel::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+C without a selection copies the whole field, Ctrl+A selects it, in
  // the degree-minute, RD, Lambert72, UTM and ECEF results.
  if (event->type() == QEvent::KeyPress &&
      (watched == resultDegMin_ || watched == resultRD_ || watched == resultLambert_ || watched == resultUTM_ ||
       watched == resultECEF_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* edit = static_cast<QLineEdit*>(watched);
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_C && !edit->hasSelectedText()) {
      QApplication::clipboard()->setText(edit->text());
      return true;
    }
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_A) {
      edit->selectAll();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quill
