// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/CacheListing.h"

namespace quill {
namespace {

std::string Log(const std::string& date, const std::string& finder) {
  return "<groundspeak:log id=\"1\"><groundspeak:date>" + date +
         "</groundspeak:date><groundspeak:type>Found it</groundspeak:type><groundspeak:finder id=\"2\">" + finder +
         "</groundspeak:finder><groundspeak:text encoded=\"False\">line one\nline two</groundspeak:text>"
         "</groundspeak:log>";
}

std::vector<std::string> Finders(const std::vector<CacheLog>& logs) {
  std::vector<std::string> out;
  for (const CacheLog& l : logs) out.push_back(l.finder);
  return out;
}

TEST(CacheListing, NewestLogsFirstWhateverTheFileOrder) {
  // Oldest first, two on one day, one without a date.
  const std::string logs = Log("2019-01-01T00:00:00Z", "a") + Log("2020-06-01T00:00:00Z", "b") + Log("", "c") +
                           Log("2021-03-05T00:00:00Z", "d") + Log("2021-03-05T00:00:00Z", "e") +
                           Log("2018-12-31T00:00:00Z", "f") + Log("2022-01-01T00:00:00Z", "g");
  EXPECT_EQ(Finders(NewestCacheLogs(logs, 5)), (std::vector<std::string>{"g", "d", "e", "b", "a"}));
  EXPECT_EQ(Finders(NewestCacheLogs(logs, 100)).size(), 7u);
  EXPECT_TRUE(NewestCacheLogs(logs, 0).empty());
  EXPECT_TRUE(NewestCacheLogs("", 5).empty());
  // File order, and the text's line breaks as HTML.
  const std::vector<CacheLog> read = ReadCacheLogs(logs, 2);
  EXPECT_EQ(Finders(read), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(read[0].text, "line one<br>line two");
  EXPECT_EQ(read[0].type, "Found it");
}

}  // namespace
}  // namespace quill
