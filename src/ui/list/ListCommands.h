// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sort, search, filter, "Show All" and rename commands of the list: their
// actions (built from the core's table of orders), the "Sort" submenu and the
// rename and filter entries of the list's popup menu, and the two dialogs
// they use. The work is the session's.
#include <QObject>
#include <QPointer>

#include "list/ListSort.h"

class QAction;
class QMenu;
class QWidget;

namespace quill {

class ListSession;
class TFormFilter;
class TFormSearch;
class TListPanel;

class TListCommands : public QObject {
  Q_OBJECT
 public:
  // dialogParent owns the dialogs; the panel's buttons, keys and header
  // clicks are tied to the actions here.
  TListCommands(QWidget* dialogParent, ListSession& session, TListPanel& panel);
  ~TListCommands() override;

  // ActionSortNameExecute .. ActionSortDifficExecute.
  void ActionSortExecute(SortOrder order);
  void ActionSearchExecute();
  void ActionSearchNextExecute();
  void ActionFilterExecute();
  void ButtonShowAllClick();
  void ActionRenameExecute();

  QAction* SortAction(SortOrder order) const { return sortActions_[static_cast<int>(order)]; }
  QMenu* SortMenu() const { return sortMenu_; }
  TFormSearch& SearchDialog();
  TFormFilter& FilterDialog();

 private:
  QAction* MakeAction(const QString& name, const QString& caption);
  void BuildMenus();
  void SelectMatch(int row);

  ListSession& session_;
  TListPanel& panel_;
  QPointer<TFormSearch> search_;
  QPointer<TFormFilter> filter_;
  QAction* sortActions_[kSortOrderCount] = {};
  QAction* actionSearch_;
  QAction* actionSearchNext_;
  QAction* actionFilter_;
  QAction* actionRename_;
  QMenu* sortMenu_ = nullptr;
};

}  // namespace quill
