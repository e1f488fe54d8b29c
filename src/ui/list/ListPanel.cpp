// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/ListPanel.h"

#include <QActionGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

#include "list/ListColumns.h"
#include "session/ListSession.h"
#include "text/QtText.h"
#include "ui/components/CoreTexts.h"
#include "ui/components/DesignWidth.h"
#include "ui/components/ReadableColour.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

// The menu order of the column modes, and the suffix of each item's name.
constexpr int kColumnMenuModes[kColumnModeCount] = {0, 1, 2, 3, 5, 4, 6, 7, 9, 10, 8};
constexpr const char* kColumnMenuSuffix[kColumnModeCount] = {
    "Desc", "Cmt", "UrlName", "Timestamp", "DateFound", "DistHome", "PlacedBy", "Logs", "Country", "State", "Diffic"};

constexpr int kColumnWidths[kListColumnCount] = {265, 90, 90, 300, 90};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {}) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAutoDefault(false);
  return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

TListPanel::TListPanel(ListSession& session, QWidget* parent)
    : QGroupBox(tr(" Waypoint List "), parent), session_(session) {
  setObjectName("GroupBoxWaypointLijst");

  listView_ = new TListView(this);
  model_ = new WaypointListModel(session_.Store(), session_.View(), this);
  listView_->setModel(model_);
  for (int c = 0; c < kListColumnCount; ++c) listView_->header()->resizeSection(c, kColumnWidths[c]);

  auto* record = MakeLabel(this, "LabelRecord", tr("Record"));
  labelRecordCount_ = MakeLabel(this, "LabelRecordCount", "(0)");
  labelFiltered_ = MakeLabel(this, "LabelFiltered", tr("(Filtered)"));
  QFont bold = labelFiltered_->font();
  bold.setBold(true);
  labelFiltered_->setFont(bold);
  labelFiltered_->hide();
  FollowPalette();
  labelImportTime_ = MakeLabel(this, "LabelImportTime");
  labelVersion_ = MakeLabel(this, "LabelVersion");

  auto* below = new QHBoxLayout;
  below->addWidget(record);
  below->addWidget(labelRecordCount_);
  below->addWidget(labelFiltered_);
  below->addStretch(1);
  below->addWidget(labelImportTime_);
  below->addSpacing(12);
  below->addWidget(labelVersion_);

  ListButtons& b = buttons_;
  b.openFile = MakeButton(this, "ButtonOpenFile", tr("Load"), tr("Load waypoint files"));
  b.loadFavorite = MakeButton(this, "ButtonLoadFavorite", tr("Fav"));
  b.ftpLoad = MakeButton(this, "ButtonFtpLoad", tr("Ftp"));
  b.saveFile = MakeButton(this, "ButtonSaveFile", tr("Save"), tr("Save the waypoint list"));
  b.saveFavorite = MakeButton(this, "ButtonSaveFavorite", tr("Fav"));
  b.ftpSave = MakeButton(this, "ButtonFtpSave", tr("Ftp"));
  b.deleteAll = MakeButton(this, "ButtonDeleteAll", tr("Clear List"));
  b.sort = MakeButton(this, "ButtonSort", CoreText(SortOrderCaption(SortOrder::Name)), tr("Sort the waypoint list"));
  b.filter = MakeButton(this, "ButtonFilter", tr("Filter"));
  b.showAll = MakeButton(this, "ButtonShowAll", tr("Show All"),
                         tr("Show the entire waypoint list. This cancels any filtering."));
  b.launch = MakeButton(this, "ButtonLaunch", tr("Web Link"), tr("Open the cache's page on the web site"));
  b.launchLocal = MakeButton(this, "ButtonLaunchLocal", tr("Local"), tr("Open webpage from local GPX data."));
  b.googleEarth = MakeButton(this, "ButtonGoogleEarth", tr("Google Earth"), tr("Show waypoints on Google Earth"));
  b.archive = MakeButton(this, "ButtonArchive", tr("Archive Waypoint"));

  auto row = [](std::initializer_list<QPushButton*> list) {
    auto* r = new QHBoxLayout;
    r->setSpacing(0);
    for (QPushButton* p : list) r->addWidget(p);
    r->addStretch(1);
    return r;
  };
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  buttons->addLayout(row({b.openFile, b.loadFavorite, b.ftpLoad}));
  buttons->addLayout(row({b.saveFile, b.saveFavorite, b.ftpSave}));
  buttons->addSpacing(8);
  for (QPushButton* p : {b.deleteAll, b.sort, b.filter, b.showAll}) buttons->addWidget(p);
  buttons->addSpacing(8);
  for (QPushButton* p : {b.launch, b.launchLocal, b.googleEarth}) buttons->addWidget(p);
  buttons->addSpacing(8);
  buttons->addWidget(b.archive);
  buttons->addStretch(1);

  auto* listAndLabels = new QVBoxLayout;
  listAndLabels->addWidget(listView_, 1);
  listAndLabels->addLayout(below);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(listAndLabels, 1);
  layout->addLayout(buttons, 0);

  BuildPopupMenu();

  connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { RefreshCounters(); });
  connect(listView_->header(), &QHeaderView::sectionClicked, this, &TListPanel::ListView1ColumnClick);
  connect(listView_, &QAbstractItemView::doubleClicked, this, [this] { ListView1DblClick(); });
  connect(listView_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popupMenu_->popup(listView_->viewport()->mapToGlobal(pos)); });
  listView_->onKeyDown = [this](QKeyEvent* e) { return ListView1KeyDown(e); };
  FollowSession();
}

