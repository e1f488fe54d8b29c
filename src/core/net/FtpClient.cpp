// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/FtpClient.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QMetaObject>
#include <QObject>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <set>
#include <thread>

#include "base/Platform.h"
#include "net/FtpHost.h"

namespace quill {

namespace {

using K = FtpResult::Kind;

std::once_flag gCurlInit;

// A text sent on the control connection must not smuggle a second command
// onto it: no control character at all.
bool IsSafeName(const std::string& name) {
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

// What the worker does: the operations, and its own housekeeping.
enum class FtpClient::Op { kConnect, kChangeDir, kDownload, kUpload, kRename, kDelete, kDisconnect, kRemoveFile };

struct FtpClient::Outcome {
  bool ended = true;  // false: nothing to report (cut off, or housekeeping)
  FtpResult result;
  FtpDone done;
  unsigned generation = 0;
  Op op = Op::kConnect;

  static Outcome None() {
    Outcome out;
    out.ended = false;
    return out;
  }
};

class FtpClient::Worker {
 public:
  struct Job {
    unsigned generation = 0;
    Op op = Op::kConnect;
    std::string a;
    std::string b;
    FtpProperties properties;
    FtpDone done;
  };

  explicit Worker(FtpClient& owner) : owner_(owner), thread_([this] { Loop(); }) {}

  ~Worker() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    live_.fetch_add(1);
    ShutdownSockets();
    wake_.notify_all();
    thread_.join();
    for (const Job& job : jobs_) {
      if (job.op != Op::kRemoveFile) continue;
      ::unlink(job.a.c_str());
      platform::ForgetOnTermination(job.a);
    }
  }

  void Push(Job job) {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
    wake_.notify_one();
  }

  // Jobs of older generations are dropped; one that runs is cut short.
  void SetLive(unsigned generation) {
    live_.store(generation);
    if (running_.load()) ShutdownSockets();
  }

 private:
  void Loop();
  Outcome Run(const Job& job);
  Outcome ConnectJob(const Job& job);
  Outcome ChangeDirJob(const std::string& folder);
  Outcome DownloadJob(const std::string& remote, const std::string& local);
  Outcome UploadJob(const std::string& local, const std::string& remote);
  Outcome RenameJob(const std::string& from, const std::string& to);
  Outcome DeleteJob(const std::string& name);
  // Sends commands after the folder change (names relative to the folder).
  Outcome QuoteJob(Op op, std::initializer_list<std::string> lines);
  void Close();

  void Prepare();
  CURLcode Perform(const std::string& url);
  // The outcome of a libcurl request of the operation (kConnect: the login).
  Outcome Classify(Op op, CURLcode code);
  bool EscapePath(const std::string& folder, std::string& out) const;
  std::string UrlFor(const std::string& escapedName) const;
  bool Abandoned() const { return live_.load() != jobGeneration_; }

  void ShutdownSockets() {
    std::lock_guard<std::mutex> lock(socketMutex_);
    for (int fd : sockets_) ::shutdown(fd, SHUT_RDWR);
  }

  static curl_socket_t OpenSocket(void* self, curlsocktype, curl_sockaddr* address);
  static int SocketOption(void* self, curl_socket_t fd, curlsocktype purpose);
  static int CloseSocket(void* self, curl_socket_t fd);
  static int Progress(void* self, curl_off_t downTotal, curl_off_t downNow, curl_off_t upTotal, curl_off_t upNow);
  static std::size_t WriteData(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t ReadData(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t HeaderLine(char* data, std::size_t size, std::size_t count, void* self);

  FtpClient& owner_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::atomic<unsigned> live_{0};
  std::atomic<bool> running_{false};
  std::mutex socketMutex_;
  std::set<int> sockets_;

  // Owned by the worker thread alone.
  CURL* curl_ = nullptr;
  FtpProperties properties_;
  FtpEndpoint endpoint_;
  std::string folder_;  // escaped, without a trailing '/'
  unsigned jobGeneration_ = 0;
  int fileFd_ = -1;
  std::uint64_t fileBytes_ = 0;
  bool fileError_ = false;
  // Stall detection: when a byte last moved, and whether the wait ran out.
  std::chrono::steady_clock::time_point lastMove_;
  curl_off_t lastBytes_ = 0;
  bool timedOut_ = false;
  // The whole transfer's time, from the connect on.
  std::chrono::steady_clock::time_point deadline_;
  bool overTime_ = false;
  // A download beyond the size limit; the size the transfer command's reply
  // announced ("150 ... (N bytes)"), -1 when it named none.
  bool tooLarge_ = false;
  curl_off_t replyAnnounced_ = -1;
  char errorText_[CURL_ERROR_SIZE] = {};

  std::thread thread_;  // last: it starts running at construction
};

void FtpClient::Worker::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    if (job.op == Op::kRemoveFile) {
      ::unlink(job.a.c_str());
      platform::ForgetOnTermination(job.a);
      continue;
    }
    if (job.op != Op::kDisconnect && job.generation != live_.load()) continue;
    jobGeneration_ = job.generation;
    running_.store(true);
    Outcome outcome = Run(job);
    running_.store(false);
    if (!outcome.ended || Abandoned()) continue;
    outcome.generation = job.generation;
    outcome.done = std::move(job.done);
    outcome.op = job.op;
    FtpClient* owner = &owner_;
    QMetaObject::invokeMethod(
        owner_.context_.get(), [owner, outcome] { owner->Deliver(outcome); }, Qt::QueuedConnection);
  }
  Close();
}

FtpClient::Outcome FtpClient::Worker::Run(const Job& job) {
  owner_.bytesDone_.store(0);
  owner_.bytesTotal_.store(0);
  switch (job.op) {
    case Op::kConnect:
      return ConnectJob(job);
    case Op::kChangeDir:
      return ChangeDirJob(job.a);
    case Op::kDownload:
      return DownloadJob(job.a, job.b);
    case Op::kUpload:
      return UploadJob(job.a, job.b);
    case Op::kRename:
      return RenameJob(job.a, job.b);
    case Op::kDelete:
      return DeleteJob(job.a);
    case Op::kDisconnect:
    case Op::kRemoveFile:
      break;
  }
  Close();
  return Outcome::None();
}

void FtpClient::Worker::Close() {
  if (curl_) curl_easy_cleanup(curl_);  // QUIT on a connection still alive
  curl_ = nullptr;
  folder_.clear();
}

curl_socket_t FtpClient::Worker::OpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
  auto* worker = static_cast<Worker*>(self);
  const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
  if (fd < 0) return CURL_SOCKET_BAD;
  std::lock_guard<std::mutex> lock(worker->socketMutex_);
  worker->sockets_.insert(fd);
  return fd;
}

int FtpClient::Worker::SocketOption(void* self, curl_socket_t fd, curlsocktype purpose) {
  // The data connection of active mode comes from accept(), not OpenSocket.
  if (purpose == CURLSOCKTYPE_ACCEPT) {
    auto* worker = static_cast<Worker*>(self);
    std::lock_guard<std::mutex> lock(worker->socketMutex_);
    worker->sockets_.insert(fd);
  }
  return CURL_SOCKOPT_OK;
}

int FtpClient::Worker::CloseSocket(void* self, curl_socket_t fd) {
  auto* worker = static_cast<Worker*>(self);
  // Under the lock, so a shutdown from another thread never meets a reused number.
  std::lock_guard<std::mutex> lock(worker->socketMutex_);
  worker->sockets_.erase(fd);
  return ::close(fd);
}

int FtpClient::Worker::Progress(void* self, curl_off_t downTotal, curl_off_t downNow, curl_off_t upTotal,
                                curl_off_t upNow) {
  auto* worker = static_cast<Worker*>(self);
  const curl_off_t total = downTotal > 0 ? downTotal : upTotal;
  const curl_off_t done = downTotal > 0 || downNow > 0 ? downNow : upNow;
  worker->owner_.bytesTotal_.store(static_cast<std::uint64_t>(total > 0 ? total : 0));
  worker->owner_.bytesDone_.store(static_cast<std::uint64_t>(done > 0 ? done : 0));
  if (worker->Abandoned()) return 1;
  // libcurl's own low-speed check averages over seconds; this one cuts a
  // stalled server off once the idle time has passed, to the moment.
  const auto now = std::chrono::steady_clock::now();
  if (now >= worker->deadline_) {
    worker->overTime_ = true;
    return 1;
  }
  if (downNow + upNow != worker->lastBytes_) {
    worker->lastBytes_ = downNow + upNow;
    worker->lastMove_ = now;
  } else if (now - worker->lastMove_ > std::chrono::milliseconds(worker->properties_.idleTimeoutMs)) {
    worker->timedOut_ = true;
    return 1;
  }
  return 0;
}

std::size_t FtpClient::Worker::WriteData(char* data, std::size_t size, std::size_t count, void* self) {
  auto* worker = static_cast<Worker*>(self);
  const std::size_t bytes = size * count;
  if (bytes >
      worker->properties_.maxDownloadBytes - std::min(worker->fileBytes_, worker->properties_.maxDownloadBytes)) {
    worker->tooLarge_ = true;
    return 0;
  }
  if (!WriteAll(worker->fileFd_, data, bytes)) {
    worker->fileError_ = true;
    return 0;
  }
  worker->fileBytes_ += bytes;
  return bytes;
}

std::size_t FtpClient::Worker::ReadData(char* data, std::size_t size, std::size_t count, void* self) {
  auto* worker = static_cast<Worker*>(self);
  for (;;) {
    const ssize_t n = ::read(worker->fileFd_, data, size * count);
    if (n >= 0) {
      worker->fileBytes_ += static_cast<std::uint64_t>(n);
      return static_cast<std::size_t>(n);
    }
    if (errno != EINTR) break;
  }
  worker->fileError_ = true;
  return CURL_READFUNC_ABORT;
}

// The transfer command's reply may announce the size: "150 ... (1234 bytes)".
std::size_t FtpClient::Worker::HeaderLine(char* data, std::size_t size, std::size_t count, void* self) {
  auto* worker = static_cast<Worker*>(self);
  const std::string_view line(data, size * count);
  if (line.rfind("150", 0) == 0) {
    const std::size_t open = line.rfind('(');
    const std::size_t words = line.find(" bytes)", open == std::string_view::npos ? line.size() : open);
    if (open != std::string_view::npos && words != std::string_view::npos && words > open + 1) {
      curl_off_t value = 0;
      bool digits = true;
      for (char c : line.substr(open + 1, words - open - 1)) {
        if (c < '0' || c > '9' || value > (std::numeric_limits<curl_off_t>::max() - 9) / 10) {
          digits = false;
          break;
        }
        value = value * 10 + (c - '0');
      }
      if (digits) worker->replyAnnounced_ = value;
    }
  }
  return size * count;
}

// Every request starts from the same options, so libcurl reuses the one
// connection it logged in with.
void FtpClient::Worker::Prepare() {
  curl_easy_reset(curl_);
  errorText_[0] = '\0';
  const auto connectMs = static_cast<long>(properties_.connectTimeoutMs);
  const long idleSeconds = std::max(1L, static_cast<long>(properties_.idleTimeoutMs + 999) / 1000);
  curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorText_);
  curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, connectMs);
  curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, connectMs);
  curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, idleSeconds);
  curl_easy_setopt(curl_, CURLOPT_TCP_KEEPALIVE, 1L);
  curl_easy_setopt(curl_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
  if (!properties_.UserID.empty()) {
    curl_easy_setopt(curl_, CURLOPT_USERNAME, properties_.UserID.c_str());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, properties_.Password.c_str());
  }
  if (!properties_.Passive) curl_easy_setopt(curl_, CURLOPT_FTPPORT, "-");
  curl_easy_setopt(curl_, CURLOPT_PROXY, properties_.Proxy.c_str());
  if (!properties_.Proxy.empty()) {
    if (properties_.ProxyPort > 0) curl_easy_setopt(curl_, CURLOPT_PROXYPORT, static_cast<long>(properties_.ProxyPort));
    curl_easy_setopt(curl_, CURLOPT_HTTPPROXYTUNNEL, 1L);
  }
  if (endpoint_.tls) {
    curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(curl_, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!properties_.caFile.empty()) curl_easy_setopt(curl_, CURLOPT_CAINFO, properties_.caFile.c_str());
  }
  curl_easy_setopt(curl_, CURLOPT_OPENSOCKETFUNCTION, &Worker::OpenSocket);
  curl_easy_setopt(curl_, CURLOPT_OPENSOCKETDATA, this);
  curl_easy_setopt(curl_, CURLOPT_SOCKOPTFUNCTION, &Worker::SocketOption);
  curl_easy_setopt(curl_, CURLOPT_SOCKOPTDATA, this);
  curl_easy_setopt(curl_, CURLOPT_CLOSESOCKETFUNCTION, &Worker::CloseSocket);
  curl_easy_setopt(curl_, CURLOPT_CLOSESOCKETDATA, this);
  // A request without a body still reports the file's size as header lines.
  curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &Discard);
  curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &Discard);
  curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &Worker::Progress);
  curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
}

