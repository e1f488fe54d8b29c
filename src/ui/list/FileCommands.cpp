// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FileCommands.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "formats/FormatTable.h"
#include "session/ListSession.h"
#include "settings/AppSettings.h"
#include "text/Ansi.h"
#include "text/QtText.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/components/WaitCursor.h"
#include "ui/list/FormSendToGps.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"
#include "ui/list/SaveFileDialog.h"

namespace quill {

TFileCommands::BusyGuard::BusyGuard(TFileCommands& files) : files_(files) { files_.busy_ = true; }

TFileCommands::BusyGuard::~BusyGuard() {
  files_.busy_ = false;
  if (!files_.queuedLoads_.empty()) files_.ScheduleQueue();
}

TFileCommands::TFileCommands(QWidget* dialogParent, ListSession& session, TUlkStatusBar& statusBar,
                             const TUlkRegistry& registry, TListPanel& panel, bool withKml)
    : QObject(dialogParent),
      dialogParent_(dialogParent),
      session_(session),
      statusBar_(statusBar),
      registry_(registry),
      panel_(panel),
      withKml_(withKml) {
  setObjectName("FileCommands");
  openDialog_ = new QFileDialog(dialogParent);
  openDialog_->setObjectName("OpenDialog");
  openDialog_->setOption(QFileDialog::DontUseNativeDialog);
  saveDialog_ = new TSaveFileDialog(dialogParent);

  progress_ = new QProgressBar(&statusBar_);
  progress_->setObjectName("ProgressLoad");
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(200);
  progress_->setMaximumHeight(statusBar_.fontMetrics().height() + 2);
  progress_->hide();
  statusBar_.addPermanentWidget(progress_);
  session_.onProgress = [this](std::uint64_t done, std::uint64_t total) { ShowProgress(done, total); };

  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.openFile, &QPushButton::clicked, this, &TFileCommands::ActionFileLoadExecute);
  connect(b.saveFile, &QPushButton::clicked, this, &TFileCommands::ActionFileSaveExecute);
  connect(b.loadFavorite, &QPushButton::clicked, this, &TFileCommands::ButtonLoadFavoriteClick);
  connect(b.saveFavorite, &QPushButton::clicked, this, &TFileCommands::ButtonSaveFavoriteClick);
  connect(&panel_.ListView(), &TListView::FilesDropped, this, [this](const QStringList& files) {
    std::deque<std::string> names;
    for (const QString& f : files) names.push_back(NativePath(f));
    QueueLoads(names);
  });
}

TFileCommands::~TFileCommands() {
  ClearQueue();
  delete openDialog_.data();
  delete saveDialog_.data();
}

QFileDialog& TFileCommands::OpenDialog() { return *openDialog_; }

QFileDialog& TFileCommands::SaveDialog() { return *saveDialog_; }

void TFileCommands::ShowProgress(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return;
  qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now - lastProgressMs_ < 100) return;
  lastProgressMs_ = now;
  progress_->show();
  progress_->setValue(static_cast<int>(done * 100 / total));
  // Paint, but take no clicks or keys: the list is being built.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TFileCommands::LoadFile(const std::string& fileName, const std::string& listName) {
  if (busy_) {
    queuedLoads_.push_back(fileName);
    return false;
  }
  const std::size_t before = session_.Store().AllWaypoints().size();
  const qint64 start = QDateTime::currentMSecsSinceEpoch();
  const bool ok =
      RunLoad([&] { return listName.empty() ? session_.LoadFile(fileName) : session_.LoadFileAs(fileName, listName); });
  ReportDone(false, fileName, ok, before, start);
  return ok;
}

void TFileCommands::ReportDone(bool save, const std::string& fileName, bool ok, std::size_t before, qint64 startMs) {
  const std::size_t after = save ? session_.Store().ShownWaypoints().size() : session_.Store().AllWaypoints().size();
  const double seconds = static_cast<double>(QDateTime::currentMSecsSinceEpoch() - startMs) / 1000.0;
  emit FileDone(save, QByteArray::fromStdString(fileName), ok, save ? after : after - std::min(before, after), seconds,
                ok ? QString() : statusBar_.MessageText());
}

bool TFileCommands::RunLoad(const std::function<bool()>& load) {
  BusyGuard busy(*this);
  bool ok;
  {
    WaitCursor wait;
    lastProgressMs_ = QDateTime::currentMSecsSinceEpoch();
    ok = load();
    progress_->hide();
  }
  panel_.SetImportSeconds(session_.LastImportSeconds());
  return ok;
}

void TFileCommands::QueueLoads(const std::deque<std::string>& files) {
  queuedLoads_.insert(queuedLoads_.end(), files.begin(), files.end());
  // Later, from the event loop: a drop or a socket read must return before a
  // load asks its questions.
  ScheduleQueue();
}