void TListPanel::FollowSession() {
  session_.onListRebuilt = [this] { FillListView(); };
  // A removed row leaves the view before its record is destroyed.
  session_.onRowRemoving = [this](int row) {
    refreshSuspended_ = true;
    model_->BeginRemoveRow(row);
  };
  session_.onRowRemoved = [this](int row) {
    model_->EndRemoveRow();
    RowRemoved(row);
  };
  session_.onListReleasing = [this] {
    model_->Detach();
    emit ListEmptied();
  };
  session_.selectedRecord = [this] { return SelectedRecord(); };
  session_.onSelect = [this](const TGpxRecord* record) { SelectRow(model_->RowOf(record)); };
}

void TListPanel::RowRemoved(int row) {
  // The row that took its place is selected, or the new last one.
  int rows = model_->rowCount();
  if (row >= rows) row = rows - 1;
  if (rows > 0) {
    SelectRow(row);
  } else {
    emit ListEmptied();
    EnableListButtons(false, false, false);
  }
  refreshSuspended_ = false;
  RefreshCounters();
}

void TListPanel::FollowPalette() {
  // The panel's own: it follows a theme before the view inside it does.
  model_->SetBackground(palette().color(QPalette::Base));
  QPalette pal = labelFiltered_->palette();
  pal.setColor(QPalette::WindowText, KeptOrReadableOn(QColor(0, 0, 128), palette().color(QPalette::Window)));
  labelFiltered_->setPalette(pal);
}

void TListPanel::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && model_ && labelFiltered_) FollowPalette();
}

TListPanel::~TListPanel() {
  session_.onListRebuilt = nullptr;
  session_.onRowRemoving = nullptr;
  session_.onRowRemoved = nullptr;
  session_.onListReleasing = nullptr;
  session_.selectedRecord = nullptr;
  session_.onSelect = nullptr;
  // The view lets go of the rows, and says nothing more, before the model goes.
  listView_->selectionModel()->disconnect(this);
  listView_->onKeyDown = nullptr;
  listView_->setModel(nullptr);
}

