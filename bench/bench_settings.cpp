// SPDX-License-Identifier: GPL-3.0-or-later
// Reading settings from a large settings file (about 550 KB: many sections of
// many values, as years of use and other tools may leave): the start-up read
// of every application setting, then one read of every value in the file, and
// one write. Prints the best of three runs of each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "settings/AppSettings.h"
#include "settings/UlkRegistry.h"

using namespace quill;

namespace {

constexpr int kSections = 770;
constexpr int kValues = 20;

double BestSeconds(const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

}  // namespace

int main() {
  std::string dir = bench::TempFolder();
  TUlkRegistry registry(dir);
  registry.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (int s = 0; s < kSections; ++s) {
    text += "\n[Software\\Tarnwick\\Quillmark\\Section" + std::to_string(s) + "]\n";
    for (int v = 0; v < kValues; ++v) text += "\"Value" + std::to_string(v) + "\"=\"some text of a setting\"\n";
  }
  text += "\n[Software\\Tarnwick\\Quillmark\\Settings]\n\"WarnDel\"=dword:00000001\n";
  if (FILE* f = std::fopen(registry.FilePath().c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  std::printf("settings file: %.0f KB, %d sections of %d values\n", static_cast<double>(text.size()) / 1024.0,
              kSections, kValues);
  AppSettings settings;
  double startup = BestSeconds([&] { settings = ReadAppSettings(registry); });
  std::printf("%-32s %9.4f s\n", "start-up read (all settings)", startup);
  std::fflush(stdout);
  std::size_t found = 0;
  double every = BestSeconds([&] {
    found = 0;
    for (int s = 0; s < kSections; ++s) {
      for (int v = 0; v < kValues; ++v) {
        found += !registry.ReadString("Section" + std::to_string(s), "Value" + std::to_string(v), "").empty();
      }
    }
  });
  int round = 0;
  double write = BestSeconds([&] { registry.WriteInt("Settings", "Round", ++round); });
  std::printf("%-32s %9.4f s  (%zu values)\n", "every value once", every, found);
  std::printf("%-32s %9.4f s\n", "one write", write);
  std::filesystem::remove_all(dir);
  return settings.WarnDel && found == static_cast<std::size_t>(kSections * kValues) ? 0 : 1;
}
