// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormSelectWpAddMode.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"

namespace quill {

TFormSelectWpAddMode::TFormSelectWpAddMode(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("FormSelectWpAddMode");
  setWindowTitle(tr("Duplicate name found in list"));
  setModal(true);

  labelName_ = new QLabel(this);
  labelName_->setObjectName("LabelName");
  labelName_->setTextFormat(Qt::PlainText);
  auto* label1 = new QLabel(tr("Select an action"), this);
  label1->setObjectName("Label1");

  buttonKeep_ = new QPushButton(tr("Keep Original Waypoint"), this);
  buttonKeep_->setObjectName("ButtonKeep");
  buttonReplace_ = new QPushButton(tr("Replace Waypoint"), this);
  buttonReplace_->setObjectName("ButtonReplace");
  buttonAllow_ = new QPushButton(tr("Allow Duplicate Names"), this);
  buttonAllow_->setObjectName("ButtonAllow");
  for (QPushButton* b : {buttonKeep_, buttonReplace_, buttonAllow_}) b->setAutoDefault(false);

  connect(buttonKeep_, &QPushButton::clicked, this, &TFormSelectWpAddMode::ButtonKeepClick);
  connect(buttonReplace_, &QPushButton::clicked, this, &TFormSelectWpAddMode::ButtonReplaceClick);
  connect(buttonAllow_, &QPushButton::clicked, this, &TFormSelectWpAddMode::ButtonAllowClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(buttonKeep_);
  buttons->addWidget(buttonReplace_);
  buttons->addWidget(buttonAllow_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelName_);
  layout->addWidget(label1);
  layout->addLayout(buttons);
  setMinimumSize(420, 88);
}

void TFormSelectWpAddMode::SetNameText(const std::string& name) { labelName_->setText(AnsiToQString(name)); }

void TFormSelectWpAddMode::Choose(int result) {
  result_ = result;
  done(result == 0 ? QDialog::Rejected : QDialog::Accepted);
}

void TFormSelectWpAddMode::ButtonKeepClick() { Choose(0); }
void TFormSelectWpAddMode::ButtonReplaceClick() { Choose(1); }
void TFormSelectWpAddMode::ButtonAllowClick() { Choose(2); }

void TFormSelectWpAddMode::reject() { Choose(0); }

void TFormSelectWpAddMode::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  setMinimumSize(420, 88);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  adjustSize();
  // A fixed dialog: as laid out, never smaller than its design size.
  setFixedSize(size().expandedTo(QSize(420, 88)));
  CenterOnScreen(this);
}

}  // namespace quill
