// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dark palette as a dark desktop theme gives one, for the tests and the
// screenshot of the window in dark colours.
#include <QColor>
#include <QPalette>
#include <algorithm>
#include <cmath>

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

// Contrast as the web's accessibility guidelines define it; 4.5 reads.
inline double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto ch = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace quill::test
