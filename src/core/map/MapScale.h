// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale bar and the spacing of the degree lines drawn when there are no
// tiles.
#include <string>

namespace quill {

struct ScaleBar {
  double metres = 0.0;  // a round length: 1, 2 or 5 times a power of ten
  double pixels = 0.0;  // its length on the map
  std::string text;     // "200 m", "5 km"; below a metre "0.5 m"
};

// The longest round length that fits in maxPixels at that many metres a
// pixel; metres 0 when nothing fits (a degenerate scale).
ScaleBar ScaleBarFor(double metresPerPixel, double maxPixels);

// Degrees between two labelled lines of the graticule (a round step from
// 180 down to 0.0001) so that lines of longitude lie at least minPixels apart
// on a world worldPixels wide.
double GraticuleStep(double worldPixels, double minPixels);

}  // namespace quill
