// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The upper half of the window: the " Input " group with the five notations
// and their buttons, and the " Results " group that shows one position in
// every notation. The conversions are the core's; this is glue.
#include <QWidget>
#include <functional>
#include <string>

#include "geo/Converter.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quill {

class StatusSink;
class TUlkEdit;

class ConverterPanel : public QWidget {
  Q_OBJECT
 public:
  ConverterPanel(StatusSink& status, QWidget* parent = nullptr);

  // A position to show; the altitude only when one is known (a GPS fix),
  // not the height every conversion assumes.
  void ShowResult(double lat, double lon, double h, bool altitudeKnown = false);
  void ClearResults();
  // The position "Add to list" takes. False, with "Not a position: TEXT" at
  // level 2, when the results hold none: the last input did not read, or
  // nothing was converted yet.
  bool PositionToAdd(double& lat, double& lon);
  double CurrentResultLat() const { return result_.lat; }
  double CurrentResultLon() const { return result_.lon; }
  const ConverterResult& Result() const { return result_; }
  // The results hold a position on the earth.
  bool HasPosition() const { return hasPosition_; }

  // The window's start: inputs empty, WGS84, the hemisphere boxes from the
  // NorthDefault and EastDefault settings, results cleared.
  void Reset(int northDefault, int eastDefault);
  // What only ExtendedMode shows: the datum choice, the altitude, the VE button.
  void SetExtendedMode(bool on);

  void ButtonConvertClick();
  void ButtonConvertRDClick();
  void ButtonConvertLambertClick();
  void ButtonConvertUTMClick();
  void ButtonConvertECEFClick();
  void ButtonClearClick();

  // "Add to list" and "Google Maps" belong to the window.
  QPushButton* ButtonAddWp() const { return buttonAddWp_; }
  QPushButton* ButtonGoogleMaps() const { return buttonGoogleMaps_; }
  QPushButton* ButtonLiveCom() const { return buttonLiveCom_; }

 signals:
  // The results show another position, or none.
  void ResultChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* BuildInput();
  QGroupBox* BuildResults();
  void Show(const ConverterResult& result, bool altitudeKnown);
  // A convert button: the input is converted only when it reads; givesHeight
  // when the input fixes the altitude (ECEF).
  void Convert(const std::string& input, bool reads, const std::function<ConverterResult()>& convert,
               bool givesHeight = false);

  StatusSink& status_;
  ConverterResult result_;
  bool hasPosition_ = false;
  // The input of the last convert that gave no position.
  std::string unread_;

  QLineEdit* editN_;
  QLineEdit* editE_;
  QComboBox* comboNorth_;
  QComboBox* comboEast_;
  QLineEdit* editRD_;
  QLineEdit* editLambert_;
  QLineEdit* editUTM_;
  QLineEdit* editEcef_;
  QWidget* panelLatLonFormat_;
  QRadioButton* radioWGS84_;
  QRadioButton* radioED50_;
  QRadioButton* radioBessel_;

  TUlkEdit* resultDeg_;
  TUlkEdit* resultDegMin_;
  TUlkEdit* resultDegMinSec_;
  TUlkEdit* resultRD_;
  TUlkEdit* resultLambert_;
  TUlkEdit* resultUTM_;
  TUlkEdit* resultECEF_;
  TUlkEdit* resultAltitude_;
  QLabel* labelAltitude_;
  QPushButton* buttonAddWp_;
  QPushButton* buttonGoogleMaps_;
  QPushButton* buttonLiveCom_;
};

}  // namespace quill
