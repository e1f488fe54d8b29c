// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buttons keep the widths of the window's design, unless their caption needs
// more room in the font at hand.
#include <QPushButton>

namespace quill {

void SetDesignWidth(QPushButton* button, int designWidth);

}  // namespace quill
