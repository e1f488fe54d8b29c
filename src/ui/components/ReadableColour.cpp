// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace quill {
namespace {

constexpr double kDarkBelow = 0.18;

// The relative luminance and contrast ratio of the web's accessibility guidelines.
double Luminance(const QColor& c) {
  auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

QColor ReadableOn(QColor colour, const QColor& background) {
  const bool darkBackground = Luminance(background) < kDarkBelow;
  for (int step = 0; step < 20 && Contrast(colour, background) < 4.5; ++step) {
    // Lighter past full brightness gives up saturation: towards white.
    colour = darkBackground ? colour.lighter(115) : colour.darker(115);
  }
  return colour;
}

QColor KeptOrReadableOn(const QColor& colour, const QColor& background) {
  return Luminance(background) < kDarkBelow ? ReadableOn(colour, background) : colour;
}

}  // namespace quill
