#include "list/ListSort.h"

#include <QCollatorSortKey>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

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

// The rank of each text among the distinct texts in collation order; texts
// that collate equal get the same rank. Each distinct text costs one
// collation key, and the sort proper then compares integers.
std::vector<std::uint32_t> CollationRanks(const std::vector<std::string_view>& texts, const LocaleText& text) {
  std::unordered_map<std::string_view, std::uint32_t> ids;
  ids.reserve(texts.size());
  std::vector<std::string_view> distinct;
  std::vector<std::uint32_t> ranks(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    auto [it, fresh] = ids.try_emplace(texts[i], static_cast<std::uint32_t>(distinct.size()));
    if (fresh) distinct.push_back(texts[i]);
    ranks[i] = it->second;
  }
  std::vector<QCollatorSortKey> keys;
  keys.reserve(distinct.size());
  for (std::string_view d : distinct) keys.push_back(text.SortKey(d));
  std::vector<std::uint32_t> byKey(distinct.size());
  std::iota(byKey.begin(), byKey.end(), 0u);
  std::sort(byKey.begin(), byKey.end(),
            [&keys](std::uint32_t a, std::uint32_t b) { return keys[a].compare(keys[b]) < 0; });
  std::vector<std::uint32_t> rankOfId(distinct.size());
  std::uint32_t rank = 0;
  for (std::size_t k = 0; k < byKey.size(); ++k) {
    if (k > 0 && keys[byKey[k - 1]].compare(keys[byKey[k]]) != 0) ++rank;
    rankOfId[byKey[k]] = rank;
  }
  for (std::uint32_t& r : ranks) r = rankOfId[r];
  return ranks;
}

struct Item {
  const TGpxRecord* record;
  std::uint32_t key = 0;  // rank of the text key
  bool notGc = false;
  double n1 = 0.0;
  double n2 = 0.0;
  std::uint32_t name = 0;  // rank of the name, among the tied records only
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

std::string_view PrimaryText(const TGpxRecord& r, SortOrder order) {
  switch (order) {
    case SortOrder::Date:
      return r.Time;
    case SortOrder::DateFound:
      return FirstElementText(r.GroundspeakXml, "groundspeak:date");
    case SortOrder::Desc:
      return r.Desc;
    case SortOrder::Cmt:
      return r.Cmt;
    case SortOrder::UrlName:
      return r.UrlName;
    case SortOrder::Logs:
      return r.LogSummary;
    case SortOrder::Country:
      return r.Country;
    case SortOrder::State:
      return r.State;
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

void SortWaypoints(std::vector<const TGpxRecord*>& records, SortOrder order, const LocaleText& text,
                   const HomePosition& home) {
  switch (order) {
    case SortOrder::Logs:
    case SortOrder::Country:
    case SortOrder::State:
    case SortOrder::Diffic: {
      int mode = order == SortOrder::Logs      ? kColumnLogs
                 : order == SortOrder::Country ? kColumnCountry
                 : order == SortOrder::State   ? kColumnState
                                               : kColumnDifficulty;
      for (const TGpxRecord* r : records) RefreshDisplayCache(*r, mode);
      break;
    }
    default:
      break;
  }
  if (records.size() < 2) return;

  std::vector<Item> items;
  items.reserve(records.size());
  // Text keys are views into the records or into decoded, which outlives them.
  std::vector<std::string_view> texts;
  std::vector<std::string> decoded;
  const bool textKey = order != SortOrder::Dist && order != SortOrder::North && order != SortOrder::East &&
                       order != SortOrder::Type && order != SortOrder::Diffic;
  if (textKey) texts.reserve(records.size());
  if (order == SortOrder::Hidden) decoded.reserve(records.size());
  for (const TGpxRecord* r : records) {
    Item it{r};
    switch (order) {
      case SortOrder::Name:
        texts.push_back(r->Name);
        break;
      case SortOrder::GCName: {
        std::string_view name = r->Name;
        std::size_t two = CharacterOffset(name, 2);
        std::size_t end = CharacterOffset(name.substr(two), 100);
        texts.push_back(name.substr(two, end));
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
        std::string_view dt = r->DiffTerr;
        std::size_t slash = dt.find('/');
        it.n1 = Number(TextToFloat(dt.substr(0, slash)));
        it.n2 = slash == std::string_view::npos ? 0.0 : Number(TextToFloat(dt.substr(slash + 1)));
        break;
      }
      case SortOrder::Hidden:
        decoded.push_back(DecodeBasic(FirstElementText(r->GroundspeakXml, "groundspeak:placed_by")));
        texts.push_back(decoded.back());
        break;
      default:
        texts.push_back(PrimaryText(*r, order));
        break;
    }
    items.push_back(it);
  }
  if (textKey) {
    std::vector<std::uint32_t> ranks = CollationRanks(texts, text);
    for (std::size_t i = 0; i < items.size(); ++i) items[i].key = ranks[i];
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return CompareKeys(a, b) < 0; });

  // Records equal in key are put in name order; only they need name keys.
  // Under the name order itself equal keys are equal names already.
  if (order != SortOrder::Name) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::vector<std::string_view> names;
    for (std::size_t b = 0; b < items.size();) {
      std::size_t e = b + 1;
      while (e < items.size() && CompareKeys(items[b], items[e]) == 0) ++e;
      if (e - b > 1) {
        runs.emplace_back(b, e);
        for (std::size_t i = b; i < e; ++i) names.push_back(items[i].record->Name);
      }
      b = e;
    }
    std::vector<std::uint32_t> ranks = CollationRanks(names, text);
    std::size_t next = 0;
    for (auto [b, e] : runs) {
      for (std::size_t i = b; i < e; ++i) items[i].name = ranks[next++];
      std::stable_sort(items.begin() + static_cast<std::ptrdiff_t>(b), items.begin() + static_cast<std::ptrdiff_t>(e),
                       [](const Item& x, const Item& y) { return x.name < y.name; });
    }
  }
  for (std::size_t i = 0; i < items.size(); ++i) records[i] = items[i].record;
}

}  // namespace quill
