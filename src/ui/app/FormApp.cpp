#include "ui/app/FormApp.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "formats/FormatTable.h"
#include "list/ArchiveLine.h"
#include "list/ListColumns.h"
#include "quillmark/BuildVersion.h"
#include "session/OpenSocketPath.h"
#include "text/Ansi.h"
#include "text/QtText.h"
#include "ui/app/ConverterPanel.h"
#include "ui/app/FormNaam.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/OpenFileServer.h"
#include "ui/app/WindowQuestions.h"
#include "ui/components/DesignWidth.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormSelectWpAddMode.h"
#include "ui/list/ListCommands.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

// Resources of a static library are registered by hand.
static void InitQuillResources() { Q_INIT_RESOURCE(quillmark); }

namespace quill {
namespace {

// The hourglass for the length of a scope.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// Settings hold memory text; the file system wants its own bytes (UTF-8).
std::string PathFromSetting(const std::string& ansi) { return AnsiToUtf8(ansi); }
std::string SettingFromPath(const std::string& path) { return Utf8ToAnsi(path); }
std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString QPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// The menu order of the column modes.
constexpr int kColumnMenuModes[kColumnModeCount] = {0, 1, 2, 3, 5, 4, 6, 7, 9, 10, 8};
constexpr const char* kColumnMenuSuffix[kColumnModeCount] = {
    "Desc", "Cmt", "UrlName", "Timestamp", "DateFound", "DistHome", "PlacedBy", "Logs", "Country", "State", "Diffic"};

// The sort of a column mode, run by a click on its header.
constexpr const char* kSortForMode[kColumnModeCount] = {"ActionSortDesc",    "ActionSortCmt",  "ActionSortUrlName",
                                                        "ActionSortDate",    "ActionSortDist", "ActionSortDateFound",
                                                        "ActionSortHidden",  "ActionSortLogs", "ActionSortDiffic",
                                                        "ActionSortCountry", "ActionSortState"};

struct NamedAction {
  const char* name;
  const char* caption;
};

constexpr NamedAction kSortActions[] = {
    {"ActionSortName", "Sort by Name"},
    {"ActionSortGCName", "Sort by GC-Name"},
    {"ActionSortDate", "Sort by Date"},
    {"ActionSortDist", "Sort by Distance from home"},
    {"ActionSortNorth", "Sort by North coordinates"},
    {"ActionSortEast", "Sort by East coordinates"},
    {"ActionSortType", "Sort by Cache Type"},
    {"ActionSortHidden", "Sort by 'Placed by'"},
    {"ActionSortDateFound", "Sort by Date Found"},
    {"ActionSortDesc", "Sort by Description"},
    {"ActionSortCmt", "Sort by Comment"},
    {"ActionSortUrlName", "Sort by URL Name"},
    {"ActionSortLogs", "Sort by Logs"},
    {"ActionSortCountry", "Sort by Country"},
    {"ActionSortState", "Sort by State"},
    {"ActionSortDiffic", "Sort by Difficulty"},
};

struct SortMenuItem {
  const char* name;
  const char* action;
  const char* caption;  // nullptr: the action's caption
};

constexpr SortMenuItem kSortMenu[] = {
    {"MenuSortOnName", "ActionSortName", nullptr},
    {"MenuSortOnGCname", "ActionSortGCName", nullptr},
    {"MenuSortOnDate", "ActionSortDate", "Sort by Timestamp"},
    {"MenuSortOnDateFound", "ActionSortDateFound", nullptr},
    {"MenuSortOnDist", "ActionSortDist", nullptr},
    {"MenuSortOnNorth", "ActionSortNorth", nullptr},
    {"MenuSortOnEast", "ActionSortEast", nullptr},
    {"MenuSortOnCacheType", "ActionSortType", nullptr},
    {"MenuSortOnHiddenby", "ActionSortHidden", nullptr},
    {"MenuSortOnLogs", "ActionSortLogs", nullptr},
    {"MenuSortOnCountry", "ActionSortCountry", nullptr},
    {"MenuSortOnState", "ActionSortState", nullptr},
    {"MenuSortOnDiffic", "ActionSortDiffic", nullptr},
};

constexpr NamedAction kListActions[] = {
    {"ActionSearch", "Search"},
    {"ActionSearchNext", "Search Next"},
    {"ActionFilter", "Filter"},
    {"ActionRename", "Rename"},
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint = nullptr) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (hint) b->setToolTip(hint);
  b->setAutoDefault(false);
  return b;
}

// "GPX files|*.gpx|LOC files|*.loc" as the dialog's "GPX files (*.gpx)" entries.
QStringList DialogFilters(std::string_view filter, bool withUpperCase) {
  QStringList parts = AnsiToQString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';');
    // File names on this system are case-sensitive; the extensions are not.
    if (withUpperCase) {
      for (const QString& p : QStringList(patterns)) patterns << p.toUpper();
    }
    entries << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return entries;
}

}  // namespace

