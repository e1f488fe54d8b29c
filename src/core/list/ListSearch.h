// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The row search of the waypoint list: the next record whose name,
// description or link text holds the search text.
#include <string_view>
#include <vector>

#include "list/GpxRecord.h"
#include "text/LocaleText.h"

namespace quill {

// The first row at or after `from` whose lower-cased Name, Desc or UrlName
// contains lowerText (already lower-cased); -1 when none does or when the
// text is empty. The search does not wrap to the top.
int SearchRows(const std::vector<const TGpxRecord*>& rows, int from, std::string_view lowerText,
               const LocaleText& text);

}  // namespace quill
