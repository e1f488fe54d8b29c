// SPDX-License-Identifier: GPL-3.0-or-later
#include "PocketQuery.h"

#include <array>
#include <cstdio>
#include <fstream>

#include "BenchSupport.h"
#include "list/ListFilter.h"
#include "text/TextHelpers.h"

namespace quill::bench {
namespace {

class Rng {
 public:
  explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 1) {}
  std::uint32_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t s_;
};

constexpr std::array<const char*, 13> kTypes = {"Traditional Cache", "Multi-cache",
                                                "Unknown Cache",     "Virtual Cache",
                                                "Earthcache",        "Webcam Cache",
                                                "Letterbox Hybrid",  "Event Cache",
                                                "Mega-Event Cache",  "Cache In Trash Out Event",
                                                "Wherigo Cache",     "Locationless (Reverse) Cache",
                                                "Project APE Cache"};
constexpr std::array<const char*, 7> kContainers = {"Micro", "Small",      "Regular", "Large",
                                                    "Other", "Not chosen", "Virtual"};
constexpr std::array<const char*, 6> kCountries = {"Netherlands",    "Belgium", "Germany",
                                                   "Czech Republic", "Poland",  "Greece"};
constexpr std::array<const char*, 6> kStates = {"Utrecht",
                                                "Antwerpen",
                                                "Bayern",
                                                "Jihomoravsk\xC3\xBD kraj",
                                                "Ma\xC5\x82opolskie",
                                                "\xCE\x91\xCF\x84\xCF\x84\xCE\xB9\xCE\xBA\xCE\xAE"};
constexpr std::array<const char*, 10> kWords = {"forest",
                                                "bridge",
                                                "Kirche",
                                                "caf\xC3\xA9",
                                                "M\xC3\xBChle",
                                                "h\xC5\x99"
                                                "bitov",
                                                "\xC5\x82\xC4\x85ka",
                                                "\xCE\xB4\xCE\xAC\xCF\x83\xCE\xBF\xCF\x82",
                                                "trail",
                                                "\xF0\x9F\x8C\xB2"};
constexpr std::array<const char*, 5> kLogTypes = {"Found it", "Didn't find it", "Write note", "Needs Maintenance",
                                                  "Owner Maintenance"};
constexpr std::array<const char*, 5> kOwners = {"Tarnwick Team", "Ann & Bob", "J\xC3\xBCrgen", "Ji\xC5\x99\xC3\xAD",
                                                "Zo\xC3\xAB"};

std::string Words(Rng& rng, std::size_t bytes) {
  std::string s;
  while (s.size() < bytes) {
    s += kWords[static_cast<std::size_t>(rng.Below(static_cast<int>(kWords.size())))];
    s += rng.Below(12) == 0 ? ". " : " ";
  }
  return s;
}

std::string Date(Rng& rng) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", 2001 + rng.Below(24), 1 + rng.Below(12),
                1 + rng.Below(28), rng.Below(24), rng.Below(60), rng.Below(60));
  return buf;
}

std::string Coord(double v) { return FormatFixed(v, 6); }

}  // namespace

