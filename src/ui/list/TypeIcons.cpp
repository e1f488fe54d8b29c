// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/TypeIcons.h"

#include <QPixmap>
#include <array>

#include "list/GpxRecord.h"
#include "render/TypeIconImages.h"

namespace quill {

const QIcon& TypeIcon(int typeCode) {
  // Kept for the whole run: pixmaps must not outlive the application object.
  static const auto* icons = [] {
    auto* a = new std::array<QIcon, kTypeCodeCount + 1>;
    for (int i = 0; i < kTypeCodeCount; ++i) {
      (*a)[static_cast<std::size_t>(i)].addPixmap(QPixmap::fromImage(TypeIconImage(i, 16)));
      (*a)[static_cast<std::size_t>(i)].addPixmap(QPixmap::fromImage(TypeIconImage(i, 32)));
    }
    return a;
  }();
  if (typeCode < 0 || typeCode >= kTypeCodeCount) return (*icons)[kTypeCodeCount];
  return (*icons)[static_cast<std::size_t>(typeCode)];
}

}  // namespace quill
