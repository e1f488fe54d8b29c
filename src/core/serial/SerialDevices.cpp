// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/SerialDevices.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "base/Platform.h"

namespace quill {

namespace {

constexpr std::array<std::string_view, 3> kPrefixes = {"ttyUSB", "ttyACM", "ttyS"};

// Prefix rank and number, for the order of the list.
bool DeviceKey(std::string_view name, std::size_t& rank, unsigned long& number) {
  for (std::size_t i = 0; i < kPrefixes.size(); ++i) {
    const std::string_view prefix = kPrefixes[i];
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 6) return false;
    unsigned long n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      n = n * 10 + static_cast<unsigned long>(c - '0');
    }
    rank = i;
    number = n;
    return true;
  }
  return false;
}

// A ttyS node whose UART type the kernel gives as 0 has no port behind it.
bool HasUart(const std::string& sysFolder, const std::string& name) {
  std::ifstream type(sysFolder + "/class/tty/" + name + "/type");
  int value = -1;
  if (!(type >> value)) return true;  // cannot tell: list it
  return value != 0;
}

}  // namespace

bool IsSerialDeviceName(std::string_view name) {
  std::size_t rank = 0;
  unsigned long number = 0;
  return DeviceKey(name, rank, number);
}

std::vector<std::string> ListSerialPorts(const std::string& devFolder, const std::string& sysFolder) {
  struct Found {
    std::size_t rank;
    unsigned long number;
    std::string path;
  };
  std::vector<Found> devices;
  for (const std::string& name : platform::FolderEntries(devFolder)) {
    std::size_t rank = 0;
    unsigned long number = 0;
    if (!DeviceKey(name, rank, number)) continue;
    if (kPrefixes[rank] == "ttyS" && !HasUart(sysFolder, name)) continue;
    devices.push_back({rank, number, devFolder + "/" + name});
  }
  std::sort(devices.begin(), devices.end(),
            [](const Found& a, const Found& b) { return a.rank != b.rank ? a.rank < b.rank : a.number < b.number; });
  std::vector<std::string> paths;
  for (Found& d : devices) paths.push_back(std::move(d.path));
  std::vector<std::string> byId;
  for (const std::string& name : platform::FolderEntries(devFolder + "/serial/by-id")) {
    byId.push_back(devFolder + "/serial/by-id/" + name);
  }
  std::sort(byId.begin(), byId.end());
  paths.insert(paths.end(), byId.begin(), byId.end());
  return paths;
}

}  // namespace quill
