// SPDX-License-Identifier: GPL-3.0-or-later
// The window during an FTP transfer of a favorite list of about 100 MB, to
// and from pyftpdlib on loopback: how long the event loop went without
// running (the longest gap between ticks of a 1 ms timer) while the bytes
// moved, beside the time of the transfer itself. The GPX write before an
// upload and the load after a download are the normal save and load, with
// the hourglass; their times are printed apart.
// bench_ftp_ui [CACHES] (default 9000, about 100 MB)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PocketQuery.h"
#include "base/QuestionSeam.h"
#include "net/ScramblePassword.h"
#include "settings/AppSettings.h"
#include "settings/UlkRegistry.h"
#include "ui/app/FormApp.h"
#include "ui/list/FtpCommands.h"

extern char** environ;

using namespace quill;
using namespace quill::bench;

namespace {

constexpr const char* kUser = "bench";
constexpr const char* kPassword = "bench-pass";

// pyftpdlib on a free loopback port; it stops when its stdin closes.
struct Server {
  pid_t pid = -1;
  int stdinFd = -1;
  int stdoutFd = -1;
  int port = 0;

  bool Start(const std::string& root) {
    // The system's python has python3-pyftpdlib; QUILL_PYTHON names another.
    const char* own = std::getenv("QUILL_PYTHON");
    std::vector<std::string> args = {own ? own : "/usr/bin/python3",
                                     std::string(QUILL_SOURCE_DIR) + "/tests/support/ftp_server.py",
                                     "--root",
                                     root,
                                     "--user",
                                     kUser,
                                     "--password",
                                     kPassword};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdinFd = in[1];
    if (rc != 0) return false;
    // The whole first line; the pipe stays open while the server runs.
    stdoutFd = out[0];
    std::string line;
    char c = 0;
    while (line.size() < 16 && ::read(stdoutFd, &c, 1) == 1 && c != '\n') line += c;
    port = std::atoi(line.c_str());
    return port > 0;
  }
  ~Server() {
    if (stdinFd >= 0) ::close(stdinFd);
    if (stdoutFd >= 0) ::close(stdoutFd);
    if (pid > 0) ::waitpid(pid, nullptr, 0);
  }
};

struct Yes : QuestionSeam {
  int AskDuplicate(const std::string&) override { return 2; }
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

// Ticks a 1 ms timer and keeps the longest gap between two ticks.
struct StallMeter {
  QElapsedTimer clock;
  QTimer timer;
  qint64 last = 0;
  qint64 longest = 0;
  long ticks = 0;
  StallMeter() {
    timer.setInterval(1);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
  }
  void Start() {
    clock.start();
    last = 0;
    longest = 0;
    ticks = 0;
    timer.start();
  }
  void Tick() {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
    ++ticks;
  }
  // The gap up to now counts too.
  void Stop() {
    Tick();
    timer.stop();
  }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void RunUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qapp(argc, argv);
  const int caches = argc > 1 ? std::atoi(argv[1]) : 9000;

  const std::string dir = TempFolder();
  ::setenv("XDG_CACHE_HOME", (dir + "/cache").c_str(), 1);
  const std::string list = dir + "/list.gpx";
  PocketQueryOptions o;
  o.caches = caches;
  if (!WritePocketQuery(list, o)) {
    std::fprintf(stderr, "cannot write %s\n", list.c_str());
    return 1;
  }
  std::filesystem::create_directories(dir + "/root/fav");
  Server server;
  if (!server.Start(dir + "/root")) {
    std::fprintf(stderr, "no pyftpdlib server (python3-pyftpdlib)\n");
    return 1;
  }
  const std::string settings = dir + "/config";
  {
    TUlkRegistry r(settings);
    r.Init(RegistryRoot::kLocalMachine, "Software", "Tarnwick", "Quillmark");
    r.WriteString(kSettingsSection, "FtpHost", "127.0.0.1:" + std::to_string(server.port));
    r.WriteString(kSettingsSection, "FtpUser", kUser);
    r.WriteString(kSettingsSection, "FtpPassword",
                  ScramblePassword(kPassword, kFtpPasswordKey, ScrambleDirection::Add));
    r.WriteString(kSettingsSection, "FtpRemDirFav", "fav");
    r.WriteString(kSettingsSection, "FtpRemFilenameFav", "favorites.gpx");
    // The list keeps the Groundspeak data, so the file on the server is as big as the one loaded.
    r.WriteInt(kSettingsSection, "IncludeGroudspeak", 1);
  }
  FormAppOptions options;
  options.extendedMode = true;
  options.settingsFolder = settings;
  options.listenForFiles = false;
  Yes yes;
  StallMeter meter;
  std::printf("FTP transfer of a favorite list, window on the offscreen platform, pyftpdlib on loopback\n");
  std::printf("%-9s %8s %10s %12s %8s %18s %18s\n", "", "MiB", "window s", "transfer s", "MiB/s", "stall, bytes ms",
              "stall, to end ms");

