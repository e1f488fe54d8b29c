// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormFilter: the filter dialog. The mode chosen is kept from one use to the
// next; the inputs are reset at every showing and only the mode's own input
// is visible. After OK, FilterModeIndex and FilterValue hold the filter.
#include <QDialog>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quill {

class LocaleText;

class TFormFilter : public QDialog {
  Q_OBJECT
 public:
  explicit TFormFilter(QWidget* parent = nullptr);
  // Typed values are lower-cased in this locale (the session's); until it is
  // set, in the user's.
  void SetLocaleText(const LocaleText* text) { text_ = text; }

  int FilterModeIndex = 0;
  // Memory text, as the filter of the list takes it.
  std::string FilterValue;

  void ComboBoxModeChange();
  void ButtonOkClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::string Lower(const QString& typed) const;

  const LocaleText* text_ = nullptr;
  QComboBox* comboBoxMode_;
  QLineEdit* editSearch_;
  QComboBox* comboBoxType_;
  QComboBox* comboBoxSizes_;
  QWidget* panelYesNo_;
  QRadioButton* radioButtonYes_;
  QRadioButton* radioButtonNo_;
  QPushButton* buttonOk_;
  QPushButton* buttonCancel_;
};

}  // namespace quill
