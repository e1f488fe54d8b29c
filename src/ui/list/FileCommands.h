// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading and saving from the window: the open and save dialogs with their
// filters, the favorite buttons, the queue of files that arrive by drop or
// from `quillmark-cli open`, the busy state and the load progress bar.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

class QFileDialog;
class QProgressBar;
class QWidget;

namespace quill {

class ListSession;
class TListPanel;
class TUlkRegistry;
class TUlkStatusBar;
class TSaveFileDialog;

class TFileCommands : public QObject {
  Q_OBJECT
 public:
  // The progress bar joins the status bar; the dialogs' folder is read from the
  // registry at each dialog; withKml offers the KML entry.
  TFileCommands(QWidget* dialogParent, ListSession& session, TUlkStatusBar& statusBar, const TUlkRegistry& registry,
                TListPanel& panel, bool withKml);
  ~TFileCommands() override;

  // Paths in the file system's own bytes. A load asked for while busy is
  // queued and runs when the window is free. A listName names the list
  // instead of the file, whose folder is then not remembered (a download).
  bool LoadFile(const std::string& fileName, const std::string& listName = {});
  bool SaveFile(const std::string& fileName, int formatCode);
  void ActionFileLoadExecute();
  void ActionFileSaveExecute();
  // "Save Selected...": the selected rows alone, in display order, to a file
  // chosen in the save dialog; the list keeps its own file and mark.
  void ActionFileSaveSelectedExecute();
  // "Send to GPS...": the selected rows when several are, else the shown
  // list, to a receiver plugged in as a drive.
  void ActionSendToGpsExecute();
  void ButtonLoadFavoriteClick();
  void ButtonSaveFavoriteClick();

  // Files that arrived (drop, command line, socket): loaded in order from the
  // event loop, as soon as nothing else runs.
  void QueueLoads(const std::deque<std::string>& files);
  // A file of our own (a download) queued the same way, loaded as the list
  // listName and removed once loaded, or when the queue is dropped.
  void QueueTemporaryLoad(const std::string& file, const std::string& listName);
  void ClearQueue();
  // A load, a save or a favorite load is running (it may be asking a question).
  bool Busy() const { return busy_; }
  // Nothing runs and no file waits in the queue.
  bool Idle() const { return !busy_ && queuedLoads_.empty(); }

  QFileDialog& OpenDialog();
  QFileDialog& SaveDialog();

 signals:
  // A load or save has ended: the file (file system bytes), how it went, the
  // waypoints it added or wrote, how long it took, and on failure the reason
  // the status bar shows.
  void FileDone(bool save, const QByteArray& fileName, bool ok, qulonglong count, double seconds,
                const QString& reason);

 private:
  void ReportDone(bool save, const std::string& fileName, bool ok, std::size_t before, qint64 startMs);

  // Busy for the length of a scope; on every exit the flag clears and the
  // files that arrived meanwhile are scheduled.
  class BusyGuard {
   public:
    explicit BusyGuard(TFileCommands& files);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

   private:
    TFileCommands& files_;
  };

  // A load (of a file or the favorite) with the hourglass and the progress bar.
  bool RunLoad(const std::function<bool()>& load);
  void ScheduleQueue();
  void RunQueuedLoads();
  void ShowProgress(std::uint64_t done, std::uint64_t total);

  QWidget* dialogParent_;
  ListSession& session_;
  TUlkStatusBar& statusBar_;
  const TUlkRegistry& registry_;
  TListPanel& panel_;
  bool withKml_;
  QPointer<QFileDialog> openDialog_;
  QPointer<TSaveFileDialog> saveDialog_;
  QProgressBar* progress_;
  bool busy_ = false;
  std::deque<std::string> queuedLoads_;
  // The files of our own in the queue, with the names of their lists.
  std::map<std::string, std::string> temporaryFiles_;
  qint64 lastProgressMs_ = 0;
};

}  // namespace quill
