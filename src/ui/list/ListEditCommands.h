// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list changes the user asks for from the window: delete the selected
// waypoints (Delete key), "Clear List", "Archive Waypoint" (one row or every
// selected row), the converter's
// "Add to list" with its name dialog, and Undo and Redo of any change. The
// session makes each change and asks its questions; the panel follows.
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "list/GpxRecord.h"

class QAction;
class QWidget;

namespace quill {

class ListSession;
class TFormNaam;
class TListPanel;

class TListEditCommands : public QObject {
  Q_OBJECT
 public:
  TListEditCommands(QWidget* dialogParent, ListSession& session, TListPanel& panel);
  ~TListEditCommands() override;

  void DeleteSelected();
  void ButtonDeleteAllClick();
  void ButtonArchiveClick();
  // "Add to list": asks for a name (the selected waypoint's proposed), adds
  // the position and selects its row.
  void AddToList(double lat, double lon);

  TFormNaam& NaamDialog();

  // Edit > Undo and Edit > Redo (ActionUndo, ActionRedo), their texts naming
  // the step; the window puts them in its menu. While `busy` says so (a load
  // runs its nested event loop) they do nothing.
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }
  void SetBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }
  // The texts and enabled states from the session's history.
  void RefreshUndoActions();

 private:
  // With two or more rows selected: act on their records and select the row
  // where the first one stood. False (nothing done) for one row or none.
  bool ActOnSelection(const std::function<bool(const std::vector<const TGpxRecord*>&)>& act);

  ListSession& session_;
  TListPanel& panel_;
  QPointer<TFormNaam> naamDialog_;
  QAction* undo_;
  QAction* redo_;
  std::function<bool()> busy_;
};

}  // namespace quill
