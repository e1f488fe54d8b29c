// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every call the program makes into the operating system outside Qt: files,
// locks, processes, the user database and the local socket. A port to another
// system replaces Platform.cpp and nothing else (the heap hint of
// LoadHeapHint.cpp is glibc's and does nothing elsewhere). Paths are the
// file system's own bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quill::platform {

using Handle = int;
constexpr Handle kNoHandle = -1;

// Why the last call failed, as far as the callers tell causes apart.
enum class Failure { kNone, kExists, kMissing, kDenied, kNoRoom, kNoReader, kNoDescriptors, kOther };
Failure LastFailure();

enum class FileKind {
  kMissing,
  kRegular,
  kDirectory,
  kStream,  // a FIFO or a character device: written and read in place
  kSocket,
  kOther,   // a block device
  kLink,    // only when links are not followed
  kUnknown  // the path could not be examined
};

struct FileInfo {
  FileKind kind = FileKind::kMissing;
  std::uint32_t permissions = 0;  // the 07777 bits
  std::uint32_t owner = 0;
  std::uint64_t links = 0;
  std::uint64_t size = 0;
  // Together these change whenever the file is replaced or rewritten.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
};

FileInfo Stat(const std::string& path, bool followLinks = true);
FileInfo StatHandle(Handle handle);
// The path with every link resolved; false for a dangling link or a loop.
bool ResolvePath(const std::string& path, std::string& resolved);

// Reading: never waits for a writer (a FIFO opens at once).
Handle OpenForReading(const std::string& path);
// Bytes read (0 at the end), or -1.
long ReadSome(Handle handle, char* buffer, std::size_t size);
long ReadAt(Handle handle, char* buffer, std::size_t size, std::uint64_t offset);

// Opens an existing file for writing without truncating it. A FIFO without a
// reader fails (kNoReader) instead of waiting.
Handle OpenExistingForWriting(const std::string& path);
Handle OpenForAppending(const std::string& path);
// Appending to a file of the user's own: created 0600 when missing; a
// symbolic link, a FIFO (never waited on), a device or any other kind of
// file, or one owned by someone else, is refused with *why (a few words).
Handle OpenOwnFileForAppending(const std::string& path, const char** why);
// A new file that no other name points at yet; kNoHandle when the file system
// cannot make one (then use CreateExclusive).
Handle CreateUnnamed(const std::string& folder, std::uint32_t permissions);
Handle CreateExclusive(const std::string& path, std::uint32_t permissions);
// A new file for the user alone (0600): the six X before the last suffixLength
// bytes of path are replaced by what makes the name unique.
Handle CreateUniqueFile(std::string& path, std::size_t suffixLength);
// Gives an unnamed file its first name.
bool LinkUnnamed(Handle handle, const std::string& path);

bool WriteAll(Handle handle, const char* data, std::size_t size);
bool SetPermissions(Handle handle, std::uint32_t permissions);
// Makes room for size bytes without changing the contents; true where the
// file system cannot tell in advance.
bool Reserve(Handle handle, std::uint64_t size);
bool Truncate(Handle handle, std::uint64_t size);
bool Sync(Handle handle);
// Starts writing a range already written to the disk without waiting for it,
// so a later Sync has little left to wait for. A hint: failure is ignored.
void StartWriteback(Handle handle, std::uint64_t offset, std::uint64_t length);
bool Close(Handle handle);
// Waits for an exclusive advisory lock on an open file.
bool LockExclusive(Handle handle);
// Opens (creating it private if need be) and locks a lock file; a link or
// anything but a regular file there is refused.
Handle OpenLockFile(const std::string& path);

// Within one open folder, by name (a single path component); no symbolic link
// is followed, neither the folder's nor an entry's.
// path is followed as usual (the caller named it); the entry name in folder
// is not: kNoHandle when it is a link or not a folder.
Handle OpenFolder(const std::string& path);
Handle OpenFolderAt(Handle folder, const std::string& name);
FileInfo StatAt(Handle folder, const std::string& name);
std::vector<std::string> FolderEntriesAt(Handle folder);
// A new folder at name, then opened; kNoHandle when anything is there (kExists).
Handle MakeFolderAt(Handle folder, const std::string& name, std::uint32_t permissions);
Handle CreateExclusiveAt(Handle folder, const std::string& name, std::uint32_t permissions);
// Replaces the entry at to (a link there is replaced, not followed).
bool RenameAt(Handle folder, const std::string& from, const std::string& to);
bool RemoveAt(Handle folder, const std::string& name);

bool Rename(const std::string& from, const std::string& to);
bool Remove(const std::string& path);
void SyncFolder(const std::string& folder);
// Creates one folder; true when it exists afterwards.
bool MakeFolder(const std::string& path, std::uint32_t permissions);
std::vector<std::string> FolderEntries(const std::string& folder);
std::string TemporaryFolder();
// The longest file name (one path component) the folder takes.
std::size_t MaxNameLength(const std::string& folder);

// Files removed should the process be ended by SIGINT, SIGTERM or SIGHUP,
// once CleanUpOnTermination has been called (a few at a time; more are not
// kept). The signal then does what it did before.
void RemoveOnTermination(const std::string& path);
void ForgetOnTermination(const std::string& path);
void CleanUpOnTermination();

long ProcessId();
bool ProcessRuns(long pid);
std::uint32_t UserId();
std::string ExecutablePath();
std::string HomeFromUserDatabase();
bool IsTerminal(int stream);

// The local socket on which the running window takes file names.
// Owned by this user, and neither group nor others may use it.
bool PrivateToUser(const std::string& path, FileKind expected);
// A listening socket at path, private to the user; kNoHandle on failure.
Handle ListenLocal(const std::string& path);
enum class AcceptResult { kAccepted, kNoneWaiting, kRetryLater, kFailed };
AcceptResult AcceptLocal(Handle listener, Handle& connection);
bool PeerIsThisUser(Handle connection);

}  // namespace quill::platform