  {
    TFormApp app(options);
    app.SetQuestionOverride(&yes);
    app.show();
    if (!app.LoadFile(list)) return 1;
    // The baseline: the same loop for a second with nothing to do; on a busy
    // machine its longest gap is the scheduler's, not ours.
    meter.Start();
    const auto idleStart = std::chrono::steady_clock::now();
    RunUntil([&] { return Seconds(idleStart) >= 1.0; });
    meter.Stop();
    std::printf("%-9s %8s %10s %12s %8s %18.1f %18s\n", "idle", "-", "-", "1.00", "-",
                static_cast<double>(meter.longest) / 1e6, "-");
    bool done = false;
    bool ok = false;
    std::chrono::steady_clock::time_point moving;
    QObject::connect(&app.Ftp(), &TFtpCommands::Finished, [&](bool success) {
      ok = success;
      done = true;
    });
    // Once the bytes are on the server, the rename and the removal of the
    // local file follow.
    qint64 bytesStall = 0;
    QObject::connect(&app.Ftp(), &TFtpCommands::Event, [&](bool, const QString& text) {
      if (!text.startsWith("Uploaded ")) return;
      meter.Tick();
      bytesStall = meter.longest;
    });
    auto* save = app.findChild<QAbstractButton*>("ButtonFtpSave");
    const auto t0 = std::chrono::steady_clock::now();
    save->click();  // writes the GPX file, then starts the transfer
    const double write = Seconds(t0);
    moving = std::chrono::steady_clock::now();
    meter.Start();
    RunUntil([&] { return done; });
    meter.Stop();
    const double transfer = Seconds(moving);
    const double mib = FileSizeMiB(dir + "/root/fav/favorites.gpx");
    std::printf("%-9s %8.1f %10.2f %12.2f %8.1f %18.1f %18.1f%s\n", "upload", mib, write, transfer, mib / transfer,
                static_cast<double>(bytesStall) / 1e6, static_cast<double>(meter.longest) / 1e6, ok ? "" : "  FAILED");
    app.hide();
  }
  {
    TFormApp app(options);
    app.SetQuestionOverride(&yes);
    app.show();
    bool done = false;
    bool ok = false;
    bool arrived = false;
    double transfer = 0;
    std::chrono::steady_clock::time_point start;
    QObject::connect(&app.Ftp(), &TFtpCommands::Finished, [&](bool success) {
      ok = success;
      done = true;
    });
    // The download is whole just before its load starts.
    QObject::connect(&app.Ftp(), &TFtpCommands::Event, [&](bool, const QString& text) {
      if (!text.startsWith("Downloaded ")) return;
      meter.Stop();
      transfer = Seconds(start);
      arrived = true;
    });
    auto* load = app.findChild<QAbstractButton*>("ButtonFtpLoad");
    start = std::chrono::steady_clock::now();
    meter.Start();
    load->click();
    RunUntil([&] { return done; });
    const double loading = Seconds(start) - transfer;
    const double mib = FileSizeMiB(dir + "/root/fav/favorites.gpx");
    std::printf("%-9s %8.1f %10.2f %12.2f %8.1f %18.1f %18s%s\n", "download", mib, loading, transfer, mib / transfer,
                static_cast<double>(meter.longest) / 1e6, "(load)", ok && arrived ? "" : "  FAILED");
    std::printf("(window s: the GPX write before the upload, the list's load after the download: the hourglass)\n");
    std::printf("waypoints loaded from the server: %zu\n", app.Session().Store().AllWaypoints().size());
    app.hide();
  }
  std::filesystem::remove_all(dir);
  return 0;
}
