// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared part of TUlkEdit and TUlkMemo: the background follows the state,
// button face when disabled, the read-only colour when read-only, else the
// read-write colour.
#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QWidget>

namespace quill {

template <class Widget>
class ReadOnlyAware : public Widget {
 public:
  explicit ReadOnlyAware(QWidget* parent) : Widget(parent) {
    colorRW_ = this->palette().color(QPalette::Active, QPalette::Base);
    colorRO_ = this->palette().color(QPalette::Active, QPalette::ToolTipBase);
    SetEnabled(true);
    SetReadOnly(false);
  }

  bool GetEnabled() const { return this->isEnabled(); }
  void SetEnabled(bool enabled) {
    this->setEnabled(enabled);
    UpdateColor();
  }
  bool GetReadOnly() const { return this->isReadOnly(); }
  void SetReadOnly(bool readOnly) {
    this->setReadOnly(readOnly);
    UpdateColor();
  }
  QColor Color() const { return colorRW_; }
  void SetColorRW(const QColor& c) {
    colorRW_ = c;
    UpdateColor();
  }
  QColor ColorRO() const { return colorRO_; }
  void SetColorRO(const QColor& c) {
    colorRO_ = c;
    UpdateColor();
  }
  // The background the control paints now.
  QColor Background() const {
    if (!this->isEnabled()) return this->palette().color(QPalette::Active, QPalette::Button);
    return this->isReadOnly() ? colorRO_ : colorRW_;
  }
  void UpdateColor() {
    QColor c = Background();
    QPalette pal = this->palette();
    // Every colour group, so the disabled look is ours and not the style's.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      pal.setColor(group, QPalette::Base, c);
    this->setPalette(pal);
  }

 protected:
  void changeEvent(QEvent* event) override {
    Widget::changeEvent(event);
    // Also when a parent enables or disables the control.
    if (event->type() == QEvent::EnabledChange) UpdateColor();
  }

 private:
  QColor colorRW_;
  QColor colorRO_;
};

}  // namespace quill