std::string PocketQueryText(const PocketQueryOptions& o) {
  Rng rng(o.seed);
  std::string out;
  out.reserve(static_cast<std::size_t>(o.caches) *
              static_cast<std::size_t>(o.descriptionBytes + 700 * o.logsPerCache + 2000));
  out +=
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<gpx xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" version=\"1.0\" creator=\"Groundspeak Pocket Query\" "
      "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 http://www.topografix.com/GPX/1/0/gpx.xsd "
      "http://www.groundspeak.com/cache/1/0/1 http://www.groundspeak.com/cache/1/0/1/cache.xsd\" "
      "xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
      "  <name>Generated pocket query</name>\n"
      "  <desc>Geocache file generated for benchmarks</desc>\n"
      "  <author>Quillmark bench</author>\n"
      "  <time>2026-12-01T10:00:00.0000000Z</time>\n"
      "  <keywords>cache, geocache</keywords>\n"
      "  <bounds minlat=\"40\" minlon=\"-10\" maxlat=\"60\" maxlon=\"30\" />\n";
  for (int i = 0; i < o.caches; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "GC%X", 0x10000 + i * 7 + rng.Below(7));
    double lat = 40.0 + rng.Below(20000000) / 1e6;
    double lon = -10.0 + rng.Below(40000000) / 1e6;
    int t = rng.Below(static_cast<int>(kTypes.size()));
    bool found = rng.Below(5) == 0;
    bool archived = rng.Below(20) == 0;
    bool available = !archived && rng.Below(10) != 0;
    std::string name = Words(rng, 12 + static_cast<std::size_t>(rng.Below(20)));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    const char* owner = kOwners[static_cast<std::size_t>(rng.Below(static_cast<int>(kOwners.size())))];
    out += "  <wpt lat=\"" + Coord(lat) + "\" lon=\"" + Coord(lon) + "\">\n";
    out += "    <time>" + Date(rng) + "</time>\n";
    out += std::string("    <name>") + code + "</name>\n";
    out += "    <desc>" + name + " by " + (owner[0] == 'A' ? std::string("Ann &amp; Bob") : std::string(owner)) + ", " +
           kTypes[static_cast<std::size_t>(t)] + " (" + std::to_string(1 + rng.Below(5)) + "/" +
           std::to_string(1 + rng.Below(5)) + ")</desc>\n";
    out += std::string("    <url>https://coord.info/") + code + "</url>\n";
    out += "    <urlname>" + name + "</urlname>\n";
    out += std::string("    <sym>") + (found ? "Geocache Found" : "Geocache") + "</sym>\n";
    out += std::string("    <type>Geocache|") + kTypes[static_cast<std::size_t>(t)] + "</type>\n";
    out += "    <groundspeak:cache id=\"" + std::to_string(100000 + i) + "\" available=\"" +
           (available ? "True" : "False") + "\" archived=\"" + (archived ? "True" : "False") +
           "\" xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n";
    out += "      <groundspeak:name>" + name + "</groundspeak:name>\n";
    out += std::string("      <groundspeak:placed_by>") + (owner[0] == 'A' ? "Ann &amp; Bob" : owner) +
           "</groundspeak:placed_by>\n";
    out += std::string("      <groundspeak:owner id=\"") + std::to_string(5000 + rng.Below(1000)) + "\">" +
           (owner[0] == 'A' ? "Ann &amp; Bob" : owner) + "</groundspeak:owner>\n";
    out += std::string("      <groundspeak:type>") + kTypes[static_cast<std::size_t>(t)] + "</groundspeak:type>\n";
    out += std::string("      <groundspeak:container>") +
           kContainers[static_cast<std::size_t>(rng.Below(static_cast<int>(kContainers.size())))] +
           "</groundspeak:container>\n";
    out += "      <groundspeak:attributes>\n";
    for (int a = 0; a < 3; ++a) {
      out += "        <groundspeak:attribute id=\"" + std::to_string(1 + rng.Below(60)) + "\" inc=\"" +
             std::to_string(rng.Below(2)) + "\">Attribute</groundspeak:attribute>\n";
    }
    out += "      </groundspeak:attributes>\n";
    auto rating = [&]() {
      int h = 2 + rng.Below(9);
      return h % 2 ? std::to_string(h / 2) + ".5" : std::to_string(h / 2);
    };
    out += "      <groundspeak:difficulty>" + rating() + "</groundspeak:difficulty>\n";
    out += "      <groundspeak:terrain>" + rating() + "</groundspeak:terrain>\n";
    std::size_t c = static_cast<std::size_t>(rng.Below(static_cast<int>(kCountries.size())));
    out += std::string("      <groundspeak:country>") + kCountries[c] + "</groundspeak:country>\n";
    out += std::string("      <groundspeak:state>") + kStates[c] + "</groundspeak:state>\n";
    out += "      <groundspeak:short_description html=\"True\">&lt;p&gt;" + Words(rng, 120) +
           "&lt;/p&gt;</groundspeak:short_description>\n";
    out += "      <groundspeak:long_description html=\"True\">&lt;p&gt;" +
           Words(rng, static_cast<std::size_t>(o.descriptionBytes)) + "&lt;/p&gt;</groundspeak:long_description>\n";
    out += "      <groundspeak:encoded_hints>" + Words(rng, 40) + "</groundspeak:encoded_hints>\n";
    out += "      <groundspeak:logs>\n";
    for (int l = 0; l < o.logsPerCache; ++l) {
      out += "        <groundspeak:log id=\"" + std::to_string(900000 + i * 10 + l) + "\">\n";
      out += "          <groundspeak:date>" + Date(rng) + "</groundspeak:date>\n";
      out += std::string("          <groundspeak:type>") +
             kLogTypes[static_cast<std::size_t>(rng.Below(static_cast<int>(kLogTypes.size())))] +
             "</groundspeak:type>\n";
      out += "          <groundspeak:finder id=\"" + std::to_string(rng.Below(100000)) + "\">" + Words(rng, 10) +
             "</groundspeak:finder>\n";
      out += "          <groundspeak:text encoded=\"False\">" +
             Words(rng, 300 + static_cast<std::size_t>(rng.Below(400))) + "</groundspeak:text>\n";
      out += "        </groundspeak:log>\n";
    }
    out += "      </groundspeak:logs>\n";
    out += "      <groundspeak:travelbugs />\n";
    out += "    </groundspeak:cache>\n";
    out += "  </wpt>\n";
    if (o.childEvery > 0 && i % o.childEvery == 0) {
      out += "  <wpt lat=\"" + Coord(lat + 0.001) + "\" lon=\"" + Coord(lon - 0.001) + "\">\n";
      out += "    <time>" + Date(rng) + "</time>\n";
      out += std::string("    <name>PK") + (code + 2) + "</name>\n";
      out += "    <cmt>Park here &lt;free&gt;</cmt>\n";
      out += std::string("    <desc>Parking Area</desc>\n    <url>https://coord.info/") + code + "</url>\n";
      out += "    <urlname>Parking Area</urlname>\n    <sym>Parking Area</sym>\n";
      out += "    <type>Waypoint|Parking Area</type>\n  </wpt>\n";
    }
  }
  out += "</gpx>\n";
  return out;
}

