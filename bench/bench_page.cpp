// SPDX-License-Identifier: GPL-3.0-or-later
// The offline cache page of one cache with 10,000 logs: build time against
// the same cache with 1,000 logs (linear growth gives a ratio near 10), and
// against walking the logs by number, as a lookup of the n-th element would.
// Then hostile records against a plain one of the same size: every field
// holding every marker (each value was once searched again for the markers
// after it), and descriptions shaped to make an HTML parser work hard.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "base/ProgramFolders.h"
#include "text/XmlText.h"
#include "web/CachePage.h"

using namespace quill;

namespace {

TGpxRecord CacheWithLogs(int logs) {
  TGpxRecord r;
  r.Name = "GC1BENCH";
  r.Lat = 51.5;
  r.Lon = 4.25;
  r.Time = "2010-09-24T00:00:00Z";
  std::string xml =
      "<groundspeak:cache id=\"1\" available=\"True\" archived=\"False\"><groundspeak:name>Bench</groundspeak:name>"
      "<groundspeak:type>Traditional Cache</groundspeak:type><groundspeak:difficulty>2.5</groundspeak:difficulty>"
      "<groundspeak:long_description html=\"True\">" +
      std::string(4000, 'd') + "</groundspeak:long_description><groundspeak:logs>";
  static const char* kTypes[] = {"Found it", "Didn't find it", "Write note", "Needs Maintenance"};
  for (int i = 0; i < logs; ++i) {
    xml += "<groundspeak:log id=\"" + std::to_string(i) +
           "\"><groundspeak:date>2011-02-03T00:00:00Z</groundspeak:date>"
           "<groundspeak:type>" +
           std::string(kTypes[i % 4]) + "</groundspeak:type><groundspeak:finder id=\"9\">Finder " + std::to_string(i) +
           "</groundspeak:finder><groundspeak:text encoded=\"False\">" + std::string(300, 'x') +
           "\nThanks for the cache!</groundspeak:text></groundspeak:log>";
  }
  r.GroundspeakXml = xml + "</groundspeak:logs></groundspeak:cache>";
  return r;
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string Field(const char* tag, const std::string& text) {
  return std::string("<groundspeak:") + tag + ">" + text + "</groundspeak:" + tag + ">";
}

// Every text field holds text, escaped as the file has it.
TGpxRecord CacheWithFields(const std::string& text, int logs) {
  TGpxRecord r;
  r.Name = text;
  r.Time = text;
  std::string xml = "<groundspeak:cache id=\"1\">";
  for (const char* tag : {"name", "placed_by", "container", "country", "state", "short_description", "long_description",
                          "encoded_hints"}) {
    xml += Field(tag, EscapeXmlText(text));
  }
  xml += "<groundspeak:logs>";
  for (int i = 0; i < logs; ++i) {
    xml += "<groundspeak:log>" + Field("finder", EscapeXmlText(text)) + Field("text", EscapeXmlText(text)) +
           "</groundspeak:log>";
  }
  r.GroundspeakXml = xml + "</groundspeak:logs></groundspeak:cache>";
  return r;
}

double BestSeconds(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

}  // namespace

int main() {
  std::string templ;
  if (!ReadCachePageTemplate(CachePageTemplatePath(DataFolder()), templ)) {
    std::fprintf(stderr, "no template in %s\n", DataFolder().c_str());
    return 1;
  }
  const TGpxRecord small = CacheWithLogs(1000);
  const TGpxRecord large = CacheWithLogs(10000);
  std::size_t size = 0;
  double tSmall = BestSeconds(5, [&] { size = BuildCachePage(templ, small).size(); });
  double tLarge = BestSeconds(5, [&] { size = BuildCachePage(templ, large).size(); });
  std::printf("cache page, 1,000 logs:  %.4f s\n", tSmall);
  std::printf("cache page, 10,000 logs: %.4f s (page %.1f MiB, Groundspeak data %.1f MiB)\n", tLarge,
              static_cast<double>(size) / 1048576.0, static_cast<double>(large.GroundspeakXml.size()) / 1048576.0);
  std::printf("growth 10,000/1,000 logs: %.1fx (10x is linear)\n", tLarge / tSmall);

  // The logs looked up by number instead of walked: each lookup starts over.
  const std::string_view logs = FirstElementText(large.GroundspeakXml, "groundspeak:logs");
  double tByNumber = BestSeconds(1, [&] {
    std::size_t total = 0;
    for (int n = 0; n < 10000; ++n) total += ElementText(logs, "groundspeak:log", n).size();
    size = total;
  });
  std::printf("10,000 logs found by number (lookups only): %.3f s, %.0fx the whole page\n", tByNumber,
              tByNumber / tLarge);

  std::string markers;
  for (std::string_view m : CachePageMarkers()) markers += std::string(m);
  const std::string bombText = Repeat(markers, 20);
  struct Hostile {
    const char* what;
    std::string text;
  } hostile[] = {
      {"every marker in every field", bombText},
      {"formatting elements rebuilt in every paragraph",
       "<p>" + Repeat("<b a=1><b a=2><b a=3><b a=4><b a=5><b a=6><b a=7>", 12) + Repeat("</p><p>x", 100)},
      {"elements nested 2,000 deep", Repeat("<div>", 2000)},
  };
  for (const Hostile& h : hostile) {
    const TGpxRecord bad = CacheWithFields(h.text, 20);
    const TGpxRecord plain = CacheWithFields(std::string(h.text.size(), 'p'), 20);
    std::size_t badSize = 0;
    const double tBad = BestSeconds(3, [&] { badSize = BuildCachePage(templ, bad).size(); });
    const double tPlain = BestSeconds(3, [&] { size = BuildCachePage(templ, plain).size(); });
    const std::size_t record = bad.Name.size() + bad.Time.size() + bad.GroundspeakXml.size();
    std::printf(
        "%s: %.4f s, %.1fx a plain record of the same size (%.4f s); record %.1f KiB, page %.1f KiB "
        "(template %.1f KiB)\n",
        h.what, tBad, tBad / tPlain, tPlain, static_cast<double>(record) / 1024.0,
        static_cast<double>(badSize) / 1024.0, static_cast<double>(templ.size()) / 1024.0);
  }
  return 0;
}
