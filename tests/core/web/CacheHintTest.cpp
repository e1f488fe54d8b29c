// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "web/CacheHint.h"

namespace quill {
namespace {

TEST(CacheHint, TurnsLettersAndKeepsBracketsDigitsAndUtf8) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"Under the third plank", "Haqre gur guveq cynax"},
      {"abcdefghijklmnopqrstuvwxyz", "nopqrstuvwxyzabcdefghijklm"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "NOPQRSTUVWXYZABCDEFGHIJKLM"},
      {"12 m, 3x links!", "12 z, 3k yvaxf!"},
      // What stands in brackets is written plainly by the owner.
      {"Magnetic [NL: magnetisch] box", "Zntargvp [NL: magnetisch] obk"},
      {"[all plain]", "[all plain]"},
      {"a[b]c[d]e", "n[b]p[d]r"},
      {"x[[nested] still] y", "k[[nested] still] l"},
      // A closing bracket alone is text; an open one keeps the rest.
      {"a]b", "n]o"},
      {"a[b c", "n[b c"},
      // Letters beyond ASCII are left alone, byte for byte.
      {"Brücke \xC5\x99\xC3\xA9ka", "Oeüpxr \xC5\x99\xC3\xA9xn"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TurnHint(c.in), c.out) << c.in;
    // Decoding is the same turn: twice gives the text back.
    EXPECT_EQ(TurnHint(TurnHint(c.in)), c.in) << c.in;
  }
}

}  // namespace
}  // namespace quill