CURLcode FtpClient::Worker::Perform(const std::string& url) {
  curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
  lastMove_ = std::chrono::steady_clock::now();
  lastBytes_ = 0;
  timedOut_ = false;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - lastMove_).count();
  if (left <= 0) {
    overTime_ = true;
    return CURLE_OPERATION_TIMEDOUT;
  }
  // A backstop only: the progress check ends the transfer at the deadline.
  curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, static_cast<long>(left) + 1000L);
  const CURLcode code = curl_easy_perform(curl_);
  if (code == CURLE_OPERATION_TIMEDOUT && std::chrono::steady_clock::now() >= deadline_) overTime_ = true;
  return code;
}

FtpClient::Outcome FtpClient::Worker::Classify(Op op, CURLcode code) {
  Outcome out;
  if (Abandoned()) return Outcome::None();
  long response = 0;
  curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &response);
  if (overTime_ && (code == CURLE_ABORTED_BY_CALLBACK || code == CURLE_OPERATION_TIMEDOUT)) {
    out.result.kind = op == Op::kConnect ? K::kConnectionFailed : K::kError;
    out.result.number = static_cast<int>(CURLE_OPERATION_TIMEDOUT);
    out.result.text =
        "Timed out: the transfer took longer than " + std::to_string((properties_.totalTimeoutMs + 999) / 1000) + " s";
    return out;
  }
  if (tooLarge_) {
    out.result.kind = K::kError;
    out.result.number = static_cast<int>(CURLE_FILESIZE_EXCEEDED);
    const std::uint64_t most = properties_.maxDownloadBytes;
    out.result.text = "The file is larger than " +
                      (most % (1u << 20) == 0 ? std::to_string(most >> 20) + " MiB" : std::to_string(most) + " bytes");
    return out;
  }
  if (code == CURLE_ABORTED_BY_CALLBACK && timedOut_) {
    out.result.kind = op == Op::kConnect ? K::kConnectionFailed : K::kError;
    out.result.number = static_cast<int>(CURLE_OPERATION_TIMEDOUT);
    out.result.text = "Timed out: no data moved for " + std::to_string((properties_.idleTimeoutMs + 999) / 1000) + " s";
    return out;
  }
  switch (code) {
    case CURLE_OK:
      out.result.kind = op == Op::kConnect ? K::kOk : K::kOk;
      return out;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      out.result.kind = K::kInvalidHost;
      return out;
    case CURLE_LOGIN_DENIED:
      out.result.kind = K::kAuthFailed;
      return out;
    case CURLE_COULDNT_CONNECT:
      out.result.kind = K::kConnectionFailed;
      return out;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_UPLOAD_FAILED:
    case CURLE_QUOTE_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_REMOTE_FILE_EXISTS:
      if (op != Op::kConnect) {
        // 500, 502 and 504: the server does not know the command at all.
        out.result.kind = response == 500 || response == 502 || response == 504 ? K::kUnsupported : K::kRefused;
        return out;
      }
      break;
    default:
      break;
  }
  if (op == Op::kConnect) {
    // No usable control connection came about.
    switch (code) {
      case CURLE_OPERATION_TIMEDOUT:
      case CURLE_WEIRD_SERVER_REPLY:
      case CURLE_GOT_NOTHING:
      case CURLE_RECV_ERROR:
      case CURLE_SEND_ERROR:
        out.result.kind = K::kConnectionFailed;
        return out;
      default:
        break;
    }
  }
  out.result.kind = K::kError;
  out.result.number = static_cast<int>(code);
  out.result.text = errorText_[0] ? errorText_ : curl_easy_strerror(code);
  return out;
}

