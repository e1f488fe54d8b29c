// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "net/ScramblePassword.h"

namespace quill {
namespace {

TEST(ScramblePassword, KnownValuesWrapWithinPrintableRange) {
  struct Case {
    const char* plain;
    const char* key;
    const char* scrambled;
  };
  const Case cases[] = {
      {"aaaaaa", "kestra", "kestra"},  // k=10 e=4 s=18 t=19 r=17 a=0
      {"~", "k", "("},                 // 126 + 10 = 136 wraps to 40
      {" ", "Z", "9"},                 // 32 + 25 = 57
      {"\x7f", "b", " "},              // 127 + 1 wraps to 32
      {"ab", "1z", "a{"},              // a digit in the key shifts by 0
      {"secret", "", "secret"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScramblePassword(c.plain, c.key, ScrambleDirection::Add), c.scrambled) << c.plain;
    EXPECT_EQ(ScramblePassword(c.scrambled, c.key, ScrambleDirection::Subtract), c.plain) << c.plain;
  }
}

TEST(ScramblePassword, RoundTripsEveryPrintableByteAndKeepsOthers) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  for (const char* key : {"kestra", "Z", "aB-9zq"}) {
    const std::string scrambled = ScramblePassword(all, key, ScrambleDirection::Add);
    ASSERT_EQ(scrambled.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
      const auto before = static_cast<unsigned char>(all[i]);
      const auto after = static_cast<unsigned char>(scrambled[i]);
      if (before < 32 || before > 127) {
        EXPECT_EQ(after, before) << i;
      } else {
        EXPECT_GE(after, 32) << i;
        EXPECT_LE(after, 127) << i;
      }
    }
    EXPECT_EQ(ScramblePassword(scrambled, key, ScrambleDirection::Subtract), all) << key;
  }
}

}  // namespace
}  // namespace quill
