// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/DesignWidth.h"

#include <QStyle>
#include <algorithm>

namespace quill {

void SetDesignWidth(QPushButton* button, int designWidth) {
  int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
  int caption = button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin + 4;
  button->setFixedWidth(std::max(designWidth, caption));
}

}  // namespace quill