bool FtpClient::Worker::EscapePath(const std::string& folder, std::string& out) const {
  out.clear();
  if (!IsSafeName(folder)) return false;
  std::string rest = folder;
  while (rest.size() > 1 && rest.back() == '/') rest.pop_back();
  std::size_t start = 0;
  if (!rest.empty() && rest.front() == '/') {
    out = "%2F";  // from the server's root, not the login folder
    start = 1;
  }
  while (start < rest.size()) {
    std::size_t slash = rest.find('/', start);
    if (slash == std::string::npos) slash = rest.size();
    char* escaped = curl_easy_escape(curl_, rest.data() + start, static_cast<int>(slash - start));
    if (!escaped) return false;
    if (!out.empty() && out != "%2F") out += '/';
    out += escaped;
    curl_free(escaped);
    start = slash + 1;
  }
  return true;
}

std::string FtpClient::Worker::UrlFor(const std::string& escapedName) const {
  std::string url = endpoint_.Url() + "/" + folder_;
  if (!folder_.empty()) url += '/';
  return url + escapedName;
}

FtpClient::Outcome FtpClient::Worker::ConnectJob(const Job& job) {
  Close();
  properties_ = job.properties;
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(1, properties_.totalTimeoutMs));
  overTime_ = false;
  Outcome out;
  const std::optional<FtpEndpoint> endpoint = ParseFtpHost(properties_.Host);
  if (!endpoint) {
    out.result.kind = K::kInvalidHost;
    return out;
  }
  endpoint_ = *endpoint;
  if (!IsSafeName(properties_.UserID) || !IsSafeName(properties_.Password) || !IsSafeName(properties_.Proxy)) {
    out.result.kind = K::kError;
    out.result.text = "A control character in the login or the proxy";
    return out;
  }
  curl_ = curl_easy_init();
  if (!curl_) {
    out.result.kind = K::kError;
    out.result.text = "Out of memory";
    return out;
  }
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
  const CURLcode code = Perform(UrlFor(""));
  return Classify(Op::kConnect, code);
}

