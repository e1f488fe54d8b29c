// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListSort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "list/ListColumns.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

// One row per order: everything the window and the command line show of it.
struct OrderInfo {
  SortOrder order;
  std::string_view name;         // command line
  std::string_view action;       // the window's action
  std::string_view caption;      // the action's caption
  int columnMode;                // the column mode whose header sorts by it, or -1
  int menuPlace;                 // its place in the popup's "Sort" submenu, or -1
  std::string_view menuItem;     // that entry's name
  std::string_view menuCaption;  // that entry's caption when not the action's
};

constexpr std::array<OrderInfo, kSortOrderCount> kOrders = {{
    {SortOrder::Name, "name", "ActionSortName", "Sort by Name", -1, 0, "MenuSortOnName", ""},
    {SortOrder::GCName, "gcname", "ActionSortGCName", "Sort by GC-Name", -1, 1, "MenuSortOnGCname", ""},
    {SortOrder::Date, "date", "ActionSortDate", "Sort by Date", kColumnTimestamp, 2, "MenuSortOnDate",
     "Sort by Timestamp"},
    {SortOrder::Dist, "dist", "ActionSortDist", "Sort by Distance from home", kColumnDistance, 4, "MenuSortOnDist", ""},
    {SortOrder::North, "north", "ActionSortNorth", "Sort by North coordinates", -1, 5, "MenuSortOnNorth", ""},
    {SortOrder::East, "east", "ActionSortEast", "Sort by East coordinates", -1, 6, "MenuSortOnEast", ""},
    {SortOrder::Type, "type", "ActionSortType", "Sort by Cache Type", -1, 7, "MenuSortOnCacheType", ""},
    {SortOrder::Hidden, "hidden", "ActionSortHidden", "Sort by 'Placed by'", kColumnPlacedBy, 8, "MenuSortOnHiddenby",
     ""},
    {SortOrder::DateFound, "datefound", "ActionSortDateFound", "Sort by Date Found", kColumnDateFound, 3,
     "MenuSortOnDateFound", ""},
    {SortOrder::Desc, "desc", "ActionSortDesc", "Sort by Description", kColumnDescription, -1, "", ""},
    {SortOrder::Cmt, "cmt", "ActionSortCmt", "Sort by Comment", kColumnComment, -1, "", ""},
    {SortOrder::UrlName, "urlname", "ActionSortUrlName", "Sort by URL Name", kColumnUrlName, -1, "", ""},
    {SortOrder::Logs, "logs", "ActionSortLogs", "Sort by Logs", kColumnLogs, 9, "MenuSortOnLogs", ""},
    {SortOrder::Country, "country", "ActionSortCountry", "Sort by Country", kColumnCountry, 10, "MenuSortOnCountry",
     ""},
    {SortOrder::State, "state", "ActionSortState", "Sort by State", kColumnState, 11, "MenuSortOnState", ""},
    {SortOrder::Diffic, "diffic", "ActionSortDiffic", "Sort by Difficulty", kColumnDifficulty, 12, "MenuSortOnDiffic",
     ""},
}};

const OrderInfo& Info(SortOrder order) {
  auto i = static_cast<std::size_t>(order);
  return kOrders[i < kOrders.size() ? i : 0];
}

struct Item {
  std::uint32_t index = 0;  // into the records
  std::uint32_t key = 0;    // rank of the text key
  std::uint32_t name = 0;   // rank of the name, among the tied records only
  bool notGc = false;
  double n1 = 0.0;
  double n2 = 0.0;
};

// Copies of texts side by side: the records lie far apart in memory, and each
// text is read several times while it is collated.
class TextArena {
 public:
  void Reserve(std::size_t count, std::size_t bytes) {
    spans_.reserve(count);
    bytes_.reserve(bytes);
  }
  void Add(std::string_view text) {
    spans_.emplace_back(bytes_.size(), text.size());
    bytes_.append(text);
  }
  std::string_view operator[](std::size_t i) const {
    return std::string_view(bytes_).substr(spans_[i].first, spans_[i].second);
  }
  std::vector<std::string_view> Views(const std::vector<std::uint32_t>& which) const {
    std::vector<std::string_view> views;
    views.reserve(which.size());
    for (std::uint32_t i : which) views.push_back((*this)[i]);
    return views;
  }
  std::size_t size() const { return spans_.size(); }

 private:
  std::vector<std::pair<std::size_t, std::size_t>> spans_;
  std::string bytes_;
};

// Every order but the name tie-break, in one comparison: unused keys are 0.
int CompareKeys(const Item& a, const Item& b) {
  if (a.key != b.key) return a.key < b.key ? -1 : 1;
  if (a.notGc != b.notGc) return a.notGc ? 1 : -1;
  if (a.n1 < b.n1) return -1;
  if (b.n1 < a.n1) return 1;
  if (a.n2 < b.n2) return -1;
  if (b.n2 < a.n2) return 1;
  return 0;
}

// A NaN would make the order inconsistent (and the sort undefined); such a
// number counts as 0, as a failed distance does.
double Number(double v) { return std::isnan(v) ? 0.0 : v; }

// Byte offset of character n, a kept UTF-8 sequence counting as one character.
std::size_t CharacterOffset(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  for (std::size_t c = 0; c < n && pos < text.size(); ++c) {
    std::size_t kept = KeptUtf8Length(text, pos);
    pos += kept ? kept : 1;
  }
  return pos;
}

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool PrefixIsGc(std::string_view prefix, const LocaleText& text) {
  if (prefix == "GC") return true;
  // Distinct letters and digits never collate equal; only other characters
  // need the collator.
  if (prefix.size() == 2 && IsAsciiAlnum(prefix[0]) && IsAsciiAlnum(prefix[1])) return false;
  return text.Compare(prefix, "GC") == 0;
}

