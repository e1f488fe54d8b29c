// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the core's tables give the window (sort orders, column modes and
// headers, result labels, waypoint types), in the user's language. The core
// keeps English: files, settings and the command line depend on it.
#include <QString>
#include <string_view>

namespace quill {

QString CoreText(std::string_view english);

}  // namespace quill
