// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormSerialSetup: the serial port settings form in English or Dutch. Rows
// the caller does not want are hidden and the form shrinks by their height.
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace quill {

struct TSerialSetupDlg;

class TFormSerialSetup : public QDialog {
  Q_OBJECT
 public:
  // The port list; the system's serial devices unless a test gives its own.
  using PortLister = std::function<std::vector<std::string>()>;
  explicit TFormSerialSetup(QWidget* parent = nullptr, PortLister ports = {});

  // Copies the dialog's properties in (texts, rows, lists, values).
  void LoadFrom(const TSerialSetupDlg& dlg);
  // Copies the form's values back (OK).
  void StoreTo(TSerialSetupDlg& dlg) const;

  static constexpr int kRowHeight = 32;

 private:
  void PlaceRows(bool showBaud, bool showSettings);

  PortLister ports_;
  QLabel* labels_[6] = {};
  QComboBox* port_;
  QComboBox* baud_;
  QComboBox* databits_;
  QComboBox* parity_;
  QComboBox* stopbits_;
  QComboBox* flow_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QString automatic_;
};

}  // namespace quill
