// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/ListEditCommands.h"

#include <QAction>
#include <QPushButton>

#include "session/ListSession.h"
#include "text/QtText.h"
#include "ui/components/WaitCursor.h"
#include "ui/list/FormNaam.h"
#include "ui/list/ListPanel.h"
#include "ui/list/WaypointListModel.h"

namespace quill {

TListEditCommands::TListEditCommands(QWidget* dialogParent, ListSession& session, TListPanel& panel)
    : QObject(dialogParent), session_(session), panel_(panel) {
  setObjectName("ListEditCommands");
  naamDialog_ = new TFormNaam(dialogParent);
  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.deleteAll, &QPushButton::clicked, this, &TListEditCommands::ButtonDeleteAllClick);
  connect(b.archive, &QPushButton::clicked, this, &TListEditCommands::ButtonArchiveClick);
  connect(&panel_, &TListPanel::DeleteRequested, this, &TListEditCommands::DeleteSelected);

  undo_ = new QAction(tr("Undo"), this);
  undo_->setObjectName("ActionUndo");
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = new QAction(tr("Redo"), this);
  redo_->setObjectName("ActionRedo");
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(undo_, &QAction::triggered, this, [this] {
    if (busy_ && busy_()) return;
    WaitCursor wait;
    session_.Undo();
  });
  connect(redo_, &QAction::triggered, this, [this] {
    if (busy_ && busy_()) return;
    WaitCursor wait;
    session_.Redo();
  });
  RefreshUndoActions();
}

void TListEditCommands::RefreshUndoActions() {
  // A name is memory text and may hold '&', which a menu reads as a mnemonic.
  auto caption = [](const QString& verb, const std::string& step) {
    QString text = verb;
    if (!step.empty()) text += " " + AnsiToQString(step).replace('&', "&&");
    return text;
  };
  undo_->setText(caption(tr("Undo"), session_.UndoName()));
  undo_->setEnabled(session_.CanUndo());
  redo_->setText(caption(tr("Redo"), session_.RedoName()));
  redo_->setEnabled(session_.CanRedo());
}

TListEditCommands::~TListEditCommands() { delete naamDialog_.data(); }

TFormNaam& TListEditCommands::NaamDialog() { return *naamDialog_; }

void TListEditCommands::DeleteSelected() { session_.DeleteShownRow(panel_.SelectedIndex()); }

void TListEditCommands::ButtonDeleteAllClick() {
  session_.Status().SetError(0, "");
  WaitCursor wait;
  session_.ClearList();
}

void TListEditCommands::ButtonArchiveClick() { session_.ArchiveShownRow(panel_.SelectedIndex()); }

void TListEditCommands::AddToList(double lat, double lon) {
  session_.Status().SetError(0, "");
  const TGpxRecord* selected = panel_.SelectedRecord();
  naamDialog_->NameText = selected ? selected->Name : std::string();
  if (naamDialog_->exec() != QDialog::Accepted) return;
  if (const TGpxRecord* added = session_.AddToList(lat, lon, naamDialog_->NameText)) {
    panel_.SelectRow(panel_.Model().RowOf(added));
  }
}

}  // namespace quill
