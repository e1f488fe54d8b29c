// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/ToolCommands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "ui/tools/FormHistogram.h"
#include "ui/tools/FormLetterInput.h"
#include "ui/tools/FormList.h"
#include "ui/tools/GpsReceiver.h"

namespace quill {

TToolCommands::TToolCommands(QWidget* window, QMenu* toolsMenu) : QObject(window) {
  // Windows of their own (made at start-up, hidden) that close with the main window.
  list_ = new TFormList(window);
  histogram_ = new TFormHistogram(list_, window);
  letterInput_ = new TFormLetterInput(*histogram_, window);
  gps_ = new TGpsReceiver(window);

  auto add = [&](const char* name, const QString& caption, void (TToolCommands::*handler)()) {
    auto* action = new QAction(caption, window);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    toolsMenu->addAction(action);
    window->addAction(action);
    return action;
  };
  toolsMenu->addSeparator();
  add("ActionLetterFrequency", tr("Letter frequency…"), &TToolCommands::ActionLetterFrequencyExecute);
  add("ActionGpsReceiver", tr("GPS receiver…"), &TToolCommands::ActionGpsReceiverExecute);
  gpsStop_ = add("ActionGpsStop", tr("Stop GPS receiver"), &TToolCommands::ActionGpsStopExecute);
  gpsStop_->setEnabled(false);
  connect(gps_, &TGpsReceiver::RunningChanged, gpsStop_, &QAction::setEnabled);
}

TToolCommands::~TToolCommands() = default;

void TToolCommands::ActionLetterFrequencyExecute() {
  letterInput_->show();
  letterInput_->raise();
  letterInput_->activateWindow();
}

void TToolCommands::ActionGpsReceiverExecute() { gps_->ActionGpsReceiverExecute(); }

void TToolCommands::ActionGpsStopExecute() { gps_->Stop(); }

}  // namespace quill
