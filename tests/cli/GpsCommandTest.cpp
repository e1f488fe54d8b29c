// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli gps end to end: the program reads a recorded NMEA stream from
// a pseudo-terminal, as it would from a receiver.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/Cli.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using Clock = std::chrono::steady_clock;

// The program running on the slave side of a pseudo-terminal pair.
class GpsRun {
 public:
  explicit GpsRun(std::vector<std::string> args) {
    int slave = -1;
    if (::openpty(&master_, &slave, nullptr, nullptr, nullptr) != 0) return;
    const std::string device = ::ttyname(slave);
    ::close(slave);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return;
    args.insert(args.begin(), {QUILL_CLI_PATH, "gps"});
    args.push_back(device);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(outPipe[1], 1);
      ::dup2(errPipe[1], 2);
      ::close(master_);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    out_ = outPipe[0];
    err_ = errPipe[0];
    ::fcntl(out_, F_SETFL, O_NONBLOCK);
    ::fcntl(err_, F_SETFL, O_NONBLOCK);
  }
  ~GpsRun() {
    if (pid_ > 0 && status_ < 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (int fd : {master_, out_, err_}) {
      if (fd >= 0) ::close(fd);
    }
  }
  bool Started() const { return pid_ > 0; }
  void Feed(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) done += static_cast<std::size_t>(n);
      if (n <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  void HangUp() {
    ::close(master_);
    master_ = -1;
  }
  // Collects output; true once the program has ended.
  bool Poll() {
    char buf[4096];
    for (int fd : {out_, err_}) {
      ssize_t n;
      while ((n = ::read(fd, buf, sizeof buf)) > 0) (fd == out_ ? out : err).append(buf, static_cast<std::size_t>(n));
    }
    // Keep the line clear of the program's echo while it sets up the port.
    while (master_ >= 0 && ::read(master_, buf, sizeof buf) > 0) {
    }
    if (status_ < 0) {
      int st = 0;
      if (::waitpid(pid_, &st, WNOHANG) == pid_) status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128;
    }
    return status_ >= 0;
  }
  // Feeds `each` every 50 ms until until() holds or 10 s passed.
  bool FeedUntil(const std::string& each, const std::function<bool()>& until) {
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
      Poll();
      if (until()) return true;
      if (!each.empty() && master_ >= 0) Feed(each);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return until();
  }
  int Status() const { return status_; }

  std::string out;
  std::string err;

 private:
  int master_ = -1;
  int out_ = -1;
  int err_ = -1;
  pid_t pid_ = -1;
  int status_ = -1;
};

std::string Recording() { return test::ReadFileBytes(std::string(QUILL_SOURCE_DIR) + "/tests/data/gps/drive.nmea"); }

TEST(CliGps, OncePrintsTheFirstValidFixAndSkipsDamagedSentences) {
  const std::string recording = Recording();
  ASSERT_FALSE(recording.empty());
  // The receiver repeats itself, as a real one does every second; the
  // damaged sentence before the first fix carries another position.
  const std::string damagedFirst =
      "$GPGGA,101501.00,5905.3667,N,00506.6100,E,1,05,2.1,4.2,M,46.0,M,,*68\r\n" + recording;
  GpsRun run({"--once", "--baud", "9600"});
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.FeedUntil(damagedFirst, [&] { return run.Status() >= 0; })) << run.err;
  EXPECT_EQ(run.Status(), 0) << run.err;
  EXPECT_EQ(run.out, "52.0894450\t5.1101667\t4.2\t5\n");
  EXPECT_NE(run.err.find("fixes: 1,"), std::string::npos) << run.err;
}

TEST(CliGps, EveryFixOfTheStreamUntilTheDeviceCloses) {
  GpsRun run({});
  ASSERT_TRUE(run.Started());
  // A position of its own until the program reads, then the recording once.
  const std::string ready = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
  const std::string readyLine = "48.1173000\t11.5166667\t545.4\t8\n";
  ASSERT_TRUE(run.FeedUntil(ready, [&] { return !run.out.empty(); })) << run.err;
  run.Feed(Recording());
  const std::string expected =
      "52.0894450\t5.1101667\t4.2\t5\n"
      "52.0896667\t5.1104167\t5.1\t7\n"
      "52.0897500\t5.1105000\t-0.4\t9\n";
  ASSERT_TRUE(run.FeedUntil("", [&] { return run.out.ends_with(expected); })) << run.out << run.err;
  run.HangUp();
  ASSERT_TRUE(run.FeedUntil("", [&] { return run.Status() >= 0; }));
  EXPECT_EQ(run.Status(), 0) << run.err;
  std::string rest = run.out;
  while (rest.starts_with(readyLine)) rest.erase(0, readyLine.size());
  EXPECT_EQ(rest, expected);
  // The damaged, the noise and the cut-off sentence of the recording.
  EXPECT_NE(run.err.find("damaged sentences skipped: 3"), std::string::npos) << run.err;
}

TEST(CliGps, WrongUsageAndAMissingDevice) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"gps"}, {"gps", "--baud"}, {"gps", "--baud", "fast", "/dev/x"}, {"gps", "--speed", "1", "/dev/x"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run(args, out, err), 2) << args.back();
  }
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run({"gps", "/dev/quillmark-no-such-port"}, out, err), 1);
  EXPECT_NE(err.str().find("Unable to open /dev/quillmark-no-such-port\n(Unknown port)"), std::string::npos)
      << err.str();
}

}  // namespace
}  // namespace quill
