// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormFilter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "list/ListFilter.h"
#include "list/WaypointType.h"
#include "text/LocaleText.h"
#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"
#include "ui/components/CoreTexts.h"
#include "ui/list/TypeIcons.h"

namespace quill {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 167;
constexpr int kInputTop = 64;
constexpr int kPanelTop = 56;

}  // namespace

TFormFilter::TFormFilter(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormFilter");
  setWindowTitle(tr("Filter"));
  setModal(true);

  comboBoxMode_ = new QComboBox(this);
  comboBoxMode_->setObjectName("ComboBoxMode");
  for (int m = 0; m < kFilterModeCount; ++m) comboBoxMode_->addItem(CoreText(FilterModeCaption(m)));
  comboBoxMode_->setMaxVisibleItems(kFilterModeCount);
  comboBoxMode_->setCurrentIndex(0);
  comboBoxMode_->setGeometry(16, 24, kWidth - 32, 24);

  editSearch_ = new QLineEdit(this);
  editSearch_->setObjectName("EditSearch");

  comboBoxType_ = new QComboBox(this);
  comboBoxType_->setObjectName("MCoPImageComboBoxType");
  comboBoxType_->setToolTip(tr("Waypoint type."));
  for (int t = 0; t < kTypeCodeCount; ++t) comboBoxType_->addItem(TypeIcon(t), AnsiToQString(TypeName(t)));
  comboBoxType_->setMaxVisibleItems(kTypeCodeCount);

  comboBoxSizes_ = new QComboBox(this);
  comboBoxSizes_->setObjectName("ComboBoxSizes");
  comboBoxSizes_->setEditable(true);
  comboBoxSizes_->setInsertPolicy(QComboBox::NoInsert);
  for (int s = 0; s < kContainerSizeCount; ++s) comboBoxSizes_->addItem(AnsiToQString(ContainerSizeName(s)));

  panelYesNo_ = new QWidget(this);
  panelYesNo_->setObjectName("PanelYesNo");
  radioButtonYes_ = new QRadioButton(tr("Yes"), panelYesNo_);
  radioButtonYes_->setObjectName("RadioButtonYes");
  radioButtonYes_->setGeometry(8, 8, 80, 24);
  radioButtonNo_ = new QRadioButton(tr("No"), panelYesNo_);
  radioButtonNo_->setObjectName("RadioButtonNo");
  radioButtonNo_->setGeometry(104, 8, 80, 24);

  buttonOk_ = new QPushButton(tr("OK"), this);
  buttonOk_->setObjectName("ButtonOk");
  buttonOk_->setDefault(true);
  buttonOk_->setGeometry(kWidth / 2 - 88, 120, 80, 26);
  buttonCancel_ = new QPushButton(tr("Cancel"), this);
  buttonCancel_->setObjectName("ButtonCancel");
  buttonCancel_->setAutoDefault(false);
  buttonCancel_->setGeometry(kWidth / 2 + 8, 120, 80, 26);

  connect(comboBoxMode_, &QComboBox::currentIndexChanged, this, &TFormFilter::ComboBoxModeChange);
  connect(buttonOk_, &QPushButton::clicked, this, &TFormFilter::ButtonOkClick);
  connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormFilter::ComboBoxModeChange() {
  const FilterInput input = FilterInputOf(comboBoxMode_->currentIndex());
  editSearch_->setVisible(input == FilterInput::Text);
  comboBoxType_->setVisible(input == FilterInput::Type);
  comboBoxSizes_->setVisible(input == FilterInput::Size);
  panelYesNo_->setVisible(input == FilterInput::YesNo);
}

void TFormFilter::ButtonOkClick() {
  FilterModeIndex = comboBoxMode_->currentIndex();
  switch (FilterInputOf(FilterModeIndex)) {
    case FilterInput::Type:
      FilterValue = std::to_string(comboBoxType_->currentIndex());
      break;
    case FilterInput::Size:
      FilterValue = Lower(comboBoxSizes_->currentText());
      break;
    case FilterInput::YesNo:
      FilterValue = radioButtonYes_->isChecked() ? "yes" : "";
      break;
    case FilterInput::Text:
      FilterValue = Lower(editSearch_->text());
      break;
  }
  accept();
}

std::string TFormFilter::Lower(const QString& typed) const {
  if (text_) return text_->Lower(QStringToAnsi(typed));
  return LocaleText().Lower(QStringToAnsi(typed));
}

void TFormFilter::showEvent(QShowEvent* event) {
  editSearch_->clear();
  comboBoxType_->setCurrentIndex(CodeOf(WaypointType::TraditionalCache));
  comboBoxSizes_->setCurrentIndex(0);
  editSearch_->setGeometry(16, kInputTop, kWidth - 32, 24);
  comboBoxType_->setGeometry(16, kInputTop, kWidth - 32, 24);
  comboBoxSizes_->setGeometry(16, kInputTop, kWidth - 32, 24);
  panelYesNo_->setGeometry(16, kPanelTop, kWidth - 32, 40);
  ComboBoxModeChange();
  setFixedSize(kWidth, kHeight);
  CenterOnScreen(this);
  QDialog::showEvent(event);
  comboBoxMode_->setFocus();
}

}  // namespace quill