PocketQueryOptions HundredThousandWaypoints() {
  PocketQueryOptions o;
  o.caches = 80000;
  o.childEvery = 4;
  o.logsPerCache = 5;
  o.descriptionBytes = 400;
  return o;
}

const std::vector<FilterCase>& FilterCases() {
  static const std::vector<FilterCase> cases = {
      {kFilterName, "gc1"},        {kFilterDescription, "cache"}, {kFilterPlacedBy, "ann"},
      {kFilterTerrainMax, "2"},    {kFilterTerrainMin, "2"},      {kFilterDifficultyMax, "2"},
      {kFilterDifficultyMin, "3"}, {kFilterCountry, "germ"},      {kFilterDistanceMax, "50"},
      {kFilterType, "6"},          {kFilterContainer, "small"},   {kFilterReal, "yes"},
      {kFilterFound, "yes"},       {kFilterArchived, "yes"},      {kFilterLogs, "+"},
  };
  return cases;
}

bool WritePocketQuery(const std::string& path, const PocketQueryOptions& options) {
  std::string text = PocketQueryText(options);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(text.data(), static_cast<std::streamsize>(text.size()));
  f.close();
  return static_cast<bool>(f);
}

std::string ListFileArgument(int argc, char** argv, std::string& tempDir) {
  if (argc > 1) return argv[1];
  tempDir = TempFolder();
  std::string path = tempDir + "/list100k.gpx";
  WritePocketQuery(path, HundredThousandWaypoints());
  return path;
}

}  // namespace quill::bench