void TFileCommands::QueueTemporaryLoad(const std::string& file, const std::string& listName) {
  temporaryFiles_[file] = listName;
  QueueLoads({file});
}

void TFileCommands::ClearQueue() {
  queuedLoads_.clear();
  for (const auto& [file, listName] : temporaryFiles_) QFile::remove(QPath(file));
  temporaryFiles_.clear();
}

void TFileCommands::ScheduleQueue() { QTimer::singleShot(0, this, &TFileCommands::RunQueuedLoads); }

void TFileCommands::RunQueuedLoads() {
  while (!busy_ && !queuedLoads_.empty()) {
    std::string next = queuedLoads_.front();
    queuedLoads_.pop_front();
    const auto temporary = temporaryFiles_.find(next);
    if (temporary == temporaryFiles_.end()) {
      LoadFile(next);
      continue;
    }
    const std::string listName = temporary->second;
    temporaryFiles_.erase(temporary);
    LoadFile(next, listName);
    QFile::remove(QPath(next));
  }
}

bool TFileCommands::SaveFile(const std::string& fileName, int formatCode) {
  if (busy_) return false;
  BusyGuard busy(*this);
  WaitCursor wait;
  const qint64 start = QDateTime::currentMSecsSinceEpoch();
  const bool ok = session_.SaveFile(fileName, formatCode);
  ReportDone(true, fileName, ok, 0, start);
  return ok;
}

void TFileCommands::ActionFileLoadExecute() {
  statusBar_.SetError(0, "");
  openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialog_->setFileMode(QFileDialog::ExistingFiles);
  openDialog_->setNameFilters(DialogFilterEntries(LoadDialogFilter(), true));
  openDialog_->setDirectory(QPath(AnsiToUtf8(ReadSavePath(registry_))));
  openDialog_->selectFile(QString());
  if (openDialog_->exec() != QDialog::Accepted) return;
  std::deque<std::string> names;
  for (const QString& f : openDialog_->selectedFiles()) names.push_back(NativePath(f));
  openDialog_->setFileMode(QFileDialog::ExistingFile);
  for (const std::string& name : names) LoadFile(name);
}

void TFileCommands::ActionFileSaveExecute() {
  statusBar_.SetError(0, "");
  saveDialog_->Prepare(withKml_, session_.CurrentFileName(), QPath(AnsiToUtf8(ReadSavePath(registry_))));
  if (saveDialog_->exec() != QDialog::Accepted) return;
  const int code = saveDialog_->FormatCode();
  const std::string target = saveDialog_->TargetName();
  if (code < 0 || target.empty()) return;
  SaveFile(target, code);
}

void TFileCommands::ActionFileSaveSelectedExecute() {
  statusBar_.SetError(0, "");
  if (busy_) return;
  const std::vector<const TGpxRecord*> records = panel_.SelectedRecords();
  if (records.empty()) {
    statusBar_.SetError(1, "No waypoints selected");
    return;
  }
  // No name proposed: the list's own file holds more than the selection.
  saveDialog_->Prepare(withKml_, {}, QPath(AnsiToUtf8(ReadSavePath(registry_))));
  if (saveDialog_->exec() != QDialog::Accepted) return;
  const int code = saveDialog_->FormatCode();
  const std::string target = saveDialog_->TargetName();
  if (code < 0 || target.empty()) return;
  BusyGuard busy(*this);
  WaitCursor wait;
  const qint64 start = QDateTime::currentMSecsSinceEpoch();
  const bool ok = session_.SaveRecords(target, code, records);
  const double seconds = static_cast<double>(QDateTime::currentMSecsSinceEpoch() - start) / 1000.0;
  emit FileDone(true, QByteArray::fromStdString(target), ok, ok ? records.size() : 0, seconds,
                ok ? QString() : statusBar_.MessageText());
}

void TFileCommands::ActionSendToGpsExecute() {
  // Several rows picked: those; otherwise the whole shown list, as Save does.
  std::vector<const TGpxRecord*> records = panel_.SelectedRecords();
  if (records.size() < 2) records = session_.Store().ShownWaypoints();
  TFormSendToGps dialog(dialogParent_, std::move(records), session_.CurrentFileName(), session_.Questions(),
                        statusBar_);
  dialog.exec();
}

void TFileCommands::ButtonLoadFavoriteClick() {
  statusBar_.SetError(0, "");
  if (busy_) return;
  RunLoad([this] { return session_.LoadFavorite(); });
}

void TFileCommands::ButtonSaveFavoriteClick() {
  statusBar_.SetError(0, "");
  if (busy_) return;
  BusyGuard busy(*this);
  session_.SaveFavorite();
}

}  // namespace quill