TFormApp::TFormApp(const FormAppOptions& options, QWidget* parent)
    : QMainWindow(parent),
      extendedMode_(options.extendedMode),
      arguments_(options.arguments),
      registry_(options.settingsFolder) {
  InitQuillResources();
  setObjectName("FormApp");
  FormCreate(options);
}

TFormApp::~TFormApp() {
  // The view must let go of the rows before the records go.
  if (model_) {
    listView_->setModel(nullptr);
  }
}

void TFormApp::FormCreate(const FormAppOptions& options) {
  // Identity; main() has already refused an incomplete table.
  versionInfo_.GetInfo();
  identity_ = IdentityFromVersionInfo(versionInfo_);

  registry_.Init(RegistryRoot::kLocalMachine, "Software", identity_.companyName, identity_.fileDescription);
  settings_ = ReadAppSettings(registry_);

  statusBar_ = new TUlkStatusBar(this);
  setStatusBar(statusBar_);
  progress_ = new QProgressBar(statusBar_);
  progress_->setObjectName("ProgressLoad");
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(200);
  progress_->setMaximumHeight(statusBar_->fontMetrics().height() + 2);
  progress_->hide();
  statusBar_->addPermanentWidget(progress_);

  // The dialogs live for the whole run.
  naamDialog_ = new TFormNaam(this);
  listCommands_ = new TListCommands(*this);
  duplicateDialog_ = new TFormSelectWpAddMode(this);
  questions_ = std::make_unique<WindowQuestions>(this, *duplicateDialog_);
  session_ = std::make_unique<ListSession>(*statusBar_, *questions_);
  SessionSettings& ss = session_->Settings();
  ss.includeGroundspeak = settings_.IncludeGroudspeak;
  ss.noCheckWhenEmpty = settings_.NoCheckWhenEmpty;
  ss.favoriteFile = PathFromSetting(settings_.FavoriteFile);
  ss.warnSaveFav = settings_.WarnSaveFav;
  ss.savePathGpx = PathFromSetting(ReadSavePath(registry_));
  ss.txtExportMode = 0;
  ss.internalName = identity_.internalName;
  session_->SetHome(settings_.HomeCoords);
  session_->onListRebuilt = [this] { FillListView(); };
  session_->onSavePathChanged = [this](const std::string& folder) {
    registry_.WriteString(kSettingsSection, "SavePathGPX", SettingFromPath(folder));
  };
  session_->onProgress = [this](std::uint64_t done, std::uint64_t total) { ShowProgress(done, total); };

  converter_ = new ConverterPanel(*statusBar_, this);
  auto* central = new QWidget(this);
  central->setObjectName("CentralWidget");
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 2);
  layout->addWidget(converter_, 0);
  layout->addWidget(BuildListGroup(), 1);
  setCentralWidget(central);
  BuildMenus();
  BuildPopupMenu();

  openDialog_ = new QFileDialog(this);
  openDialog_->setObjectName("OpenDialog");
  openDialog_->setOption(QFileDialog::DontUseNativeDialog);
  saveDialog_ = new QFileDialog(this);
  saveDialog_->setObjectName("SaveDialog");
  saveDialog_->setOption(QFileDialog::DontUseNativeDialog);
  saveDialog_->setAcceptMode(QFileDialog::AcceptSave);

  labelVersion_->setText(AnsiToQString(VersionLabelText(identity_.fileVersion, build::kBuildDate)));
  setMinimumSize(kDesignWidth, kDesignHeight);
  resize(kDesignWidth, kDesignHeight);

  ConnectSignals();
  listCommands_->Connect();

  if (options.listenForFiles) {
    openServer_ = new OpenFileServer(this);
    QString path = options.socketPath.isEmpty() ? QPath(OpenSocketPath()) : options.socketPath;
    // Only the first window listens; a second one simply does not.
    openServer_->Listen(path);
    connect(openServer_, &OpenFileServer::FileReceived, this, [this](const QByteArray& name) {
      raise();
      activateWindow();
      QueueLoads({name.toStdString()});
    });
  }
}

