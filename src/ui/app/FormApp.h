// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormApp, the main window: the converter above, the waypoint list below.
// It creates the parts, lays them out, builds the menus and forwards; each
// part owns the dialogs it opens:
//   TListPanel         the list, its counters, buttons, column modes and keys
//   TDetailsPane       the selected cache beside the list (View > Details)
//   TListCommands      sort, search, filter, "Show All", rename
//   TListEditCommands  delete, "Clear List", archive, "Add to list"
//   TFileCommands      open/save dialogs, favorites, the load queue, progress,
//                      "Send to GPS"
//   TFtpCommands       the two Ftp buttons (extended mode)
//   TWebCommands       "Web Link", "Local", "Google Earth", "Google Maps", "VE"
//   TSettingsBinder    the settings and ApplySettings()
//   TMapCommands       the map window (View > Map) and where it was
//   TToolCommands      Options, About, letters, histogram, GPS receiver
// A new dialog or tool is a class of its own in src/ui/list, src/ui/map or
// src/ui/tools, given what it needs (session, settings, a callback), never
// the window; the command group beside it opens it.
#include <QMainWindow>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "list/ListViewState.h"
#include "session/ListSession.h"
#include "settings/UlkFileversionInfo.h"
#include "ui/app/SettingsBinder.h"
#include "ui/app/WindowLog.h"

class QAction;
class QFileDialog;
class QMenu;

namespace quill {

class ConverterPanel;
class TDetailsPane;
class HelpWindow;
class OpenFileServer;
class TFileCommands;
class TFormEditItem;
class TMapCommands;
class TFtpCommands;
class TWebCommands;
class TFormSelectWpAddMode;
class TListCommands;
class TListEditCommands;
class TListPanel;
class TListView;
class TToolCommands;
class TUlkStatusBar;
class WaypointListModel;
class WindowQuestions;

#ifdef QUILL_EXTENDED_MODE
inline constexpr bool kBuiltWithExtendedMode = true;
#else
inline constexpr bool kBuiltWithExtendedMode = false;
#endif

struct FormAppOptions {
  // Fixed for the run; a build option or --extended turns it on.
  bool extendedMode = kBuiltWithExtendedMode;
  // Where the settings file lives; empty for the per-user folder.
  std::string settingsFolder;
  // The program's arguments after its own name; the first names a file to load.
  QStringList arguments;
  // Listen for `quillmark-cli open`; socketPath empty for the per-user socket.
  bool listenForFiles = true;
  QString socketPath;
  // --log-level: 0 writes no log; 1 errors, 2 and warnings, 3 everything.
  int logLevel = 0;
};

// Takes every --extended out of the arguments and tells whether there was
// one (a file of that name is given as ./--extended).
bool TakeExtendedArgument(QStringList& arguments);

class TFormApp : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 1034;
  static constexpr int kDesignHeight = 692;

  explicit TFormApp(const FormAppOptions& options = {}, QWidget* parent = nullptr);
  ~TFormApp() override;

  // The parts.
  TListPanel& ListPanel() { return *listPanel_; }
  TListCommands& ListCommands() { return *listCommands_; }
  TListEditCommands& ListEdit() { return *listEdit_; }
  TFileCommands& Files() { return *files_; }
  TFtpCommands& Ftp() { return *ftp_; }
  TWebCommands& Web() { return *web_; }
  TSettingsBinder& SettingsBinder() { return binder_; }
  ConverterPanel& Converter() { return *converter_; }
  TToolCommands& Tools() { return *tools_; }
  TWindowLog& Log() { return log_; }
  // False when logging was asked for and the log file cannot be written.
  bool LogWritable() const { return logWritable_; }
  TUlkStatusBar& StatusBar() { return *statusBar_; }
  ListSession& Session() { return *session_; }
  ListViewState& ViewState() { return session_->View(); }
  const AppSettings& Settings() const { return binder_.Settings(); }
  const ProgramIdentity& Identity() const { return identity_; }
  bool ExtendedMode() const { return extendedMode_; }
  TFormSelectWpAddMode& DuplicateDialog();
  TFormEditItem& EditDialog() { return *editDialog_; }
  TMapCommands& Maps() { return *maps_; }
  HelpWindow* Help() const { return helpWindow_; }
  bool Listening() const;

