// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming waypoints that share a name, through the store's name index:
// N records (default 1,000,000) named alike each get a name of their own,
// then all take one name again, in the reverse of their order of addition.
//   bench_rename [N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "list/ListRename.h"
#include "list/WaypointStore.h"

using namespace quill;

namespace {

template <class F>
double Seconds(F&& run) {
  auto t0 = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  WaypointStore store;
  store.SetDuplicateMode(kDuplicateAllow);
  double add = Seconds([&] {
    for (long i = 0; i < n; ++i) {
      TGpxRecord r;
      r.Name = "WP";
      r.Desc = std::to_string(i);
      r.Time = "t";
      store.AddWaypoint(std::move(r), {}, true);
    }
  });
  double apart = Seconds([&] { RenameShownWaypoints(store, "%n-%d", nullptr); });
  auto& shown = store.ShownWaypoints();
  std::reverse(shown.begin(), shown.end());
  double together = Seconds([&] { RenameShownWaypoints(store, "WP", nullptr); });
  // The first added is the first of the name again.
  bool ok = store.FirstWithName("WP") == shown.back() && store.FirstWithName("WP-0") == nullptr;
  std::printf("%ld waypoints named alike: added in %.2f s\n", n, add);
  std::printf("each renamed apart (\"%%n-%%d\"):        %8.2f s\n", apart);
  std::printf("all renamed alike, last added first: %8.2f s\n", together);
  std::printf("index %s\n", ok ? "agrees" : "DISAGREES");
  return ok ? 0 : 1;
}
