// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped data is found from the executable's own place, in every layout
// the program runs from.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/ProgramFolders.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

TEST(DataFolder, FoundFromTheExecutablesPlaceInEveryLayout) {
  struct Layout {
    const char* name;
    std::vector<const char*> helpPages;  // folders that hold help.html
    const char* executableFolder;
    const char* dataFolder;  // expected, relative to the root
  } layouts[] = {
      {"installed prefix", {"prefix/share/quillmark"}, "prefix/bin", "prefix/share/quillmark/"},
      {"build tree", {"build/share/quillmark"}, "build", "build/share/quillmark/"},
      {"test program in the build tree", {"build/share/quillmark"}, "build/tests", "build/share/quillmark/"},
      // The installed place wins over a stray folder beside the program.
      {"both", {"p/share/quillmark", "p/bin/share/quillmark"}, "p/bin", "p/share/quillmark/"},
      // A folder without the help page is no data folder.
      {"empty share folder", {}, "q/bin", "q/bin/"},
      {"nothing at all", {}, "r", "r/"},
  };
  for (const Layout& l : layouts) {
    SCOPED_TRACE(l.name);
    test::TempDir dir;
    std::string root = std::filesystem::canonical(dir.path()).string() + "/";
    std::filesystem::create_directories(root + l.executableFolder);
    std::filesystem::create_directories(root + "q/share/quillmark");
    for (const char* folder : l.helpPages) {
      std::filesystem::create_directories(root + folder);
      test::WriteFileBytes(root + folder + "/help.html", "<html></html>");
    }
    EXPECT_EQ(DataFolderFor(root + l.executableFolder), root + l.dataFolder);
    EXPECT_EQ(DataFolderFor(root + l.executableFolder + "/"), root + l.dataFolder);
  }
}

}  // namespace
}  // namespace quill
