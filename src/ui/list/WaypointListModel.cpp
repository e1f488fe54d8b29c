// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/WaypointListModel.h"

#include <QBrush>
#include <QColor>

#include "geo/CoordFormat.h"
#include "list/ListColumns.h"
#include "text/QtText.h"
#include "ui/components/CoreTexts.h"
#include "ui/components/ReadableColour.h"
#include "ui/list/TypeIcons.h"

namespace quill {

WaypointListModel::WaypointListModel(const WaypointStore& store, const ListViewState& state, QObject* parent)
    : QAbstractTableModel(parent), store_(store), state_(state) {
  for (int c = 0; c < kListColumnCount; ++c) headers_[c] = CoreText(InitialColumnHeader(c));
  strikeFont_.setStrikeOut(true);
}

void WaypointListModel::SetBackground(const QColor& base) {
  red_ = QBrush(KeptOrReadableOn(QColor(255, 0, 0), base));
  blue_ = QBrush(KeptOrReadableOn(QColor(0, 0, 255), base));
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(static_cast<int>(rows_.size()) - 1, kListColumnCount - 1));
}

int WaypointListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WaypointListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kListColumnCount; }

const TGpxRecord* WaypointListModel::RecordAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
  return rows_[static_cast<std::size_t>(row)];
}

int WaypointListModel::RowOf(const TGpxRecord* record) const {
  if (!record) return -1;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i] == record) return static_cast<int>(i);
  }
  return -1;
}

const WaypointListModel::RowTexts& WaypointListModel::Texts(int row) const {
  RowTexts& t = texts_[static_cast<std::size_t>(row)];
  if (t.filled) return t;
  const TGpxRecord* r = RecordAt(row);
  if (!r) return t;
  t.column4 = AnsiToQString(ColumnText(*r, store_.ValuesOf(r), state_.Column4Mode, state_.Home));
  t.column5 = AnsiToQString(ColumnText(*r, store_.ValuesOf(r), state_.Column5Mode, state_.Home));
  RowMarking m = MarkingOf(*r);
  t.blue = m.colour == RowColour::Blue;
  t.red = m.colour == RowColour::Red;
  t.strike = m.strikeOut;
  t.filled = true;
  return t;
}

QVariant WaypointListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TGpxRecord* r = RecordAt(index.row());
  if (!r) return {};
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case 0:
          return AnsiToQString(r->Name);
        case 1:
          return AnsiToQString(FormatDegMinSigned(r->Lat, false));
        case 2:
          return AnsiToQString(FormatDegMinSigned(r->Lon, false));
        case 3:
          return Texts(index.row()).column4;
        case 4:
          return Texts(index.row()).column5;
        default:
          return {};
      }
    case Qt::DecorationRole:
      if (index.column() == 0) return TypeIcon(r->TypeCode);
      return {};
    case Qt::ForegroundRole: {
      const RowTexts& t = Texts(index.row());
      if (t.red) return red_;
      if (t.blue) return blue_;
      return {};
    }
    case Qt::FontRole:
      if (Texts(index.row()).strike) return strikeFont_;
      return {};
    default:
      return {};
  }
}

QVariant WaypointListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return headers_[section];
}

bool WaypointListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListColumnCount) {
    return false;
  }
  headers_[section] = value.toString();
  emit headerDataChanged(orientation, section, section);
  return true;
}

void WaypointListModel::Rebuild() {
  beginResetModel();
  rows_ = store_.ShownWaypoints();
  texts_.clear();
  texts_.resize(rows_.size());
  endResetModel();
}

void WaypointListModel::Detach() {
  beginResetModel();
  rows_.clear();
  texts_.clear();
  endResetModel();
}

void WaypointListModel::BeginRemoveRow(int row) {
  beginRemoveRows(QModelIndex(), row, row);
  // Gone from the rows before its record is destroyed.
  rows_.erase(rows_.begin() + row);
  texts_.erase(texts_.begin() + row);
}

void WaypointListModel::EndRemoveRow() { endRemoveRows(); }

}  // namespace quill
