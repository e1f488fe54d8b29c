// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lower half of the window, GroupBoxWaypointLijst: ListView1 over the
// list model, the record counters, the list buttons, the column modes with
// their popup menus, header clicks and keys, and the selection. The commands
// behind the buttons are their own classes; they connect to Buttons() and to
// the signals below. The panel reads the session and follows the changes it
// announces; it never changes the list itself.
#include <QGroupBox>
#include <vector>

#include "list/GpxRecord.h"
#include "list/ListSort.h"

class QActionGroup;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace quill {

class ListSession;
class TListView;
class WaypointListModel;

class TListPanel : public QGroupBox {
  Q_OBJECT
 public:
  struct ListButtons {
    QPushButton* openFile;
    QPushButton* loadFavorite;
    QPushButton* ftpLoad;
    QPushButton* saveFile;
    QPushButton* saveFavorite;
    QPushButton* ftpSave;
    QPushButton* deleteAll;
    QPushButton* sort;
    QPushButton* filter;
    QPushButton* showAll;
    QPushButton* launch;
    QPushButton* launchLocal;
    QPushButton* googleEarth;
    QPushButton* archive;
  };

  TListPanel(ListSession& session, QWidget* parent);
  ~TListPanel() override;

  TListView& ListView() { return *listView_; }
  WaypointListModel& Model() { return *model_; }
  const ListButtons& Buttons() const { return buttons_; }
  // PopupMenu1 of the list; holds the column menus, the list commands add theirs.
  QMenu* PopupMenu() const { return popupMenu_; }

  // What only ExtendedMode shows, and the widths that go with it.
  void SetExtendedMode(bool on);
  void SetVersionText(const QString& text);
  void SetImportSeconds(int seconds);

  // The selection: the current row's record and position when it is
  // selected, else the first selected row's (nullptr, -1 for none). The
  // commands on one waypoint act on it.
  const TGpxRecord* SelectedRecord() const;
  int SelectedIndex() const;
  // Every selected row's record, in display order.
  std::vector<const TGpxRecord*> SelectedRecords() const;
  // Selects and shows one row; -1 (or a row out of range) clears the selection.
  void SelectRow(int row);
  // Selects the rows of these records that are shown (display order not
  // needed), current the first of them; false when none is shown.
  bool SelectRecords(const std::vector<const TGpxRecord*>& records, const TGpxRecord* current);

  // Rebuilds ListView1 from ShownWaypoints, keeping the selected records
  // that are still shown.
  void FillListView();
  // The counter, the "(Filtered)" mark and the list buttons from the selection.
  void RefreshCounters();
  void EnableListButtons(bool any, bool link, bool cacheData);

  // While a hold lives RefreshCounters does nothing; the last one to go refreshes.
  class RefreshHold {
   public:
    explicit RefreshHold(TListPanel& panel) : panel_(panel), was_(panel.refreshSuspended_) {
      panel_.refreshSuspended_ = true;
    }
    ~RefreshHold() {
      panel_.refreshSuspended_ = was_;
      if (!was_) panel_.RefreshCounters();
    }
    RefreshHold(const RefreshHold&) = delete;
    RefreshHold& operator=(const RefreshHold&) = delete;

   private:
    TListPanel& panel_;
    bool was_;
  };

  // Column 4 or 5 shows mode 0..10; other values are ignored.
  void SetColumnMode(int column, int mode);
  void ListView1ColumnClick(int column);
  void ListView1DblClick();
  bool ListView1KeyDown(QKeyEvent* event);

 signals:
  // A header click asks for the order of what its column shows.
  void SortRequested(SortOrder order);
  // Ctrl+F and F3 in the list.
  void SearchRequested();
  void SearchNextRequested();
  // The Delete key with a record selected.
  void DeleteRequested();
  // A double click on a row, or Enter: the edit dialog opens on it.
  void EditRequested(int row);
  // A record became the selection: the converter shows its position.
  void PositionSelected(double lat, double lon);
  // The record the single-row commands act on, after every change of the
  // selection (nullptr: none). It stays valid until the list changes.
  void CurrentRecordChanged(const TGpxRecord* record);
  // The last row was deleted, or the list let go of every record.
  void ListEmptied();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void BuildPopupMenu();
  void FollowSession();
  // The fixed colours of the rows and of "(Filtered)" against the theme.
  void FollowPalette();
  void RowRemoved(int row);

  ListSession& session_;
  TListView* listView_;
  WaypointListModel* model_ = nullptr;
  ListButtons buttons_{};
  QLabel* labelRecordCount_;
  QLabel* labelFiltered_ = nullptr;
  QLabel* labelImportTime_;
  QLabel* labelVersion_;
  QMenu* popupMenu_ = nullptr;
  QActionGroup* columnGroups_[2] = {nullptr, nullptr};
  bool refreshSuspended_ = false;
};

}  // namespace quill