void TFormApp::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("MenuFile");
  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->setObjectName("MenuTools");
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("MenuHelp");

  auto add = [this](QMenu* menu, const char* name, const char* caption, QKeySequence key, auto handler) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, handler);
    menu->addAction(a);
    addAction(a);
    return a;
  };
  add(file, "ActionFileLoad", "Load", QKeySequence(), &TFormApp::ActionFileLoadExecute);
  add(file, "ActionFileSave", "Save", QKeySequence(), &TFormApp::ActionFileSaveExecute);
  file->addSeparator();
  add(file, "ActionExit", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4), &TFormApp::ActionExitExecute);
  add(tools, "ActionSetup", "Options", QKeySequence(), &TFormApp::ActionSetupExecute);
  QAction* helpAction = add(help, "ActionHelpHelp", "Help", QKeySequence(Qt::Key_F1), &TFormApp::ActionHelpHelpExecute);
  // The window sees F1 before its controls, whichever has the focus.
  helpAction->setShortcutContext(Qt::WindowShortcut);
  add(help, "ActionAbout", "About", QKeySequence(), &TFormApp::ActionAboutExecute);
}

QWidget* TFormApp::BuildListGroup() {
  auto* box = new QGroupBox(" Waypoint List ", this);
  box->setObjectName("GroupBoxWaypointLijst");

  listView_ = new TListView(box);
  model_ = new WaypointListModel(session_->Store().ShownWaypoints(), session_->View(), this);
  listView_->setModel(model_);
  const int widths[kListColumnCount] = {265, 90, 90, 300, 90};
  for (int c = 0; c < kListColumnCount; ++c) listView_->header()->resizeSection(c, widths[c]);

  auto* record = new QLabel("Record", box);
  record->setObjectName("LabelRecord");
  labelRecordCount_ = new QLabel("(0)", box);
  labelRecordCount_->setObjectName("LabelRecordCount");
  labelFiltered_ = new QLabel("(Filtered)", box);
  labelFiltered_->setObjectName("LabelFiltered");
  {
    QPalette pal = labelFiltered_->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    labelFiltered_->setPalette(pal);
    QFont f = labelFiltered_->font();
    f.setBold(true);
    labelFiltered_->setFont(f);
  }
  labelFiltered_->hide();
  labelImportTime_ = new QLabel(box);
  labelImportTime_->setObjectName("LabelImportTime");
  labelVersion_ = new QLabel(box);
  labelVersion_->setObjectName("LabelVersion");

  auto* below = new QHBoxLayout;
  below->addWidget(record);
  below->addWidget(labelRecordCount_);
  below->addWidget(labelFiltered_);
  below->addStretch(1);
  below->addWidget(labelImportTime_);
  below->addSpacing(12);
  below->addWidget(labelVersion_);

  buttonOpenFile_ = MakeButton(box, "ButtonOpenFile", "Load", "Load waypoint files");
  buttonLoadFavorite_ = MakeButton(box, "ButtonLoadFavorite", "Fav");
  buttonFtpLoad_ = MakeButton(box, "ButtonFtpLoad", "Ftp");
  buttonSaveFile_ = MakeButton(box, "ButtonSaveFile", "Save", "Save the waypoint list");
  buttonSaveFavorite_ = MakeButton(box, "ButtonSaveFavorite", "Fav");
  buttonFtpSave_ = MakeButton(box, "ButtonFtpSave", "Ftp");
  buttonDeleteAll_ = MakeButton(box, "ButtonDeleteAll", "Clear List");
  buttonSort_ = MakeButton(box, "ButtonSort", "Sort by Name", "Sort the waypoint list");
  buttonFilter_ = MakeButton(box, "ButtonFilter", "Filter");
  buttonShowAll_ =
      MakeButton(box, "ButtonShowAll", "Show All", "Show the entire waypoint list. This cancels any filtering.");
  buttonLaunch_ = MakeButton(box, "ButtonLaunch", "Web Link", "Open the cache's page on the web site");
  buttonLaunchLocal_ = MakeButton(box, "ButtonLaunchLocal", "Local", "Open webpage from local GPX data.");
  buttonGoogleEarth_ = MakeButton(box, "ButtonGoogleEarth", "Google Earth", "Show waypoints on Google Earth");
  buttonArchive_ = MakeButton(box, "ButtonArchive", "Archive Waypoint");

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  auto* loadRow = new QHBoxLayout;
  loadRow->setSpacing(0);
  loadRow->addWidget(buttonOpenFile_);
  loadRow->addWidget(buttonLoadFavorite_);
  loadRow->addWidget(buttonFtpLoad_);
  loadRow->addStretch(1);
  auto* saveRow = new QHBoxLayout;
  saveRow->setSpacing(0);
  saveRow->addWidget(buttonSaveFile_);
  saveRow->addWidget(buttonSaveFavorite_);
  saveRow->addWidget(buttonFtpSave_);
  saveRow->addStretch(1);
  buttons->addLayout(loadRow);
  buttons->addLayout(saveRow);
  buttons->addSpacing(8);
  for (QPushButton* b : {buttonDeleteAll_, buttonSort_, buttonFilter_, buttonShowAll_}) buttons->addWidget(b);
  buttons->addSpacing(8);
  for (QPushButton* b : {buttonLaunch_, buttonLaunchLocal_, buttonGoogleEarth_}) buttons->addWidget(b);
  buttons->addSpacing(8);
  buttons->addWidget(buttonArchive_);
  buttons->addStretch(1);

  auto* listAndLabels = new QVBoxLayout;
  listAndLabels->addWidget(listView_, 1);
  listAndLabels->addLayout(below);

  auto* layout = new QHBoxLayout(box);
  layout->addLayout(listAndLabels, 1);
  layout->addLayout(buttons, 0);
  return box;
}

