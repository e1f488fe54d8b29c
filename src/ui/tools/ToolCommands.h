// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the windows in ui/tools: Tools > Options, the
// letter-frequency histogram with its list viewer (both made at start-up and
// hidden) and the dialog that feeds it, the GPS receiver, and Help > About.
// Each adds its action to the Tools menu, About excepted: the window places
// AboutAction() in its Help menu.
#include <QObject>
#include <functional>

#include "settings/AppSettings.h"
#include "settings/UlkFileversionInfo.h"

class QAction;
class QMenu;
class QWidget;

namespace quill {

class TFormHistogram;
class TFormLetterInput;
class TFormList;
class TFormOptions;
class TGpsReceiver;
class TUlkStatusBar;

// What Options and About work on; the window's, handed over at start.
struct ToolContext {
  const AppSettings& settings;  // as they stand
  const int& txtExportMode;     // the text export's notation of this run
  bool extendedMode = false;
  const ProgramIdentity& identity;
  TUlkStatusBar& statusBar;
  // OK of Options: takes, stores and applies the edited settings and the
  // notation; false when the store could not be written.
  std::function<bool(const AppSettings& edited, int txtExportMode)> storeOptions;
};

class TToolCommands : public QObject {
  Q_OBJECT
 public:
  TToolCommands(QWidget* window, QMenu* toolsMenu, ToolContext context);
  ~TToolCommands() override;

  TFormHistogram& Histogram() { return *histogram_; }
  TFormList& ListWindow() { return *list_; }
  TFormLetterInput& LetterInput() { return *letterInput_; }
  TGpsReceiver& Gps() { return *gps_; }
  TFormOptions& OptionsDialog() { return *options_; }
  QAction* AboutAction() { return about_; }

  void ActionSetupExecute();
  void ActionAboutExecute();
  void ActionLetterFrequencyExecute();
  void ActionGpsReceiverExecute();
  void ActionGpsStopExecute();

 private:
  TFormList* list_;
  TFormHistogram* histogram_;
  TFormLetterInput* letterInput_;
  TGpsReceiver* gps_;
  TFormOptions* options_;
  QAction* gpsStop_ = nullptr;
  QAction* about_ = nullptr;
  QWidget* window_;
  ToolContext context_;
};

}  // namespace quill
