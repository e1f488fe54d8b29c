// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/FormApp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "geo/Converter.h"
#include "quillmark/BuildVersion.h"
#include "session/OpenSocketPath.h"
#include "settings/UlkFileversionInfo.h"
#include "text/QtText.h"
#include "ui/app/ConverterPanel.h"
#include "ui/app/DesktopLauncher.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/OpenFileServer.h"
#include "ui/app/WebCommands.h"
#include "ui/app/WindowQuestions.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/DetailsPane.h"
#include "ui/list/FileCommands.h"
#include "ui/list/FormEditItem.h"
#include "ui/list/FtpCommands.h"
#include "ui/list/ListCommands.h"
#include "ui/list/ListEditCommands.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"
#include "ui/map/FormMap.h"
#include "ui/map/MapCommands.h"
#include "ui/tools/FormHistogram.h"
#include "ui/tools/GpsReceiver.h"
#include "ui/tools/ToolCommands.h"
#include "web/WebLaunch.h"
#include "web/WebLinks.h"

// Resources of a static library are registered by hand.
static void InitQuillResources() { Q_INIT_RESOURCE(quillmark); }

namespace quill {
namespace {

// The pane's first width, and whether it is shown (a setting of its own).
constexpr int kDetailsWidth = 330;

}  // namespace

bool TakeExtendedArgument(QStringList& arguments) {
  bool found = false;
  for (qsizetype i = 0; i < arguments.size();) {
    if (arguments[i] == "--extended") {
      arguments.remove(i);
      found = true;
    } else {
      ++i;
    }
  }
  return found;
}

TFormApp::TFormApp(const FormAppOptions& options, QWidget* parent)
    : QMainWindow(parent),
      extendedMode_(options.extendedMode),
      arguments_(options.arguments),
      binder_(options.settingsFolder) {
  InitQuillResources();
  setObjectName("FormApp");
  FormCreate(options);
}

TFormApp::~TFormApp() {
  // The parts and their widgets hold references into the session: they go
  // first, and nothing calls back into them afterwards.
  session_->onProgress = nullptr;
  session_->onSavePathChanged = nullptr;
  session_->onStateChanged = nullptr;
  delete maps_;
  delete tools_;
  delete ftp_;
  delete web_;
  delete files_;
  delete listEdit_;
  delete listCommands_;
  delete takeCentralWidget();
  session_.reset();
}

void TFormApp::FormCreate(const FormAppOptions& options) {
  // Identity; main() has already refused an incomplete table.
  TUlkFileversionInfo versionInfo;
  versionInfo.GetInfo();
  identity_ = IdentityFromVersionInfo(versionInfo);
  binder_.Read(identity_);

  statusBar_ = new TUlkStatusBar(this);
  setStatusBar(statusBar_);
  questions_ = std::make_unique<WindowQuestions>(this);
  session_ = std::make_unique<ListSession>(*statusBar_, *questions_);
  session_->Settings().internalName = identity_.internalName;
  launcher_ = std::make_unique<DesktopLauncher>(*statusBar_);
  session_->SetLauncher(launcher_.get());

  auto* central = new QWidget(this);
  central->setObjectName("CentralWidget");
  converter_ = new ConverterPanel(*statusBar_, central);
  listPanel_ = new TListPanel(*session_, central);
  details_ = new TDetailsPane(session_->Store(), &listPanel_->Model(), central);
  // The list keeps its room; the pane gives way down to its own minimum.
  auto* lower = new QSplitter(Qt::Horizontal, central);
  lower->setObjectName("SplitterDetails");
  lower->addWidget(listPanel_);
  lower->addWidget(details_);
  lower->setCollapsible(0, false);
  lower->setCollapsible(1, false);
  lower->setStretchFactor(0, 1);
  lower->setStretchFactor(1, 0);
  lower->setSizes({kDesignWidth - kDetailsWidth, kDetailsWidth});
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 2);
  layout->addWidget(converter_, 0);
  layout->addWidget(lower, 1);
  setCentralWidget(central);

  listCommands_ = new TListCommands(this, *session_, *listPanel_);
  listEdit_ = new TListEditCommands(this, *session_, *listPanel_);
  files_ = new TFileCommands(this, *session_, *statusBar_, binder_.Registry(), *listPanel_, extendedMode_);
  ftp_ = new TFtpCommands(this, *session_, *files_, *listPanel_, binder_.Settings());
  web_ = new TWebCommands(this, *session_, *listPanel_, *converter_, binder_.Settings());
  binder_.Bind(*session_, *listPanel_);