void TFormApp::BuildPopupMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu1");

  for (const NamedAction& a : kSortActions) {
    auto* action = new QAction(a.caption, this);
    action->setObjectName(a.name);
    addAction(action);
  }
  for (const NamedAction& a : kListActions) {
    auto* action = new QAction(a.caption, this);
    action->setObjectName(a.name);
    addAction(action);
  }

  menuSort_ = popupMenu_->addMenu("Sort");
  menuSort_->setObjectName("MenuSort");
  for (const SortMenuItem& item : kSortMenu) {
    QAction* target = Action(item.action);
    auto* entry = new QAction(item.caption ? QString(item.caption) : target->text(), menuSort_);
    entry->setObjectName(item.name);
    connect(entry, &QAction::triggered, target, &QAction::trigger);
    menuSort_->addAction(entry);
  }

  for (int column = 4; column <= 5; ++column) {
    QMenu* sub = popupMenu_->addMenu(column == 4 ? "4th Column" : "5th Column");
    sub->setObjectName(column == 4 ? "MenuColumn4" : "MenuColumn5");
    auto* group = new QActionGroup(sub);
    group->setExclusive(true);
    for (int i = 0; i < kColumnModeCount; ++i) {
      int mode = kColumnMenuModes[i];
      auto* item = new QAction(AnsiToQString(ColumnModeCaption(mode)), group);
      item->setObjectName(QString("MenuColumn%1%2").arg(column).arg(kColumnMenuSuffix[i]));
      item->setCheckable(true);
      item->setData(mode);
      sub->addAction(item);
      connect(item, &QAction::triggered, this, [this, column, mode] {
        if (column == 4) {
          ActionColumn4Execute(mode);
        } else {
          ActionColumn5Execute(mode);
        }
      });
    }
    (column == 4 ? column4Group_ : column5Group_) = group;
  }
  findChild<QAction*>("MenuColumn4Desc")->setChecked(true);
  findChild<QAction*>("MenuColumn5Timestamp")->setChecked(true);

  auto* rename = new QAction("Rename Waypoints", popupMenu_);
  rename->setObjectName("MenuRename");
  connect(rename, &QAction::triggered, Action("ActionRename"), &QAction::trigger);
  popupMenu_->addAction(rename);
  auto* filter = new QAction("Filter Waypoints", popupMenu_);
  filter->setObjectName("MenuFilter");
  connect(filter, &QAction::triggered, Action("ActionFilter"), &QAction::trigger);
  popupMenu_->addAction(filter);
}

