#pragma once
// The commands that change the list from the window: delete the selected
// waypoint (Delete key), "Clear List", "Archive Waypoint" and the converter's
// "Add to list" with its name dialog.
#include <QObject>
#include <QPointer>

class QWidget;

namespace quill {

class ListSession;
class QuestionSeam;
class TFormNaam;
class TListPanel;
struct AppSettings;

class TListEditCommands : public QObject {
  Q_OBJECT
 public:
  // settings: WarnDel and ArchiveFile are read at each command.
  TListEditCommands(QWidget* dialogParent, ListSession& session, QuestionSeam& questions, const AppSettings& settings,
                    TListPanel& panel);
  ~TListEditCommands() override;

  void DeleteSelected();
  void ButtonDeleteAllClick();
  void ButtonArchiveClick();
  // "Add to list": asks for a name (the selected waypoint's proposed) and adds
  // the position under the duplicate question.
  void AddToList(double lat, double lon);

  TFormNaam& NaamDialog();

 signals:
  // The list became empty: the converter's results go too.
  void ResultsCleared();

 private:
  ListSession& session_;
  QuestionSeam& questions_;
  const AppSettings& settings_;
  TListPanel& panel_;
  QPointer<TFormNaam> naamDialog_;
};

}  // namespace quill
