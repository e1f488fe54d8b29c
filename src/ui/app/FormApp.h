#pragma once
// TFormApp, the main window: the converter above, the waypoint list below.
// It owns the widgets and the settings and forwards to the list session, the
// converter and the list model; the logic lives in the core.
#include <QMainWindow>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>

#include "list/ListViewState.h"
#include "session/ListSession.h"
#include "settings/AppSettings.h"
#include "settings/UlkFileversionInfo.h"
#include "settings/UlkRegistry.h"

class QAction;
class QActionGroup;
class QFileDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace quill {

class ConverterPanel;
class HelpWindow;
class OpenFileServer;
class TFormNaam;
class TFormSelectWpAddMode;
class TListCommands;
class TListView;
class TUlkStatusBar;
class WaypointListModel;
class WindowQuestions;

#ifdef QUILL_EXTENDED_MODE
inline constexpr bool kBuiltWithExtendedMode = true;
#else
inline constexpr bool kBuiltWithExtendedMode = false;
#endif

struct FormAppOptions {
  // Fixed for the run; only a build option (or a test) turns it on.
  bool extendedMode = kBuiltWithExtendedMode;
  // Where the settings file lives; empty for the per-user folder.
  std::string settingsFolder;
  // The program's arguments after its own name; the first names a file to load.
  QStringList arguments;
  // Listen for `quillmark-cli open`; socketPath empty for the per-user socket.
  bool listenForFiles = true;
  QString socketPath;
};

class TFormApp : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 1034;
  static constexpr int kDesignHeight = 692;

  explicit TFormApp(const FormAppOptions& options = {}, QWidget* parent = nullptr);
  ~TFormApp() override;

  // Files (paths in the file system's own bytes).
  bool LoadFile(const std::string& fileName);
  bool SaveFile(const std::string& fileName, int formatCode);
  void ActionFileLoadExecute();
  void ActionFileSaveExecute();
  void ButtonLoadFavoriteClick();
  void ButtonSaveFavoriteClick();

  // The list.
  void FillListView();
  void RefreshCounters();
  void EnableListButtons(bool any, bool link, bool cacheData);
  void DeleteSelected();
  void ButtonDeleteAllClick();
  void ButtonArchiveClick();
  void ActionColumn4Execute(int mode);
  void ActionColumn5Execute(int mode);
  void ListView1ColumnClick(int column);
  void ListView1DblClick();
  bool ListView1KeyDown(QKeyEvent* event);
  // The selected row's record and position; nullptr and -1 when none.
  TGpxRecord* SelectedRecord() const;
  int SelectedIndex() const;
  // Selects and shows one row (-1 clears the selection).
  void SelectRow(int row);

  // The converter.
  void ButtonAddWpClick();
  void ShowResult(double lat, double lon, double h);
  void ClearResults();

  // Shell.
  void ActionExitExecute();
  void ActionHelpHelpExecute();
  void ActionAboutExecute();
  void ActionSetupExecute();

  ListSession& Session() { return *session_; }
  const AppSettings& Settings() const { return settings_; }
  AppSettings& MutableSettings() { return settings_; }
  ListViewState& ViewState() { return session_->View(); }
  TUlkRegistry& Registry() { return registry_; }
  const ProgramIdentity& Identity() const { return identity_; }
  bool ExtendedMode() const { return extendedMode_; }
  TUlkStatusBar& StatusBar() { return *statusBar_; }
  WaypointListModel& Model() { return *model_; }
  TListView& ListView() { return *listView_; }
  // Sort, search, filter, "Show All" and rename, with their dialogs.
  TListCommands& ListCommands() { return *listCommands_; }
  ConverterPanel& Converter() { return *converter_; }
  TFormSelectWpAddMode& DuplicateDialog() { return *duplicateDialog_; }
  TFormNaam& NaamDialog() { return *naamDialog_; }
  QFileDialog& OpenDialog() { return *openDialog_; }
  QFileDialog& SaveDialog() { return *saveDialog_; }
  HelpWindow* Help() const { return helpWindow_; }
  bool Listening() const;
  // The "Sort" submenu of PopupMenu1 and the actions by their names
  // (ActionSortName, ActionSearch, ActionFilter, ...).
  QMenu* SortMenu() const { return menuSort_; }
  QMenu* PopupMenu() const { return popupMenu_; }
  QAction* Action(const QString& name) const;
  // Questions go to this seam first when set (tests).
  void SetQuestionOverride(QuestionSeam* seam);
  // Where the histogram window stands; its position is kept at close.
  void SetHistogramWindow(QWidget* window) { histogramWindow_ = window; }

 signals:
  // A double click on a row: the edit dialog opens on this row.
  void EditRequested(int row);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate(const FormAppOptions& options);
  void FormShow();
  void FormHide();
  void BuildMenus();
  QWidget* BuildListGroup();
  void BuildPopupMenu();
  void ConnectSignals();
  void SetColumnMode(int column, int mode);
  void QueueLoads(const std::deque<std::string>& files);
  void RunQueuedLoads();
  void ShowProgress(std::uint64_t done, std::uint64_t total);

  bool extendedMode_;
  QStringList arguments_;
  TUlkFileversionInfo versionInfo_;
  ProgramIdentity identity_;
  TUlkRegistry registry_;
  AppSettings settings_;

  TUlkStatusBar* statusBar_ = nullptr;
  std::unique_ptr<WindowQuestions> questions_;
  std::unique_ptr<ListSession> session_;
  WaypointListModel* model_ = nullptr;
  TListView* listView_ = nullptr;
  TListCommands* listCommands_ = nullptr;
  ConverterPanel* converter_ = nullptr;
  TFormNaam* naamDialog_ = nullptr;
  TFormSelectWpAddMode* duplicateDialog_ = nullptr;
  QFileDialog* openDialog_ = nullptr;
  QFileDialog* saveDialog_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  OpenFileServer* openServer_ = nullptr;
  QWidget* histogramWindow_ = nullptr;

  QMenu* popupMenu_ = nullptr;
  QMenu* menuSort_ = nullptr;
  QActionGroup* column4Group_ = nullptr;
  QActionGroup* column5Group_ = nullptr;
  QLabel* labelRecordCount_ = nullptr;
  QLabel* labelFiltered_ = nullptr;
  QLabel* labelImportTime_ = nullptr;
  QLabel* labelVersion_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* buttonOpenFile_ = nullptr;
  QPushButton* buttonSaveFile_ = nullptr;
  QPushButton* buttonLoadFavorite_ = nullptr;
  QPushButton* buttonSaveFavorite_ = nullptr;
  QPushButton* buttonFtpLoad_ = nullptr;
  QPushButton* buttonFtpSave_ = nullptr;
  QPushButton* buttonDeleteAll_ = nullptr;
  QPushButton* buttonSort_ = nullptr;
  QPushButton* buttonFilter_ = nullptr;
  QPushButton* buttonShowAll_ = nullptr;
  QPushButton* buttonLaunch_ = nullptr;
  QPushButton* buttonLaunchLocal_ = nullptr;
  QPushButton* buttonGoogleEarth_ = nullptr;
  QPushButton* buttonArchive_ = nullptr;

  bool shown_ = false;
  bool busy_ = false;
  bool refreshSuspended_ = false;
  std::deque<std::string> queuedLoads_;
  qint64 lastProgressMs_ = 0;
};

}  // namespace quill
