#include "ui/list/ListCommands.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "list/ListRename.h"
#include "session/ListSession.h"
#include "ui/app/FormApp.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormFilter.h"
#include "ui/list/FormSearch.h"
#include "ui/list/ListView.h"

namespace quill {
namespace {

constexpr const char* kSortActionNames[kSortOrderCount] = {
    "ActionSortName",      "ActionSortGCName",  "ActionSortDate",  "ActionSortDist",
    "ActionSortNorth",     "ActionSortEast",    "ActionSortType",  "ActionSortHidden",
    "ActionSortDateFound", "ActionSortDesc",    "ActionSortCmt",   "ActionSortUrlName",
    "ActionSortLogs",      "ActionSortCountry", "ActionSortState", "ActionSortDiffic",
};

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

const char* SortActionName(SortOrder order) { return kSortActionNames[static_cast<int>(order)]; }

TListCommands::TListCommands(TFormApp& app) : QObject(&app), app_(app) {
  setObjectName("ListCommands");
  search_ = new TFormSearch(&app);
  filter_ = new TFormFilter(&app);
}

void TListCommands::Connect() {
  TFormApp& app = app_;
  filter_->SetLocaleText(&app.Session().Text());
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortOrder order = static_cast<SortOrder>(i);
    if (QAction* a = app.Action(SortActionName(order))) {
      connect(a, &QAction::triggered, this, [this, order] { ActionSortExecute(order); });
    }
  }
  auto bind = [&](const char* name, void (TListCommands::*slot)()) {
    if (QAction* a = app.Action(name)) connect(a, &QAction::triggered, this, slot);
  };
  bind("ActionSearch", &TListCommands::ActionSearchExecute);
  bind("ActionSearchNext", &TListCommands::ActionSearchNextExecute);
  bind("ActionFilter", &TListCommands::ActionFilterExecute);
  bind("ActionRename", &TListCommands::ActionRenameExecute);
  if (auto* showAll = app.findChild<QPushButton*>("ButtonShowAll")) {
    connect(showAll, &QPushButton::clicked, this, &TListCommands::ButtonShowAllClick);
  }
}

void TListCommands::ActionSortExecute(SortOrder order) {
  app_.StatusBar().SetError(0, "");
  WaitCursor wait;
  app_.Session().SortShown(order);
}

void TListCommands::SelectMatch(int row) {
  if (row < 0) return;
  app_.SelectRow(row);
  app_.ListView().setFocus();
}

void TListCommands::ActionSearchExecute() {
  search_->setWindowTitle("Search");
  search_->PromptText.clear();
  search_->LegendText.clear();
  if (search_->exec() != QDialog::Accepted) return;
  std::string typed = search_->PromptText;
  search_->PromptText.clear();
  app_.Session().SetSearchText(typed);
  SelectMatch(app_.Session().SearchFrom(0));
}

void TListCommands::ActionSearchNextExecute() {
  if (app_.Session().View().SearchText.empty()) return;
  SelectMatch(app_.Session().SearchFrom(app_.SelectedIndex() + 1));
}

void TListCommands::ActionFilterExecute() {
  if (app_.Session().Store().ShownWaypoints().empty()) return;
  app_.StatusBar().SetError(0, "");
  if (filter_->exec() != QDialog::Accepted) return;
  WaitCursor wait;
  app_.Session().FilterShown(filter_->FilterModeIndex, filter_->FilterValue);
}

void TListCommands::ButtonShowAllClick() {
  WaitCursor wait;
  app_.Session().ShowAllWaypoints();
}

void TListCommands::ActionRenameExecute() {
  if (app_.Session().Store().ShownWaypoints().empty()) return;
  app_.StatusBar().SetError(0, "");
  search_->setWindowTitle("Rename Waypoints");
  search_->PromptText = std::string(kRenamePattern);
  search_->LegendText = std::string(kRenameLegend);
  if (search_->exec() != QDialog::Accepted || search_->PromptText.empty()) return;
  WaitCursor wait;
  app_.Session().RenameShown(search_->PromptText);
}

}  // namespace quill
