// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tools of the Tools menu: the letter-frequency histogram with its list
// viewer (both made at start-up and hidden) and the dialog that feeds it, and
// the GPS receiver. Each adds its action to the menu it is given.
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quill {

class TFormHistogram;
class TFormLetterInput;
class TFormList;
class TGpsReceiver;

class TToolCommands : public QObject {
  Q_OBJECT
 public:
  TToolCommands(QWidget* window, QMenu* toolsMenu);
  ~TToolCommands() override;

  TFormHistogram& Histogram() { return *histogram_; }
  TFormList& ListWindow() { return *list_; }
  TFormLetterInput& LetterInput() { return *letterInput_; }
  TGpsReceiver& Gps() { return *gps_; }

  void ActionLetterFrequencyExecute();
  void ActionGpsReceiverExecute();
  void ActionGpsStopExecute();

 private:
  TFormList* list_;
  TFormHistogram* histogram_;
  TFormLetterInput* letterInput_;
  TGpsReceiver* gps_;
  QAction* gpsStop_ = nullptr;
};

}  // namespace quill
