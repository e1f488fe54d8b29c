// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list session: the store, the current file, the modified flag and the
// load/save dispatch, shared by the window and the command line. Every change
// of the list goes through it (the store is read-only to others), and the
// view of the list is told of each change.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Launcher.h"
#include "base/QuestionSeam.h"
#include "base/StatusSink.h"
#include "formats/FormatTable.h"
#include "formats/FormatTypes.h"
#include "list/ArchiveLine.h"
#include "list/ListSort.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"
#include "session/EditItem.h"
#include "session/ListHistory.h"
#include "settings/AppSettings.h"
#include "text/LocaleText.h"

namespace quill {

// The standing hint of a load that left the Groundspeak data out.
inline constexpr const char* kGroundspeakNotKept =
    "Geocaching info not loaded: turn on \"Include Geocaching Info\" in Tools > Options";

// The session's view of the settings: the stored values themselves, and
// what holds for this run only.
struct SessionSettings {
  AppSettings stored;  // memory text, as read from the store
  // The folder of the file dialogs, the file system's bytes: starts as
  // stored and follows every load and save.
  std::string savePathGpx = ".";
  int txtExportMode = 0;  // the text export's notation, never stored
  std::string internalName = "Quillmark";

  // The stored file names as the file system wants them.
  std::string FavoriteFile() const;
  std::string ArchiveFile() const;
};

class ListSession {
 public:
  ListSession(StatusSink& status, QuestionSeam& questions);

  const WaypointStore& Store() const { return store_; }
  SessionSettings& Settings() { return settings_; }
  StatusSink& Status() { return status_; }
  QuestionSeam& Questions() { return questions_; }

  // Loads one file into the list by its extension.
  bool LoadFile(const std::string& fileName);
  // Loads one file with the reader of a format code 0..7 whatever its name
  // (kFormatByExtension: by its extension).
  bool LoadFile(const std::string& fileName, int formatCode);
  // Loads a file of our own (a download) as the list named listName: an
  // empty list takes that name, and the file's folder is not remembered.
  bool LoadFileAs(const std::string& fileName, const std::string& listName);
  // Writes the shown list in format code 0..8. Over a file this list was
  // loaded from without its Groundspeak data, only after a Yes to "Save".
  bool SaveFile(const std::string& fileName, int formatCode);
  // "Save Selected...": writes these records, in this order, in format code
  // 0..8; the list's file name and modified flag stay as they are.
  bool SaveRecords(const std::string& fileName, int formatCode, const std::vector<const TGpxRecord*>& records);
  // Writes the shown list as SaveFile does, but to a file of our own (an
  // upload): no question, and the list's file, folder and modified state
  // stay. False, with "Error saving file", when it failed.
  bool WriteCopy(const std::string& fileName, int formatCode);

  // The favorite buttons: load FavoriteFile (FavoriteLoaded is set also when
  // the load fails); save it by its own extension, only after a favorite
  // load and, with WarnSaveFav, after a Yes to "Save Favorite File".
  bool LoadFavorite();
  bool SaveFavorite();
  bool FavoriteLoaded() const { return favoriteLoaded_; }
  // The FTP download counts as a favorite load whatever its outcome.
  void SetFavoriteLoaded() { favoriteLoaded_ = true; }

  // The folder of the running program, where the OV2 icon bitmaps lie.
  // Defaults to the executable's folder; tests point it elsewhere.
  const std::string& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

  // Where web pages and generated files are opened; nothing is opened until
  // the window (or a test) sets a launcher. The launcher outlives the session.
  Launcher& Launch() { return launcher_ ? *launcher_ : noLauncher_; }
  void SetLauncher(Launcher* launcher) { launcher_ = launcher; }
  // The per-user folder of the files made on the fly (the cache page, tmp.kml);
  // tests point it elsewhere.
  const std::string& WorkFolder() const { return workFolder_; }
  void SetWorkFolder(std::string folder) { workFolder_ = std::move(folder); }