  // Forwarded to the parts (paths in the file system's own bytes).
  bool LoadFile(const std::string& fileName);
  bool SaveFile(const std::string& fileName, int formatCode);
  void ActionFileLoadExecute();
  void ActionFileSaveExecute();
  // "Send to GPS…": the shown list to a receiver plugged in as a drive.
  QFileDialog& OpenDialog();
  WaypointListModel& Model();
  TListView& ListView();
  const TGpxRecord* SelectedRecord() const;
  int SelectedIndex() const;
  // Every selected row's record in display order (empty: nothing selected).
  std::vector<const TGpxRecord*> SelectedRecords() const;
  // The details pane beside the list (View > Details).
  TDetailsPane& Details() { return *details_; }
  void SetDetailsShown(bool shown);
  void SelectRow(int row);
  void FillListView();
  void DeleteSelected();
  void ActionColumn4Execute(int mode);
  void ActionColumn5Execute(int mode);
  void ListView1DblClick();
  // The edit dialog on a row; what it stored shows in the list, which is modified.
  void EditRow(int row);
  // PopupMenu1 and its "Sort" submenu; actions by their names (ActionSortName, ActionSearch, ...).
  QMenu* PopupMenu() const;
  QMenu* SortMenu() const;
  QAction* Action(const QString& name) const;
  // The Tools menu, where a tool window adds the action that opens it.
  QMenu* ToolsMenu() const { return menuTools_; }

  // Shell.
  void ActionExitExecute();
  void ActionHelpHelpExecute();

  // Questions go to this seam first when set (tests).
  void SetQuestionOverride(QuestionSeam* seam);
  // Where the histogram window stands; its position is kept at close.
  void SetHistogramWindow(QWidget* window) { histogramWindow_ = window; }

 signals:
  // A double click on a row (or Enter): the edit dialog opens on this row.
  void EditRequested(int row);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate(const FormAppOptions& options);
  void FormShow();
  void FormHide();
  void BuildMenus();
  // "Quillmark - NAME[*]": the current file and the modified mark.
  void UpdateTitle();
  void ConnectTools();
  void ConnectMap();
  void Listen(const QString& socketPath);

  bool extendedMode_;
  QStringList arguments_;
  ProgramIdentity identity_;
  TSettingsBinder binder_;

  // Destroyed by hand, parts first, so nothing reads the session after it is gone.
  TUlkStatusBar* statusBar_ = nullptr;
  std::unique_ptr<WindowQuestions> questions_;
  std::unique_ptr<ListSession> session_;
  ConverterPanel* converter_ = nullptr;
  TListPanel* listPanel_ = nullptr;
  TDetailsPane* details_ = nullptr;
  TListCommands* listCommands_ = nullptr;
  TListEditCommands* listEdit_ = nullptr;
  TFileCommands* files_ = nullptr;
  TFtpCommands* ftp_ = nullptr;
  TWebCommands* web_ = nullptr;
  // What the session opens goes to the desktop; a test sets another launcher.
  std::unique_ptr<Launcher> launcher_;
  HelpWindow* helpWindow_ = nullptr;
  OpenFileServer* openServer_ = nullptr;
  QWidget* histogramWindow_ = nullptr;
  QMenu* menuTools_ = nullptr;
  TToolCommands* tools_ = nullptr;
  TFormEditItem* editDialog_ = nullptr;
  TMapCommands* maps_ = nullptr;
  TWindowLog log_;
  bool logWritable_ = true;

  bool shown_ = false;
};

}  // namespace quill