  connect(listPanel_, &TListPanel::PositionSelected, converter_,
          [this](double lat, double lon) { converter_->ShowResult(lat, lon, kDefaultHeight); });
  listEdit_->SetBusyCheck([this] { return files_->Busy(); });
  session_->onStateChanged = [this] {
    listEdit_->RefreshUndoActions();
    UpdateTitle();
  };
  editDialog_ = new TFormEditItem(*session_, this);
  editDialog_->CacheLink = [](std::string_view code) { return CacheShortLink(code); };
  editDialog_->ShowCacheInfo = [this](const TGpxRecord& record) {
    session_->Status().SetError(0, "");
    ShowCachePage(*session_, record);
  };
  connect(listPanel_, &TListPanel::EditRequested, this, [this](int row) {
    emit EditRequested(row);
    EditRow(row);
  });
  connect(listPanel_, &TListPanel::ListEmptied, converter_, &ConverterPanel::ClearResults);
  connect(listPanel_, &TListPanel::CurrentRecordChanged, details_, &TDetailsPane::ShowRecord);
  connect(listPanel_, &TListPanel::ListEmptied, details_, [this] { details_->ShowRecord(nullptr); });
  connect(details_, &TDetailsPane::CloseRequested, this, [this] { SetDetailsShown(false); });
  connect(details_, &TDetailsPane::LinkActivated, this, [this](const QUrl& url) {
    if (url.scheme() == "http" || url.scheme() == "https") session_->Launch().OpenUrl(url.toString().toStdString());
  });
  connect(converter_->ButtonAddWp(), &QPushButton::clicked, this, [this] {
    double lat = 0;
    double lon = 0;
    if (converter_->PositionToAdd(lat, lon)) listEdit_->AddToList(lat, lon);
  });

  ConnectMap();
  BuildMenus();
  ConnectTools();
  logWritable_ = log_.Start(options.logLevel, identity_);
  listPanel_->SetVersionText(AnsiToQString(VersionLabelText(identity_.fileVersion, build::kBuildDate)));
  setMinimumSize(kDesignWidth, kDesignHeight);
  resize(kDesignWidth, kDesignHeight);
  binder_.ApplySettings();
  const bool details = binder_.Settings().ShowDetails;
  details_->setVisible(details);
  Action("ActionViewDetails")->setChecked(details);
  if (options.listenForFiles) Listen(options.socketPath);
}

void TFormApp::SetDetailsShown(bool shown) {
  Action("ActionViewDetails")->setChecked(shown);
  if (shown == !details_->isHidden()) return;
  details_->setVisible(shown);
  if (shown) details_->ShowRecord(listPanel_->SelectedRecord());
  binder_.Settings().ShowDetails = shown;
  WriteSettings(binder_.Registry(), binder_.Settings(), SettingGroup::kDetailsPane);
}

void TFormApp::Listen(const QString& socketPath) {
  openServer_ = new OpenFileServer(this);
  QString path = socketPath.isEmpty() ? QFile::decodeName(QByteArray::fromStdString(OpenSocketPath())) : socketPath;
  // Only the first window listens; a second one simply does not.
  if (!openServer_->Listen(path) && !openServer_->Problem().empty()) {
    // Said once the start-up has cleared the status bar.
    QTimer::singleShot(0, this, [this] { statusBar_->SetError(1, openServer_->Problem()); });
  }
  connect(openServer_, &OpenFileServer::FileReceived, this, [this](const QByteArray& name) {
    raise();
    activateWindow();
    files_->QueueLoads({name.toStdString()});
  });
}

