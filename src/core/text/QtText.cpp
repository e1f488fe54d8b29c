// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/QtText.h"

#include <QByteArray>
#include <QFile>

#include "text/Ansi.h"

namespace quill {
namespace {

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

QString AnsiToQString(std::string_view text) {
  if (IsAscii(text)) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  std::string utf8 = AnsiToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToAnsi(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString QPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace quill
