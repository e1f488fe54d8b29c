// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of every change of the list: after an undo the list is what
// it was before the change, byte for byte as it would be saved (every record,
// the shown rows in their order, the name index, the file name, the filter
// and the modified flag); after a redo what it was after.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>

#include "formats/GpxWriter.h"
#include "list/ListFilter.h"
#include "session/ListSession.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::WriteFileBytes;

constexpr const char* kThree =
    "<gpx><wpt lat=\"4\" lon=\"1\"><name>A</name><desc>x</desc><time>t1</time></wpt>"
    "<wpt lat=\"2\" lon=\"2\"><name>B</name><time>t2</time></wpt>"
    "<wpt lat=\"3\" lon=\"3\"><name>C</name><desc>x</desc><time>t3</time></wpt></gpx>";
constexpr const char* kMore =
    "<gpx><wpt lat=\"7\" lon=\"7\"><name>B</name><desc>new</desc><time>t7</time></wpt>"
    "<wpt lat=\"8\" lon=\"8\"><name>E</name><time>t8</time></wpt></gpx>";

class Undo : public ::testing::Test {
 protected:
  Undo() {
    WriteFileBytes(dir.File("three.gpx"), kThree);
    WriteFileBytes(dir.File("more.gpx"), kMore);
    session.selectedRecord = [this] { return selected; };
    session.onSelect = [this](const TGpxRecord* r) { selected = r; };
  }

  // The list as a save would write it, and what else a step restores.
  std::string State() const {
    const WaypointStore& store = session.Store();
    std::string text;
    for (const auto* list : {&store.AllWaypoints(), &store.ShownWaypoints()}) {
      text += GpxHeader(RecordSpan(list->data(), list->size()), "Q", "T");
      for (const TGpxRecord* r : *list) AppendWptElement(text, *r);
    }
    // The name index agrees with a scan of the records.
    for (std::size_t i = 0; i < store.AllWaypoints().size(); ++i) {
      const TGpxRecord* r = store.AllWaypoints()[i];
      const TGpxRecord* first = nullptr;
      for (std::size_t j = 0; j <= i && !first; ++j) {
        if (store.AllWaypoints()[j]->Name == r->Name) first = store.AllWaypoints()[j];
      }
      if (store.FirstWithName(r->Name) != first) text += "\nindex wrong for " + r->Name;
    }
    text += "\nfile=" + session.CurrentFileName() + " filter=" + std::to_string(session.View().FilterMode) +
            " modified=" + (session.ListModified() ? "yes" : "no");
    return text;
  }

  const TGpxRecord* Named(const std::string& name) const { return session.Store().FirstWithName(name); }

  test::TempDir dir;
  test::RecordingStatus status;
  test::ScriptedQuestions questions;
  ListSession session{status, questions};
  const TGpxRecord* selected = nullptr;
};

using Action = std::function<bool(ListSession&)>;

struct Change {
  const char* label;
  // Prepares the list (three.gpx loaded from folder) and gives the change.
  std::function<Action(ListSession&, test::ScriptedQuestions&, const std::string& folder)> prepare;
  const char* stepName;
};

Action Edit(std::vector<std::pair<std::string, std::string>> newNames) {
  return [newNames](ListSession& s) {
    s.BeginEditGroup();
    for (const auto& [from, to] : newNames) {
      const TGpxRecord* r = s.Store().FirstWithName(from);
      // Renamed by an earlier edit of the same showing.
      if (!r) continue;
      EditItemFields shown = EditFieldsOf(*r);
      EditItemFields now = shown;
      now.name = to;
      now.north = "N 50 30.000";
      now.desc += "!";
      s.StoreEdit(r, shown, now, {});
    }
    s.EndEditGroup();
    return true;
  };
}

Action LoadMore(test::ScriptedQuestions& q, int answer, const std::string& folder) {
  q.duplicateAnswers = {answer};
  return [file = folder + "/more.gpx"](ListSession& s) { return s.LoadFile(file); };
}