void TFormApp::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("MenuFile");
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->setObjectName("MenuEdit");
  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->setObjectName("MenuView");
  menuTools_ = menuBar()->addMenu(tr("&Tools"));
  menuTools_->setObjectName("MenuTools");
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName("MenuHelp");

  auto add = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence key, auto* target,
                    auto handler) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, target, handler);
    menu->addAction(a);
    addAction(a);
    return a;
  };
  add(file, "ActionFileLoad", tr("Load"), QKeySequence(), files_, &TFileCommands::ActionFileLoadExecute);
  add(file, "ActionFileSave", tr("Save"), QKeySequence(), files_, &TFileCommands::ActionFileSaveExecute);
  QAction* sendToGps =
      add(file, "ActionSendToGps", tr("Send to GPS…"), QKeySequence(), files_, &TFileCommands::ActionSendToGpsExecute);
  QAction* saveSelected = add(file, "ActionFileSaveSelected", tr("Save Selected…"), QKeySequence(), files_,
                              &TFileCommands::ActionFileSaveSelectedExecute);
  // Where a right click on picked rows looks for them too.
  PopupMenu()->addSeparator();
  PopupMenu()->addAction(saveSelected);
  PopupMenu()->addAction(sendToGps);
  file->addSeparator();
  add(file, "ActionExit", tr("Exit"), QKeySequence(Qt::ALT | Qt::Key_F4), this, &TFormApp::ActionExitExecute);
  for (QAction* a : {listEdit_->UndoAction(), listEdit_->RedoAction()}) {
    edit->addAction(a);
    addAction(a);
  }
  add(view, "ActionMap", tr("Map"), QKeySequence(Qt::CTRL | Qt::Key_M), maps_, &TMapCommands::ActionMapExecute);
  QAction* details =
      add(view, "ActionViewDetails", tr("Details"), QKeySequence(), this, [this](bool on) { SetDetailsShown(on); });
  details->setCheckable(true);
  tools_ = new TToolCommands(this, menuTools_,
                             ToolContext{binder_.Settings(), binder_.TxtExportMode, extendedMode_, identity_,
                                         *statusBar_, [this](const AppSettings& edited, int txtExportMode) {
                                           return binder_.StoreOptions(edited, txtExportMode);
                                         }});
  QAction* helpAction =
      add(help, "ActionHelpHelp", tr("Help"), QKeySequence(Qt::Key_F1), this, &TFormApp::ActionHelpHelpExecute);
  // The window sees F1 before its controls, whichever has the focus.
  helpAction->setShortcutContext(Qt::WindowShortcut);
  help->addAction(tools_->AboutAction());
  add(help, "ActionAboutQt", tr("About Qt"), QKeySequence(), qApp, &QApplication::aboutQt);
}

void TFormApp::ConnectTools() {
  SetHistogramWindow(&tools_->Histogram());
  TGpsReceiver* gps = &tools_->Gps();
  connect(gps, &TGpsReceiver::Fix, converter_, [this](double lat, double lon, bool hasAltitude, double altitude) {
    converter_->ShowResult(lat, lon, hasAltitude ? altitude : kDefaultHeight, hasAltitude);
  });
  connect(gps, &TGpsReceiver::Status, statusBar_,
          [this](int level, const QString& text) { statusBar_->SetError(level, QStringToAnsi(text)); });
  TFormMap* map = &maps_->MapWindow();
  connect(gps, &TGpsReceiver::Fix, map, [map](double lat, double lon, bool, double) {
    map->SetGpsFix(LatLon{lat, lon});
  });
  connect(gps, &TGpsReceiver::RunningChanged, map, [map](bool running) {
    if (!running) map->SetGpsFix(std::nullopt);
  });
  connect(gps, &TGpsReceiver::PortReport, this,
          [this](const QString& port, int line, int type, int level, const QString& text) {
            log_.SerialReport(port.toStdString(), line, type, level, text.toStdString());
          });
  connect(files_, &TFileCommands::FileDone, this,
          [this](bool save, const QByteArray& name, bool ok, qulonglong count, double seconds, const QString& reason) {
            log_.FileDone(save, name, ok, count, seconds, reason);
          });
  connect(ftp_, &TFtpCommands::Event, this,
          [this](bool error, const QString& text) { log_.FtpEvent(error, text.toStdString()); });
}

