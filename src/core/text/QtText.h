// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The boundary between memory text and QString. Memory text is Windows-1252
// with the UTF-8 sequences of other characters kept whole (see Ansi.h); the
// conversion follows exactly the rule of AnsiToUtf8 and Utf8ToAnsi, so what
// is shown is what a file would hold and nothing is split.
#include <QString>
#include <string>
#include <string_view>

namespace quill {

QString AnsiToQString(std::string_view text);
std::string QStringToAnsi(const QString& text);

// File names: the file system's own bytes and the QString of a dialog or a URL.
std::string NativePath(const QString& path);
QString QPath(const std::string& path);

}  // namespace quill
