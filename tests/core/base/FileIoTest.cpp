// SPDX-License-Identifier: GPL-3.0-or-later
// Saving must never replace what it must not, never lose the old file on a
// failure and never leave debris; loading must never hang on what is not a file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/FileIo.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RunInChild;
using test::TempDir;
using test::WriteFileBytes;

std::string Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) out += n + " ";
  return out;
}

bool Save(const std::string& path, const std::string& content) {
  AtomicFileWriter w;
  if (!w.Open(path, false)) return false;
  w.Write(content);
  return w.Commit();
}

struct stat LinkStat(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

// Named temporaries for one test, unnamed ones again afterwards.
struct NamedTemporaries {
  explicit NamedTemporaries(bool on) { AtomicFileWriter::UseUnnamedTemporaries(!on); }
  ~NamedTemporaries() { AtomicFileWriter::UseUnnamedTemporaries(true); }
};

struct LinkCase {
  const char* label;
  std::vector<std::pair<const char*, const char*>> links;  // name in dir -> what it points at
  const char* saveThrough;
  const char* realFile;  // relative to dir, or to other when it starts with '@'
};

TEST(AtomicSave, ThroughSymbolicLinksTheLinkStaysAndItsFileIsReplaced) {
  const LinkCase cases[] = {
      {"relative", {{"link.gpx", "real.gpx"}}, "link.gpx", "real.gpx"},
      {"chain", {{"mid.gpx", "real.gpx"}, {"link.gpx", "mid.gpx"}}, "link.gpx", "real.gpx"},
      {"other folder", {{"link.gpx", "@"}}, "link.gpx", "@real.gpx"},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir, other;
    bool elsewhere = c.realFile[0] == '@';
    std::string real = elsewhere ? other.File(c.realFile + 1) : dir.File(c.realFile);
    WriteFileBytes(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    for (const auto& [name, to] : c.links) {
      std::string dest = to[0] == '@' ? real : std::string(to);
      ASSERT_EQ(::symlink(dest.c_str(), dir.File(name).c_str()), 0);
    }
    ASSERT_TRUE(Save(dir.File(c.saveThrough), "new contents"));
    EXPECT_EQ(ReadFileBytes(real), "new contents");
    EXPECT_EQ(LinkStat(real).st_mode & 07777, 0640u);
    for (const auto& [name, to] : c.links) {
      EXPECT_TRUE(S_ISLNK(LinkStat(dir.File(name)).st_mode)) << name;
      EXPECT_EQ(std::filesystem::read_symlink(dir.File(name)).string(), to[0] == '@' ? real : std::string(to));
    }
    EXPECT_EQ(Listing(elsewhere ? other.path() : dir.path()).find(".~qm"), std::string::npos);
  }
}

// Each target is set up by make, must be refused, and must stay as it was.
TEST(AtomicSave, RefusedTargetsStayAsTheyWere) {
  struct Case {
    const char* label;
    void (*make)(const std::string& path);
  };
  const Case cases[] = {
      {"dangling link", [](const std::string& p) { ASSERT_EQ(::symlink("gone/nowhere.gpx", p.c_str()), 0); }},
      {"read-only file",
       [](const std::string& p) {
         WriteFileBytes(p, "keep me");
         ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
       }},
      {"link to a read-only file",
       [](const std::string& p) {
         WriteFileBytes(p + ".real", "keep me");
         ASSERT_EQ(::chmod((p + ".real").c_str(), 0444), 0);
         ASSERT_EQ(::symlink((p + ".real").c_str(), p.c_str()), 0);
       }},
      {"folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); }},
      {"FIFO nobody reads", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"socket",
       [](const std::string& p) {
         int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un a{};
         a.sun_family = AF_UNIX;
         std::strncpy(a.sun_path, p.c_str(), sizeof a.sun_path - 1);
         ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
         ::close(fd);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string target = dir.File("t.gpx");
    c.make(target);
    struct stat before = LinkStat(target);
    std::string listing = Listing(dir.path());
    // A hang here would be a failure too.
    int rc = RunInChild([&] { return Save(target, "new") ? 1 : 0; }, false, 10);
    EXPECT_EQ(rc, 0);
    struct stat after = LinkStat(target);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    if (S_ISREG(after.st_mode)) {
      EXPECT_EQ(ReadFileBytes(target), "keep me");
    }
    if (std::string(c.label) == "link to a read-only file") {
      EXPECT_EQ(ReadFileBytes(target + ".real"), "keep me");
    }
    EXPECT_EQ(Listing(dir.path()), listing);
  }
}

TEST(AtomicSave, FifosAndDevicesReceiveTheBytesAndStay) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.gpx");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // In a child: a reader left waiting on a replaced FIFO would hang the tests.
  int rc = RunInChild(
      [&] {
        std::string received;
        std::thread reader([&] { received = ReadFileBytes(fifo); });
        // Until the reader's open and ours meet, ours fails: try again.
        bool saved = false;
        for (int i = 0; i < 500 && !saved; ++i) {
          saved = Save(fifo, "through the pipe");
          if (!saved) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        reader.join();
        return saved && received == "through the pipe" ? 0 : 1;
      },
      false, 10);
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(S_ISFIFO(LinkStat(fifo).st_mode));

  // A device node of our own (the null device's numbers), never the system's.
  const std::string device = dir.File("null.gpx");
  if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node here";
  EXPECT_TRUE(Save(device, "into the void"));
  EXPECT_TRUE(S_ISCHR(LinkStat(device).st_mode));
  EXPECT_EQ(Listing(dir.path()), "null.gpx pipe.gpx ");
}

TEST(AtomicSave, HardLinksStayLinkedWhateverTheNewSize) {
  TempDir dir;
  const std::string a = dir.File("a.gpx"), b = dir.File("b.gpx"), c = dir.File("c.gpx");
  WriteFileBytes(a, std::string(5000, 'o'));
  ASSERT_EQ(::chmod(a.c_str(), 0604), 0);
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);
  ASSERT_EQ(::link(a.c_str(), c.c_str()), 0);
  const ino_t inode = LinkStat(a).st_ino;
  for (const std::string& content : {std::string("short"), std::string(300000, 'L'), std::string()}) {
    ASSERT_TRUE(Save(b, content));
    for (const std::string& name : {a, b, c}) {
      EXPECT_EQ(ReadFileBytes(name), content);
      EXPECT_EQ(LinkStat(name).st_ino, inode);
      EXPECT_EQ(LinkStat(name).st_nlink, 3u);
      EXPECT_EQ(LinkStat(name).st_mode & 07777, 0604u);
    }
  }
  EXPECT_EQ(Listing(dir.path()), "a.gpx b.gpx c.gpx ");
}

// Two copies saving the same file at once: one of the two whole files wins.
TEST(AtomicSave, ConcurrentSavesLeaveOneWholeFile) {
  for (bool linked : {false, true}) {
    SCOPED_TRACE(linked ? "hard-linked" : "plain");
    TempDir dir;
    const std::string target = dir.File("list.gpx");
    WriteFileBytes(target, "old");
    if (linked) {
      ASSERT_EQ(::link(target.c_str(), dir.File("twin.gpx").c_str()), 0);
    }
    std::vector<std::string> contents;
    for (int i = 0; i < 6; ++i)
      contents.push_back(std::string(100000 + 7919 * static_cast<std::size_t>(i), 'a' + static_cast<char>(i)));
    std::vector<std::thread> writers;
    std::atomic<int> failures{0};
    for (const std::string& content : contents) {
      writers.emplace_back([&, content] {
        for (int round = 0; round < 5; ++round) {
          if (!Save(target, content)) ++failures;
        }
      });
    }
    for (auto& t : writers) t.join();
    EXPECT_EQ(failures.load(), 0);
    std::string final = ReadFileBytes(target);
    EXPECT_NE(std::find(contents.begin(), contents.end(), final), contents.end());
    if (linked) {
      EXPECT_EQ(ReadFileBytes(dir.File("twin.gpx")), final);
    }
    EXPECT_EQ(Listing(dir.path()), linked ? "list.gpx twin.gpx " : "list.gpx ");
  }
}

TEST(AtomicSave, LongestFileNamesSave) {
  for (bool named : {false, true}) {
    NamedTemporaries mode(named);
    TempDir dir;
    // 255 bytes: ASCII, and two-byte letters whose cut must not split one.
    const std::string ascii = std::string(251, 'n') + ".gpx";
    std::string accented;
    while (accented.size() < 249) accented += "\xC3\xA9";
    accented += "x.gpx";
    for (const std::string& name : {ascii, accented}) {
      ASSERT_EQ(name.size(), 255u);
      ASSERT_TRUE(Save(dir.File(name), "long")) << named;
      EXPECT_EQ(ReadFileBytes(dir.File(name)), "long");
      ASSERT_TRUE(Save(dir.File(name), "longer"));
      EXPECT_EQ(ReadFileBytes(dir.File(name)), "longer");
    }
    EXPECT_EQ(Listing(dir.path()), ascii + " " + accented + " ");
  }
}

// A folder the user may not write to. As root every folder is writable, so
// the saves then run as "nobody".
TEST(AtomicSave, LockedFolderWritesAWritableFileInPlaceAndRefusesTheRest) {
  TempDir dir, spare;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(spare.path().c_str(), 0777), 0);
  const std::string locked = dir.File("locked");
  ASSERT_EQ(::mkdir(locked.c_str(), 0755), 0);
  WriteFileBytes(locked + "/open.gpx", "old open");
  WriteFileBytes(locked + "/closed.gpx", "old closed");
  ASSERT_EQ(::chmod((locked + "/open.gpx").c_str(), 0666), 0);
  ASSERT_EQ(::chmod((locked + "/closed.gpx").c_str(), 0644), 0);
  ASSERT_EQ(::symlink((locked + "/open.gpx").c_str(), dir.File("link.gpx").c_str()), 0);
  ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
  struct Case {
    std::string saveTo;
    bool saves;
  };
  const Case cases[] = {
      {locked + "/open.gpx", true},     // writable: in place
      {dir.File("link.gpx"), true},     // the same through a link
      {locked + "/closed.gpx", false},  // not ours to write
      {locked + "/new.gpx", false},     // nowhere to create it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saveTo);
    std::string content = "new for " + c.saveTo;
    int rc = RunInChild(
        [&] {
          ::setenv("TMPDIR", spare.path().c_str(), 1);
          return Save(c.saveTo, content) ? 1 : 0;
        },
        true);
    ASSERT_NE(rc, 125) << "cannot drop privileges";
    EXPECT_EQ(rc, c.saves ? 1 : 0);
    if (c.saves) {
      EXPECT_EQ(ReadFileBytes(c.saveTo), content);
    }
    EXPECT_EQ(Listing(spare.path()), "");
  }
  EXPECT_EQ(ReadFileBytes(locked + "/closed.gpx"), "old closed");
  EXPECT_EQ(Listing(locked), "closed.gpx open.gpx ");
  EXPECT_TRUE(S_ISLNK(LinkStat(dir.File("link.gpx")).st_mode));
}

// kill -9 in the middle of a save: the old file stays, and whatever the save
// left is gone by the next save at the latest.
TEST(AtomicSave, KilledSaveLeavesNothingBehind) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
    NamedTemporaries mode(named);
    TempDir dir;
    const std::string target = dir.File("list.gpx");
    WriteFileBytes(target, "old");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      AtomicFileWriter w;
      if (!w.Open(target, false)) ::_exit(1);
      w.Write(std::string(4 << 20, 'x'));
      (void)!::write(ready[1], "r", 1);
      ::pause();
      ::_exit(2);
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(ReadFileBytes(target), "old");
    if (!named) {
      EXPECT_EQ(Listing(dir.path()), "list.gpx ");
    }
    // Temporaries of a running save, and names that only look like ours, stay.
    const std::string running = "list.gpx.~qm" + std::to_string(::getppid()) + ".7";
    const std::string lookalike = "list.gpx.~qmx.1";
    WriteFileBytes(dir.File(running), "busy");
    WriteFileBytes(dir.File(lookalike), "mine");
    ASSERT_TRUE(Save(target, "new"));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(Listing(dir.path()), "list.gpx " + running + " " + lookalike + " ");
  }
}

// A FIFO or a device given as a file to load: refused at once, never waited on.
TEST(LoadFile, FifosAndDevicesAreRefused) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.gpx").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.loc").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", dir.File("null.ov2").c_str()), 0);
  for (const char* name : {"pipe.gpx", "zero.loc", "null.ov2"}) {
    SCOPED_TRACE(name);
    int rc = RunInChild(
        [&] {
          test::RecordingStatus status;
          test::ScriptedQuestions questions;
          ListSession session(status, questions);
          return !session.LoadFile(dir.File(name)) && status.LastSet() == "Error loading file: not a regular file" ? 0
                                                                                                                   : 1;
        },
        false, 10);
    EXPECT_EQ(rc, 0);
  }
}