void TFormApp::ConnectMap() {
  MapWindowLinks links;
  links.rows = &listPanel_->Model();
  links.selection = listPanel_->ListView().selectionModel();
  links.selectedRow = [this] { return listPanel_->SelectedIndex(); };
  links.selectRow = [this](int row) { listPanel_->SelectRow(row); };
  links.editRow = [this](int row) { EditRow(row); };
  maps_ = new TMapCommands(this, *session_, std::move(links), binder_.Settings(), binder_.Registry());
  TFormMap* map = &maps_->MapWindow();
  binder_.OnApply([map](const AppSettings& s) { map->ApplySettings(s); });
  connect(converter_, &ConverterPanel::ResultChanged, map, [this, map] {
    map->SetConverterPosition(converter_->HasPosition() ? std::optional<LatLon>(LatLon{converter_->CurrentResultLat(),
                                                                                       converter_->CurrentResultLon()})
                                                        : std::nullopt);
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

void TFormApp::UpdateTitle() {
  // "Quillmark - caches.gpx*" for a modified list; Qt puts the mark in.
  QString title = AnsiToQString(identity_.internalName);
  if (!session_->CurrentFileName().empty()) {
    title += " - " + QFile::decodeName(QByteArray::fromStdString(session_->CurrentFileName()));
  }
  setWindowTitle(title + "[*]");
  setWindowModified(session_->ListModified());
}

void TFormApp::FormShow() {
  const AppSettings& s = binder_.Settings();
  UpdateTitle();
  converter_->Reset(s.NorthDefault, s.EastDefault);
  listPanel_->EnableListButtons(false, false, false);
  if (s.AppTop != 0 || s.AppLeft != 0) {
    QPoint topLeft(s.AppLeft, s.AppTop);
    // A position on a screen that is no longer there would hide the window.
    // The client area's place, as it was written: the frame's is not known
    // before the window manager has framed the window.
    if (QGuiApplication::screenAt(topLeft)) setGeometry(QRect(topLeft, size()));
  }
  if (histogramWindow_ && (s.HistTop != 0 || s.HistLeft != 0)) histogramWindow_->move(s.HistLeft, s.HistTop);
  converter_->SetExtendedMode(extendedMode_);
  listPanel_->SetExtendedMode(extendedMode_);
  if (!arguments_.isEmpty()) files_->QueueLoads({NativePath(arguments_.first())});
}

void TFormApp::closeEvent(QCloseEvent* event) {
  // A load runs nested event loops; the list must not go from under it.
  if (files_->Busy()) {
    event->ignore();
    return;
  }
  AppSettings& s = binder_.Settings();
  const QPoint hist = histogramWindow_ ? histogramWindow_->pos() : QPoint(s.HistLeft, s.HistTop);
  s.AppTop = geometry().y();
  s.AppLeft = geometry().x();
  s.HistTop = hist.y();
  s.HistLeft = hist.x();
  WriteSettings(binder_.Registry(), s, SettingGroup::kWindowPosition);
  if (s.WarnExit && session_->ListModified() &&
      !questions_->AskDestructive(
          "Exit without saving list", "Are you sure?",
          "Exit and lose the unsaved changes to " +
              (session_->CurrentFileName().empty() ? std::string("the list") : session_->CurrentFileName()) + " (" +
              WaypointCountText(session_->Store().size()) + ").")) {
    event->ignore();
    return;
  }
  // An open map closes with the window, and remembers where it was.
  if (maps_->MapWindow().isVisible()) maps_->MapWindow().close();
  event->accept();
  FormHide();
}

void TFormApp::FormHide() {
  ftp_->Cancel();
  files_->ClearQueue();
  session_->ReleaseList();
}

void TFormApp::ActionExitExecute() { close(); }

void TFormApp::ActionHelpHelpExecute() {
  if (!helpWindow_) helpWindow_ = new HelpWindow(this);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

// ---- forwarding ----

bool TFormApp::LoadFile(const std::string& fileName) { return files_->LoadFile(fileName); }
bool TFormApp::SaveFile(const std::string& fileName, int formatCode) { return files_->SaveFile(fileName, formatCode); }
void TFormApp::ActionFileLoadExecute() { files_->ActionFileLoadExecute(); }
void TFormApp::ActionFileSaveExecute() { files_->ActionFileSaveExecute(); }
QFileDialog& TFormApp::OpenDialog() { return files_->OpenDialog(); }
TFormSelectWpAddMode& TFormApp::DuplicateDialog() { return questions_->DuplicateDialog(); }
WaypointListModel& TFormApp::Model() { return listPanel_->Model(); }
TListView& TFormApp::ListView() { return listPanel_->ListView(); }
const TGpxRecord* TFormApp::SelectedRecord() const { return listPanel_->SelectedRecord(); }
int TFormApp::SelectedIndex() const { return listPanel_->SelectedIndex(); }
std::vector<const TGpxRecord*> TFormApp::SelectedRecords() const { return listPanel_->SelectedRecords(); }
void TFormApp::SelectRow(int row) { listPanel_->SelectRow(row); }
void TFormApp::FillListView() { listPanel_->FillListView(); }
void TFormApp::DeleteSelected() { listEdit_->DeleteSelected(); }
void TFormApp::ActionColumn4Execute(int mode) { listPanel_->SetColumnMode(4, mode); }
void TFormApp::ActionColumn5Execute(int mode) { listPanel_->SetColumnMode(5, mode); }
void TFormApp::ListView1DblClick() { listPanel_->ListView1DblClick(); }

void TFormApp::EditRow(int row) {
  TFormEditItem& dialog = *editDialog_;
  dialog.CurrentRow = row;
  // Whatever rows the dialog steps through, its stores are one undo step.
  session_->BeginEditGroup();
  dialog.exec();
  session_->EndEditGroup();
  if (!dialog.AnyStored) return;
  listPanel_->FillListView();
  listPanel_->SelectRow(dialog.CurrentRow);
  ListView().setFocus();
}
QMenu* TFormApp::PopupMenu() const { return listPanel_->PopupMenu(); }
QMenu* TFormApp::SortMenu() const { return listCommands_->SortMenu(); }

}  // namespace quill
