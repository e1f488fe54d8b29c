// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TSerialSetupDlg: the serial port settings dialog. Set the properties, call
// Execute; on true the properties hold the user's choice.
//
// Numbering: Parity 0 none, 1 odd, 2 even, 3 mark, 4 space; Stopbits 0 one,
// 1 one and a half, 2 two; FlowCtrl 0 none, 1 hardware, 2 Xon/Xoff (note:
// not the order of the port's TFlowStyle, see FlowStyleOf).
#include <cstdint>
#include <string>

#include "serial/UlkSerialPort.h"

class QWidget;

namespace quill {

struct TSerialSetupDlg {
  int Taal = 0;  // 0 English, 1 Dutch; others are clamped
  std::string Port;
  std::uint32_t Baudrate = 9600;  // 0: automatic
  int Databits = 8;
  std::uint8_t Parity = 0;
  std::uint8_t Stopbits = 0;
  std::uint8_t FlowCtrl = 0;
  bool ShowBaudrate = true;
  bool ShowSettings = false;
  bool AutoBaudrate = false;
  std::string Caption;  // empty: the language's title

  // Shows the form (SerialSetupForm.h) modally; true when OK was pressed.
  bool Execute(QWidget* parent = nullptr);

  // The dialog's values as the port's settings.
  void ApplyTo(TUlkSerialPort& port) const;
  void TakeFrom(const TUlkSerialPort& port);
};

TFlowStyle FlowStyleOf(std::uint8_t dialogFlowCtrl);
std::uint8_t DialogFlowCtrlOf(TFlowStyle flow);

}  // namespace quill