void TFormApp::ConnectSignals() {
  connect(buttonOpenFile_, &QPushButton::clicked, this, &TFormApp::ActionFileLoadExecute);
  connect(buttonSaveFile_, &QPushButton::clicked, this, &TFormApp::ActionFileSaveExecute);
  connect(buttonLoadFavorite_, &QPushButton::clicked, this, &TFormApp::ButtonLoadFavoriteClick);
  connect(buttonSaveFavorite_, &QPushButton::clicked, this, &TFormApp::ButtonSaveFavoriteClick);
  connect(buttonDeleteAll_, &QPushButton::clicked, this, &TFormApp::ButtonDeleteAllClick);
  connect(buttonArchive_, &QPushButton::clicked, this, &TFormApp::ButtonArchiveClick);
  connect(buttonSort_, &QPushButton::clicked, Action("ActionSortName"), &QAction::trigger);
  connect(buttonFilter_, &QPushButton::clicked, Action("ActionFilter"), &QAction::trigger);
  connect(converter_->ButtonAddWp(), &QPushButton::clicked, this, &TFormApp::ButtonAddWpClick);

  connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { RefreshCounters(); });
  connect(listView_->header(), &QHeaderView::sectionClicked, this, &TFormApp::ListView1ColumnClick);
  connect(listView_, &QAbstractItemView::doubleClicked, this, [this] { ListView1DblClick(); });
  connect(listView_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popupMenu_->popup(listView_->viewport()->mapToGlobal(pos)); });
  listView_->onKeyDown = [this](QKeyEvent* e) { return ListView1KeyDown(e); };
  connect(listView_, &TListView::FilesDropped, this, [this](const QStringList& files) {
    std::deque<std::string> names;
    for (const QString& f : files) names.push_back(NativePath(f));
    QueueLoads(names);
  });
}

QAction* TFormApp::Action(const QString& name) const { return findChild<QAction*>(name); }

void TFormApp::SetQuestionOverride(QuestionSeam* seam) { questions_->SetOverride(seam); }

bool TFormApp::Listening() const { return openServer_ && openServer_->Listening(); }

// ---- show, close ----

void TFormApp::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
  QMainWindow::showEvent(event);
}

void TFormApp::FormShow() {
  setWindowTitle(AnsiToQString(identity_.internalName));
  converter_->Reset(settings_.NorthDefault, settings_.EastDefault);
  bool favorite = !settings_.FavoriteFile.empty();
  buttonLoadFavorite_->setEnabled(favorite);
  buttonSaveFavorite_->setEnabled(favorite);
  EnableListButtons(false, false, false);

  if (settings_.AppTop != 0 || settings_.AppLeft != 0) {
    QPoint topLeft(settings_.AppLeft, settings_.AppTop);
    // A position on a screen that is no longer there would hide the window.
    if (QGuiApplication::screenAt(topLeft)) move(topLeft);
  }
  if (histogramWindow_ && (settings_.HistTop != 0 || settings_.HistLeft != 0)) {
    histogramWindow_->move(settings_.HistLeft, settings_.HistTop);
  }

  bool ext = extendedMode_;
  converter_->SetExtendedMode(ext);
  for (QWidget* w : {static_cast<QWidget*>(buttonLoadFavorite_), static_cast<QWidget*>(buttonSaveFavorite_),
                     static_cast<QWidget*>(buttonFtpLoad_), static_cast<QWidget*>(buttonFtpSave_),
                     static_cast<QWidget*>(buttonArchive_), static_cast<QWidget*>(labelImportTime_)}) {
    w->setVisible(ext);
  }
  SetDesignWidth(buttonOpenFile_, ext ? 49 : 97);
  SetDesignWidth(buttonSaveFile_, ext ? 49 : 97);
  if (ext) {
    for (QPushButton* b : {buttonLoadFavorite_, buttonFtpLoad_, buttonSaveFavorite_, buttonFtpSave_}) {
      SetDesignWidth(b, 48);
    }
  }

  if (!arguments_.isEmpty()) QueueLoads({NativePath(arguments_.first())});
}

