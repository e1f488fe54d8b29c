// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormOptions: the options dialog. Its controls show and edit the settings
// whose rows name them (settings/AppSettings.h). The window fills Values (the settings as
// stored, the FTP password scrambled), ExtendedMode and TxtExportMode, shows
// it, and after OK takes them back. The controls are filled at every showing;
// OK reads them back into the fields, Cancel leaves the fields as they were.
// Without ExtendedMode the expert and FTP groups are hidden and their values
// pass through untouched.
#include <QDialog>

#include "settings/AppSettings.h"

class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

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
  // The control that edits the row's setting; null when the dialog has none.
  QWidget* Control(const SettingRow& row) const;
  // Offers the file dialog on `current`; false when cancelled.
  bool ChooseFile(const QString& filter, const QString& suffix, std::string& current);
  void ShowFileNames();

  QGroupBox* groupExpert_;
  QGroupBox* groupFtp_;
  QSlider* zoom_;
  QLabel* favoriteFile_;
  QLabel* archiveFile_;
  QComboBox* exportTxtMode_;
  QPushButton* buttonOk_;
  QPushButton* buttonCancel_;
  QFileDialog* fileDialog_ = nullptr;
};

}  // namespace quill