const Change kChanges[] = {
    {"delete", [](auto&, auto&, auto&) -> Action { return [](ListSession& s) { return s.DeleteShownRow(1); }; },
     "Delete B"},
    {"delete from a sorted, filtered list",
     [](ListSession& s, auto&, auto&) -> Action {
       s.SortShown(SortOrder::North);
       s.FilterShown(kFilterDescription, "x");
       return [](ListSession& s2) { return s2.DeleteShownRow(0); };
     },
     "Delete C"},
    {"delete several",
     [](auto&, auto&, auto&) -> Action {
       return [](ListSession& s) {
         return s.RemoveRecords({s.Store().FirstWithName("C"), s.Store().FirstWithName("A")}, "Delete 2 waypoints");
       };
     },
     "Delete 2 waypoints"},
    {"archive",
     [](ListSession& s, auto&, const std::string& folder) -> Action {
       s.Settings().stored.ArchiveFile = folder + "/archive.txt";
       return [](ListSession& s2) { return s2.ArchiveShownRow(0); };
     },
     "Archive A"},
    {"clear a filtered list",
     [](ListSession& s, auto&, auto&) -> Action {
       s.FilterShown(kFilterDescription, "x");
       return [](ListSession& s2) { return s2.ClearList(); };
     },
     "Clear List (3 waypoints)"},
    {"edit one record",
     [](auto&, auto&, auto&) {
       return Edit({{"B", "B2"}});
     },
     "Edit B2"},
    {"edit two records, one twice, in one showing of the dialog",
     [](auto&, auto&, auto&) {
       return Edit({{"A", "A2"}, {"C", "A"}, {"A2", "A3"}});
     },
     "Edit 2 waypoints"},
    {"rename", [](auto&, auto&, auto&) -> Action { return [](ListSession& s) { return s.RenameShown("%n-%d"); }; },
     "Rename 3 waypoints"},
    {"add",
     [](auto&, auto&, auto&) -> Action { return [](ListSession& s) { return s.AddToList(5, 6, "D") != nullptr; }; },
     "Add D"},
    {"add that replaces a duplicate",
     [](auto&, test::ScriptedQuestions& q, auto&) -> Action {
       q.duplicateAnswers = {kDuplicateReplace};
       return [](ListSession& s) { return s.AddToList(5, 6, "B") != nullptr; };
     },
     "Add B"},
    {"load that merges, replacing a duplicate",
     [](auto&, test::ScriptedQuestions& q, const std::string& folder) {
       return LoadMore(q, kDuplicateReplace, folder);
     },
     "Load more.gpx (1 waypoint)"},
    {"load that merges, allowing a duplicate",
     [](auto&, test::ScriptedQuestions& q, const std::string& folder) { return LoadMore(q, kDuplicateAllow, folder); },
     "Load more.gpx (2 waypoints)"},
};

void PrintTo(const Change& change, std::ostream* out) { *out << change.label; }

class UndoEach : public Undo, public ::testing::WithParamInterface<Change> {};

