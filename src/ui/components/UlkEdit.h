// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-line edit with a state-dependent background.
#include <QLineEdit>

#include "ui/components/ReadOnlyAware.h"

namespace quill {

class TUlkEdit : public ReadOnlyAware<QLineEdit> {
  Q_OBJECT
 public:
  explicit TUlkEdit(QWidget* parent = nullptr) : ReadOnlyAware<QLineEdit>(parent) {}
};

}  // namespace quill
