// SPDX-License-Identifier: GPL-3.0-or-later
// Every GPX file of ours under tests/data and of the corpus of real files (when
// there is one): loads, and load -> save -> load keeps every waypoint with its
// texts and its Groundspeak element.
#include <gtest/gtest.h>

#include "formats/GpxReader.h"
#include "formats/GpxWriter.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::TempDir;

// What a save and a load may change: line-end style, and the control characters
// a GPX text cannot hold (written as ".").
std::string Normalised(std::string s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') continue;
    out.push_back(c == '\t' ? '.' : c);
  }
  return out;
}

std::string WithoutCr(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '\r') out.push_back(c);
  return out;
}

std::size_t CompleteWaypointElements(const std::string& path) {
  std::size_t n = 0;
  GpxScanner scanner([&](std::string_view) { ++n; });
  scanner.Feed(WithoutCr(ReadFileBytes(path)));
  return n;
}

class GpxCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(GpxCorpus, LoadSaveLoadKeepsEveryWaypoint) {
  const std::string source = GetParam();
  ReadOptions options;
  options.includeGroundspeak = true;
  WaypointStore first;
  ReadResult result;
  // A file cut off inside a waypoint fails, saying so, and keeps the others.
  bool ok = ReadGpxFile(source, first, options, &result);
  EXPECT_EQ(ok, result.error.empty()) << result.error;
  EXPECT_EQ(first.size(), CompleteWaypointElements(source));

  // Each kept Groundspeak element is the file's own text (line ends aside).
  const std::string original = WithoutCr(ReadFileBytes(source));
  for (auto& r : first.AllWaypoints()) {
    if (!r->GroundspeakXml.empty()) {
      EXPECT_NE(original.find(r->GroundspeakXml), std::string::npos) << r->Name;
    }
  }

  TempDir dir;
  const std::string saved = dir.File("saved.gpx");
  std::vector<const TGpxRecord*> records;
  for (auto* r : first.ShownWaypoints()) records.push_back(r);
  ASSERT_TRUE(WriteGpxFile(saved, RecordSpan(records.data(), records.size()), WriteOptions{}));

  std::string lint;
  if (test::HaveTool("xmllint")) {
    EXPECT_EQ(test::RunCommand("xmllint --noout " + test::ShellQuote(saved), &lint), 0) << lint;
  } else {
    test::NoteMissingTool("xmllint");
  }

  WaypointStore second;
  ASSERT_TRUE(ReadGpxFile(saved, second, options, nullptr));
  ASSERT_EQ(second.size(), first.size());
  const std::string savedText = WithoutCr(ReadFileBytes(saved));
  for (std::size_t i = 0; i < first.size(); ++i) {
    const TGpxRecord& a = *first.AllWaypoints()[i];
    const TGpxRecord& b = *second.AllWaypoints()[i];
    SCOPED_TRACE(a.Name);
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_NEAR(b.Lat, a.Lat, 5e-10);
    EXPECT_NEAR(b.Lon, a.Lon, 5e-10);
    EXPECT_EQ(Normalised(b.Cmt), Normalised(a.Cmt));
    EXPECT_EQ(Normalised(b.Desc), Normalised(a.Desc));
    if (!a.Url.empty() && !a.UrlName.empty()) {
      EXPECT_EQ(b.Url, a.Url);
      EXPECT_EQ(Normalised(b.UrlName), Normalised(a.UrlName));
    }
    EXPECT_EQ(b.Sym, a.Sym.empty() ? std::string(DefaultSymbol(a.TypeCode, a.Found)) : a.Sym);
    EXPECT_EQ(b.Time, a.Time);
    EXPECT_EQ(b.TypeCode, a.TypeCode);
    EXPECT_EQ(b.Found, a.Found);
    EXPECT_EQ(b.GroundspeakXml, a.GroundspeakXml);
    if (!a.GroundspeakXml.empty()) {
      EXPECT_NE(savedText.find(a.GroundspeakXml), std::string::npos);
    }
  }
}

std::vector<std::string> GpxFiles() {
  std::vector<std::string> files;
  for (const char* own : {"gpx10-plain.gpx", "gpx10-pocket-query.gpx", "gpx11-plain.gpx", "gpx11-caches.gpx"})
    files.push_back(test::DataPath(own));
  for (std::string& f : test::CorpusFiles(".gpx")) files.push_back(std::move(f));
  return files;
}

INSTANTIATE_TEST_SUITE_P(Files, GpxCorpus, ::testing::ValuesIn(GpxFiles()),
                         [](const ::testing::TestParamInfo<std::string>& p) {
                           std::string name = p.param.substr(p.param.find_last_of('/') + 1);
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name + "_" + std::to_string(p.index);
                         });

TEST(GpxCorpusFacts, KnownFilesGiveKnownCounts) {
  QUILL_SKIP_WITHOUT_CORPUS();
  ReadOptions options;
  options.includeGroundspeak = true;
  struct Known {
    const char* file;
    std::size_t waypoints;
    const char* error;  // a cut-off file fails and says where
  } known[] = {{"gpsbabel/empty.gpx", 0, ""},
               {"cgeo/gc31j2h_err.gpx", 0, "line 10: unterminated <wpt>"},
               {"cgeo/lab_stary_prostejov.gpx", 5, ""}};
  for (const Known& k : known) {
    WaypointStore store;
    ReadResult result;
    EXPECT_EQ(ReadGpxFile(test::CorpusPath(k.file), store, options, &result), *k.error == '\0') << k.file;
    EXPECT_EQ(result.error, k.error) << k.file;
    EXPECT_EQ(store.size(), k.waypoints) << k.file;
  }
  // Czech text stays whole in memory.
  WaypointStore store;
  ASSERT_TRUE(ReadGpxFile(test::CorpusPath("cgeo/lab_stary_prostejov.gpx"), store, options, nullptr));
  bool sawCzech = false;
  for (auto& r : store.AllWaypoints()) {
    if (r->Desc.find("\xC4\x9B") != std::string::npos || r->UrlName.find("\xC4\x9B") != std::string::npos ||
        r->Cmt.find("\xC5\x99") != std::string::npos || r->Desc.find("\xC5\x99") != std::string::npos)
      sawCzech = true;
  }
  EXPECT_TRUE(sawCzech);
}

}  // namespace
}  // namespace quill
