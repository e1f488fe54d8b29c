// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmark-cli open FILE`: hands FILE to the running window.
#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliSinks.h"
#include "formats/FormatTable.h"
#include "session/OpenSocketPath.h"

#ifdef QUILL_HAVE_NETWORK
#include <QCoreApplication>
#include <QLocalSocket>
#include <memory>
#endif

namespace quill::cli {

int RunOpen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  (void)out;
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return UsageError(err, "open takes one FILE");
  std::error_code ec;
  // The window runs in a folder of its own: send the whole path.
  std::filesystem::path file = std::filesystem::absolute(args[0], ec);
  if (ec || !std::filesystem::is_regular_file(file, ec)) {
    err << "quillmark-cli: " << args[0] << ": no such file\n";
    return 1;
  }
  // The window would only say so on its own status bar.
  if (!ReaderForPath(file.string())) {
    err << "quillmark-cli: " << args[0] << ": Unknown Extension (GPX, LOC, OV2, TXT, CSV or ASC can be opened)\n";
    return 1;
  }
#ifdef QUILL_HAVE_NETWORK
  const std::unique_ptr<QCoreApplication> app = EnsureCoreApplication();
  const std::string socketPath = OpenSocketPath();
  // Another user's socket would receive the file name.
  if (CheckOpenSocket(socketPath) == OpenSocketState::kNotPrivate) {
    err << "quillmark-cli: " << socketPath << " is not private to this user: nothing sent\n";
    return 1;
  }
  QLocalSocket socket;
  socket.connectToServer(QString::fromLocal8Bit(socketPath.c_str()));
  if (!socket.waitForConnected(2000)) {
    err << "quillmark-cli: no Quillmark window is running\n";
    return 1;
  }
  std::string name = file.string();
  socket.write(name.c_str(), static_cast<qint64>(name.size() + 1));
  bool answered = socket.waitForBytesWritten(2000) && socket.waitForReadyRead(5000) && socket.read(1) == "1";
  socket.disconnectFromServer();
  if (!answered) {
    err << "quillmark-cli: the window did not take the file\n";
    return 1;
  }
  return 0;
#else
  err << "quillmark-cli: built without the window, nothing to open in\n";
  return 1;
#endif
}

}  // namespace quill::cli
