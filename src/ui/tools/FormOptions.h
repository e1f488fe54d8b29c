// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormOptions: the options dialog. The window fills Values (the settings as
// stored, the FTP password scrambled), ExtendedMode and TxtExportMode, shows
// it, and after OK takes them back. The controls are filled at every showing;
// OK reads them back into the fields, Cancel leaves the fields as they were.
// Without ExtendedMode the expert and FTP groups are hidden and their values
// pass through untouched.
#include <QDialog>

#include "settings/AppSettings.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace quill {

class TFormOptions : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kWideWidth = 714;
  static constexpr int kNarrowWidth = 361;
  static constexpr int kDefaultZoom = 14;

  explicit TFormOptions(QWidget* parent = nullptr);

  AppSettings Values;
  bool ExtendedMode = false;
  int TxtExportMode = 0;

  void FormShow();
  void ButtonOkClick();
  void ButtonZoomDefaultClick();
  void ButtonFavoriteClick();
  void ButtonArchiveClick();

  // The chooser of the two file buttons (a test answers it).
  QFileDialog& FileDialog();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Offers the file dialog on `current`; false when cancelled.
  bool ChooseFile(const QString& filter, const QString& suffix, std::string& current);
  void ShowFileNames();

  QGroupBox* groupExpert_;
  QGroupBox* groupFtp_;
  QLineEdit* mapTileUrl_;
  QLineEdit* mapAttribution_;
  QSpinBox* mapCacheSize_;
  QCheckBox* warnDel_;
  QCheckBox* warnExit_;
  QCheckBox* includeGroundspeak_;
  QCheckBox* realWebLink_;
  QComboBox* north_;
  QComboBox* east_;
  QLineEdit* homeCoords_;
  QSlider* zoom_;
  QRadioButton* map_;
  QRadioButton* satellite_;
  QRadioButton* hybrid_;
  QLabel* favoriteFile_;
  QLabel* archiveFile_;
  QCheckBox* noCheckWhenEmpty_;
  QCheckBox* warnSaveFav_;
  QCheckBox* warnSaveFtp_;
  QCheckBox* showArchAv_;
  QComboBox* exportTxtMode_;
  QLineEdit* ftpHost_;
  QLineEdit* ftpUser_;
  QLineEdit* ftpPassword_;
  QLineEdit* ftpDir_;
  QLineEdit* ftpFilename_;
  QLineEdit* ftpProxy_;
  QLineEdit* ftpProxyPort_;
  QCheckBox* ftpPassive_;
  QPushButton* buttonOk_;
  QPushButton* buttonCancel_;
  QFileDialog* fileDialog_ = nullptr;
};

}  // namespace quill
