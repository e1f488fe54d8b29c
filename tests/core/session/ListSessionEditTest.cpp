// SPDX-License-Identifier: GPL-3.0-or-later
// The list changes the user makes outside a load (delete, clear, add,
// archive): their questions, the modified flag, the filter and the current
// file, and what the view of the list is told, in order.
#include <gtest/gtest.h>

#include "list/ListFilter.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

class SessionEdit : public ::testing::Test {
 protected:
  SessionEdit() {
    WriteFileBytes(dir.File("three.gpx"),
                   "<gpx><wpt lat=\"1\" lon=\"1\"><name>A</name><desc>x</desc></wpt>"
                   "<wpt lat=\"2\" lon=\"2\"><name>B</name></wpt>"
                   "<wpt lat=\"3\" lon=\"3\"><name>C</name><desc>x</desc></wpt></gpx>");
    EXPECT_TRUE(session.LoadFile(dir.File("three.gpx")));
    // Every notice, with the number of records at that moment.
    session.onListRebuilt = [this] { Note("rebuilt", -1); };
    session.onRowRemoving = [this](int row) { Note("removing", row); };
    session.onRowRemoved = [this](int row) { Note("removed", row); };
    session.onListReleasing = [this] { Note("releasing", -1); };
  }
  void Note(const std::string& what, int row) {
    notes.push_back(what + (row >= 0 ? " " + std::to_string(row) : "") + " of " +
                    std::to_string(session.Store().size()));
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> names;
    for (const TGpxRecord* r : session.Store().ShownWaypoints()) names.push_back(r->Name);
    return names;
  }
  test::TempDir dir;
  test::RecordingStatus status;
  test::ScriptedQuestions questions;
  ListSession session{status, questions};
  std::vector<std::string> notes;
};

using Strings = std::vector<std::string>;

TEST_F(SessionEdit, DeleteAsksWithWarnDelAndKeepsFilterAndFile) {
  ASSERT_TRUE(session.FilterShown(kFilterDescription, "x"));
  notes.clear();
  for (int row : {-1, 2, 1 << 30}) EXPECT_FALSE(session.DeleteShownRow(row)) << row;
  session.Settings().stored.WarnDel = true;
  questions.yesNo = false;
  EXPECT_FALSE(session.DeleteShownRow(0));
  EXPECT_EQ(questions.captions, Strings{"Delete waypoint"});
  EXPECT_TRUE(notes.empty());
  EXPECT_FALSE(session.ListModified());

  questions.yesNo = true;
  EXPECT_TRUE(session.DeleteShownRow(1));
  // The view hears of the row before its record goes and after.
  EXPECT_EQ(notes, (Strings{"removing 1 of 3", "removed 1 of 2"}));
  EXPECT_EQ(Shown(), Strings{"A"});
  EXPECT_EQ(session.Store().FirstWithName("C"), nullptr);
  EXPECT_TRUE(session.ListModified());
  EXPECT_EQ(session.View().FilterMode, kFilterDescription + 1);
  EXPECT_EQ(session.CurrentFileName(), "three.gpx");
}

TEST_F(SessionEdit, ClearAlwaysAsksAndLeavesAnUnmodifiedUnfilteredListWithoutFile) {
  session.AddToList(9, 9, "D");
  ASSERT_TRUE(session.FilterShown(kFilterName, "a"));
  ASSERT_TRUE(session.ListModified());
  notes.clear();
  questions.yesNo = false;
  EXPECT_FALSE(session.ClearList());
  EXPECT_EQ(session.Store().size(), 4u);
  EXPECT_TRUE(notes.empty());
  questions.yesNo = true;
  EXPECT_TRUE(session.ClearList());
  EXPECT_EQ(questions.captions, (Strings{"Clear the list", "Clear the list"}));
  EXPECT_EQ(notes, (Strings{"releasing of 4", "rebuilt of 0"}));
  EXPECT_TRUE(session.Store().empty());
  EXPECT_FALSE(session.ListModified());
  EXPECT_EQ(session.View().FilterMode, 0);
  EXPECT_EQ(session.CurrentFileName(), "");
}

TEST_F(SessionEdit, AddRefusesAnEmptyNameAndAsksAboutADuplicateAfterAnyEarlierAnswer) {
  EXPECT_EQ(session.AddToList(5, 6, ""), nullptr);
  EXPECT_EQ(status.LastFlash(), "Invalid name");
  EXPECT_EQ(status.flashed.back().first, 2);
  EXPECT_FALSE(session.ListModified());
  EXPECT_TRUE(notes.empty());

  const TGpxRecord* added = session.AddToList(5, 6, "New");
  ASSERT_NE(added, nullptr);
  EXPECT_DOUBLE_EQ(added->Lat, 5);
  EXPECT_TRUE(session.ListModified());
  EXPECT_EQ(notes, Strings{"rebuilt of 4"});
  // The duplicate question comes back for every add, whatever was answered before.
  questions.duplicateAnswers = {kDuplicateAllow, kDuplicateKeep};
  EXPECT_NE(session.AddToList(7, 7, "A"), nullptr);
  EXPECT_EQ(session.AddToList(8, 8, "A"), nullptr);
  EXPECT_EQ(questions.duplicateNames, (Strings{"A", "A"}));
  EXPECT_EQ(session.Store().size(), 5u);
}

TEST_F(SessionEdit, ArchiveWritesTheLineThenDeletesAndAFailedFileKeepsTheWaypoint) {
  session.Settings().stored.ArchiveFile = dir.File("no/such/folder/archive.txt");
  EXPECT_FALSE(session.ArchiveShownRow(0));
  EXPECT_EQ(status.LastSet(), "Error opening file");
  EXPECT_EQ(session.Store().size(), 3u);

  session.Settings().stored.ArchiveFile = dir.File("archive.txt");
  EXPECT_TRUE(session.ArchiveShownRow(1));
  EXPECT_EQ(ReadFileBytes(dir.File("archive.txt")).find("N  2\xB0 00.000  E 002\xB0 00.000; B"), 0u);
  EXPECT_EQ(Shown(), (Strings{"A", "C"}));
  EXPECT_EQ(status.LastFlash(), "Done!");
  // Declining the delete keeps the waypoint although its line was written.
  session.Settings().stored.WarnDel = true;
  questions.yesNo = false;
  EXPECT_TRUE(session.ArchiveShownRow(0));
  EXPECT_EQ(Shown(), (Strings{"A", "C"}));
  EXPECT_NE(ReadFileBytes(dir.File("archive.txt")).find("; A"), std::string::npos);
}

}  // namespace
}  // namespace quill
