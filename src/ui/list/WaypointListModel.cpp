#include "ui/list/WaypointListModel.h"

#include <QBrush>
#include <QColor>

#include "geo/CoordFormat.h"
#include "list/ListColumns.h"
#include "text/QtText.h"
#include "ui/list/TypeIcons.h"

namespace quill {

WaypointListModel::WaypointListModel(const std::vector<TGpxRecord*>& shown, const ListViewState& state,
                                     QObject* parent)
    : QAbstractTableModel(parent), shown_(shown), state_(state) {
  for (int c = 0; c < kListColumnCount; ++c) headers_[c] = AnsiToQString(InitialColumnHeader(c));
  strikeFont_.setStrikeOut(true);
}

int WaypointListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int WaypointListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

TGpxRecord* WaypointListModel::RecordAt(int row) const {
  // The list may grow under a running load before the next rebuild.
  if (row < 0 || row >= rows_ || static_cast<std::size_t>(row) >= shown_.size()) return nullptr;
  return shown_[static_cast<std::size_t>(row)];
}

int WaypointListModel::RowOf(const TGpxRecord* record) const {
  if (!record) return -1;
  int n = std::min<int>(rows_, static_cast<int>(shown_.size()));
  for (int i = 0; i < n; ++i) {
    if (shown_[static_cast<std::size_t>(i)] == record) return i;
  }
  return -1;
}

const WaypointListModel::RowTexts& WaypointListModel::Texts(int row) const {
  RowTexts& t = texts_[static_cast<std::size_t>(row)];
  if (t.filled) return t;
  TGpxRecord* r = RecordAt(row);
  if (!r) return t;
  t.column4 = AnsiToQString(ColumnText(*r, state_.Column4Mode, state_.Home));
  t.column5 = AnsiToQString(ColumnText(*r, state_.Column5Mode, state_.Home));
  RowMarking m = MarkingOf(*r);
  t.blue = m.colour == RowColour::Blue;
  t.red = m.colour == RowColour::Red;
  t.strike = m.strikeOut;
  t.filled = true;
  return t;
}

QVariant WaypointListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  TGpxRecord* r = RecordAt(index.row());
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
      if (t.red) return QBrush(QColor(255, 0, 0));
      if (t.blue) return QBrush(QColor(0, 0, 255));
      return {};
    }
    case Qt::FontRole:
      if (Texts(index.row()).strike) return strikeFont_;
      return {};
    case kRecordRole:
      return QVariant::fromValue(static_cast<void*>(r));
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
  rows_ = static_cast<int>(shown_.size());
  texts_.clear();
  texts_.resize(shown_.size());
  endResetModel();
}

void WaypointListModel::BeginRemoveRow(int row) {
  removing_ = row;
  beginRemoveRows(QModelIndex(), row, row);
}

void WaypointListModel::EndRemoveRow() {
  if (removing_ >= 0 && removing_ < rows_) {
    texts_.erase(texts_.begin() + removing_);
    --rows_;
  }
  removing_ = -1;
  endRemoveRows();
}

}  // namespace quill
