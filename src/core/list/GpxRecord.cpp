// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/GpxRecord.h"

namespace quill {

std::string_view GpxTypeTextOf(const TGpxRecord& record) {
  if (!record.TypeText.empty() && TypeCodeFromGpxText(record.TypeText) == record.TypeCode) return record.TypeText;
  return GpxTypeText(record.TypeCode);
}

}  // namespace quill
