// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFile>

#include "text/Ansi.h"
#include "text/QtText.h"
#include "web/WebLinks.h"

namespace quill {

DesktopLauncher::DesktopLauncher(StatusSink& status, Opener open) : status_(status), open_(std::move(open)) {
  if (!open_) open_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void DesktopLauncher::OpenUrl(const std::string& url) {
  if (!IsWebLink(url)) return;
  const QUrl parsed(AnsiToQString(url), QUrl::TolerantMode);
  const QString scheme = parsed.scheme().toLower();
  if (!parsed.isValid() || parsed.host().isEmpty() || (scheme != "http" && scheme != "https")) return;
  if (!open_(parsed)) status_.SetError(2, "Nothing could open " + url);
}

void DesktopLauncher::OpenFile(const std::string& path) {
  if (!open_(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))))) {
    // Paths are the file system's bytes; messages are memory text.
    status_.SetError(2, "Nothing could open " + Utf8ToAnsi(path));
  }
}

}  // namespace quill
