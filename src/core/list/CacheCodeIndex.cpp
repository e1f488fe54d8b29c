// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/CacheCodeIndex.h"

namespace quill {

std::string_view CacheCodeIndex::Suffix(std::string_view name) {
  constexpr std::size_t kPrefix = 2;
  constexpr std::size_t kShortestSuffix = 2;
  if (name.size() < kPrefix + kShortestSuffix) return {};
  return name.substr(kPrefix);
}

void CacheCodeIndex::Build(const std::vector<const TGpxRecord*>& records) {
  bySuffix_.clear();
  bySuffix_.reserve(records.size());
  for (const TGpxRecord* r : records) {
    std::string_view suffix = Suffix(r->Name);
    if (!suffix.empty()) bySuffix_[std::string(suffix)].push_back(r);
  }
  built_ = true;
}

void CacheCodeIndex::Clear() {
  bySuffix_.clear();
  built_ = false;
}

std::vector<const TGpxRecord*> CacheCodeIndex::SameCache(const TGpxRecord& record) const {
  std::vector<const TGpxRecord*> out;
  std::string_view suffix = Suffix(record.Name);
  if (suffix.empty()) return out;
  auto it = bySuffix_.find(std::string(suffix));
  if (it == bySuffix_.end()) return out;
  for (const TGpxRecord* r : it->second) {
    if (r != &record) out.push_back(r);
  }
  return out;
}

}  // namespace quill