void TListPanel::BuildPopupMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu1");
  for (int column = 4; column <= 5; ++column) {
    QMenu* sub = popupMenu_->addMenu(column == 4 ? tr("4th Column") : tr("5th Column"));
    sub->setObjectName(QString("MenuColumn%1").arg(column));
    auto* group = new QActionGroup(sub);
    group->setExclusive(true);
    for (int i = 0; i < kColumnModeCount; ++i) {
      int mode = kColumnMenuModes[i];
      auto* item = new QAction(CoreText(ColumnModeCaption(mode)), group);
      item->setObjectName(QString("MenuColumn%1%2").arg(column).arg(kColumnMenuSuffix[i]));
      item->setCheckable(true);
      item->setData(mode);
      item->setChecked(mode == (column == 4 ? session_.View().Column4Mode : session_.View().Column5Mode));
      sub->addAction(item);
      connect(item, &QAction::triggered, this, [this, column, mode] { SetColumnMode(column, mode); });
    }
    columnGroups_[column - 4] = group;
  }
}

void TListPanel::SetExtendedMode(bool on) {
  const ListButtons& b = buttons_;
  for (QWidget* w : std::initializer_list<QWidget*>{b.loadFavorite, b.saveFavorite, b.ftpLoad, b.ftpSave, b.archive,
                                                    labelImportTime_}) {
    w->setVisible(on);
  }
  SetDesignWidth(b.openFile, on ? 49 : 97);
  SetDesignWidth(b.saveFile, on ? 49 : 97);
  if (on) {
    for (QPushButton* p : {b.loadFavorite, b.ftpLoad, b.saveFavorite, b.ftpSave}) SetDesignWidth(p, 48);
  }
}

void TListPanel::SetVersionText(const QString& text) { labelVersion_->setText(text); }

void TListPanel::SetImportSeconds(int seconds) { labelImportTime_->setText(QString::number(seconds)); }

const TGpxRecord* TListPanel::SelectedRecord() const { return model_->RecordAt(SelectedIndex()); }

int TListPanel::SelectedIndex() const {
  // Read from the selection itself: no search through the rows, however
  // many are selected.
  const QItemSelectionModel* selection = listView_->selectionModel();
  const QModelIndex current = selection->currentIndex();
  if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex())) return current.row();
  int first = -1;
  for (const QItemSelectionRange& range : selection->selection()) {
    if (first < 0 || range.top() < first) first = range.top();
  }
  return first;
}

std::vector<const TGpxRecord*> TListPanel::SelectedRecords() const {
  std::vector<std::pair<int, int>> ranges;
  for (const QItemSelectionRange& range : listView_->selectionModel()->selection()) {
    ranges.emplace_back(range.top(), range.bottom());
  }
  std::sort(ranges.begin(), ranges.end());
  std::vector<const TGpxRecord*> records;
  int next = 0;
  for (auto [top, bottom] : ranges) {
    // A row selected in more than one column's range counts once.
    for (int row = std::max(top, next); row <= bottom; ++row) {
      if (const TGpxRecord* r = model_->RecordAt(row)) records.push_back(r);
    }
    next = std::max(next, bottom + 1);
  }
  return records;
}

void TListPanel::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    listView_->selectionModel()->clearSelection();
    return;
  }
  QModelIndex index = model_->index(row, 0);
  listView_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  listView_->scrollTo(index);
}

bool TListPanel::SelectRecords(const std::vector<const TGpxRecord*>& records, const TGpxRecord* current) {
  if (records.size() <= 1) {
    const int row = model_->RowOf(records.empty() ? nullptr : records.front());
    SelectRow(row);
    return row >= 0;
  }
  // One walk over the rows, whatever the number of records.
  const std::unordered_set<const TGpxRecord*> wanted(records.begin(), records.end());
  QItemSelection selection;
  const int rows = model_->rowCount();
  const int lastColumn = model_->columnCount() - 1;
  int currentRow = -1;
  int firstRow = -1;
  for (int row = 0; row < rows;) {
    if (!wanted.count(model_->RecordAt(row))) {
      ++row;
      continue;
    }
    const int top = row;
    while (row < rows && wanted.count(model_->RecordAt(row))) {
      if (model_->RecordAt(row) == current) currentRow = row;
      ++row;
    }
    if (firstRow < 0) firstRow = top;
    selection.select(model_->index(top, 0), model_->index(row - 1, lastColumn));
  }
  QItemSelectionModel* model = listView_->selectionModel();
  if (firstRow < 0) {
    model->clearSelection();
    return false;
  }
  if (currentRow < 0) currentRow = firstRow;
  model->setCurrentIndex(model_->index(currentRow, 0), QItemSelectionModel::NoUpdate);
  model->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  listView_->scrollTo(model_->index(currentRow, 0));
  return true;
}

