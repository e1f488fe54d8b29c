// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of ListView1: one per record of ShownWaypoints, in its order at
// the last rebuild (each row keeps its record, so a sort or a filter can
// rearrange ShownWaypoints and the view still knows which record was
// selected). Rebuilding is a model reset; column texts are made when a row is
// first shown after a rebuild, so the cost of a rebuild does not grow with
// the texts of 100,000 rows.
#include <QAbstractTableModel>
#include <QBrush>
#include <QFont>
#include <QString>
#include <vector>

#include "list/GpxRecord.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"

namespace quill {

class WaypointListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  WaypointListModel(const WaypointStore& store, const ListViewState& state, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;

  // All rows again from ShownWaypoints.
  void Rebuild();
  // No rows, before the records go (clearing the list, closing).
  void Detach();
  // Removes one row; the caller destroys its record between the two calls.
  void BeginRemoveRow(int row);
  void EndRemoveRow();

  // The colours of archived and found rows, made to read on this background.
  void SetBackground(const QColor& base);

  const TGpxRecord* RecordAt(int row) const;
  // First row carrying the record, or -1.
  int RowOf(const TGpxRecord* record) const;

 private:
  struct RowTexts {
    bool filled = false;
    bool blue = false;
    bool red = false;
    bool strike = false;
    QString column4;
    QString column5;
  };
  const RowTexts& Texts(int row) const;

  const WaypointStore& store_;
  const ListViewState& state_;
  std::vector<const TGpxRecord*> rows_;
  mutable std::vector<RowTexts> texts_;
  QString headers_[5];
  QFont strikeFont_;
  QBrush red_{QColor(255, 0, 0)};
  QBrush blue_{QColor(0, 0, 255)};
};

}  // namespace quill
