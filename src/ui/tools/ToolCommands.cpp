// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/ToolCommands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "session/ListSession.h"
#include "text/QtText.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/tools/FormAbout.h"
#include "ui/tools/FormHistogram.h"
#include "ui/tools/FormLetterInput.h"
#include "ui/tools/FormList.h"
#include "ui/tools/FormOptions.h"
#include "ui/tools/GpsReceiver.h"

namespace quill {

TToolCommands::TToolCommands(QWidget* window, QMenu* toolsMenu, ToolContext context)
    : QObject(window), window_(window), context_(std::move(context)) {
  // Windows of their own (made at start-up, hidden) that close with the main window.
  list_ = new TFormList(window);
  histogram_ = new TFormHistogram(list_, window);
  letterInput_ = new TFormLetterInput(*histogram_, window);
  gps_ = new TGpsReceiver(window);
  options_ = new TFormOptions(window);

  auto make = [&](const char* name, const QString& caption, void (TToolCommands::*handler)()) {
    auto* action = new QAction(caption, window);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    window->addAction(action);
    return action;
  };
  auto add = [&](const char* name, const QString& caption, void (TToolCommands::*handler)()) {
    QAction* action = make(name, caption, handler);
    toolsMenu->addAction(action);
    return action;
  };
  add("ActionSetup", tr("Options"), &TToolCommands::ActionSetupExecute);
  about_ = make("ActionAbout", tr("About"), &TToolCommands::ActionAboutExecute);
  toolsMenu->addSeparator();
  add("ActionLetterFrequency", tr("Letter frequency…"), &TToolCommands::ActionLetterFrequencyExecute);
  add("ActionGpsReceiver", tr("GPS receiver…"), &TToolCommands::ActionGpsReceiverExecute);
  gpsStop_ = add("ActionGpsStop", tr("Stop GPS receiver"), &TToolCommands::ActionGpsStopExecute);
  gpsStop_->setEnabled(false);
  connect(gps_, &TGpsReceiver::RunningChanged, gpsStop_, &QAction::setEnabled);
}

TToolCommands::~TToolCommands() = default;

void TToolCommands::ActionSetupExecute() {
  TFormOptions& dialog = *options_;
  dialog.ExtendedMode = context_.extendedMode;
  dialog.Values = context_.settings;
  dialog.TxtExportMode = context_.txtExportMode;
  if (dialog.exec() != QDialog::Accepted) return;
  TUlkStatusBar& bar = context_.statusBar;
  if (!context_.storeOptions(dialog.Values, dialog.TxtExportMode)) {
    bar.SetError(2, "Error saving settings");
    return;
  }
  // The hint asked for this option; with it on, the next load keeps the data.
  if (context_.settings.IncludeGroundspeak && bar.MessageText() == AnsiToQString(kGroundspeakNotKept)) {
    bar.SetError(0, "");
  }
}

void TToolCommands::ActionAboutExecute() {
  TFormAbout about(context_.identity, window_);
  about.exec();
}

void TToolCommands::ActionLetterFrequencyExecute() {
  letterInput_->show();
  letterInput_->raise();
  letterInput_->activateWindow();
}

void TToolCommands::ActionGpsReceiverExecute() { gps_->ActionGpsReceiverExecute(); }

void TToolCommands::ActionGpsStopExecute() { gps_->Stop(); }

}  // namespace quill
