// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "list/CacheCodeIndex.h"

namespace quill {
namespace {

TEST(CacheCodeIndex, FindsTheOtherWaypointsOfOneCacheByTheirSuffix) {
  const std::vector<std::string> names = {"GC1ABC", "PK1ABC", "GC2XYZ", "FN1ABC", "GC1AB",
                                          "1ABC",   "GC",     "",       "XX1ABC", "pk1abc"};
  std::vector<std::unique_ptr<TGpxRecord>> owned;
  std::vector<const TGpxRecord*> records;
  for (const std::string& n : names) {
    owned.push_back(std::make_unique<TGpxRecord>());
    owned.back()->Name = n;
    records.push_back(owned.back().get());
  }
  CacheCodeIndex index;
  EXPECT_FALSE(index.Built());
  index.Build(records);
  ASSERT_TRUE(index.Built());
  auto names_of = [&](int i) {
    std::vector<std::string> out;
    for (const TGpxRecord* r : index.SameCache(*records[static_cast<std::size_t>(i)])) out.push_back(r->Name);
    return out;
  };
  struct Case {
    int record;
    std::vector<std::string> same;
  };
  const Case cases[] = {
      // In the order of the list, never the record itself; the case counts.
      {0, {"PK1ABC", "FN1ABC", "XX1ABC"}},
      {1, {"GC1ABC", "FN1ABC", "XX1ABC"}},
      {2, {}},
      {4, {}},
      // Too short for a prefix and a suffix.
      {5, {}},
      {6, {}},
      {7, {}},
      {9, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(names_of(c.record), c.same) << names[static_cast<std::size_t>(c.record)];
  // A record the index was not built with finds its cache too.
  TGpxRecord outside;
  outside.Name = "S1ABC";
  EXPECT_TRUE(index.SameCache(outside).empty());
  outside.Name = "ZZ1ABC";
  EXPECT_EQ(index.SameCache(outside).size(), 4u);
  index.Clear();
  EXPECT_FALSE(index.Built());
  EXPECT_TRUE(index.SameCache(*records[0]).empty());
}

}  // namespace
}  // namespace quill
