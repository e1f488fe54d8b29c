// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed text colours (archived red, found blue, the filter's navy) made to
// read on the theme's background, by the contrast the web's accessibility
// guidelines ask of normal text (4.5).
#include <QColor>

namespace quill {

// The colour moved towards white on a dark background, or black on a light
// one, until it reads there.
QColor ReadableOn(QColor colour, const QColor& background);
// As it is on a light background, where the list's colours always stood;
// made readable on a dark one.
QColor KeptOrReadableOn(const QColor& colour, const QColor& background);

}  // namespace quill
