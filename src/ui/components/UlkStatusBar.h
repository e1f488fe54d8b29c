// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status bar: one self-drawn panel showing a standing message, or for
// FlashTimeout milliseconds a flash message, each in one of nine colour levels.
// The colours come from the palette at each paint, so that every level reads
// in light and dark themes; level 2, the errors, stays white on red. An error
// does not pass: a flash of level 2 stands until the next message.
#include <QColor>
#include <QStatusBar>
#include <QString>
#include <QTimer>
#include <string>

#include "base/StatusSink.h"

namespace quill {

class TUlkStatusBar : public QStatusBar, public StatusSink {
  Q_OBJECT
 public:
  static constexpr int kMaxText = 999;

  explicit TUlkStatusBar(QWidget* parent = nullptr);

  // StatusSink: texts in memory form (Windows-1252).
  void SetError(int level, const std::string& text) override;
  void FlashError(int level, const std::string& text) override;
  // The core's words in the user's language where the catalogue has them:
  // a whole standing text, the fixed part before "HEAD: detail", or a text
  // that begins with one of a few fixed words; names and reasons as they are.
  static QString Shown(const std::string& text);
  // Panel 0 is the only panel; its text is also the standing message at level 0.
  void SetText(int panel, const std::string& text);

  void StartTimer();
  void StopTimer();

  int FlashTimeout() const { return flashTimeout_; }
  void SetFlashTimeout(int ms) { flashTimeout_ = ms; }
  // Level 5's colours; the palette's window text and button face until set.
  QColor TextColor() const;
  void SetTextColor(const QColor& c);
  QColor BackColor() const;
  void SetBackColor(const QColor& c);

  bool Flashing() const { return flashing_; }
  // Milliseconds the flash has left; -1 when none runs.
  int FlashRemaining() const { return timer_.remainingTime(); }
  const QString& MessageText() const { return messageText_; }
  int MessageLevel() const { return messageLevel_; }
  const QString& FlashText() const { return flashText_; }
  int FlashLevel() const { return flashLevel_; }
  // What the panel shows now, and in which level.
  const QString& ShownText() const { return flashing_ ? flashText_ : messageText_; }
  int ShownLevel() const { return flashing_ ? flashLevel_ : messageLevel_; }
  // The colours a level paints with (an unknown level paints as 0). The
  // coloured texts of levels 6 to 8 are made light or dark enough to read
  // on the palette's button face.
  QColor LevelBackground(int level) const;
  QColor LevelText(int level) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void TimerExpired();
  static QString Cut(const QString& text);

  QTimer timer_;
  int flashTimeout_ = 1000;
  QColor textColor_;
  QColor backColor_;
  bool flashing_ = false;
  QString flashText_;
  int flashLevel_ = 0;
  QString messageText_;
  int messageLevel_ = 0;
};

}  // namespace quill
