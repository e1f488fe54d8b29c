// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list changes the user asks for from the window: delete the selected
// waypoint (Delete key), "Clear List", "Archive Waypoint" and the converter's
// "Add to list" with its name dialog. The session makes each change and asks
// its questions; the panel follows.
#include <QObject>
#include <QPointer>

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
  // "Add to list": asks for a name (the selected waypoint's proposed) and
  // adds the position.
  void AddToList(double lat, double lon);

  TFormNaam& NaamDialog();

 private:
  ListSession& session_;
  TListPanel& panel_;
  QPointer<TFormNaam> naamDialog_;
};

}  // namespace quill
