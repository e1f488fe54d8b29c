// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/SerialSetupDlg.h"

// Execute is defined beside the form it shows (SerialSetupForm.cpp), so the
// form knows these values and nothing here knows the form.

namespace quill {

TFlowStyle FlowStyleOf(std::uint8_t dialogFlowCtrl) {
  return dialogFlowCtrl == 1 ? flowHardware : dialogFlowCtrl == 2 ? flowSoftware : flowNone;
}

std::uint8_t DialogFlowCtrlOf(TFlowStyle flow) { return flow == flowHardware ? 1 : flow == flowSoftware ? 2 : 0; }

void TSerialSetupDlg::ApplyTo(TUlkSerialPort& port) const {
  port.Port = Port;
  port.Baudrate = Baudrate;
  port.Databits = Databits;
  port.Parity = Parity <= parSpace ? static_cast<TParityStyle>(Parity) : parNone;
  port.Stopbits = Stopbits <= stopbitTwo ? static_cast<TStopbitStyle>(Stopbits) : stopbitOne;
  port.FlowCtrl = FlowStyleOf(FlowCtrl);
}

void TSerialSetupDlg::TakeFrom(const TUlkSerialPort& port) {
  Port = port.Port;
  Baudrate = port.Baudrate;
  Databits = port.Databits;
  Parity = static_cast<std::uint8_t>(port.Parity);
  Stopbits = static_cast<std::uint8_t>(port.Stopbits);
  FlowCtrl = DialogFlowCtrlOf(port.FlowCtrl);
}

}  // namespace quill