void TFormApp::closeEvent(QCloseEvent* event) {
  // A load runs nested event loops; the list must not go from under it.
  if (busy_) {
    event->ignore();
    return;
  }
  QPoint hist = histogramWindow_ ? histogramWindow_->pos() : QPoint(settings_.HistLeft, settings_.HistTop);
  WriteWindowPositions(registry_, y(), x(), hist.y(), hist.x());
  if (settings_.WarnExit && session_->ListModified() &&
      !questions_->AskYesNo("Exit without saving list", "Are you sure?")) {
    event->ignore();
    return;
  }
  event->accept();
  FormHide();
}

void TFormApp::FormHide() {
  queuedLoads_.clear();
  model_->Detach();
  session_->Store().Clear();
}

void TFormApp::ActionExitExecute() { close(); }

void TFormApp::ActionHelpHelpExecute() {
  if (!helpWindow_) helpWindow_ = new HelpWindow(this);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void TFormApp::ActionAboutExecute() {}

void TFormApp::ActionSetupExecute() {}

// ---- files ----

void TFormApp::ShowProgress(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return;
  qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now - lastProgressMs_ < 100) return;
  lastProgressMs_ = now;
  progress_->show();
  progress_->setValue(static_cast<int>(done * 100 / total));
  // Paint, but take no clicks or keys: the list is being built.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TFormApp::LoadFile(const std::string& fileName) {
  if (busy_) {
    queuedLoads_.push_back(fileName);
    return false;
  }
  busy_ = true;
  bool ok;
  {
    WaitCursor wait;
    lastProgressMs_ = QDateTime::currentMSecsSinceEpoch();
    ok = session_->LoadFile(fileName);
    progress_->hide();
  }
  labelImportTime_->setText(QString::number(session_->LastImportSeconds()));
  busy_ = false;
  if (!queuedLoads_.empty()) QTimer::singleShot(0, this, &TFormApp::RunQueuedLoads);
  return ok;
}

void TFormApp::QueueLoads(const std::deque<std::string>& files) {
  queuedLoads_.insert(queuedLoads_.end(), files.begin(), files.end());
  // Later, from the event loop: a drop or a socket read must return before a
  // load asks its questions.
  QTimer::singleShot(0, this, &TFormApp::RunQueuedLoads);
}

void TFormApp::RunQueuedLoads() {
  while (!busy_ && !queuedLoads_.empty()) {
    std::string next = queuedLoads_.front();
    queuedLoads_.pop_front();
    LoadFile(next);
  }
}

bool TFormApp::SaveFile(const std::string& fileName, int formatCode) {
  if (busy_) return false;
  busy_ = true;
  bool ok;
  {
    WaitCursor wait;
    ok = session_->SaveFile(fileName, formatCode);
  }
  busy_ = false;
  return ok;
}

void TFormApp::ActionFileLoadExecute() {
  statusBar_->SetError(0, "");
  openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialog_->setFileMode(QFileDialog::ExistingFiles);
  openDialog_->setNameFilters(DialogFilters(kLoadDialogFilter, true));
  openDialog_->setDirectory(QPath(PathFromSetting(ReadSavePath(registry_))));
  openDialog_->selectFile(QString());
  if (openDialog_->exec() != QDialog::Accepted) return;
  std::deque<std::string> names;
  for (const QString& f : openDialog_->selectedFiles()) names.push_back(NativePath(f));
  openDialog_->setFileMode(QFileDialog::ExistingFile);
  for (const std::string& name : names) LoadFile(name);
}

