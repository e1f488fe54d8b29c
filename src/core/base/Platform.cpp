// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX (Linux) side of Platform.h.
#include "base/Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace quill::platform {
namespace {

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kDirectory;
  if (S_ISFIFO(mode) || S_ISCHR(mode)) return FileKind::kStream;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  if (S_ISLNK(mode)) return FileKind::kLink;
  return FileKind::kOther;
}

FileInfo InfoOf(int result, const struct stat& st) {
  FileInfo info;
  if (result != 0) {
    info.kind = errno == ENOENT || errno == ENOTDIR ? FileKind::kMissing : FileKind::kUnknown;
    return info;
  }
  info.kind = KindOf(st.st_mode);
  info.permissions = static_cast<std::uint32_t>(st.st_mode & 07777);
  info.owner = static_cast<std::uint32_t>(st.st_uid);
  info.links = static_cast<std::uint64_t>(st.st_nlink);
  info.size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  info.device = static_cast<std::uint64_t>(st.st_dev);
  info.inode = static_cast<std::uint64_t>(st.st_ino);
  info.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  info.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return info;
}

}  // namespace

Failure LastFailure() {
  switch (errno) {
    case 0:
      return Failure::kNone;
    case EEXIST:
      return Failure::kExists;
    case ENOENT:
    case ENOTDIR:
      return Failure::kMissing;
    case EACCES:
    case EPERM:
    case EROFS:
      return Failure::kDenied;
    case ENOSPC:
    case EDQUOT:
      return Failure::kNoRoom;
    case ENXIO:
      return Failure::kNoReader;
    case EMFILE:
    case ENFILE:
      return Failure::kNoDescriptors;
    default:
      return Failure::kOther;
  }
}

FileInfo Stat(const std::string& path, bool followLinks) {
  struct stat st {};
  int r = followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
  return InfoOf(r, st);
}

FileInfo StatHandle(Handle handle) {
  struct stat st {};
  return InfoOf(::fstat(handle, &st), st);
}

bool ResolvePath(const std::string& path, std::string& resolved) {
  char* r = ::realpath(path.c_str(), nullptr);
  if (!r) return false;
  resolved = r;
  std::free(r);
  return true;
}

Handle OpenForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

long ReadSome(Handle handle, char* buffer, std::size_t size) {
  while (true) {
    ssize_t n = ::read(handle, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

long ReadAt(Handle handle, char* buffer, std::size_t size, std::uint64_t offset) {
  while (true) {
    ssize_t n = ::pread(handle, buffer, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

Handle OpenExistingForWriting(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return kNoHandle;
  // Not waiting was only for the open; writes may wait for a slow reader.
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return kNoHandle;
  }
  return fd;
}

Handle OpenFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd < 0 ? kNoHandle : fd;
}

Handle OpenFolderAt(Handle folder, const std::string& name) {
  const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  return fd < 0 ? kNoHandle : fd;
}

FileInfo StatAt(Handle folder, const std::string& name) {
  struct stat st {};
  return InfoOf(::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW), st);
}

std::vector<std::string> FolderEntriesAt(Handle folder) {
  std::vector<std::string> names;
  const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return names;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

Handle MakeFolderAt(Handle folder, const std::string& name, std::uint32_t permissions) {
  if (::mkdirat(folder, name.c_str(), static_cast<mode_t>(permissions)) != 0) return kNoHandle;
  return OpenFolderAt(folder, name);
}

Handle CreateExclusiveAt(Handle folder, const std::string& name, std::uint32_t permissions) {
  const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          static_cast<mode_t>(permissions));
  return fd < 0 ? kNoHandle : fd;
}

bool RenameAt(Handle folder, const std::string& from, const std::string& to) {
  return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0;
}

bool RemoveAt(Handle folder, const std::string& name) { return ::unlinkat(folder, name.c_str(), 0) == 0; }

Handle OpenForAppending(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOCTTY | O_CLOEXEC, 0666);
}

Handle OpenOwnFileForAppending(const std::string& path, const char** why) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
  if (fd < 0) {
    const int error = errno;
    *why = error == ELOOP                      ? "it is a symbolic link"
           : error == ENXIO || error == EISDIR ? "it is not a regular file"
                                               : std::strerror(error);
    return kNoHandle;
  }
  struct stat st {};
  const char* refused = nullptr;
  if (::fstat(fd, &st) != 0) {
    refused = "it cannot be examined";
  } else if (!S_ISREG(st.st_mode)) {
    refused = "it is not a regular file";
  } else if (st.st_uid != ::geteuid()) {
    refused = "it belongs to another user";
  }
  if (refused) {
    ::close(fd);
    *why = refused;
    return kNoHandle;
  }
  return fd;
}

Handle CreateUnnamed(const std::string& folder, std::uint32_t permissions) {
#ifdef O_TMPFILE
  return ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, static_cast<mode_t>(permissions));
#else
  (void)folder;
  (void)permissions;
  errno = EOPNOTSUPP;
  return kNoHandle;
#endif
}

Handle CreateExclusive(const std::string& path, std::uint32_t permissions) {
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(permissions));
}

Handle CreateUniqueFile(std::string& path, std::size_t suffixLength) {
  if (suffixLength > path.size()) return kNoHandle;
  int fd = ::mkostemps(path.data(), static_cast<int>(suffixLength), O_CLOEXEC);
  return fd < 0 ? kNoHandle : fd;
}

bool LinkUnnamed(Handle handle, const std::string& path) {
  std::string self = "/proc/self/fd/" + std::to_string(handle);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno != ENOENT) return false;
  // No /proc: the direct form needs a privilege a user may have.
  return ::linkat(handle, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
}