FtpClient::Outcome FtpClient::Worker::ChangeDirJob(const std::string& folder) {
  Outcome out;
  std::string path;
  if (!curl_ || !EscapePath(folder, path)) {
    out.result.kind = K::kRefused;
    return out;
  }
  const std::string before = folder_;
  folder_ = path;
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
  out = Classify(Op::kChangeDir, Perform(UrlFor("")));
  if (out.result.kind != K::kOk) folder_ = before;
  return out;
}

FtpClient::Outcome FtpClient::Worker::DownloadJob(const std::string& remote, const std::string& local) {
  Outcome out;
  out.result.kind = K::kRefused;
  std::string name;
  if (!curl_ || remote.empty() || !EscapePath(remote, name)) return out;
  tooLarge_ = false;
  replyAnnounced_ = -1;
  // The size first (SIZE): the transfer itself then runs until the server
  // closes the data connection, so that bytes beyond the announced size are
  // seen instead of cut off.
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
  const CURLcode sizeCode = Perform(UrlFor(name));
  if (Abandoned()) return Outcome::None();
  if (sizeCode != CURLE_OK) return Classify(Op::kDownload, sizeCode);
  curl_off_t announced = -1;
  curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  if (announced > 0 && static_cast<std::uint64_t>(announced) > properties_.maxDownloadBytes) {
    tooLarge_ = true;
    return Classify(Op::kDownload, CURLE_FILESIZE_EXCEEDED);
  }
  owner_.bytesTotal_.store(announced > 0 ? static_cast<std::uint64_t>(announced) : 0);

  const int flags = O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC;
  bool created = false;
  fileFd_ = ::open(local.c_str(), flags);
  if (fileFd_ < 0 && errno == ENOENT) {
    fileFd_ = ::open(local.c_str(), flags | O_CREAT | O_EXCL, 0600);
    created = fileFd_ >= 0;
  }
  if (fileFd_ < 0) {
    out.result.kind = K::kError;
    out.result.text = "Cannot write " + local;
    return out;
  }
  // Cut off just as it began: the owner may already have removed the file,
  // and must not find it made again.
  if (Abandoned()) {
    ::close(fileFd_);
    fileFd_ = -1;
    if (created) ::unlink(local.c_str());
    return Outcome::None();
  }
  fileBytes_ = 0;
  fileError_ = false;
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
  curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &Worker::WriteData);
  curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &Worker::HeaderLine);
  curl_easy_setopt(curl_, CURLOPT_HEADERDATA, this);
  const CURLcode code = Perform(UrlFor(name));
  const bool closed = ::close(fileFd_) == 0;
  fileFd_ = -1;
  out = Classify(Op::kDownload, code);
  if (out.result.kind != K::kOk) return out;
  if (fileError_ || !closed) {
    out.result.kind = K::kError;
    out.result.text = "Cannot write " + local;
    return out;
  }
  for (const curl_off_t expected : {announced, replyAnnounced_}) {
    if (expected >= 0 && static_cast<std::uint64_t>(expected) != fileBytes_) {
      out.result.kind = K::kError;
      out.result.number = static_cast<int>(CURLE_PARTIAL_FILE);
      out.result.text =
          "The server sent " + std::to_string(fileBytes_) + " bytes of a file of " + std::to_string(expected);
      return out;
    }
  }
  return out;
}

