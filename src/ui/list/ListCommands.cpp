// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/ListCommands.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "list/ListRename.h"
#include "session/ListSession.h"
#include "text/QtText.h"
#include "ui/components/CoreTexts.h"
#include "ui/components/WaitCursor.h"
#include "ui/list/FormFilter.h"
#include "ui/list/FormSearch.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"

namespace quill {

TListCommands::TListCommands(QWidget* dialogParent, ListSession& session, TListPanel& panel)
    : QObject(dialogParent), session_(session), panel_(panel) {
  setObjectName("ListCommands");
  search_ = new TFormSearch(dialogParent);
  filter_ = new TFormFilter(dialogParent);
  filter_->SetLocaleText(&session_.Text());

  for (int i = 0; i < kSortOrderCount; ++i) {
    auto order = static_cast<SortOrder>(i);
    sortActions_[i] = MakeAction(AnsiToQString(SortOrderActionName(order)), CoreText(SortOrderCaption(order)));
    connect(sortActions_[i], &QAction::triggered, this, [this, order] { ActionSortExecute(order); });
  }
  actionSearch_ = MakeAction("ActionSearch", tr("Search"));
  actionSearchNext_ = MakeAction("ActionSearchNext", tr("Search Next"));
  actionFilter_ = MakeAction("ActionFilter", tr("Filter"));
  actionRename_ = MakeAction("ActionRename", tr("Rename"));
  connect(actionSearch_, &QAction::triggered, this, &TListCommands::ActionSearchExecute);
  connect(actionSearchNext_, &QAction::triggered, this, &TListCommands::ActionSearchNextExecute);
  connect(actionFilter_, &QAction::triggered, this, &TListCommands::ActionFilterExecute);
  connect(actionRename_, &QAction::triggered, this, &TListCommands::ActionRenameExecute);
  BuildMenus();

  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.sort, &QPushButton::clicked, SortAction(SortOrder::Name), &QAction::trigger);
  connect(b.filter, &QPushButton::clicked, actionFilter_, &QAction::trigger);
  connect(b.showAll, &QPushButton::clicked, this, &TListCommands::ButtonShowAllClick);
  connect(&panel_, &TListPanel::SortRequested, this, [this](SortOrder order) { SortAction(order)->trigger(); });
  connect(&panel_, &TListPanel::SearchRequested, actionSearch_, &QAction::trigger);
  connect(&panel_, &TListPanel::SearchNextRequested, actionSearchNext_, &QAction::trigger);
}

TListCommands::~TListCommands() {
  delete search_.data();
  delete filter_.data();
}

TFormSearch& TListCommands::SearchDialog() { return *search_; }

TFormFilter& TListCommands::FilterDialog() { return *filter_; }

QAction* TListCommands::MakeAction(const QString& name, const QString& caption) {
  auto* a = new QAction(caption, this);
  a->setObjectName(name);
  return a;
}

void TListCommands::BuildMenus() {
  QMenu* popup = panel_.PopupMenu();
  sortMenu_ = new QMenu(tr("Sort"), popup);
  sortMenu_->setObjectName("MenuSort");
  for (const SortMenuEntry& item : SortMenuEntries()) {
    QAction* target = SortAction(item.order);
    auto* entry = new QAction(CoreText(item.caption), sortMenu_);
    entry->setObjectName(AnsiToQString(item.item));
    connect(entry, &QAction::triggered, target, &QAction::trigger);
    sortMenu_->addAction(entry);
  }
  popup->insertMenu(popup->actions().value(0), sortMenu_);

  auto entry = [popup](const char* name, const QString& caption, QAction* target) {
    auto* a = new QAction(caption, popup);
    a->setObjectName(name);
    connect(a, &QAction::triggered, target, &QAction::trigger);
    popup->addAction(a);
  };
  entry("MenuRename", tr("Rename Waypoints"), actionRename_);
  entry("MenuFilter", tr("Filter Waypoints"), actionFilter_);
}

void TListCommands::ActionSortExecute(SortOrder order) {
  session_.Status().SetError(0, "");
  WaitCursor wait;
  session_.SortShown(order);
}

void TListCommands::SelectMatch(int row) {
  if (row < 0) return;
  panel_.SelectRow(row);
  panel_.ListView().setFocus();
}

void TListCommands::ActionSearchExecute() {
  search_->setWindowTitle(tr("Search"));
  search_->PromptText.clear();
  search_->LegendText.clear();
  if (search_->exec() != QDialog::Accepted) return;
  std::string typed = search_->PromptText;
  search_->PromptText.clear();
  session_.SetSearchText(typed);
  SelectMatch(session_.SearchFrom(0));
}

void TListCommands::ActionSearchNextExecute() {
  if (session_.View().SearchText.empty()) return;
  SelectMatch(session_.SearchFrom(panel_.SelectedIndex() + 1));
}

void TListCommands::ActionFilterExecute() {
  if (session_.Store().ShownWaypoints().empty()) return;
  session_.Status().SetError(0, "");
  if (filter_->exec() != QDialog::Accepted) return;
  WaitCursor wait;
  session_.FilterShown(filter_->FilterModeIndex, filter_->FilterValue);
}

void TListCommands::ButtonShowAllClick() {
  WaitCursor wait;
  session_.ShowAllWaypoints();
}

void TListCommands::ActionRenameExecute() {
  if (session_.Store().ShownWaypoints().empty()) return;
  session_.Status().SetError(0, "");
  search_->setWindowTitle(tr("Rename Waypoints"));
  search_->PromptText = std::string(kRenamePattern);
  search_->LegendText = std::string(kRenameLegend);
  if (search_->exec() != QDialog::Accepted || search_->PromptText.empty()) return;
  WaitCursor wait;
  session_.RenameShown(search_->PromptText);
}

}  // namespace quill
