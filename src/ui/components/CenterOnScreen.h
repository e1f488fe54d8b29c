// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs of the list open in the middle of the screen.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quill {

inline void CenterOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace quill
