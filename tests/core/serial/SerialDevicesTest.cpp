// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "serial/SerialDevices.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

TEST(SerialDevices, NamesAndTheListOfAFolder) {
  const struct {
    const char* name;
    bool serial;
  } names[] = {{"ttyS0", true},   {"ttyUSB12", true}, {"ttyACM3", true},  {"ttyS", false},       {"ttySx", false},
               {"tty0", false},   {"ttyS1a", false},  {"ttyUSB", false},  {"ttyAMA0", false},    {"TTYS0", false},
               {"ttyS-1", false}, {"", false},        {"console", false}, {"ttyS1234567", false}};
  for (const auto& n : names) EXPECT_EQ(IsSerialDeviceName(n.name), n.serial) << n.name;

  test::TempDir dev;
  test::TempDir sys;
  for (const char* name : {"ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty1", "ttyS"}) {
    test::WriteFileBytes(dev.File(name), "");
  }
  std::filesystem::create_directories(dev.File("serial/by-id"));
  test::WriteFileBytes(dev.File("serial/by-id/usb-GPS_Receiver-if00"), "");
  // The kernel says ttyS1 has no UART; ttyS0 has one; the others cannot tell.
  for (const auto& [name, type] : {std::pair{"ttyS0", "4\n"}, std::pair{"ttyS1", "0\n"}}) {
    std::filesystem::create_directories(sys.File(std::string("class/tty/") + name));
    test::WriteFileBytes(sys.File(std::string("class/tty/") + name + "/type"), type);
  }
  const std::vector<std::string> expected = {dev.File("ttyUSB0"),
                                             dev.File("ttyUSB1"),
                                             dev.File("ttyACM0"),
                                             dev.File("ttyS0"),
                                             dev.File("ttyS2"),
                                             dev.File("ttyS10"),
                                             dev.File("serial/by-id/usb-GPS_Receiver-if00")};
  EXPECT_EQ(ListSerialPorts(dev.path(), sys.path()), expected);
  EXPECT_TRUE(ListSerialPorts(dev.File("missing"), sys.path()).empty());
}

}  // namespace
}  // namespace quill
