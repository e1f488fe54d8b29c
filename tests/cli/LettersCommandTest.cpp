// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli letters: the histogram's listing of a UTF-8 text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace quill {
namespace {

struct LettersRun {
  int status;
  std::string out;
  std::string err;
};

LettersRun Letters(std::vector<std::string> args) {
  args.insert(args.begin(), "letters");
  std::ostringstream out, err;
  int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliLetters, ListsEveryBarAndTheUniqueCount) {
  LettersRun r = Letters({"--class", "ascii", "Hello World"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("A :\nB :\nC :\nD :  10.00     1\nE :  10.00     1\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nL :  30.00     3\n"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("Z :\n\n\n 7 unique\n")) << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);

  // UTF-8 in: "é" is one character, counted once at 0xE9 and shown as UTF-8.
  r = Letters({"--class=all", "\xC3\xA9\xC3\xA9"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("0xE9 (\xC3\xA9) :  100.00     2\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0xAD (.) :\n"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with(" 1 unique\n"));

  r = Letters({"--class", "hex", "--", "-aA"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nA :  100.00     2\n"), std::string::npos) << r.out;
}

TEST(CliLetters, WrongUsage) {
  const std::vector<std::vector<std::string>> rows = {
      {}, {"a", "b"}, {"--class"}, {"--class", "ASCII", "x"}, {"--colour", "x"}};
  for (const auto& args : rows) {
    LettersRun r = Letters(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_TRUE(r.out.empty());
  }
}

}  // namespace
}  // namespace quill
