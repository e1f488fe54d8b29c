// The command line's own options: help, version and wrong usage.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "quillmark/BuildVersion.h"

namespace quill::cli {
namespace {

struct Outcome {
  int rc;
  std::string out;
  std::string err;
};

Outcome RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int rc = Run(args, out, err);
  return {rc, out.str(), err.str()};
}

TEST(CliUsage, HelpListsEveryCommand) {
  for (const char* option : {"--help", "-h", "help"}) {
    SCOPED_TRACE(option);
    Outcome o = RunArgs({option});
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.err, "");
    ASSERT_GE(CommandNames().size(), 5u);
    for (std::string_view name : CommandNames()) {
      EXPECT_NE(o.out.find("\n  " + std::string(name) + " "), std::string::npos) << name;
    }
  }
}

TEST(CliUsage, VersionNamesProgramVersionDateAndDataFolder) {
  for (const char* option : {"--version", "-V"}) {
    SCOPED_TRACE(option);
    Outcome o = RunArgs({option});
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')), std::string("quillmark-cli ") + build::kFileVersion);
    EXPECT_NE(o.out.find("\nbuilt "), std::string::npos);
    EXPECT_NE(o.out.find("share/quillmark/\n"), std::string::npos) << o.out;
  }
}

TEST(CliUsage, WrongUsageGoesToStderrWithStatusTwo) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "quillmark-cli: no command given\n"},
      {{"bogus"}, "quillmark-cli: unknown command 'bogus'\n"},
      {{"--versions"}, "quillmark-cli: unknown command '--versions'\n"},
  };
  for (const auto& c : cases) {
    Outcome o = RunArgs(c.args);
    EXPECT_EQ(o.rc, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind(c.message, 0), 0u) << o.err;
    EXPECT_NE(o.err.find("usage: quillmark-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace quill::cli
