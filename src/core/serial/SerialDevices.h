// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial devices of the system, for the port list of the setup dialog.
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// "ttyS0", "ttyUSB12", "ttyACM3": a serial device name, its prefix followed
// by a number; "ttyS", "ttySx" or "tty0" are not.
bool IsSerialDeviceName(std::string_view name);

// Paths of the serial devices under devFolder: ttyS* ports that have a UART
// (the kernel makes nodes for absent ones; sysFolder/class/tty/NAME/type
// tells), every ttyUSB* and ttyACM*, in number order, then the stable names
// under devFolder/serial/by-id.
std::vector<std::string> ListSerialPorts(const std::string& devFolder = "/dev", const std::string& sysFolder = "/sys");

}  // namespace quill
