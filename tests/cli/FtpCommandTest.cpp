// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli ftp upload|download against a real server on loopback.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "net/ScramblePassword.h"
#include "settings/UlkFileversionInfo.h"
#include "settings/UlkRegistry.h"
#include "support/FtpServer.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::FtpServer;
using test::ShellQuote;

class FtpCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string why = FtpServer::Unavailable(); !why.empty()) GTEST_SKIP() << why;
    server_ = std::make_unique<FtpServer>();
    ASSERT_TRUE(server_->Started());
    std::filesystem::create_directory(server_->Root() + "/lists");
    // The settings the options dialog would have stored.
    TUlkFileversionInfo info;
    info.GetInfo();
    const ProgramIdentity id = IdentityFromVersionInfo(info);
    TUlkRegistry registry(home_.File("config/quillmark"));
    registry.Init(RegistryRoot::kLocalMachine, "Software", id.companyName, id.fileDescription);
    ASSERT_TRUE(registry.WriteString("Settings", "FtpHost", server_->HostText()));
    ASSERT_TRUE(registry.WriteString("Settings", "FtpUser", FtpServer::kUser));
    ASSERT_TRUE(registry.WriteString("Settings", "FtpPassword",
                                     ScramblePassword(FtpServer::kPassword, kFtpPasswordKey, ScrambleDirection::Add)));
    ASSERT_TRUE(registry.WriteString("Settings", "FtpRemDirFav", "lists"));
    ASSERT_TRUE(registry.WriteString("Settings", "FtpRemFilenameFav", "fav.gpx"));
  }

  // Runs the program with this test's config and cache folders.
  int Cli(const std::string& arguments, const std::string& passwordEnv, std::string* output) {
    std::string env = "env -u QUILLMARK_FTP_PASSWORD XDG_CONFIG_HOME=" + ShellQuote(home_.File("config")) +
                      " XDG_CACHE_HOME=" + ShellQuote(home_.File("cache"));
    if (!passwordEnv.empty()) env += " QUILLMARK_FTP_PASSWORD=" + ShellQuote(passwordEnv);
    return test::RunCommand(env + " " + ShellQuote(QUILL_CLI_PATH) + " ftp " + arguments, output);
  }

  test::TempDir home_;
  std::unique_ptr<FtpServer> server_;
};

TEST_F(FtpCommand, UploadThenDownloadBringsBackTheServersBytes) {
  std::string gpx = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx>\n";
  for (int i = 0; i < 500; ++i) {
    gpx += "<wpt lat=\"52." + std::to_string(i) + "\" lon=\"4.9\"><name>GC" + std::to_string(1000 + i) +
           "</name><desc>\xce\xb1\xce\xb2 \xc5\x99</desc></wpt>\n";
  }
  gpx += "</gpx>\n";
  const std::string input = home_.File("in.gpx");
  test::WriteFileBytes(input, gpx);
  std::string output;
  // One whole GPX file goes up as it is and comes back the same.
  ASSERT_EQ(Cli("upload " + ShellQuote(input), "", &output), 0) << output;
  EXPECT_TRUE(test::ReadFileBytes(server_->Root() + "/lists/fav.gpx") == gpx);
  const std::string copy = home_.File("out.gpx");
  // Flags and the environment's password over the settings.
  ASSERT_EQ(Cli("download --active --timeout 20 " + ShellQuote(copy), FtpServer::kPassword, &output), 0) << output;
  EXPECT_TRUE(test::ReadFileBytes(copy) == gpx);

  // Several inputs are merged and written as one list.
  const std::string other = home_.File("other.gpx");
  test::WriteFileBytes(other, "<gpx><wpt lat=\"1\" lon=\"2\"><name>EXTRA</name></wpt></gpx>");
  ASSERT_EQ(Cli("upload " + ShellQuote(input) + " " + ShellQuote(other), "", &output), 0) << output;
  const std::string remote = test::ReadFileBytes(server_->Root() + "/lists/fav.gpx");
  for (const char* part :
       {"<name>GC1000</name>", "<name>GC1499</name>", "<name>EXTRA</name>", "\xce\xb1\xce\xb2 \xc5\x99"}) {
    EXPECT_NE(remote.find(part), std::string::npos) << part;
  }
  ASSERT_EQ(Cli("download " + ShellQuote(copy), "", &output), 0) << output;
  EXPECT_TRUE(test::ReadFileBytes(copy) == remote);
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::is_empty(home_.File("cache/quillmark"), ec));
}

TEST_F(FtpCommand, FailuresExitOneWithTheStatusText) {
  struct Case {
    std::string arguments;
    std::string password;
    int status;
    const char* text;
  };
  const std::string out = ShellQuote(home_.File("out.gpx"));
  const Case cases[] = {
      {"download " + out, "wrong", 1, "Authentication Failed!"},
      {"download --dir elsewhere " + out, "", 1, "Failure! (ChangeDir)"},
      {"download --name missing.gpx " + out, "", 1, "Failure! (Download)"},
      {"download --host 'bad host' " + out, "", 1, "Invalid host!"},
      {"upload " + ShellQuote(home_.File("absent.gpx")), "", 1, "Error loading file"},
      {"download --password x " + out, "", 2, "never an argument"},
      {"download --timeout 0 " + out, "", 2, "--timeout"},
      {"download", "", 2, "one OUTPUT"},
      {"fetch " + out, "", 2, "download or upload"},
  };
  for (const Case& c : cases) {
    std::string output;
    EXPECT_EQ(Cli(c.arguments, c.password, &output), c.status) << c.arguments << "\n" << output;
    EXPECT_NE(output.find(c.text), std::string::npos) << c.arguments << "\n" << output;
  }
  EXPECT_FALSE(std::filesystem::exists(home_.File("out.gpx")));
}

