#pragma once
// Text at the widget boundary: memory text (Windows-1252 with kept UTF-8
// sequences) to QString and back, keeping every kept sequence whole.
#include <QString>
#include <string>
#include <string_view>

namespace quill {

QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text);

}  // namespace quill
