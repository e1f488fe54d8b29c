// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Multi-line memo with a state-dependent background.
#include <QPlainTextEdit>

#include "ui/components/ReadOnlyAware.h"

namespace quill {

class TUlkMemo : public ReadOnlyAware<QPlainTextEdit> {
  Q_OBJECT
 public:
  explicit TUlkMemo(QWidget* parent = nullptr) : ReadOnlyAware<QPlainTextEdit>(parent) {}
};

}  // namespace quill