TEST_P(UndoEach, TakesTheChangeBackAndMakesItAgain) {
  const Change& c = GetParam();
  ASSERT_TRUE(session.LoadFile(dir.File("three.gpx")));
  const Action change = c.prepare(session, questions, dir.path());
  selected = session.Store().ShownWaypoints().back();
  const std::string before = State();
  const TGpxRecord* selectedBefore = selected;
  ASSERT_TRUE(change(session));
  const std::string after = State();
  ASSERT_NE(after, before);
  EXPECT_EQ(session.UndoName(), c.stepName);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(State(), before) << "round " << round;
    EXPECT_EQ(selected, selectedBefore);
    EXPECT_EQ(session.RedoName(), c.stepName);
    ASSERT_TRUE(session.Redo());
    EXPECT_EQ(State(), after) << "round " << round;
  }
  EXPECT_FALSE(session.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(EveryKind, UndoEach, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<Change>& param) {
                           std::string name;
                           for (const char* c = param.param.label; *c; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

// Changes of every kind in random order, with undos and redos among them:
// every point of the line, reached again, is as it was.
TEST_F(Undo, RandomChangesUndosAndRedosReturnToEveryPointAsItWas) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    session.ReleaseList();
    std::vector<std::string> states{State()};
    std::size_t position = session.History().Position();
    int added = 0;
    // Short of the history's limit, which the next test is about.
    for (int op = 0; op < 300 && session.History().size() + 1 < ListHistory::kMaxSteps; ++op) {
      const auto& shown = session.Store().ShownWaypoints();
      const int row = shown.empty() ? 0 : static_cast<int>(pick(shown.size()));
      questions.duplicateAnswers = {static_cast<int>(pick(3))};
      const std::size_t kind = pick(12);
      if (kind == 0 && !states.empty() && session.CanUndo()) {
        ASSERT_TRUE(session.Undo());
        --position;
        ASSERT_EQ(State(), states[position]) << "undo at op " << op;
        continue;
      }
      if (kind == 1 && session.CanRedo()) {
        ASSERT_TRUE(session.Redo());
        ++position;
        ASSERT_EQ(State(), states[position]) << "redo at op " << op;
        continue;
      }
      if (kind == 2) {
        session.LoadFile(dir.File(pick(2) == 0 ? "three.gpx" : "more.gpx"));
      } else if (kind == 3 && pick(4) == 0) {
        session.ClearList();
      } else if (kind == 4 && !shown.empty()) {
        std::vector<const TGpxRecord*> some;
        for (const TGpxRecord* r : shown) {
          if (pick(3) == 0) some.push_back(r);
        }
        session.RemoveRecords(some, "Delete some");
      } else if (kind == 5 && !shown.empty()) {
        const TGpxRecord* first = shown[static_cast<std::size_t>(row)];
        const TGpxRecord* second = shown[pick(shown.size())];
        Edit({{first->Name, "E" + std::to_string(op)}, {second->Name, shown.front()->Name}})(session);
      } else if (kind == 6) {
        session.RenameShown(pick(2) == 0 ? "%n+" : "%d%n");
      } else if (kind < 9) {
        session.AddToList(1, 2, pick(2) == 0 ? "A" : "N" + std::to_string(++added));
      } else {
        session.DeleteShownRow(row);
      }
      if (session.History().Position() == position) {
        ASSERT_EQ(State(), states[position]) << "op " << op << " kind " << kind;
        continue;
      }
      ASSERT_EQ(session.History().Position(), position + 1) << "op " << op;
      ++position;
      states.resize(position);
      states.push_back(State());
    }
    // All the way back, and forward again.
    while (session.Undo()) ASSERT_EQ(State(), states[--position]) << "back at " << position << " of " << states.size();
    while (session.Redo()) ASSERT_EQ(State(), states[++position]);
  }
}

// A save does not end the history; it moves the point where the list equals
// a file, and stepping away from it makes the list modified again.
TEST_F(Undo, ModifiedMeansDifferentFromTheFileSavedOrLoaded) {
  const std::string three = dir.File("three.gpx");
  ASSERT_TRUE(session.LoadFile(three));
  EXPECT_FALSE(session.ListModified());
  ASSERT_TRUE(session.AddToList(1, 1, "D"));
  ASSERT_TRUE(session.SaveFile(dir.File("out.gpx"), kFormatByExtension));
  EXPECT_FALSE(session.ListModified());
  struct Move {
    bool (ListSession::*move)();
    bool modified;
    std::string file;
  };
  const Move moves[] = {
      {&ListSession::Undo, false, "three.gpx"},  // as loaded, and three.gpx is unchanged
      {&ListSession::Undo, false, ""},           // empty, no file: nothing to lose
      {&ListSession::Redo, false, "three.gpx"},  //
      {&ListSession::Redo, false, "out.gpx"},    // as saved
  };
  for (const Move& m : moves) {
    ASSERT_TRUE((session.*m.move)());
    EXPECT_EQ(session.ListModified(), m.modified) << session.History().Position();
    EXPECT_EQ(session.CurrentFileName(), m.file) << session.History().Position();
  }
  // Saved over the loaded file, the load point no longer equals it.
  ASSERT_TRUE(session.SaveFile(three, kFormatByExtension));
  ASSERT_TRUE(session.Undo());
  EXPECT_TRUE(session.ListModified());
  // A clear leaves nothing to lose; undone, the saved list is back unmodified.
  ASSERT_TRUE(session.Redo());
  ASSERT_TRUE(session.ClearList());
  EXPECT_FALSE(session.ListModified());
  ASSERT_TRUE(session.Undo());
  EXPECT_FALSE(session.ListModified());
  EXPECT_EQ(session.CurrentFileName(), "three.gpx");
  // A new step after an undo drops the saved point with the undone steps.
  ASSERT_TRUE(session.Undo());
  ASSERT_TRUE(session.AddToList(2, 2, "F"));
  ASSERT_TRUE(session.Undo());
  EXPECT_TRUE(session.ListModified());
  EXPECT_FALSE(session.CanRedo() && session.RedoName() != "Add F");
}

TEST_F(Undo, SelectionOfEachPointComesBack) {
  ASSERT_TRUE(session.LoadFile(dir.File("three.gpx")));
  selected = Named("B");
  ASSERT_TRUE(session.DeleteShownRow(1));
  selected = Named("C");  // what the view selects after the row went
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(selected, Named("B"));
  selected = Named("A");
  ASSERT_TRUE(session.Redo());
  EXPECT_EQ(selected, Named("C"));
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(selected, Named("A"));
}

TEST_F(Undo, AnEditThatChangesNothingIsNoStepAndAnOpenEditWaitsForItsEnd) {
  ASSERT_TRUE(session.LoadFile(dir.File("three.gpx")));
  const TGpxRecord* a = Named("A");
  const EditItemFields shown = EditFieldsOf(*a);
  session.StoreEdit(a, shown, shown, {});
  EXPECT_FALSE(session.CanUndo() && session.UndoName() != "Load three.gpx (3 waypoints)");
  EXPECT_FALSE(session.ListModified());

  session.BeginEditGroup();
  EditItemFields now = shown;
  now.cmt = "changed";
  session.StoreEdit(a, shown, now, {});
  EXPECT_TRUE(session.ListModified());
  // The dialog is still open: its step is not done yet.
  EXPECT_FALSE(session.CanUndo());
  EXPECT_FALSE(session.Undo());
  session.EndEditGroup();
  EXPECT_EQ(session.UndoName(), "Edit A");
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(a->Cmt, "");
  EXPECT_FALSE(session.ListModified());
}

TEST_F(Undo, TheOldestStepsGoBeyondTheLimit) {
  const int extra = 5;
  for (int i = 0; i < static_cast<int>(ListHistory::kMaxSteps) + extra; ++i) {
    ASSERT_NE(session.AddToList(1, 1, "N" + std::to_string(i)), nullptr);
  }
  int undone = 0;
  while (session.Undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(ListHistory::kMaxSteps));
  ASSERT_EQ(session.Store().size(), static_cast<std::size_t>(extra));
  EXPECT_EQ(session.Store().AllWaypoints().back()->Name, "N" + std::to_string(extra - 1));
  while (session.Redo()) ++undone;
  EXPECT_EQ(session.Store().size(), ListHistory::kMaxSteps + extra);
}

// Steps that hold many records go first when the history holds too many;
// the newest stays whatever it weighs.
TEST(ListHistoryLimits, StepsGoBeyondTheRecordsTheyHold) {
  ListHistory history(10, 5);
  auto step = [](std::size_t records) {
    auto s = std::make_unique<ListStep>();
    s->changed.resize(records);
    return s;
  };
  history.Push(step(2));
  history.Push(step(2));
  EXPECT_EQ(history.size(), 2u);
  history.Push(step(2));  // 6 held: the oldest goes
  EXPECT_EQ(history.size(), 2u);
  EXPECT_EQ(history.Position(), 2u);
  history.Push(step(9));
  EXPECT_EQ(history.size(), 1u);
  EXPECT_EQ(history.NextUndo()->changed.size(), 9u);
  ASSERT_NE(history.StepBack(), nullptr);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.CanRedo());
}

}  // namespace
}  // namespace quill
