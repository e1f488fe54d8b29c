// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dark palette as a dark desktop theme gives one, for the tests and the
// screenshot of the window in dark colours.
#include <QColor>
#include <QPalette>

namespace quill::test {

inline QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(53, 53, 53));
  p.setColor(QPalette::WindowText, QColor(230, 230, 230));
  p.setColor(QPalette::Base, QColor(35, 35, 35));
  p.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
  p.setColor(QPalette::Text, QColor(230, 230, 230));
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
  p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  return p;
}

}  // namespace quill::test
