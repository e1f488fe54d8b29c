// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormNaam.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "text/QtText.h"

namespace quill {

TFormNaam::TFormNaam(QWidget* parent) : QDialog(parent) {
  setObjectName("FormNaam");
  setWindowTitle(tr("Name"));
  setModal(true);
  editNaam_ = new QLineEdit(this);
  editNaam_->setObjectName("EditNaam");
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("ButtonOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  connect(ok, &QPushButton::clicked, this, &TFormNaam::ButtonOkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editNaam_);
  layout->addLayout(buttons);
  setMinimumWidth(300);
}

void TFormNaam::ButtonOkClick() {
  NameText = QStringToAnsi(editNaam_->text());
  accept();
}

void TFormNaam::showEvent(QShowEvent* event) {
  editNaam_->setText(AnsiToQString(NameText));
  QDialog::showEvent(event);
  editNaam_->setFocus();
  PlaceCaret();
  // Activation may select the text when it gives the focus; undo that.
  QTimer::singleShot(0, this, &TFormNaam::PlaceCaret);
}

void TFormNaam::PlaceCaret() {
  editNaam_->deselect();
  editNaam_->setCursorPosition(static_cast<int>(editNaam_->text().size()));
}

}  // namespace quill