  const std::string& CurrentFileName() const { return currentFileName_; }
  void SetCurrentFileName(std::string name);
  bool ListModified() const { return listModified_; }
  void SetListModified(bool modified);
  int LastImportSeconds() const { return lastImportSeconds_; }

  // ---- Changes of the list by the user, each with its questions and its
  // effect on ListModified, FilterMode and CurrentFileName.
  // Deletes the record of one shown row (after "Delete waypoint" with WarnDel
  // on); the list is modified. False when nothing was deleted.
  bool DeleteShownRow(int row);
  // "Clear List": after "Clear the list" (always asked) every record goes;
  // the list is unmodified, unfiltered and without a current file.
  bool ClearList();
  // Every record and the history go, nothing else changes (closing the window).
  void ReleaseList();
  // Takes the records out of the list as one step under that name (several
  // rows deleted at once); the list is modified. False when none was in it.
  bool RemoveRecords(const std::vector<const TGpxRecord*>& records, const std::string& stepName);
  // "Add to list": a waypoint of this name at the position, under a fresh
  // duplicate question; the list is modified. An empty name is refused
  // ("Invalid name"). The new (or replaced) record, or nullptr.
  const TGpxRecord* AddToList(double lat, double lon, const std::string& name);
  // "Archive Waypoint": the row's line is appended to ArchiveFile, then the
  // row is deleted as DeleteShownRow does (row -1: only the file is touched).
  // A line that did not reach the file keeps the waypoint.
  bool ArchiveShownRow(int row);
  // Several rows at once, after one question naming their count (always
  // asked: no setting turns a question off for many rows): Delete takes them
  // out of the list, Archive first appends their lines to ArchiveFile and
  // keeps them all when that fails. One undo step each.
  bool DeleteRecords(const std::vector<const TGpxRecord*>& records);
  bool ArchiveRecords(const std::vector<const TGpxRecord*>& records);

  // What the view of the list is told. The view rebuilds itself from
  // ShownWaypoints (FillListView); a removed row is announced before its
  // record is destroyed and after; so is the end of every record.
  std::function<void()> onListRebuilt;
  std::function<void(int row)> onRowRemoving;
  std::function<void(int row)> onRowRemoved;
  std::function<void()> onListReleasing;
  // The file dialogs' folder changed; the window writes it to the settings store.
  std::function<void(const std::string& folder)> onSavePathChanged;
  // Progress of a long load: bytes done and total.
  std::function<void(std::uint64_t done, std::uint64_t total)> onProgress;

  // The edit dialog's store: the record gets what the fields give
  // (StoredRecord; a new name goes through the name index); a record that
  // changed makes the list modified. Coordinates typed that do not read as a
  // position are refused: nothing of the record changes, "Not a position:
  // TEXT" stands on the status bar at level 2, and the answer is false.
  bool StoreEdit(const TGpxRecord* record, const EditItemFields& shown, const EditItemFields& now,
                 const CacheLinkFn& link);
  // The edits stored between these two are one step (one showing of the
  // edit dialog, whatever rows it stepped through).
  void BeginEditGroup();
  void EndEditGroup();

  // ---- The undo history (ListSessionHistory.cpp): every change of the list
  // above, and every load that added or replaced records, is one step.
  const ListHistory& History() const { return history_; }
  bool CanUndo() const { return history_.CanUndo() && !editGroup_; }
  bool CanRedo() const { return history_.CanRedo() && !editGroup_; }
  // The steps Undo and Redo would take ("Delete GC1QM04"); empty for none.
  std::string UndoName() const;
  std::string RedoName() const;
  // Takes the last step back, or makes the next one again: the records, their
  // order, the selection, the file name, the filter and the modified flag are
  // as they were at that point. A save does not end the history: stepping
  // away from the saved point makes the list modified again.
  bool Undo();
  bool Redo();
  // The window's selection: asked before every change and whenever the
  // history moves; told what to select after an undo or a redo.
  std::function<const TGpxRecord*()> selectedRecord;
  std::function<void(const TGpxRecord*)> onSelect;
  // The history, the current file name or the modified flag changed.
  std::function<void()> onStateChanged;
  // "Save GPX" of one record; "Error saving file" at level 2 when the file
  // could not be written (an old file stays as it was).
  bool SaveRecordGpx(const std::string& fileName, const TGpxRecord& record);

