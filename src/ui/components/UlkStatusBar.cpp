// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/UlkStatusBar.h"

#include <QPainter>
#include <QPalette>

#include "text/QtText.h"

namespace quill {

TUlkStatusBar::TUlkStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("UlkStatusBar1");
  textColor_ = palette().color(QPalette::WindowText);
  backColor_ = palette().color(QPalette::Button);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TUlkStatusBar::TimerExpired);
  setMinimumHeight(fontMetrics().height() + 6);
}

QString TUlkStatusBar::Cut(const QString& text) {
  if (text.size() <= kMaxText) return text;
  qsizetype n = kMaxText;
  if (text.at(n - 1).isHighSurrogate()) --n;
  return text.left(n);
}

void TUlkStatusBar::SetError(int level, const std::string& text) {
  messageText_ = Cut(AnsiToQString(text));
  messageLevel_ = level;
  update();
}

void TUlkStatusBar::SetText(int panel, const std::string& text) {
  if (panel != 0) return;  // the bar has one panel
  messageText_ = Cut(AnsiToQString(text));
  messageLevel_ = 0;
  update();
}

void TUlkStatusBar::FlashError(int level, const std::string& text) {
  flashing_ = true;
  flashText_ = Cut(AnsiToQString(text));
  flashLevel_ = level;
  update();
  StartTimer();
}

void TUlkStatusBar::StartTimer() { timer_.start(flashTimeout_); }

void TUlkStatusBar::StopTimer() { timer_.stop(); }

void TUlkStatusBar::TimerExpired() {
  StopTimer();
  flashing_ = false;
  update();
}

void TUlkStatusBar::SetTextColor(const QColor& c) {
  textColor_ = c;
  update();
}

void TUlkStatusBar::SetBackColor(const QColor& c) {
  backColor_ = c;
  update();
}

QColor TUlkStatusBar::LevelBackground(int level) const {
  switch (level) {
    case 2:
      return QColor(255, 0, 0);
    case 3:
      return QColor(0, 0, 255);
    case 4:
      return QColor(0, 128, 0);
    case 5:
      return backColor_;
    default:
      return palette().color(QPalette::Button);
  }
}

QColor TUlkStatusBar::LevelText(int level) const {
  switch (level) {
    case 1:
    case 2:
    case 3:
    case 4:
      return Qt::white;
    case 5:
      return textColor_;
    case 6:
      return QColor(255, 0, 0);
    case 7:
      return QColor(0, 0, 255);
    case 8:
      return QColor(0, 128, 0);
    default:
      return palette().color(QPalette::WindowText);
  }
}

void TUlkStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  int level = ShownLevel();
  QRect r = rect();
  p.fillRect(r, LevelBackground(level));
  p.setPen(LevelText(level));
  QFontMetrics fm = fontMetrics();
  int top = r.top() + (r.height() - fm.height()) / 2 - 1;
  p.drawText(r.left() + 1, top + fm.ascent(), ShownText());
}

}  // namespace quill
