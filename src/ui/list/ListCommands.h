#pragma once
// The sort, search, filter, "Show All" and rename commands of the main
// window. It owns the two dialogs they use and ties itself to the window's
// actions and buttons by their names; the work is the session's.
// Made with the window's dialogs; Connect once the actions and the session
// exist.
#include <QObject>

#include "list/ListSort.h"

namespace quill {

class TFormApp;
class TFormFilter;
class TFormSearch;

class TListCommands : public QObject {
  Q_OBJECT
 public:
  explicit TListCommands(TFormApp& app);
  void Connect();

  // ActionSortNameExecute .. ActionSortDifficExecute.
  void ActionSortExecute(SortOrder order);
  void ActionSearchExecute();
  void ActionSearchNextExecute();
  void ActionFilterExecute();
  void ButtonShowAllClick();
  void ActionRenameExecute();

  TFormSearch& SearchDialog() { return *search_; }
  TFormFilter& FilterDialog() { return *filter_; }

 private:
  void SelectMatch(int row);

  TFormApp& app_;
  TFormSearch* search_;
  TFormFilter* filter_;
};

// The window's action of an order ("ActionSortGCName").
const char* SortActionName(SortOrder order);

}  // namespace quill