FtpClient::Outcome FtpClient::Worker::UploadJob(const std::string& local, const std::string& remote) {
  Outcome out;
  out.result.kind = K::kRefused;
  std::string name;
  if (!curl_ || remote.empty() || !EscapePath(remote, name)) return out;
  fileFd_ = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fileFd_ < 0 || ::fstat(fileFd_, &st) != 0) {
    if (fileFd_ >= 0) ::close(fileFd_);
    fileFd_ = -1;
    out.result.kind = K::kError;
    out.result.text = "Cannot read " + local;
    return out;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  fileBytes_ = 0;
  fileError_ = false;
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(curl_, CURLOPT_READFUNCTION, &Worker::ReadData);
  curl_easy_setopt(curl_, CURLOPT_READDATA, this);
  const CURLcode code = Perform(UrlFor(name));
  ::close(fileFd_);
  fileFd_ = -1;
  out = Classify(Op::kUpload, code);
  if (out.result.kind != K::kOk) return out;
  if (fileError_ || fileBytes_ != size) {
    out.result.kind = K::kError;
    out.result.text = "Cannot read " + local;
    return out;
  }
  // Ask the server what it holds; a server that does not tell is trusted.
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
  const CURLcode sizeCode = Perform(UrlFor(name));
  curl_off_t stored = -1;
  curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &stored);
  if (Abandoned()) return Outcome::None();
  if (sizeCode == CURLE_OK && stored >= 0 && static_cast<std::uint64_t>(stored) != size) out.result.kind = K::kRefused;
  return out;
}