void TFormApp::ActionFileSaveExecute() {
  statusBar_->SetError(0, "");
  QStringList filters = DialogFilters(SaveDialogFilter(extendedMode_), false);
  int index = FilterIndexForFileName(session_->CurrentFileName());
  if (index < 1 || index > filters.size()) index = 1;
  saveDialog_->setNameFilters(filters);
  saveDialog_->selectNameFilter(filters[index - 1]);
  saveDialog_->setDirectory(QPath(PathFromSetting(ReadSavePath(registry_))));
  saveDialog_->selectFile(QPath(ProposedSaveName(session_->CurrentFileName())));
  if (saveDialog_->exec() != QDialog::Accepted) return;
  QStringList chosen = saveDialog_->selectedFiles();
  if (chosen.isEmpty()) return;
  int code = FormatCodeForFilterIndex(static_cast<int>(filters.indexOf(saveDialog_->selectedNameFilter())) + 1);
  if (code < 0) return;
  SaveFile(SaveNameForFormat(NativePath(chosen.first()), code), code);
}

void TFormApp::ButtonLoadFavoriteClick() {
  statusBar_->SetError(0, "");
  if (busy_) return;
  busy_ = true;
  {
    WaitCursor wait;
    session_->LoadFavorite();
  }
  busy_ = false;
}

void TFormApp::ButtonSaveFavoriteClick() {
  statusBar_->SetError(0, "");
  if (busy_) return;
  busy_ = true;
  session_->SaveFavorite();
  busy_ = false;
}

// ---- the list ----

TGpxRecord* TFormApp::SelectedRecord() const {
  QModelIndexList rows = listView_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return nullptr;
  return model_->RecordAt(rows.first().row());
}

int TFormApp::SelectedIndex() const { return model_->RowOf(SelectedRecord()); }

void TFormApp::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    listView_->selectionModel()->clearSelection();
    return;
  }
  QModelIndex index = model_->index(row, 0);
  listView_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  listView_->scrollTo(index);
}

void TFormApp::FillListView() {
  TGpxRecord* remembered = SelectedRecord();
  model_->Rebuild();
  int row = model_->RowOf(remembered);
  if (row >= 0) {
    bool suspended = refreshSuspended_;
    refreshSuspended_ = true;
    SelectRow(row);
    refreshSuspended_ = suspended;
  }
  RefreshCounters();
}

void TFormApp::RefreshCounters() {
  if (refreshSuspended_) return;
  bool any = !session_->Store().ShownWaypoints().empty();
  TGpxRecord* record = SelectedRecord();
  int rows = model_->rowCount();
  bool link = false;
  bool cacheData = false;
  if (record) {
    link = !record->Url.empty();
    cacheData = !record->GroundspeakXml.empty();
    labelRecordCount_->setText(QString("%1 (%2)").arg(SelectedIndex() + 1).arg(rows));
    ShowResult(record->Lat, record->Lon, kDefaultHeight);
  } else {
    labelRecordCount_->setText(QString("(%1)").arg(rows));
  }
  labelFiltered_->setVisible(session_->View().FilterMode != 0);
  EnableListButtons(any, link, cacheData);
}

void TFormApp::EnableListButtons(bool any, bool link, bool cacheData) {
  buttonLaunch_->setEnabled(link);
  buttonLaunchLocal_->setEnabled(cacheData);
  for (QPushButton* b : {buttonGoogleEarth_, buttonArchive_, buttonDeleteAll_, buttonSort_, buttonFilter_}) {
    b->setEnabled(any);
  }
}

void TFormApp::DeleteSelected() {
  TGpxRecord* record = SelectedRecord();
  if (!record) return;
  int index = SelectedIndex();
  if (settings_.WarnDel && !questions_->AskYesNo("Delete waypoint", "Are you sure?")) return;
  refreshSuspended_ = true;
  model_->BeginRemoveRow(index);
  session_->Store().DeleteWaypoints({record});
  model_->EndRemoveRow();
  int rows = model_->rowCount();
  if (index >= rows) index = rows - 1;
  if (!session_->Store().ShownWaypoints().empty()) {
    SelectRow(index);
  } else {
    ClearResults();
    EnableListButtons(false, false, false);
  }
  session_->SetListModified(true);
  refreshSuspended_ = false;
  RefreshCounters();
}

