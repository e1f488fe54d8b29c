// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the window's waypoint list (model reset and view update, with
// the selection kept) for 100,000 waypoints after a load, a sort and a filter.
// Prints the best of five runs of each, and its ratio to a baseline measured
// in the same run: making the five column texts of every row, which is what a
// list control that holds its own texts would do at every rebuild.
// Then the list loaded again into the emptied window beside quillmark-cli
// list of the file, and every sort and filter in the window beside the
// session's work alone (what the command line adds for it).
// Then the cost of moving the selection near the end of the list (the arrow
// key's work: select, refresh the counters and the converter), and of
// SelectedIndex beside a search of the rows for the selected record.
// bench_ui_listview [FILE.gpx] measures that list instead of the generated one.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
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
#include "geo/CoordFormat.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"
#include "text/QtText.h"
#include "ui/app/FormApp.h"
#include "ui/list/ListPanel.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

using namespace quill;
using namespace quill::bench;

namespace {

double BestSeconds(const std::function<void()>& prepare, const std::function<void()>& run, int runs = 5) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    prepare();
    auto t0 = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
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

  auto t0 = std::chrono::steady_clock::now();
  if (!app.LoadFile(path)) {
    std::fprintf(stderr, "load failed\n");
    return 1;
  }
  double load = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ListSession& session = app.Session();
  const auto& shown = session.Store().ShownWaypoints();
  const std::vector<const TGpxRecord*>& loadOrder = session.Store().AllWaypoints();
  const std::size_t rows = shown.size();
  app.SelectRow(static_cast<int>(rows / 2));

  auto showChanges = ShowChanges;
  // Rebuild as the window does it, then let the view lay out and paint. The
  // list is put in each order by the session beforehand, untimed.
  auto rebuild = [&] {
    app.FillListView();
    showChanges();
  };

  // Loading again into an emptied window, shown, beside the command line's
  // plain list of the same file (a process of its own, output included).
  double reload = BestSeconds([&] { session.ReleaseList(); },
                              [&] {
                                app.LoadFile(path);
                                showChanges();
                              },
                              3);
  ProcessRun cliList = BestOf(3, {QUILL_CLI_PATH, "list", path});
  app.SelectRow(static_cast<int>(rows / 2));

  double afterLoad = BestSeconds([&] { session.ShowAllWaypoints(); }, rebuild);
  double afterSort = BestSeconds(
      [&] {
        session.ShowAllWaypoints();
        session.SortShown(SortOrder::Name);
      },
      rebuild);
  double afterFilter = BestSeconds(
      [&] {
        session.ShowAllWaypoints();
        session.FilterShown(kFilterReal, "yes");
      },
      rebuild);
  std::size_t filteredRows = shown.size();
  // The 4th column on a text the model makes from the Groundspeak data.
  app.ActionColumn4Execute(kColumnLogs);
  double logsColumn = BestSeconds([&] { session.ShowAllWaypoints(); }, rebuild);

  HomePosition home;
  std::size_t sink = 0;
  double baseline = BestSeconds([] {},
                                [&] {
                                  for (const TGpxRecord* r : loadOrder) {
                                    sink += static_cast<std::size_t>(AnsiToQString(r->Name).size());
                                    sink += FormatDegMinSigned(r->Lat, false).size();
                                    sink += FormatDegMinSigned(r->Lon, false).size();
                                    sink +=
                                        ColumnText(*r, session.Store().ValuesOf(r), kColumnDescription, home).size();
                                    sink += ColumnText(*r, session.Store().ValuesOf(r), kColumnTimestamp, home).size();
                                  }
                                },
                                3);

  std::printf("waypoints: %zu (load %.2f s, including the first rebuild)\n", rows, load);
  std::printf("load again, shown: %.0f ms; quillmark-cli list of the file: %.0f ms%s (%.2f x)\n", reload * 1000,
              cliList.seconds * 1000, cliList.ok ? "" : " FAILED", reload / cliList.seconds);
  std::printf("baseline, five column texts of every row: %8.1f ms\n", baseline * 1000);
  auto line = [&](const char* what, double s, std::size_t n) {
    std::printf("%-34s %8.2f ms for %zu rows  (%.3f x baseline)\n", what, s * 1000, n, s / baseline);
  };
  line("rebuild after load", afterLoad, rows);
  line("rebuild after sort", afterSort, rows);
  line("rebuild after filter", afterFilter, filteredRows);
  line("rebuild, Logs in the 4th column", logsColumn, rows);

  app.ActionColumn4Execute(kColumnDescription);

  // Every sort and filter as the window runs it (the session's work, the list
  // rebuilt, the view painted) beside the session's work alone, which is what
  // the command line adds to a plain list.
  std::function<void()> rebuildWindow = session.onListRebuilt;
  auto showAll = [&] { session.ShowAllWaypoints(); };
  std::printf("\n%-24s %9s %9s %8s\n", "in the window", "session", "window", "ratio");
  auto compare = [&](const std::string& what, const std::function<void()>& op) {
    session.onListRebuilt = nullptr;
    double alone = BestSeconds(showAll, op, 3);
    session.onListRebuilt = rebuildWindow;
    double window = BestSeconds(
        showAll,
        [&] {
          op();
          showChanges();
        },
        3);
    std::printf("%-24s %9.1f %9.1f %8.2f\n", what.c_str(), alone * 1000, window * 1000, window / alone);
  };
  for (int i = 0; i < kSortOrderCount; ++i) {
    SortOrder order = static_cast<SortOrder>(i);
    compare("sort " + std::string(SortOrderName(order)), [&, order] { session.SortShown(order); });
  }
  for (const FilterCase& c : FilterCases()) {
    compare("filter " + std::string(FilterModeName(c.mode)) + "=" + c.value,
            [&, c] { session.FilterShown(c.mode, c.value); });
  }
  // Moving the selection one row at a time near the end of the full list.
  session.ShowAllWaypoints();
  const int last = static_cast<int>(rows) - 1;
  const int moves = 2000;
  double perMove = BestSeconds([&] { app.SelectRow(last - moves); },
                               [&] {
                                 for (int r = last - moves + 1; r <= last; ++r) app.SelectRow(r);
                               }) /
                   moves;
  const int calls = 20000;
  TListPanel& panel = app.ListPanel();
  double perIndex = BestSeconds([] {},
                                [&] {
                                  for (int i = 0; i < calls; ++i)
                                    sink += static_cast<std::size_t>(panel.SelectedIndex());
                                }) /
                    calls;
  // What SelectedIndex cost when it searched the rows for the selected record.
  double perSearch = BestSeconds([] {},
                                 [&] {
                                   for (int i = 0; i < 200; ++i) {
                                     sink += static_cast<std::size_t>(app.Model().RowOf(panel.SelectedRecord()));
                                   }
                                 }) /
                     200;
  std::printf("selection moved one row at row %d: %8.1f us per move\n", last, perMove * 1e6);
  std::printf("SelectedIndex from the selection:  %8.3f us per call\n", perIndex * 1e6);
  std::printf("search of the rows for the record: %8.3f us per call (%.0f x)\n", perSearch * 1e6, perSearch / perIndex);
  std::fprintf(stderr, "(%zu)\n", sink);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  if (!generatedDir.empty()) std::filesystem::remove_all(generatedDir, ec);
  return 0;
}
