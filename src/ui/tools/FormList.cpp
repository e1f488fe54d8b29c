// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/FormList.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"
#include "ui/components/UlkMemo.h"

namespace quill {

TFormList::TFormList(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("FormList");
  setWindowTitle(tr("List"));
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  memo_ = new TUlkMemo(this);
  memo_->setObjectName("UlkMemo1");
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  memo_->setFont(font);
  memo_->SetColorRO(palette().color(QPalette::Button));
  memo_->SetReadOnly(true);
  memo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  memo_->installEventFilter(this);
  checkWordWrap_ = new QCheckBox(tr("WordWrap"), this);
  checkWordWrap_->setObjectName("CheckBoxWordWrap");
  connect(checkWordWrap_, &QCheckBox::clicked, this, [this] { CheckBoxWordWrapClick(); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 4);
  layout->addWidget(memo_, 1);
  layout->addWidget(checkWordWrap_, 0, Qt::AlignLeft | Qt::AlignBottom);
  SetWordWrap(false);
  resize(250, 510);
}

void TFormList::SetWordWrap(bool on) {
  memo_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void TFormList::CheckBoxWordWrapClick() { SetWordWrap(checkWordWrap_->isChecked()); }

void TFormList::Refresh() {
  memo_->clear();
  QString text = AnsiToQString(ListText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  memo_->setPlainText(text);
}

void TFormList::CopyAll() const {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(AnsiToQString(ListText));
}

void TFormList::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    CenterOnScreen(this);
  }
  // Wrapping on and off again makes the control measure the new lines.
  SetWordWrap(true);
  Refresh();
  SetWordWrap(checkWordWrap_->isChecked());
  QWidget::showEvent(event);
}

void TFormList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TFormList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == memo_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      hide();
      return true;
    }
    if (key->matches(QKeySequence::Copy) && !memo_->textCursor().hasSelection()) {
      CopyAll();
      return true;
    }
    if (key->matches(QKeySequence::SelectAll)) {
      memo_->selectAll();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quill
