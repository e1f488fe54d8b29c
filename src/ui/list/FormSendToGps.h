// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Send to GPS": the waypoints given go to a receiver plugged in as a USB
// drive, as one GPX file under a name the user may change.
#include <QDialog>
#include <string>
#include <vector>

#include "gps/ReceiverDrive.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quill {

class QuestionSeam;
class StatusSink;
struct TGpxRecord;

class TFormSendToGps : public QDialog {
  Q_OBJECT
 public:
  // records: what is sent, in this order; fileName: the list's file name
  // (file system bytes), which the name proposed follows.
  TFormSendToGps(QWidget* parent, std::vector<const TGpxRecord*> records, const std::string& fileName,
                 QuestionSeam& questions, StatusSink& status);

  // The receivers offered; FindReceivers() until a test sets others.
  void SetReceivers(std::vector<ReceiverDrive> receivers);
  const std::string& WrittenPath() const { return written_; }

  void ButtonOkClick();
  void ButtonRefreshClick();

 private:
  void ShowError(const QString& text);

  std::vector<const TGpxRecord*> records_;
  QuestionSeam& questions_;
  StatusSink& status_;
  std::vector<ReceiverDrive> receivers_;
  std::string written_;
  QComboBox* comboDevice_;
  QLineEdit* editFileName_;
  QLabel* labelError_;
  QPushButton* buttonOk_;
};

}  // namespace quill