void TFormApp::ButtonDeleteAllClick() {
  statusBar_->SetError(0, "");
  if (!questions_->AskYesNo("Clear the list", "Are you sure?")) return;
  WaitCursor wait;
  session_->SetListModified(false);
  model_->Detach();
  session_->Store().Clear();
  labelRecordCount_->setText("(0)");
  labelFiltered_->hide();
  session_->View().FilterMode = 0;
  session_->SetCurrentFileName("");
  FillListView();
  ClearResults();
  EnableListButtons(false, false, false);
}

void TFormApp::ButtonArchiveClick() {
  TGpxRecord* record = SelectedRecord();
  ArchiveResult result = AppendArchiveLine(PathFromSetting(settings_.ArchiveFile), record);
  if (result == ArchiveResult::kOpenFailed) {
    statusBar_->SetError(2, "Error opening file");
    return;
  }
  statusBar_->SetError(0, "");
  // A line that did not reach the file must not cost the waypoint.
  if (result == ArchiveResult::kWriteFailed) {
    statusBar_->SetError(2, "Error saving file");
    return;
  }
  if (record) DeleteSelected();
  statusBar_->SetError(0, "");
  statusBar_->FlashError(0, "Done!");
}

void TFormApp::SetColumnMode(int column, int mode) {
  if (mode < 0 || mode >= kColumnModeCount) return;
  (column == 4 ? session_->View().Column4Mode : session_->View().Column5Mode) = mode;
  QActionGroup* group = column == 4 ? column4Group_ : column5Group_;
  for (QAction* a : group->actions()) {
    if (a->data().toInt() == mode) a->setChecked(true);
  }
  QString caption = AnsiToQString(ColumnModeCaption(mode));
  caption.remove('&');
  model_->setHeaderData(column - 1, Qt::Horizontal, caption, Qt::DisplayRole);
  FillListView();
}

void TFormApp::ActionColumn4Execute(int mode) { SetColumnMode(4, mode); }

void TFormApp::ActionColumn5Execute(int mode) { SetColumnMode(5, mode); }

void TFormApp::ListView1ColumnClick(int column) {
  const char* action = nullptr;
  switch (column) {
    case 0:
      action = "ActionSortName";
      break;
    case 1:
      action = "ActionSortNorth";
      break;
    case 2:
      action = "ActionSortEast";
      break;
    case 3:
      action = kSortForMode[session_->View().Column4Mode];
      break;
    case 4:
      action = kSortForMode[session_->View().Column5Mode];
      break;
    default:
      return;
  }
  if (QAction* a = Action(action)) a->trigger();
}

void TFormApp::ListView1DblClick() {
  statusBar_->SetError(0, "");
  int index = SelectedIndex();
  if (index < 0) return;
  emit EditRequested(index);
}

bool TFormApp::ListView1KeyDown(QKeyEvent* event) {
  Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
    statusBar_->SetError(0, "");
    if (SelectedRecord()) DeleteSelected();
    return true;
  }
  if (event->key() == Qt::Key_F && mods == Qt::ControlModifier) {
    Action("ActionSearch")->trigger();
    return true;
  }
  if (event->key() == Qt::Key_F3 && mods == Qt::NoModifier) {
    Action("ActionSearchNext")->trigger();
    return true;
  }
  if (event->key() == Qt::Key_N && mods == Qt::ControlModifier) {
    ActionColumn4Execute(session_->View().Column4Mode >= kColumnModeCount - 1 ? 0 : session_->View().Column4Mode + 1);
    return true;
  }
  return false;
}

// ---- the converter ----

void TFormApp::ShowResult(double lat, double lon, double h) { converter_->ShowResult(lat, lon, h); }

void TFormApp::ClearResults() { converter_->ClearResults(); }

void TFormApp::ButtonAddWpClick() {
  statusBar_->SetError(0, "");
  TGpxRecord* selected = SelectedRecord();
  naamDialog_->NameText = selected ? selected->Name : std::string();
  if (naamDialog_->exec() != QDialog::Accepted) return;
  if (naamDialog_->NameText.empty()) {
    statusBar_->FlashError(2, "Invalid name");
    return;
  }
  WaypointStore& store = session_->Store();
  store.SetDuplicateMode(kDuplicateAsk);
  store.AddWaypointSimple(converter_->CurrentResultLat(), converter_->CurrentResultLon(), naamDialog_->NameText);
  session_->SetListModified(true);
  FillListView();
}

}  // namespace quill
