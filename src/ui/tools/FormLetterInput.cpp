// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/FormLetterInput.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "text/QtText.h"
#include "tools/LetterFrequency.h"
#include "ui/tools/FormHistogram.h"

namespace quill {

TFormLetterInput::TFormLetterInput(TFormHistogram& histogram, QWidget* parent)
    : QDialog(parent), histogram_(histogram) {
  setObjectName("FormLetterInput");
  setWindowTitle(tr("Letter frequency"));
  coded_ = new QPlainTextEdit(this);
  coded_->setObjectName("MemoCodedText");
  decoded_ = new QPlainTextEdit(this);
  decoded_->setObjectName("MemoDecodedText");
  auto* labelCoded = new QLabel(tr("Coded text"), this);
  labelCoded->setBuddy(coded_);
  auto* labelDecoded = new QLabel(tr("Decoded text"), this);
  labelDecoded->setBuddy(decoded_);
  auto* button = new QPushButton(tr("Show histogram"), this);
  button->setObjectName("ButtonShowHistogram");
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, &TFormLetterInput::ButtonShowHistogramClick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelCoded);
  layout->addWidget(coded_, 1);
  layout->addWidget(labelDecoded);
  layout->addWidget(decoded_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button);
  layout->addLayout(buttons);
  resize(420, 360);
}

void TFormLetterInput::ButtonShowHistogramClick() {
  histogram_.InputCounts = CountText(QStringToAnsi(coded_->toPlainText()));
  histogram_.OutputCounts = CountText(QStringToAnsi(decoded_->toPlainText()));
  if (histogram_.isVisible()) {
    // Up already: keep the user's selections, draw the new counts.
    histogram_.DrawInOut();
  } else {
    histogram_.show();
  }
  histogram_.raise();
  histogram_.activateWindow();
}

}  // namespace quill
