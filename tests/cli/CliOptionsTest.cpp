// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli/CliOptions.h"

namespace quill::cli {
namespace {

TEST(CliOptionsParse, KnownOptionsInBothSpellings) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(ParseCliOptions(
      {"a.gpx", "--format", "garmin", "--txt-mode=utm", "--duplicates", "keep", "--no-groundspeak", "b.loc", "out.csv"},
      {}, o, error))
      << error;
  EXPECT_EQ(o.formatCode, kFormatGarmin);
  EXPECT_EQ(o.txtMode, 5);
  EXPECT_EQ(o.duplicateMode, kDuplicateKeep);
  EXPECT_FALSE(o.includeGroundspeak);
  EXPECT_EQ(o.files, (std::vector<std::string>{"a.gpx", "b.loc", "out.csv"}));
}

TEST(CliOptionsParse, DefaultsAllowDuplicatesKeepGroundspeakAndChooseByExtension) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(ParseCliOptions({"in.gpx", "out.ov2"}, {}, o, error));
  EXPECT_EQ(o.formatCode, kFormatByExtension);
  EXPECT_EQ(o.duplicateMode, kDuplicateAllow);
  EXPECT_TRUE(o.includeGroundspeak);
  EXPECT_EQ(o.txtMode, 0);
}

TEST(CliOptionsParse, ExtraOptionsComeBackInOrder) {
  CliOptions o;
  std::string error;
  ExtraOptionNames extra{{"--sort", "--filter"}, {"--reverse"}};
  ASSERT_TRUE(ParseCliOptions({"--filter", "found=yes", "x.gpx", "--sort=name", "--reverse", "--filter", "type=6"},
                              extra, o, error))
      << error;
  ASSERT_EQ(o.extra.size(), 4u);
  EXPECT_EQ(o.extra[0].name, "--filter");
  EXPECT_EQ(o.extra[0].value, "found=yes");
  EXPECT_EQ(o.extra[1].name, "--sort");
  EXPECT_EQ(o.extra[1].value, "name");
  EXPECT_EQ(o.extra[2].name, "--reverse");
  EXPECT_EQ(o.extra[3].value, "type=6");
  EXPECT_EQ(o.files, std::vector<std::string>{"x.gpx"});
}

TEST(CliOptionsParse, WrongUsageIsAnError) {
  const std::vector<std::vector<std::string>> bad = {
      {"--format", "xls", "a", "b"}, {"--format"}, {"--txt-mode", "osgb"}, {"--duplicates", "ask"}, {"--sort", "name"},
      {"--no-groundspeak=1"},        {"-x"},
  };
  for (const auto& args : bad) {
    CliOptions o;
    std::string error;
    EXPECT_FALSE(ParseCliOptions(args, {}, o, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(CliOptionsParse, DoubleDashEndsOptionsAndLoneDashIsAFile) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(ParseCliOptions({"-", "--", "--format", "x"}, {}, o, error));
  EXPECT_EQ(o.files, (std::vector<std::string>{"-", "--format", "x"}));
}

TEST(CliOptionsNames, EveryFormatAndModeName) {
  const char* formats[] = {"gpx", "loc", "ov2", "txt", "kml", "miomap", "garmin", "navio"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(FormatCodeForName(formats[i]), i);
  const char* modes[] = {"wgs84", "ed50", "bessel", "rd", "lambert", "utm", "ecef"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(TxtModeForName(modes[i]), i);
  EXPECT_EQ(FormatCodeForName("GPX"), -1);
}

}  // namespace
}  // namespace quill::cli
