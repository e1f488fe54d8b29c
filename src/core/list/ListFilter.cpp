// SPDX-License-Identifier: GPL-3.0-or-later
#include "list/ListFilter.h"

#include <array>
#include <charconv>

#include "base/ByteSearch.h"
#include "list/ListColumns.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {
namespace {

struct ModeInfo {
  std::string_view caption;
  std::string_view name;
  FilterInput input;
};

constexpr std::array<ModeInfo, kFilterModeCount> kModes = {{
    {"Name", "name", FilterInput::Text},
    {"Description", "description", FilterInput::Text},
    {"Placed by", "placedby", FilterInput::Text},
    {"Terrain (lower or equal)", "terrain-max", FilterInput::Text},
    {"Terrain (higher or equal)", "terrain-min", FilterInput::Text},
    {"Difficulty (lower or equal)", "difficulty-max", FilterInput::Text},
    {"Difficulty (higher or equal)", "difficulty-min", FilterInput::Text},
    {"Country", "country", FilterInput::Text},
    {"Max distance from home", "distance-max", FilterInput::Text},
    {"Type", "type", FilterInput::Type},
    {"Container", "container", FilterInput::Size},
    {"Real caches", "real", FilterInput::YesNo},
    {"Found", "found", FilterInput::YesNo},
    {"Archived", "archived", FilterInput::YesNo},
    {"Logs", "logs", FilterInput::Text},
}};

constexpr std::array<std::string_view, kContainerSizeCount> kSizes = {
    "Micro", "Small", "Regular", "Large", "Other", "Virtual", "Not chosen",
};

bool ValidMode(int modeIndex) { return modeIndex >= 0 && modeIndex < kFilterModeCount; }

// An empty filter text is contained in nothing.
bool Contains(std::string_view value, std::string_view filterText) {
  return !filterText.empty() && value.find(filterText) != std::string_view::npos;
}

bool ParseWholeInt(std::string_view text, int& value) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Element texts are decoded after lower-casing here. Text without entities,
// CDATA, line breaks or bytes of 0x80 and above decodes to itself, so it is
// searched as it is.
bool DecodedContains(std::string_view lowered, std::string_view filterText) {
  if (filterText.empty()) return false;
  bool high = false;
  for (char c : lowered) {
    if (c == '&' || c == '<' || c == '\r' || c == '\n') return Contains(DecodeElementText(lowered), filterText);
    high = high || static_cast<unsigned char>(c) >= 0x80;
  }
  // Without entities, CDATA or line breaks decoding is the code-page step alone.
  if (!high) return Contains(lowered, filterText);
  thread_local std::string converted;
  converted.clear();
  AppendUtf8AsAnsi(converted, lowered);
  return Contains(converted, filterText);
}

// Whether filterText is in value as the list shows it, lower-cased and
// decoded. Plain ASCII, the usual case, takes one pass into a kept buffer.
bool LowerContains(std::string_view value, std::string_view filterText, const LocaleText& text) {
  if (filterText.empty()) return false;
  thread_local std::string lowered;
  if (text.PlainAsciiLower()) {
    if (lowered.size() < value.size()) lowered.resize(value.size());
    if (LowerPlainAscii(value, lowered.data())) {
      return std::string_view(lowered.data(), value.size()).find(filterText) != std::string_view::npos;
    }
  }
  text.LowerInto(value, lowered);
  return DecodedContains(lowered, filterText);
}

}  // namespace

FilterInput FilterInputOf(int modeIndex) {
  return ValidMode(modeIndex) ? kModes[static_cast<std::size_t>(modeIndex)].input : FilterInput::Text;
}

std::string_view FilterModeCaption(int modeIndex) {
  return ValidMode(modeIndex) ? kModes[static_cast<std::size_t>(modeIndex)].caption : std::string_view();
}

std::string_view FilterModeName(int modeIndex) {
  return ValidMode(modeIndex) ? kModes[static_cast<std::size_t>(modeIndex)].name : std::string_view();
}

int FilterModeFromName(std::string_view name) {
  for (int i = 0; i < kFilterModeCount; ++i) {
    if (kModes[static_cast<std::size_t>(i)].name == name) return i;
  }
  return -1;
}

std::string_view ContainerSizeName(int index) {
  return index >= 0 && index < kContainerSizeCount ? kSizes[static_cast<std::size_t>(index)] : std::string_view();
}

std::optional<std::string> FilterValueFromInput(int modeIndex, std::string_view input, const LocaleText& text) {
  if (!ValidMode(modeIndex)) return std::nullopt;
  switch (FilterInputOf(modeIndex)) {
    case FilterInput::Type: {
      int code = -1;
      if (ParseWholeInt(input, code)) {
        if (code < 0 || code >= kTypeCodeCount) return std::nullopt;
        return std::to_string(code);
      }
      for (int i = 0; i < kTypeCodeCount; ++i) {
        if (EqualsIgnoreCase(TypeName(i), input)) return std::to_string(i);
      }
      return std::nullopt;
    }
    case FilterInput::YesNo:
      if (EqualsIgnoreCase(input, "yes")) return std::string("yes");
      if (EqualsIgnoreCase(input, "no")) return std::string();
      return std::nullopt;
    case FilterInput::Size:
    case FilterInput::Text:
      return text.Lower(input);
  }
  return std::nullopt;
}

void FilterWaypoints(std::vector<const TGpxRecord*>& records, const WaypointStore& store, int modeIndex,
                     std::string_view filterText, const LocaleText& text, const HomePosition& home) {
  if (!ValidMode(modeIndex)) return;
  const double value = TextToFloat(filterText);
  const bool yes = filterText == "yes";
  int typeCode = -1;
  const bool typeValid = ParseWholeInt(filterText, typeCode);

  auto passes = [&](const TGpxRecord& r) -> bool {
    const bool hasXml = !r.GroundspeakXml.empty();
    const GroundspeakValues& v = store.ValuesOf(&r);
    switch (modeIndex) {
      case kFilterName:
        return LowerContains(r.Name, filterText, text);
      case kFilterDescription:
        return LowerContains(r.Desc, filterText, text);
      case kFilterPlacedBy:
        return hasXml && Contains(text.Lower(v.placedByText), filterText);
      // Lower-casing cannot change how a number reads, so it is left out.
      case kFilterTerrainMax:
        return hasXml && v.terrain <= value;
      case kFilterTerrainMin:
        return hasXml && v.terrain >= value;
      case kFilterDifficultyMax:
        return hasXml && v.difficulty <= value;
      case kFilterDifficultyMin:
        return hasXml && v.difficulty >= value;
      case kFilterCountry:
        return hasXml && Contains(text.Lower(v.country), filterText);
      case kFilterDistanceMax:
        return DistanceFromHome(r, home) <= 1000.0 * value;
      case kFilterType:
        return typeValid && r.TypeCode == typeCode;
      case kFilterContainer:
        return hasXml && text.Lower(v.container) == filterText;
      case kFilterReal:
        return yes ? IsCacheType(r.TypeCode) : !IsCacheType(r.TypeCode);
      case kFilterFound:
        return yes == r.Found;
      case kFilterArchived:
        return yes == (hasXml && v.archived);
      case kFilterLogs:
        return Contains(v.logSummary, filterText);
      default:
        return true;
    }
  };

  std::size_t kept = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    store.PrefetchAhead(records, i);
    const TGpxRecord* r = records[i];
    if (passes(*r)) records[kept++] = r;
  }
  records.resize(kept);
}

}  // namespace quill
