// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ListView1: the report view of the waypoint list. It takes dropped files
// and hands its keys to the window first.
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <functional>

namespace quill {

class TListView : public QTreeView {
  Q_OBJECT
 public:
  explicit TListView(QWidget* parent = nullptr);

  // Returns true when the window handled the key.
  std::function<bool(QKeyEvent*)> onKeyDown;

 signals:
  // Local file names in drop order.
  void FilesDropped(const QStringList& files);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

// Thin grid lines between cells, as in a report view.
class GridLineDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quill
