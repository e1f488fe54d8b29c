// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapScale.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace quill {

ScaleBar ScaleBarFor(double metresPerPixel, double maxPixels) {
  ScaleBar bar;
  if (!(metresPerPixel > 0.0) || !(maxPixels > 0.0) || !std::isfinite(metresPerPixel * maxPixels)) return bar;
  double longest = metresPerPixel * maxPixels;
  double decade = std::pow(10.0, std::floor(std::log10(longest)));
  for (double step : {5.0, 2.0, 1.0}) {
    // The tolerance keeps an exact fit (500 m in 500 m) from falling a step.
    if (step * decade <= longest * (1.0 + 1e-12)) {
      bar.metres = step * decade;
      break;
    }
  }
  if (bar.metres == 0.0) return bar;
  bar.pixels = bar.metres / metresPerPixel;
  char text[48];
  if (bar.metres >= 1000.0)
    std::snprintf(text, sizeof text, "%.0f km", bar.metres / 1000.0);
  else if (bar.metres >= 1.0)
    std::snprintf(text, sizeof text, "%.0f m", bar.metres);
  else
    std::snprintf(text, sizeof text, "%g m", bar.metres);
  bar.text = text;
  return bar;
}

double GraticuleStep(double worldPixels, double minPixels) {
  static constexpr std::array<double, 21> kSteps = {180.0, 90.0,  45.0,  30.0,  20.0,   10.0,   5.0,
                                                    2.0,   1.0,   0.5,   0.2,   0.1,    0.05,   0.02,
                                                    0.01,  0.005, 0.002, 0.001, 0.0005, 0.0002, 0.0001};
  double step = kSteps.front();
  for (double s : kSteps) {
    if (s / 360.0 * worldPixels < minPixels) break;
    step = s;
  }
  return step;
}

}  // namespace quill
