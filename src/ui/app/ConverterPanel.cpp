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
#include "text/QtText.h"
#include "ui/components/DesignWidth.h"
#include "ui/components/UlkEdit.h"

namespace quill {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* hint) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setToolTip(hint);
  return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (hint) b->setToolTip(hint);
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
  auto* box = new QGroupBox(" Input ", this);
  box->setObjectName("GroupBoxInvoerWGS84");
  editN_ = MakeEdit(box, "EditN", "Enter Latitude (North coordinate)");
  editE_ = MakeEdit(box, "EditE", "Enter Longitude (East coordinate)");
  comboNorth_ = new QComboBox(box);
  comboNorth_->setObjectName("ComboBoxNorth");
  comboNorth_->addItems({"N", "S"});
  comboNorth_->setToolTip("Select default latitude direction");
  comboEast_ = new QComboBox(box);
  comboEast_->setObjectName("ComboBoxEast");
  comboEast_->addItems({"E", "W"});
  comboEast_->setToolTip("Select default longitude direction");
  editRD_ = MakeEdit(box, "EditRD", "Enter RD coordinates (separated by spaces)");
  editLambert_ = MakeEdit(box, "EditLambert", "Enter Lambert72 coordinates (separated by spaces)");
  editUTM_ = MakeEdit(box, "EditUTM", "Enter UTM coordinate");
  editEcef_ = MakeEdit(box, "EditEcef", "Enter ECEF coordinates (separated by spaces)");

  auto* convert = MakeButton(box, "ButtonConvert", "Calculate", "Calculate Lat/Lon coordinates");
  auto* clear = MakeButton(box, "ButtonClear", "Clear input", "Clear coordinate inputs");
  auto* convertRD = MakeButton(box, "ButtonConvertRD", "Calc", "Calculate RD coordinates");
  auto* convertLambert = MakeButton(box, "ButtonConvertLambert", "Calc", "Calculate Lambert72 coordinates");
  auto* convertUTM = MakeButton(box, "ButtonConvertUTM", "Calc", "Calculate UTM coordinates");
  auto* convertECEF = MakeButton(box, "ButtonConvertECEF", "Calc", "Calculate ECEF coordinates");
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
  g->addWidget(new QLabel("Lat", box), 0, 0);
  g->addWidget(editN_, 0, 1);
  g->addWidget(comboNorth_, 0, 2);
  g->addWidget(convert, 0, 3);
  g->addWidget(new QLabel("Lon", box), 1, 0);
  g->addWidget(editE_, 1, 1);
  g->addWidget(comboEast_, 1, 2);
  g->addWidget(clear, 1, 3);
  const struct {
    const char* label;
    QLineEdit* edit;
    QPushButton* button;
  } rows[] = {{"RD (dutch grid)", editRD_, convertRD},
              {"Lambert72 (belgian grid)", editLambert_, convertLambert},
              {"UTM", editUTM_, convertUTM},
              {"ECEF (XYZ)", editEcef_, convertECEF}};
  int row = 2;
  for (const auto& r : rows) {
    g->addWidget(new QLabel(r.label, box), row, 0);
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
  auto* box = new QGroupBox(" Results ", this);
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

  buttonAddWp_ = MakeButton(box, "ButtonAddWp", "Add to list", "Add result to waypoint list");
  buttonGoogleMaps_ = MakeButton(box, "ButtonGoogleMaps", "Google Maps", "Show result in Google Maps");
  buttonLiveCom_ = MakeButton(box, "ButtonLiveCom", "VE", nullptr);

  auto* g = new QGridLayout(box);
  TUlkEdit* fields[] = {resultDeg_,     resultDegMin_, resultDegMinSec_, resultRD_,
                        resultLambert_, resultUTM_,    resultECEF_,      resultAltitude_};
  // The labels are the core's, in the same order as the fields.
  for (int i = 0; i < 8; ++i) {
    auto* label = new QLabel(kResultFields[static_cast<std::size_t>(i)].label, box);
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

void ConverterPanel::Show(const ConverterResult& result) {
  result_ = result;
  if (!result.onEarth) status_.SetError(2, kOffEarthText);
  resultDeg_->setText(AnsiToQString(result.degrees));
  resultDegMin_->setText(AnsiToQString(result.degMin));
  resultDegMinSec_->setText(AnsiToQString(result.degMinSec));
  resultAltitude_->setText(AnsiToQString(result.altitude));
  resultRD_->setText(AnsiToQString(result.rd));
  resultLambert_->setText(AnsiToQString(result.lambert));
  resultUTM_->setText(AnsiToQString(result.utm));
  resultECEF_->setText(AnsiToQString(result.ecef));
  const QColor grey(128, 128, 128);
  auto colour = [&](TUlkEdit* e, bool inRange) {
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, inRange ? QColor(Qt::black) : grey);
    e->setPalette(pal);
  };
  colour(resultRD_, result.rdInRange);
  colour(resultLambert_, result.lambertInRange);
}

void ConverterPanel::ShowResult(double lat, double lon, double h) { Show(quill::ShowResult(lat, lon, h)); }

void ConverterPanel::ClearResults() {
  status_.SetError(0, "");
  quill::ClearResults(result_);
  for (TUlkEdit* e : {resultDeg_, resultDegMin_, resultDegMinSec_, resultRD_, resultLambert_, resultUTM_, resultECEF_,
                      resultAltitude_}) {
    e->clear();
  }
}

void ConverterPanel::ButtonConvertClick() {
  status_.SetError(0, "");
  InputDatum datum = radioED50_->isChecked()     ? InputDatum::Ed50
                     : radioBessel_->isChecked() ? InputDatum::Bessel
                                                 : InputDatum::Wgs84;
  Show(ConvertLatLon(QStringToAnsi(editN_->text()), QStringToAnsi(editE_->text()), comboNorth_->currentIndex() == 1,
                     comboEast_->currentIndex() == 1, datum));
}

void ConverterPanel::ButtonConvertRDClick() {
  status_.SetError(0, "");
  Show(ConvertRd(QStringToAnsi(editRD_->text())));
}

void ConverterPanel::ButtonConvertLambertClick() {
  status_.SetError(0, "");
  Show(ConvertLambert(QStringToAnsi(editLambert_->text())));
}

void ConverterPanel::ButtonConvertUTMClick() {
  status_.SetError(0, "");
  Show(ConvertUtm(QStringToAnsi(editUTM_->text())));
}

void ConverterPanel::ButtonConvertECEFClick() {
  status_.SetError(0, "");
  Show(ConvertEcef(QStringToAnsi(editEcef_->text())));
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
