// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The waypoints of one cache: a listing's additional waypoints carry its
// code with another two-letter prefix (GC1ABC, PK1ABC, FN1ABC). A hash of
// the codes' suffixes finds them without a walk through the list.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "list/GpxRecord.h"

namespace quill {

class CacheCodeIndex {
 public:
  // The records must stay alive until the next Build or Clear.
  void Build(const std::vector<const TGpxRecord*>& records);
  void Clear();
  bool Built() const { return built_; }
  // The other records whose names share the record's suffix, in the order
  // Build was given; none for a name too short to have a suffix.
  std::vector<const TGpxRecord*> SameCache(const TGpxRecord& record) const;

  // "1ABC" of "GC1ABC"; empty when the name has fewer than two characters
  // after its prefix.
  static std::string_view Suffix(std::string_view name);

 private:
  // The suffixes are copies: a name edited before the next Build must not
  // leave a key pointing into freed text.
  std::unordered_map<std::string, std::vector<const TGpxRecord*>> bySuffix_;
  bool built_ = false;
};

}  // namespace quill
