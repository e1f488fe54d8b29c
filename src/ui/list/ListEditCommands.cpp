#include "ui/list/ListEditCommands.h"

#include <QPushButton>

#include "list/ArchiveLine.h"
#include "session/ListSession.h"
#include "settings/AppSettings.h"
#include "text/Ansi.h"
#include "ui/components/WaitCursor.h"
#include "ui/list/FormNaam.h"
#include "ui/list/ListPanel.h"
#include "ui/list/WaypointListModel.h"

namespace quill {

TListEditCommands::TListEditCommands(QWidget* dialogParent, ListSession& session, QuestionSeam& questions,
                                     const AppSettings& settings, TListPanel& panel)
    : QObject(dialogParent), session_(session), questions_(questions), settings_(settings), panel_(panel) {
  setObjectName("ListEditCommands");
  naamDialog_ = new TFormNaam(dialogParent);
  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.deleteAll, &QPushButton::clicked, this, &TListEditCommands::ButtonDeleteAllClick);
  connect(b.archive, &QPushButton::clicked, this, &TListEditCommands::ButtonArchiveClick);
  connect(&panel_, &TListPanel::DeleteRequested, this, &TListEditCommands::DeleteSelected);
}

TListEditCommands::~TListEditCommands() { delete naamDialog_.data(); }

TFormNaam& TListEditCommands::NaamDialog() { return *naamDialog_; }

void TListEditCommands::DeleteSelected() {
  TGpxRecord* record = panel_.SelectedRecord();
  if (!record) return;
  int index = panel_.SelectedIndex();
  if (settings_.WarnDel && !questions_.AskYesNo("Delete waypoint", "Are you sure?")) return;
  TListPanel::RefreshHold hold(panel_);
  WaypointListModel& model = panel_.Model();
  model.BeginRemoveRow(index);
  session_.Store().DeleteWaypoints({record});
  model.EndRemoveRow();
  int rows = model.rowCount();
  if (index >= rows) index = rows - 1;
  if (!session_.Store().ShownWaypoints().empty()) {
    panel_.SelectRow(index);
  } else {
    emit ResultsCleared();
    panel_.EnableListButtons(false, false, false);
  }
  session_.SetListModified(true);
}

void TListEditCommands::ButtonDeleteAllClick() {
  session_.Status().SetError(0, "");
  if (!questions_.AskYesNo("Clear the list", "Are you sure?")) return;
  WaitCursor wait;
  session_.SetListModified(false);
  panel_.Model().Detach();
  session_.Store().Clear();
  session_.View().FilterMode = 0;
  session_.SetCurrentFileName("");
  panel_.FillListView();
  emit ResultsCleared();
  panel_.EnableListButtons(false, false, false);
}

void TListEditCommands::ButtonArchiveClick() {
  TGpxRecord* record = panel_.SelectedRecord();
  ArchiveResult result = AppendArchiveLine(AnsiToUtf8(settings_.ArchiveFile), record);
  StatusSink& status = session_.Status();
  if (result == ArchiveResult::kOpenFailed) {
    status.SetError(2, "Error opening file");
    return;
  }
  status.SetError(0, "");
  // A line that did not reach the file must not cost the waypoint.
  if (result == ArchiveResult::kWriteFailed) {
    status.SetError(2, "Error saving file");
    return;
  }
  if (record) DeleteSelected();
  status.SetError(0, "");
  status.FlashError(0, "Done!");
}

void TListEditCommands::AddToList(double lat, double lon) {
  session_.Status().SetError(0, "");
  TGpxRecord* selected = panel_.SelectedRecord();
  naamDialog_->NameText = selected ? selected->Name : std::string();
  if (naamDialog_->exec() != QDialog::Accepted) return;
  if (naamDialog_->NameText.empty()) {
    session_.Status().FlashError(2, "Invalid name");
    return;
  }
  WaypointStore& store = session_.Store();
  store.SetDuplicateMode(kDuplicateAsk);
  store.AddWaypointSimple(lat, lon, naamDialog_->NameText);
  session_.SetListModified(true);
  panel_.FillListView();
}

}  // namespace quill