  // ---- Presentation of the list: columns, sort, filter, search, rename
  // (ListSessionView.cpp). Each command that changes the shown list ends
  // with onListRebuilt.
  ListViewState& View() { return view_; }
  const ListViewState& View() const { return view_; }
  // Collation and lower-casing; the user's locale unless a test sets another.
  const LocaleText& Text() const { return text_; }
  void SetTextLocale(const QLocale& locale) { text_ = LocaleText(locale); }
  // The home position from the HomeCoords setting's text.
  void SetHome(const std::string& homeCoords);
  void SortShown(SortOrder order);
  // A filter mode index 0..14 with the text the filter dialog gave; false
  // (nothing done) when the shown list is empty or the mode is unknown.
  bool FilterShown(int modeIndex, const std::string& filterText);
  // Every record shown again in load order; the filter is off.
  void ShowAllWaypoints();
  // The search text as typed; it is kept lower-cased for SearchFrom.
  void SetSearchText(const std::string& typed);
  // The first shown row at or after `row` matching the search text, or -1.
  int SearchFrom(int row) const;
  // Renames every shown waypoint after ConfirmRename on the first new name;
  // a rename marks the list modified. False when nothing was renamed.
  bool RenameShown(const std::string& pattern);

 private:
  void RememberFile(const std::string& fileName);
  void CopyOv2Bitmap(const std::string& savedFile) const;
  // Files whose Groundspeak elements a load into this list left out; a save
  // over one of them would lose them for good. Known by path and by identity,
  // so another spelling or a hard link of the name is caught too.
  struct StrippedFile {
    std::string path;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
  };
  void NoteStrippedFile(const std::string& fileName);
  static bool IsStrippedFile(const StrippedFile& file, const std::string& fileName);
  bool SaveLosesGroundspeak(const std::string& fileName) const;
  bool LoadInto(const std::string& fileName, const std::string& listName, int formatCode);
  bool RemoveShownRow(int row, const std::string& verb);
  bool WriteRecords(const std::string& fileName, int formatCode, RecordSpan records);
  // Lines appended to ArchiveFile, or the failure on the status bar.
  bool ArchiveWritten(ArchiveResult result);

  // The history's side (ListSessionHistory.cpp).
  ListMark Mark() const;
  std::unique_ptr<ListStep> NewStep(std::string name) const;
  // A done step joins the history; the modified flag follows it.
  void PushStep(std::unique_ptr<ListStep> step);
  std::unique_ptr<ListStep> JournalStep(std::string name, WaypointStore::Journal journal) const;
  void Arrive(const ListMark& to, const ListMark& from);
  void SettleModified();
  void StateChanged() const;

  StatusSink& status_;
  QuestionSeam& questions_;
  WaypointStore store_;
  SessionSettings settings_;
  std::string currentFileName_;
  bool listModified_ = false;
  int lastImportSeconds_ = 0;
  bool favoriteLoaded_ = false;
  std::string programFolder_;
  std::vector<StrippedFile> strippedFiles_;
  std::string workFolder_;
  Launcher* launcher_ = nullptr;
  NoLauncher noLauncher_;

  ListViewState view_;
  LocaleText text_;

  ListHistory history_;
  // The open edit group and how many times it was opened.
  std::unique_ptr<ListStep> editGroup_;
  int editGroupDepth_ = 0;
};

}  // namespace quill
