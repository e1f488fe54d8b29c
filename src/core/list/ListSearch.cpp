// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListSearch.h"

namespace quill {
namespace {

bool LowerContains(std::string_view value, std::string_view lowerText, const LocaleText& text) {
  return !value.empty() && text.Lower(value).find(lowerText) != std::string::npos;
}

}  // namespace

int SearchRows(const std::vector<const TGpxRecord*>& rows, int from, std::string_view lowerText,
               const LocaleText& text) {
  if (lowerText.empty()) return -1;
  if (from < 0) from = 0;
  for (std::size_t i = static_cast<std::size_t>(from); i < rows.size(); ++i) {
    const TGpxRecord& r = *rows[i];
    if (LowerContains(r.Name, lowerText, text) || LowerContains(r.Desc, lowerText, text) ||
        LowerContains(r.UrlName, lowerText, text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace quill
