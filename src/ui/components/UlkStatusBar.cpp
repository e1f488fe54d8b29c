// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/UlkStatusBar.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <string_view>

#include "text/QtText.h"
#include "ui/components/ReadableColour.h"

namespace quill {

TUlkStatusBar::TUlkStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("UlkStatusBar1");
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

namespace {

// Standing messages, and the fixed parts of composed ones, have a
// translation; the rest (names, counts, reasons) are shown as the core words
// them.
[[maybe_unused]] constexpr const char* kCatalogue[] = {
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar",
                      "Geocaching info not loaded: turn on \"Include Geocaching Info\" in Tools > Options"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Error saving settings"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "GPS receiver stopped"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Busy..."),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Done!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Already connected!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid host!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid user!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid password!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid folder!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid file name!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid proxy!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Connection Failed!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Authentication Failed!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Failure! (Rename)"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Favorite file not loaded!"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Error opening file"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Error loading file"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Error saving file"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Unknown Extension"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Invalid name"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "No waypoints selected"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Position out of range"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Not a position"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Not a web link"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Cache page template missing"),
    QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Cannot write the cache page"),
};

// Texts that begin with fixed words and end in a name.
constexpr struct {
  std::string_view start;
  const char* pattern;
} kLeads[] = {
    {"Saved to ", QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Saved to %1")},
    {"Cannot write ", QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Cannot write %1")},
    {"Nothing could open ", QT_TRANSLATE_NOOP("quill::TUlkStatusBar", "Nothing could open %1")},
};

// Only a text with a translation is taken as UTF-8; memory text is not.
bool Translate(const std::string& english, QString& out) {
  out = TUlkStatusBar::tr(english.c_str());
  return out != QString::fromUtf8(english.c_str());
}

}  // namespace

QString TUlkStatusBar::Shown(const std::string& text) {
  QString out;
  if (Translate(text, out)) return out;
  const std::size_t colon = text.find(": ");
  if (colon != std::string::npos && Translate(text.substr(0, colon), out)) {
    return out + QStringLiteral(": ") + AnsiToQString(text.substr(colon + 2));
  }
  for (const auto& lead : kLeads) {
    if (text.size() > lead.start.size() && std::string_view(text).starts_with(lead.start)) {
      return tr(lead.pattern).arg(AnsiToQString(text.substr(lead.start.size())));
    }
  }
  return AnsiToQString(text);
}

void TUlkStatusBar::SetError(int level, const std::string& text) {
  messageText_ = Cut(Shown(text));
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
  if (level == 2) {
    // An error must be there to read when the user looks.
    StopTimer();
    flashing_ = false;
    SetError(level, text);
    return;
  }
  flashing_ = true;
  flashText_ = Cut(Shown(text));
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

QColor TUlkStatusBar::TextColor() const {
  return textColor_.isValid() ? textColor_ : palette().color(QPalette::WindowText);
}

QColor TUlkStatusBar::BackColor() const {
  return backColor_.isValid() ? backColor_ : palette().color(QPalette::Button);
}

QColor TUlkStatusBar::LevelBackground(int level) const {
  const QPalette& p = palette();
  switch (level) {
    case 1:
      // A hint, in the colours of a tooltip.
      return p.color(QPalette::ToolTipBase);
    case 2:
      // A red that white text reads on.
      return QColor(204, 0, 0);
    case 3:
      return QColor(0, 0, 255);
    case 4:
      return QColor(0, 128, 0);
    case 5:
      return BackColor();
    default:
      return p.color(QPalette::Button);
  }
}

QColor TUlkStatusBar::LevelText(int level) const {
  const QPalette& p = palette();
  const QColor face = p.color(QPalette::Button);
  switch (level) {
    case 1:
      return p.color(QPalette::ToolTipText);
    case 2:
    case 3:
    case 4:
      // Fixed pairs that read in any theme.
      return Qt::white;
    case 5:
      return TextColor();
    case 6:
      return ReadableOn(QColor(255, 0, 0), face);
    case 7:
      return ReadableOn(QColor(0, 0, 255), face);
    case 8:
      return ReadableOn(QColor(0, 128, 0), face);
    default:
      return p.color(QPalette::WindowText);
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