// Text mode folds CR LF to LF wherever the pair falls against the read
// chunks, keeps a lone CR, and gives the same bytes chunk by chunk as whole.
TEST(LoadFile, TextModeFoldsCrLfAcrossChunks) {
  TempDir dir;
  std::string big;
  unsigned state = 12345;
  for (int i = 0; i < 700000; ++i) {
    state = state * 1103515245u + 12345u;
    big.push_back("ab\r\n"[(state >> 16) % 4]);
  }
  const std::vector<std::string> contents = {"", "\r", "\r\n", "\n\r", "a\r\r\nb\r", big, big + "\r"};
  for (const std::string& content : contents) {
    SCOPED_TRACE(content.size());
    std::string expected;
    for (std::size_t i = 0; i < content.size(); ++i) {
      if (!(content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')) expected.push_back(content[i]);
    }
    WriteFileBytes(dir.File("t.txt"), content);
    InputFile whole;
    ASSERT_TRUE(whole.Open(dir.File("t.txt"), true));
    std::string all;
    EXPECT_TRUE(whole.ReadAll(all));
    EXPECT_EQ(all, expected);
    InputFile chunks;
    ASSERT_TRUE(chunks.Open(dir.File("t.txt"), true));
    std::string joined;
    for (std::string_view c = chunks.ReadChunk(); !c.empty(); c = chunks.ReadChunk()) joined.append(c);
    EXPECT_EQ(joined, expected);
    InputFile raw;
    ASSERT_TRUE(raw.Open(dir.File("t.txt"), false));
    EXPECT_TRUE(raw.ReadAll(all));
    EXPECT_EQ(all, content);
  }
}

// The writer's buffer takes pieces of any size; in text mode every LF grows
// into CR LF there, so a piece of LFs alone doubles in the buffer.
TEST(AtomicSave, TextModeWritesEveryLfAsCrLfWhateverThePieces) {
  TempDir dir;
  unsigned state = 777;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  for (bool textMode : {true, false}) {
    AtomicFileWriter w;
    ASSERT_TRUE(w.Open(dir.File("out.txt"), textMode));
    std::string expected;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{17},
                             std::size_t{200000}, std::size_t{300000}, std::size_t{700000}}) {
      std::string piece;
      const bool allNewlines = next() % 4 == 0;
      for (std::size_t i = 0; i < size; ++i) piece.push_back(allNewlines ? '\n' : "ab\r\n"[next() % 4]);
      const bool raw = next() % 3 == 0;
      if (raw) {
        w.WriteBytes(piece.data(), piece.size());
      } else {
        w.Write(piece);
      }
      for (char c : piece) {
        if (c == '\n' && textMode && !raw) expected.push_back('\r');
        expected.push_back(c);
      }
    }
    ASSERT_TRUE(w.Commit());
    // Compared by hand: a diff of two megabytes of lines is more than gtest can print.
    const std::string got = ReadFileBytes(dir.File("out.txt"));
    const auto differ = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
    EXPECT_TRUE(differ.first == got.end() && differ.second == expected.end())
        << "text mode " << textMode << ": first difference at byte " << (differ.first - got.begin()) << " of "
        << got.size() << " (expected " << expected.size() << ")";
  }
}

}  // namespace
}  // namespace quill