std::string_view PrimaryText(const TGpxRecord& r, const GroundspeakValues& v, SortOrder order) {
  switch (order) {
    case SortOrder::Date:
      return r.Time;
    case SortOrder::DateFound:
      return v.dateFound;
    case SortOrder::Hidden:
      return v.placedBy;
    case SortOrder::Desc:
      return r.Desc;
    case SortOrder::Cmt:
      return r.Cmt;
    case SortOrder::UrlName:
      return r.UrlName;
    case SortOrder::Logs:
      return v.logSummary;
    case SortOrder::Country:
      return v.country;
    case SortOrder::State:
      return v.state;
    default:
      return {};
  }
}

}  // namespace

std::string_view SortOrderCaption(SortOrder order) { return Info(order).caption; }

std::string_view SortOrderName(SortOrder order) { return Info(order).name; }

std::string_view SortOrderActionName(SortOrder order) { return Info(order).action; }

std::string SortOrderNames(std::string_view separator) {
  std::string text;
  for (const OrderInfo& o : kOrders) {
    if (!text.empty()) text += separator;
    text += o.name;
  }
  return text;
}

std::vector<SortMenuEntry> SortMenuEntries() {
  std::vector<SortMenuEntry> entries;
  for (int place = 0;; ++place) {
    auto o = std::find_if(kOrders.begin(), kOrders.end(), [place](const OrderInfo& i) { return i.menuPlace == place; });
    if (o == kOrders.end()) return entries;
    entries.push_back({o->order, o->menuItem, o->menuCaption.empty() ? o->caption : o->menuCaption});
  }
}

std::optional<SortOrder> SortOrderFromName(std::string_view name) {
  for (const OrderInfo& o : kOrders) {
    if (o.name == name) return o.order;
  }
  return std::nullopt;
}

SortOrder SortOrderForColumnMode(int mode) {
  for (const OrderInfo& o : kOrders) {
    if (mode >= 0 && o.columnMode == mode) return o.order;
  }
  return SortOrder::Name;
}

void SortWaypoints(std::vector<const TGpxRecord*>& records, const WaypointStore& store, SortOrder order,
                   const LocaleText& text, const HomePosition& home) {
  if (records.size() < 2) return;

  std::vector<Item> items(records.size());
  const bool textKey = order != SortOrder::Dist && order != SortOrder::North && order != SortOrder::East &&
                       order != SortOrder::Type && order != SortOrder::Diffic;
  // Each record is visited once here; everything after works on the copies.
  TextArena names;
  TextArena keys;
  names.Reserve(records.size(), records.size() * 12);
  if (textKey && order != SortOrder::Name) keys.Reserve(records.size(), records.size() * 16);
  for (std::size_t i = 0; i < records.size(); ++i) {
    store.PrefetchAhead(records, i);
    const TGpxRecord* r = records[i];
    Item& it = items[i];
    it.index = static_cast<std::uint32_t>(i);
    names.Add(r->Name);
    switch (order) {
      case SortOrder::Name:
        break;
      case SortOrder::GCName: {
        std::string_view name = r->Name;
        std::size_t two = CharacterOffset(name, 2);
        std::size_t end = CharacterOffset(name.substr(two), 100);
        keys.Add(name.substr(two, end));
        it.notGc = !PrefixIsGc(name.substr(0, two), text);
        break;
      }
      case SortOrder::Dist:
        it.n1 = Number(DistanceFromHome(*r, home));
        break;
      case SortOrder::North:
        it.n1 = Number(r->Lat);
        it.n2 = Number(r->Lon);
        break;
      case SortOrder::East:
        it.n1 = Number(r->Lon);
        it.n2 = Number(r->Lat);
        break;
      case SortOrder::Type:
        it.n1 = r->TypeCode;
        break;
      case SortOrder::Diffic: {
        const GroundspeakValues& v = store.ValuesOf(r);
        it.n1 = Number(v.orderDifficulty);
        it.n2 = Number(v.orderTerrain);
        break;
      }
      default:
        keys.Add(PrimaryText(*r, store.ValuesOf(r), order));
        break;
    }
  }
  if (textKey) {
    const TextArena& source = order == SortOrder::Name ? names : keys;
    std::vector<std::string_view> views;
    views.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) views.push_back(source[i]);
    std::vector<std::uint32_t> ranks = text.CollationRanks(views);
    for (std::size_t i = 0; i < items.size(); ++i) items[i].key = ranks[i];
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return CompareKeys(a, b) < 0; });

  // Records equal in key are put in name order; only they need name keys.
  // Under the name order itself equal keys are equal names already.
  if (order != SortOrder::Name) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::vector<std::uint32_t> tied;
    for (std::size_t b = 0; b < items.size();) {
      std::size_t e = b + 1;
      while (e < items.size() && CompareKeys(items[b], items[e]) == 0) ++e;
      if (e - b > 1) {
        runs.emplace_back(b, e);
        for (std::size_t i = b; i < e; ++i) tied.push_back(items[i].index);
      }
      b = e;
    }
    std::vector<std::uint32_t> ranks = text.CollationRanks(names.Views(tied));
    std::size_t next = 0;
    for (auto [b, e] : runs) {
      for (std::size_t i = b; i < e; ++i) items[i].name = ranks[next++];
      std::stable_sort(items.begin() + static_cast<std::ptrdiff_t>(b), items.begin() + static_cast<std::ptrdiff_t>(e),
                       [](const Item& x, const Item& y) { return x.name < y.name; });
    }
  }
  std::vector<const TGpxRecord*> sorted(records.size());
  for (std::size_t i = 0; i < items.size(); ++i) sorted[i] = records[items[i].index];
  records.swap(sorted);
}

}  // namespace quill