FtpClient::Outcome FtpClient::Worker::RenameJob(const std::string& from, const std::string& to) {
  return QuoteJob(Op::kRename, {"RNFR " + from, "RNTO " + to});
}

FtpClient::Outcome FtpClient::Worker::DeleteJob(const std::string& name) {
  return QuoteJob(Op::kDelete, {"DELE " + name});
}

FtpClient::Outcome FtpClient::Worker::QuoteJob(Op op, std::initializer_list<std::string> lines) {
  Outcome out;
  out.result.kind = K::kRefused;
  if (!curl_) return out;
  curl_slist* commands = nullptr;
  for (const std::string& line : lines) {
    // Five letters and a name: an empty or smuggling name is no command.
    if (line.size() <= 5 || !IsSafeName(line)) {
      curl_slist_free_all(commands);
      return out;
    }
    curl_slist* longer = curl_slist_append(commands, line.c_str());
    if (!longer) {
      curl_slist_free_all(commands);
      return out;
    }
    commands = longer;
  }
  Prepare();
  curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
  curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, commands);
  const CURLcode code = Perform(UrlFor(""));
  curl_slist_free_all(commands);
  return Classify(op, code);
}

FtpClient::FtpClient() : context_(std::make_unique<QObject>()) {
  std::call_once(gCurlInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  worker_ = std::make_unique<Worker>(*this);
}

FtpClient::~FtpClient() {
  // The worker goes first: nothing may post to the context once it is gone.
  worker_.reset();
  context_.reset();
}

void FtpClient::Queue(Op op, std::string a, std::string b, FtpDone done, const FtpProperties* properties) {
  Worker::Job job;
  job.generation = generation_;
  job.op = op;
  job.a = std::move(a);
  job.b = std::move(b);
  job.done = std::move(done);
  if (properties) job.properties = *properties;
  worker_->Push(std::move(job));
}

void FtpClient::Connect(const FtpProperties& properties, FtpDone done) {
  worker_->SetLive(++generation_);
  connected_ = true;
  Queue(Op::kConnect, {}, {}, std::move(done), &properties);
}

void FtpClient::ChangeDir(const std::string& folder, FtpDone done) {
  Queue(Op::kChangeDir, folder, {}, std::move(done));
}

void FtpClient::Download(const std::string& remoteName, const std::string& localFile, FtpDone done) {
  Queue(Op::kDownload, remoteName, localFile, std::move(done));
}

void FtpClient::Upload(const std::string& localFile, const std::string& remoteName, FtpDone done) {
  Queue(Op::kUpload, localFile, remoteName, std::move(done));
}

void FtpClient::Rename(const std::string& from, const std::string& to, FtpDone done) {
  Queue(Op::kRename, from, to, std::move(done));
}

void FtpClient::Delete(const std::string& name, FtpDone done) { Queue(Op::kDelete, name, {}, std::move(done)); }

void FtpClient::RemoveLocalFile(const std::string& path) { Queue(Op::kRemoveFile, path, {}, {}); }

void FtpClient::Disconnect() {
  connected_ = false;
  worker_->SetLive(++generation_);
  Queue(Op::kDisconnect, {}, {}, {});
}

void FtpClient::Deliver(const Outcome& outcome) {
  if (outcome.generation != generation_) return;  // from a connection since closed
  const K kind = outcome.result.kind;
  if ((outcome.op == Op::kConnect && kind != K::kOk) || kind == K::kConnectionFailed || kind == K::kAuthFailed ||
      kind == K::kInvalidHost) {
    connected_ = false;
  }
  if (outcome.done) outcome.done(outcome.result);
}

}  // namespace quill
