// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "text/QtText.h"
#include "web/WebLinks.h"

namespace quill {

void DesktopLauncher::OpenUrl(const std::string& url) {
  if (!IsWebLink(url)) return;
  const QUrl parsed(AnsiToQString(url), QUrl::TolerantMode);
  const QString scheme = parsed.scheme().toLower();
  if (!parsed.isValid() || parsed.host().isEmpty() || (scheme != "http" && scheme != "https")) return;
  QDesktopServices::openUrl(parsed);
}

void DesktopLauncher::OpenFile(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
}

}  // namespace quill