void TListPanel::FillListView() {
  RefreshHold hold(*this);
  const TGpxRecord* current = SelectedRecord();
  std::vector<const TGpxRecord*> selected = SelectedRecords();
  model_->Rebuild();
  SelectRecords(selected, current);
}

void TListPanel::RefreshCounters() {
  if (refreshSuspended_) return;
  bool any = !session_.Store().ShownWaypoints().empty();
  int index = SelectedIndex();
  const TGpxRecord* record = model_->RecordAt(index);
  int rows = model_->rowCount();
  bool link = false;
  bool cacheData = false;
  if (record) {
    link = !record->Url.empty();
    cacheData = !record->GroundspeakXml.empty();
    labelRecordCount_->setText(QString("%1 (%2)").arg(index + 1).arg(rows));
    emit PositionSelected(record->Lat, record->Lon);
  } else {
    labelRecordCount_->setText(QString("(%1)").arg(rows));
  }
  emit CurrentRecordChanged(record);
  labelFiltered_->setVisible(session_.View().FilterMode != 0);
  EnableListButtons(any, link, cacheData);
}

void TListPanel::EnableListButtons(bool any, bool link, bool cacheData) {
  const ListButtons& b = buttons_;
  b.launch->setEnabled(link);
  b.launchLocal->setEnabled(cacheData);
  for (QPushButton* p : {b.googleEarth, b.archive, b.deleteAll, b.sort, b.filter}) p->setEnabled(any);
}

void TListPanel::SetColumnMode(int column, int mode) {
  if (column < 4 || column > 5 || mode < 0 || mode >= kColumnModeCount) return;
  (column == 4 ? session_.View().Column4Mode : session_.View().Column5Mode) = mode;
  for (QAction* a : columnGroups_[column - 4]->actions()) {
    if (a->data().toInt() == mode) a->setChecked(true);
  }
  QString caption = CoreText(ColumnModeCaption(mode));
  caption.remove('&');
  model_->setHeaderData(column - 1, Qt::Horizontal, caption, Qt::DisplayRole);
  FillListView();
}

void TListPanel::ListView1ColumnClick(int column) {
  switch (column) {
    case 0:
      emit SortRequested(SortOrder::Name);
      break;
    case 1:
      emit SortRequested(SortOrder::North);
      break;
    case 2:
      emit SortRequested(SortOrder::East);
      break;
    case 3:
      emit SortRequested(SortOrderForColumnMode(session_.View().Column4Mode));
      break;
    case 4:
      emit SortRequested(SortOrderForColumnMode(session_.View().Column5Mode));
      break;
    default:
      break;
  }
}

void TListPanel::ListView1DblClick() {
  session_.Status().SetError(0, "");
  int index = SelectedIndex();
  if (index >= 0) emit EditRequested(index);
}

bool TListPanel::ListView1KeyDown(QKeyEvent* event) {
  Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
    session_.Status().SetError(0, "");
    if (SelectedIndex() >= 0) emit DeleteRequested();
    return true;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
    ListView1DblClick();
    return true;
  }
  if (event->key() == Qt::Key_F && mods == Qt::ControlModifier) {
    emit SearchRequested();
    return true;
  }
  if (event->key() == Qt::Key_F3 && mods == Qt::NoModifier) {
    emit SearchNextRequested();
    return true;
  }
  if (event->key() == Qt::Key_N && mods == Qt::ControlModifier) {
    int mode = session_.View().Column4Mode;
    SetColumnMode(4, mode >= kColumnModeCount - 1 ? 0 : mode + 1);
    return true;
  }
  return false;
}

}  // namespace quill