bool WriteAll(Handle handle, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(handle, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool SetPermissions(Handle handle, std::uint32_t permissions) {
  return ::fchmod(handle, static_cast<mode_t>(permissions & 07777)) == 0;
}

bool Reserve(Handle handle, std::uint64_t size) {
  if (size == 0) return true;
  if (::fallocate(handle, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return true;
  return errno != ENOSPC && errno != EDQUOT && errno != EFBIG;
}

bool Truncate(Handle handle, std::uint64_t size) { return ::ftruncate(handle, static_cast<off_t>(size)) == 0; }

bool Sync(Handle handle) { return ::fsync(handle) == 0; }

void StartWriteback(Handle handle, std::uint64_t offset, std::uint64_t length) {
  ::sync_file_range(handle, static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
}

bool Close(Handle handle) {
  if (handle < 0) return false;
  // After EINTR the descriptor is gone on Linux: closing again could hit another file.
  return ::close(handle) == 0 || errno == EINTR;
}

bool LockExclusive(Handle handle) {
  while (::flock(handle, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

Handle OpenLockFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
  if (fd < 0) return kNoHandle;
  if (StatHandle(fd).kind != FileKind::kRegular || !LockExclusive(fd)) {
    ::close(fd);
    return kNoHandle;
  }
  return fd;
}

bool Rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool MakeFolder(const std::string& path, std::uint32_t permissions) {
  if (::mkdir(path.c_str(), static_cast<mode_t>(permissions)) == 0) return true;
  if (errno != EEXIST) return false;
  return Stat(path).kind == FileKind::kDirectory;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
  }
  ::closedir(dir);
  return names;
}

std::string TemporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  if (tmp && tmp[0] == '/') return tmp;
  return "/tmp";
}

std::size_t MaxNameLength(const std::string& folder) {
  long n = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return n > 0 ? static_cast<std::size_t>(n) : 255;
}

namespace {

// Filled and read without locks: a signal handler may look at any moment.
struct TerminationFile {
  std::atomic<bool> used{false};
  char path[PATH_MAX] = {};
};
TerminationFile gTerminationFiles[8];
std::mutex gTerminationMutex;
constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gPreviousActions[3];

void RemoveAndPassOn(int signal) {
  for (TerminationFile& file : gTerminationFiles) {
    if (file.used.load(std::memory_order_acquire)) ::unlink(file.path);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    if (kTerminationSignals[i] == signal) ::sigaction(signal, &gPreviousActions[i], nullptr);
  }
  ::raise(signal);
}

}  // namespace

void RemoveOnTermination(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  std::lock_guard<std::mutex> lock(gTerminationMutex);
  for (TerminationFile& file : gTerminationFiles) {
    if (file.used.load(std::memory_order_relaxed)) continue;
    std::memcpy(file.path, path.c_str(), path.size() + 1);
    file.used.store(true, std::memory_order_release);
    return;
  }
}

void ForgetOnTermination(const std::string& path) {
  std::lock_guard<std::mutex> lock(gTerminationMutex);
  for (TerminationFile& file : gTerminationFiles) {
    if (file.used.load(std::memory_order_relaxed) && path == file.path) {
      file.used.store(false, std::memory_order_release);
      return;
    }
  }
}

void CleanUpOnTermination() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (std::size_t i = 0; i < 3; ++i) {
      const int signal = kTerminationSignals[i];
      if (::sigaction(signal, nullptr, &gPreviousActions[i]) != 0) continue;
      // A signal the process was told to ignore stays ignored.
      if (gPreviousActions[i].sa_handler == SIG_IGN) continue;
      struct sigaction action {};
      action.sa_handler = &RemoveAndPassOn;
      sigemptyset(&action.sa_mask);
      ::sigaction(signal, &action, nullptr);
    }
  });
}

long ProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRuns(long pid) {
  if (pid <= 0 || pid > INT_MAX) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::uint32_t UserId() { return static_cast<std::uint32_t>(::geteuid()); }

std::string ExecutablePath() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string HomeFromUserDatabase() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buf(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buf.data(), buf.size(), &found) != 0 || !found) return {};
  return found->pw_dir ? found->pw_dir : "";
}

bool IsTerminal(int stream) { return ::isatty(stream) == 1; }

bool PrivateToUser(const std::string& path, FileKind expected) {
  FileInfo info = Stat(path, false);
  return info.kind == expected && info.owner == UserId() && (info.permissions & 077) == 0;
}

Handle ListenLocal(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return kNoHandle;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return kNoHandle;
  ::unlink(path.c_str());
  // The caller made sure the folder is private, so nobody can swap the name
  // between bind and chmod.
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
    ::close(fd);
    return kNoHandle;
  }
  return fd;
}

AcceptResult AcceptLocal(Handle listener, Handle& connection) {
  while (true) {
    connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection >= 0) return AcceptResult::kAccepted;
    switch (errno) {
      case EINTR:
      case ECONNABORTED:
      case EPROTO:
        continue;
      case EAGAIN:
        return AcceptResult::kNoneWaiting;
      case EMFILE:
      case ENFILE:
      case ENOBUFS:
      case ENOMEM:
        return AcceptResult::kRetryLater;
      default:
        return AcceptResult::kFailed;
    }
  }
}

bool PeerIsThisUser(Handle connection) {
  ucred cred{};
  socklen_t len = sizeof cred;
  if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return static_cast<std::uint32_t>(cred.uid) == UserId();
}

}  // namespace quill::platform
