// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/ListEditCommands.h"

#include <QPushButton>

#include "session/ListSession.h"
#include "ui/components/WaitCursor.h"
#include "ui/list/FormNaam.h"
#include "ui/list/ListPanel.h"

namespace quill {

TListEditCommands::TListEditCommands(QWidget* dialogParent, ListSession& session, TListPanel& panel)
    : QObject(dialogParent), session_(session), panel_(panel) {
  setObjectName("ListEditCommands");
  naamDialog_ = new TFormNaam(dialogParent);
  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.deleteAll, &QPushButton::clicked, this, &TListEditCommands::ButtonDeleteAllClick);
  connect(b.archive, &QPushButton::clicked, this, &TListEditCommands::ButtonArchiveClick);
  connect(&panel_, &TListPanel::DeleteRequested, this, &TListEditCommands::DeleteSelected);
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
  session_.AddToList(lat, lon, naamDialog_->NameText);
}

}  // namespace quill
