// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormSearch.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"

namespace quill {
namespace {

constexpr int kWidth = 392;
constexpr int kHeightWithLegend = 142;
constexpr int kHeightWithoutLegend = 110;
constexpr int kButtonsTopWithLegend = 80;
constexpr int kButtonsTopWithoutLegend = 48;

}  // namespace

TFormSearch::TFormSearch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormSearch");
  setModal(true);

  editSearch_ = new QLineEdit(this);
  editSearch_->setObjectName("EditSearch");
  editSearch_->setGeometry(16, 16, kWidth - 32, 24);
  labelDesc_ = new QLabel(this);
  labelDesc_->setObjectName("LabelDesc");
  labelDesc_->setTextFormat(Qt::PlainText);
  labelDesc_->setGeometry(16, 48, kWidth - 32, 20);
  buttonOk_ = new QPushButton(tr("OK"), this);
  buttonOk_->setObjectName("ButtonOk");
  buttonOk_->setDefault(true);
  buttonCancel_ = new QPushButton(tr("Cancel"), this);
  buttonCancel_->setObjectName("ButtonCancel");
  buttonCancel_->setAutoDefault(false);
  setTabOrder(editSearch_, buttonOk_);
  setTabOrder(buttonOk_, buttonCancel_);

  connect(buttonOk_, &QPushButton::clicked, this, &TFormSearch::ButtonOkClick);
  connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSearch::ButtonOkClick() {
  PromptText = QStringToAnsi(editSearch_->text());
  accept();
}

void TFormSearch::showEvent(QShowEvent* event) {
  editSearch_->setText(AnsiToQString(PromptText));
  editSearch_->selectAll();
  labelDesc_->setText(AnsiToQString(LegendText));
  const bool legend = !LegendText.empty();
  labelDesc_->setVisible(legend);
  const int top = legend ? kButtonsTopWithLegend : kButtonsTopWithoutLegend;
  buttonOk_->setGeometry(kWidth / 2 - 88, top, 80, 26);
  buttonCancel_->setGeometry(kWidth / 2 + 8, top, 80, 26);
  setFixedSize(kWidth, legend ? kHeightWithLegend : kHeightWithoutLegend);
  CenterOnScreen(this);
  QDialog::showEvent(event);
  editSearch_->setFocus();
}

}  // namespace quill
