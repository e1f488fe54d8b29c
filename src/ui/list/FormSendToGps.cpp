// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormSendToGps.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/FileIo.h"
#include "base/QuestionSeam.h"
#include "base/StatusSink.h"
#include "formats/FormatTable.h"
#include "session/ListHistory.h"
#include "text/QtText.h"

namespace quill {

TFormSendToGps::TFormSendToGps(QWidget* parent, std::vector<const TGpxRecord*> records, const std::string& fileName,
                               QuestionSeam& questions, StatusSink& status)
    : QDialog(parent), records_(std::move(records)), questions_(questions), status_(status) {
  setObjectName("FormSendToGps");
  setWindowTitle(tr("Send to GPS"));
  setModal(true);
  comboDevice_ = new QComboBox(this);
  comboDevice_->setObjectName("ComboDevice");
  auto* refresh = new QPushButton(tr("Refresh"), this);
  refresh->setObjectName("ButtonRefresh");
  editFileName_ = new QLineEdit(this);
  editFileName_->setObjectName("EditFileName");
  const std::string proposed = ProposedSaveName(fileName);
  editFileName_->setText(proposed.empty() ? QString("waypoints")
                                          : QFile::decodeName(QByteArray::fromStdString(proposed)));
  auto* count = new QLabel(AnsiToQString(WaypointCountText(records_.size())), this);
  count->setObjectName("LabelCount");
  labelError_ = new QLabel(this);
  labelError_->setObjectName("LabelError");
  labelError_->setWordWrap(true);
  buttonOk_ = new QPushButton(tr("OK"), this);
  buttonOk_->setObjectName("ButtonOk");
  buttonOk_->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  connect(buttonOk_, &QPushButton::clicked, this, &TFormSendToGps::ButtonOkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(refresh, &QPushButton::clicked, this, &TFormSendToGps::ButtonRefreshClick);

  auto* deviceRow = new QHBoxLayout;
  deviceRow->addWidget(comboDevice_, 1);
  deviceRow->addWidget(refresh);
  auto* form = new QFormLayout;
  form->addRow(tr("Device:"), deviceRow);
  form->addRow(tr("File name:"), editFileName_);
  form->addRow(tr("Waypoints:"), count);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(buttonOk_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(labelError_);
  layout->addLayout(buttons);
  setMinimumWidth(420);
  SetReceivers(FindReceivers());
}

void TFormSendToGps::SetReceivers(std::vector<ReceiverDrive> receivers) {
  receivers_ = std::move(receivers);
  comboDevice_->clear();
  for (const ReceiverDrive& r : receivers_) {
    comboDevice_->addItem(QString::fromStdString(ReceiverLabel(r)),
                          QFile::decodeName(QByteArray::fromStdString(r.root)));
  }
  buttonOk_->setEnabled(!receivers_.empty() && !records_.empty());
  if (receivers_.empty()) {
    ShowError(tr("No GPS receiver found: plug one in and mount it, then Refresh."));
  } else if (records_.empty()) {
    ShowError(tr("No waypoints to send."));
  } else {
    labelError_->clear();
  }
}

void TFormSendToGps::ButtonRefreshClick() { SetReceivers(FindReceivers()); }

void TFormSendToGps::ShowError(const QString& text) { labelError_->setText(text); }

void TFormSendToGps::ButtonOkClick() {
  const int index = comboDevice_->currentIndex();
  if (index < 0 || index >= static_cast<int>(receivers_.size())) return;
  // Read again: the free space now, and the receiver may be gone.
  ReceiverDrive receiver;
  std::string error;
  if (!ReadReceiver(receivers_[static_cast<std::size_t>(index)].root, receiver, error)) {
    ShowError(QString::fromStdString(error));
    return;
  }
  std::string fileName;
  if (!ReceiverFileName(receiver, QFile::encodeName(editFileName_->text()).toStdString(), fileName, error)) {
    ShowError(QString::fromStdString(error));
    return;
  }
  const std::string target = receiver.gpxFolder + "/" + fileName;
  if (FileExists(target) &&
      !questions_.AskDestructive("Send to GPS", "Are you sure?",
                                 "Replace " + QStringToAnsi(QFile::decodeName(QByteArray::fromStdString(fileName))) +
                                     " on " + receiver.model + ".")) {
    return;
  }
  const RecordSpan records(records_.data(), records_.size());
  if (!SendToReceiver(receiver, fileName, records, WriteOptions{}, written_, error)) {
    ShowError(QString::fromStdString(error));
    status_.SetError(2, "Error saving file: " + error);
    return;
  }
  status_.FlashError(0, WaypointCountText(records_.size()) + " sent to " + receiver.model);
  accept();
}

}  // namespace quill
