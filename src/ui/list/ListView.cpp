// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/ListView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace quill {
namespace {

QStringList LocalFiles(const QMimeData* mime) {
  QStringList files;
  if (!mime || !mime->hasUrls()) return files;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

}  // namespace

TListView::TListView(QWidget* parent) : QTreeView(parent) {
  setObjectName("ListView1");
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);  // what keeps 100,000 rows cheap
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  // Shift and Ctrl pick several rows; the current row is the one the
  // single-row commands act on.
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DropOnly);
  setContextMenuPolicy(Qt::CustomContextMenu);
  header()->setSectionsClickable(true);
  header()->setSectionsMovable(false);
  setItemDelegate(new GridLineDelegate(this));
}

void TListView::keyPressEvent(QKeyEvent* event) {
  if (onKeyDown && onKeyDown(event)) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void TListView::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TListView::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TListView::dropEvent(QDropEvent* event) {
  QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit FilesDropped(files);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  painter->save();
  painter->setPen(option.palette.color(QPalette::Midlight));
  const QRect& r = option.rect;
  painter->drawLine(r.bottomLeft(), r.bottomRight());
  painter->drawLine(r.topRight(), r.bottomRight());
  painter->restore();
}

}  // namespace quill
