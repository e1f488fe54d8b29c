#pragma once
// The list session: the store, the current file, the modified flag and the
// load/save dispatch, shared by the window and the command line.
#include <functional>
#include <string>

#include "formats/FormatTable.h"
#include "formats/FormatTypes.h"
#include "list/ListSort.h"
#include "list/ListViewState.h"
#include "list/WaypointStore.h"
#include "base/QuestionSeam.h"
#include "base/StatusSink.h"
#include "text/LocaleText.h"

namespace quill {

struct SessionSettings {
  bool includeGroundspeak = false;  // IncludeGroudspeak
  bool noCheckWhenEmpty = false;    // NoCheckWhenEmpty
  std::string favoriteFile;         // FavoriteFile
  bool warnSaveFav = true;          // WarnSaveFav
  std::string savePathGpx = ".";    // SavePathGPX
  int txtExportMode = 0;            // TxtExportMode
  std::string internalName = "Quillmark";
};

class ListSession {
 public:
  ListSession(StatusSink& status, QuestionSeam& questions);

  WaypointStore& Store() { return store_; }
  const WaypointStore& Store() const { return store_; }
  SessionSettings& Settings() { return settings_; }
  StatusSink& Status() { return status_; }
  QuestionSeam& Questions() { return questions_; }

  // Loads one file into the list by its extension.
  bool LoadFile(const std::string& fileName);
  // Writes the shown list in format code 0..8.
  bool SaveFile(const std::string& fileName, int formatCode);

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

  const std::string& CurrentFileName() const { return currentFileName_; }
  void SetCurrentFileName(std::string name) { currentFileName_ = std::move(name); }
  bool ListModified() const { return listModified_; }
  void SetListModified(bool modified) { listModified_ = modified; }
  int LastImportSeconds() const { return lastImportSeconds_; }

  // The view rebuilds itself from ShownWaypoints (FillListView).
  std::function<void()> onListRebuilt;
  // SavePathGPX changed; the window writes it to the settings store.
  std::function<void(const std::string& folder)> onSavePathChanged;
  // Progress of a long load: bytes done and total.
  std::function<void(std::uint64_t done, std::uint64_t total)> onProgress;

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

  StatusSink& status_;
  QuestionSeam& questions_;
  WaypointStore store_;
  SessionSettings settings_;
  std::string currentFileName_;
  bool listModified_ = false;
  int lastImportSeconds_ = 0;
  bool favoriteLoaded_ = false;
  std::string programFolder_;

  ListViewState view_;
  LocaleText text_;
};

// The folder of the running executable, with a trailing "/" ("./" when it
// cannot be found).
std::string ExecutableFolder();

}  // namespace quill