// A line break in any field reaches no server: the program says which
// field, and a peer standing where the server would be sees no connection.
TEST_F(FtpCommand, ControlCharactersAreRefusedBeforeConnecting) {
  test::CountingServer peer;
  ASSERT_GT(peer.Port(), 0);
  const std::string host = "--host 127.0.0.1:" + std::to_string(peer.Port()) + " ";
  const std::string out = ShellQuote(home_.File("out.gpx"));
  struct Case {
    std::string arguments;
    std::string password;
    const char* text;
  } cases[] = {
      {"download " + host + "--user " + ShellQuote("quill\r\nDELE fav.gpx") + " " + out, "", "Invalid user!"},
      {"download " + host + out, "pw\r\nRMD lists", "Invalid password!"},
      {"download " + host + "--dir " + ShellQuote("lists\nDELE fav.gpx") + " " + out, "", "Invalid folder!"},
      {"download " + host + "--name " + ShellQuote("fav.gpx\r") + " " + out, "", "Invalid file name!"},
      {"download --host " + ShellQuote("127.0.0.1:" + std::to_string(peer.Port()) + "\r\n") + " " + out, "",
       "Invalid host!"},
      {"upload " + host + "--user " + ShellQuote("a\x1b[2J") + " " + ShellQuote(test::DataPath("gpx11-plain.gpx")), "",
       "Invalid user!"},
  };
  for (const Case& c : cases) {
    std::string output;
    EXPECT_EQ(Cli(c.arguments, c.password, &output), 1) << c.arguments << "\n" << output;
    EXPECT_NE(output.find(c.text), std::string::npos) << c.arguments << "\n" << output;
  }
  EXPECT_TRUE(peer.Requests().empty());
  EXPECT_FALSE(std::filesystem::exists(home_.File("out.gpx")));
  EXPECT_TRUE(test::ListTree(home_.File("cache/quillmark")).empty());
}

// A download that does not match the size the server announced is no list:
// nothing is written, nothing is left in the cache folder.
TEST_F(FtpCommand, DownloadOfAnotherSizeThanAnnouncedFailsAndLeavesNoFile) {
  for (const char* offset : {"-100", "100"}) {
    SCOPED_TRACE(offset);
    FtpServer lying({"--size-offset", offset});
    ASSERT_TRUE(lying.Started());
    std::filesystem::create_directory(lying.Root() + "/lists");
    test::WriteFileBytes(lying.Root() + "/lists/fav.gpx", "<gpx><wpt lat=\"1\" lon=\"2\"><name>A</name></wpt></gpx>");
    std::string output;
    EXPECT_EQ(Cli("download --host " + lying.HostText() + " " + ShellQuote(home_.File("out.gpx")), "", &output), 1);
    EXPECT_NE(output.find("Error! (The server sent "), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(home_.File("out.gpx")));
    EXPECT_TRUE(test::ListTree(home_.File("cache/quillmark")).empty());
  }
}

// Interrupted or ended while a download trickles in, the program leaves no
// local file behind.
TEST_F(FtpCommand, InterruptedDownloadLeavesNoLocalFile) {
  FtpServer slow({"--drip-retr", "0.2"});
  ASSERT_TRUE(slow.Started());
  std::filesystem::create_directory(slow.Root() + "/lists");
  test::WriteFileBytes(slow.Root() + "/lists/fav.gpx", std::string(10000, 'x'));
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const std::string cache = home_.File("cache/quillmark");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // As a terminal would start it: a run under nohup ignores SIGHUP, and
      // the program rightly keeps an ignored signal ignored.
      for (const int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      ::setenv("XDG_CONFIG_HOME", home_.File("config").c_str(), 1);
      ::setenv("XDG_CACHE_HOME", home_.File("cache").c_str(), 1);
      ::unsetenv("QUILLMARK_FTP_PASSWORD");
      const std::string hostText = slow.HostText();
      const std::string output = home_.File("out.gpx");
      ::execl(QUILL_CLI_PATH, QUILL_CLI_PATH, "ftp", "download", "--host", hostText.c_str(), output.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Until the download has begun: its local file is there and growing.
    const bool begun = test::WaitUntil([&] {
      for (const std::string& name : test::ListTree(cache)) {
        std::error_code ec;
        if (name.rfind("ftp-", 0) == 0 && std::filesystem::file_size(cache + "/" + name, ec) > 0 && !ec) return true;
      }
      return false;
    });
    ::kill(pid, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(begun);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_TRUE(test::ListTree(cache).empty());
    EXPECT_FALSE(std::filesystem::exists(home_.File("out.gpx")));
  }
}

}  // namespace
}  // namespace quill
