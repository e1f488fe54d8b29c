// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "settings/UlkFileversionInfo.h"

namespace quill {
namespace {

TEST(SettingsVersionInfo, BuildTableNamesTheProgram) {
  TUlkFileversionInfo info;
  ASSERT_TRUE(info.GetInfo());
  EXPECT_EQ(info.CompanyName, "Tarnwick");
  EXPECT_EQ(info.FileDescription, "Quillmark");
  EXPECT_EQ(info.InternalName, "Quillmark");
  EXPECT_FALSE(info.FileVersion.empty());
  EXPECT_TRUE(IdentityFromVersionInfo(info).Complete());
}

TEST(SettingsVersionInfo, NoTableLeavesEveryFieldEmpty) {
  TUlkFileversionInfo info(nullptr);
  info.CompanyName = "stale";
  EXPECT_FALSE(info.GetInfo());
  EXPECT_EQ(info.CompanyName, "");
  EXPECT_FALSE(IdentityFromVersionInfo(info).Complete());
}

TEST(SettingsVersionInfo, OneMissingValueMakesTheIdentityIncomplete) {
  const char* const values[4] = {"Co", "Desc", "1.0", "Name"};
  for (int missing = 0; missing < 4; ++missing) {
    const char* v[4];
    for (int i = 0; i < 4; ++i) v[i] = i == missing ? "" : values[i];
    VersionTable table{v[0], v[1], v[2], v[3], "(c)", nullptr, nullptr, nullptr, nullptr, nullptr};
    TUlkFileversionInfo info(&table);
    ASSERT_TRUE(info.GetInfo());
    EXPECT_FALSE(IdentityFromVersionInfo(info).Complete()) << missing;
  }
  VersionTable full{"Co", "Desc", "1.0", "Name", "", nullptr, nullptr, nullptr, nullptr, nullptr};
  TUlkFileversionInfo info(&full);
  ASSERT_TRUE(info.GetInfo());
  EXPECT_EQ(info.LegalCopyright, "");  // present but empty
  EXPECT_TRUE(IdentityFromVersionInfo(info).Complete());
}

TEST(SettingsVersionInfo, IdentityValuesAreSafeNames) {
  VersionTable table{"A/B", "Quill:mark?", "1.0", "In*ternal", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  TUlkFileversionInfo info(&table);
  info.GetInfo();
  ProgramIdentity id = IdentityFromVersionInfo(info);
  EXPECT_EQ(id.companyName, "A_B");
  EXPECT_EQ(id.fileDescription, "Quill_mark_");
  EXPECT_EQ(id.internalName, "In_ternal");
}

TEST(SettingsVersionInfo, BuildDateIsShownDayMonthYear) {
  EXPECT_EQ(RearrangeBuildDate("Sep 24 2010"), "24 Sep 2010");
  EXPECT_EQ(RearrangeBuildDate("Sep  4 2010"), "4 Sep 2010");
  EXPECT_EQ(VersionLabelText("1.2.3", "Jan  1 2025"), "V 1.2.3  (1 Jan 2025)");
}

}  // namespace
}  // namespace quill
