// SPDX-License-Identifier: GPL-3.0-or-later
// "Clear List" of 100,000 waypoints with Groundspeak data and its undo and
// redo: the session's work alone, and in the window (the list view rebuilt
// and painted). Best of five runs each, beside a baseline measured in the
// same run: copying every record once, which is what an undo history that
// kept copies would pay at every clear. Then one row deleted and undone in
// the window, and an edit of one record undone.
// bench_ui_undo [FILE.gpx] measures that list instead of the generated one.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "PocketQuery.h"
#include "ui/app/FormApp.h"

using namespace quill;
using namespace quill::bench;

namespace {

class AlwaysYes : public QuestionSeam {
 public:
  int AskDuplicate(const std::string&) override { return kDuplicateAllow; }
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

double Seconds(const std::function<void()>& run) {
  auto t0 = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

struct Pair {
  double first = 1e9;
  double second = 1e9;
};

// The best of n of a change and of its undo, each timed on its own.
Pair BestPair(int n, const std::function<void()>& change, const std::function<void()>& back) {
  Pair best;
  for (int i = 0; i < n; ++i) {
    best.first = std::min(best.first, Seconds(change));
    best.second = std::min(best.second, Seconds(back));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qapp(argc, argv);

  std::string dir = TempFolder();
  std::string generatedDir;
  const std::string path = ListFileArgument(argc, argv, generatedDir);

  const std::unique_ptr<TFormApp> owned = OpenBenchWindow(dir + "/config");
  TFormApp& app = *owned;
  AlwaysYes yes;
  app.SetQuestionOverride(&yes);
  if (!app.LoadFile(path)) {
    std::fprintf(stderr, "load failed\n");
    return 1;
  }
  ListSession& session = app.Session();
  const std::size_t rows = session.Store().size();
  app.SelectRow(static_cast<int>(rows / 2));
  auto showChanges = ShowChanges;

  // Copying every record: the baseline.
  std::size_t sink = 0;
  double copy = 1e9;
  for (int i = 0; i < 3; ++i) {
    copy = std::min(copy, Seconds([&] {
                      std::vector<TGpxRecord> copies;
                      copies.reserve(rows);
                      for (const TGpxRecord* r : session.Store().AllWaypoints()) copies.push_back(*r);
                      sink += copies.back().GroundspeakXml.size();
                    }));
  }

  // The session alone: the view is not told.
  auto rebuilt = session.onListRebuilt;
  auto releasing = session.onListReleasing;
  auto select = session.onSelect;
  session.onListRebuilt = nullptr;
  session.onListReleasing = nullptr;
  session.onSelect = nullptr;
  Pair alone = BestPair(
      5, [&] { session.ClearList(); }, [&] { session.Undo(); });
  Pair aloneRedo = BestPair(
      5, [&] { session.Redo(); }, [&] { session.Undo(); });
  session.onListRebuilt = rebuilt;
  session.onListReleasing = releasing;
  session.onSelect = select;
  app.FillListView();
  showChanges();

  // In the window, shown.
  Pair window = BestPair(
      5,
      [&] {
        session.ClearList();
        showChanges();
      },
      [&] {
        session.Undo();
        showChanges();
      });
  const bool restored = session.Store().size() == rows;

  const int last = static_cast<int>(rows) - 1;
  Pair deleteRow = BestPair(
      5,
      [&] {
        app.SelectRow(last / 2);
        app.DeleteSelected();
        showChanges();
      },
      [&] {
        session.Undo();
        showChanges();
      });
  const TGpxRecord* record = session.Store().ShownWaypoints()[rows / 3];
  Pair edit = BestPair(
      5,
      [&] {
        EditItemFields shown = EditFieldsOf(*record);
        EditItemFields now = shown;
        now.name += "x";
        session.StoreEdit(record, shown, now, {});
        app.FillListView();
        showChanges();
      },
      [&] {
        session.Undo();
        showChanges();
      });

  std::printf("waypoints: %zu%s\n", rows, restored ? "" : "  (NOT RESTORED BY UNDO)");
  std::printf("baseline, one copy of every record: %8.1f ms\n", copy * 1000);
  auto line = [&](const char* what, double s) {
    std::printf("%-40s %9.3f ms  (%.5f x baseline)\n", what, s * 1000, s / copy);
  };
  line("Clear List, session alone", alone.first);
  line("undo of the clear, session alone", alone.second);
  line("redo of the clear, session alone", aloneRedo.first);
  line("Clear List in the window, shown", window.first);
  line("undo of the clear in the window, shown", window.second);
  line("one row deleted in the window, shown", deleteRow.first);
  line("its undo in the window, shown", deleteRow.second);
  line("one record edited, list rebuilt, shown", edit.first);
  line("its undo in the window, shown", edit.second);
  std::fprintf(stderr, "(%zu)\n", sink);
  app.SetQuestionOverride(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  if (!generatedDir.empty()) std::filesystem::remove_all(generatedDir, ec);
  return restored ? 0 : 1;
}
