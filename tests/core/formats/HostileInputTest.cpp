// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader under input nobody should write: cut-off files, one huge line,
// binary noise. A clean failure or a partial load, never a crash.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/formats/FormatTestSupport.h"
#include "formats/FormatTable.h"

namespace quill {
namespace {

using test::RecordList;
using test::TempDir;
using test::WriteFileBytes;

struct ReaderCase {
  const char* ext;
  // A small valid file of this format with three waypoints.
  std::string (*valid)();
};

std::string WriteThree(int code) {
  RecordList list;
  list.Add("GC1AAA", 52.1, 4.3).Desc = "one";
  list.Add("GC2BBB", -33.5, -70.25).Desc = "two";
  list.Add("GC3CCC", 10.5, 100.75).Desc = "three";
  TempDir dir;
  std::string path = dir.File("v");
  WriteOptions options;
  if (!FormatForCode(code)->writer(path, list.Span(), options)) return {};
  return test::ReadFileBytes(path);
}

class HostileInput : public ::testing::TestWithParam<ReaderCase> {
 protected:
  bool Read(const std::string& bytes, WaypointStore& store) {
    std::string path = dir.File(std::string("h") + GetParam().ext);
    WriteFileBytes(path, bytes);
    ReaderFn reader = ReaderForPath(path);
    EXPECT_NE(reader, nullptr);
    status = {};
    result = {};
    ReadOptions options;
    options.status = &status;
    bool ok = reader(path, store, options, &result);
    // The binary format can find a file invalid, the markup formats a
    // waypoint cut off at the end; either says why and where. The line
    // formats take what they can use. Any format refuses a file that gave
    // nothing and has none of its shape, and says so.
    const std::string ext = GetParam().ext;
    if (!ok) {
      if (result.error.rfind("not a ", 0) == 0) {
        EXPECT_EQ(store.size(), 0u) << result.error;
        EXPECT_NE(result.error.find(" file ("), std::string::npos) << result.error;
      } else if (ext == ".ov2") {
        EXPECT_EQ(status.LastFlash().rfind("Invalid OV2 (", 0), 0u) << status.LastFlash();
        EXPECT_EQ(result.error.rfind("byte ", 0), 0u) << result.error;
      } else {
        EXPECT_TRUE(ext == ".gpx" || ext == ".loc") << "a line reader failed on content";
        EXPECT_EQ(result.error.rfind("line ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(": unterminated <"), std::string::npos) << result.error;
      }
    }
    return ok;
  }
  TempDir dir;
  test::RecordingStatus status;
  ReadResult result;
};

TEST_P(HostileInput, ValidFileLoadsWhole) {
  WaypointStore store;
  EXPECT_TRUE(Read(GetParam().valid(), store));
  EXPECT_EQ(store.size(), 3u);
}

TEST_P(HostileInput, EveryCutOffPrefixLoadsPartOrFailsCleanly) {
  const std::string valid = GetParam().valid();
  ASSERT_FALSE(valid.empty());
  std::size_t previous = 0;
  for (std::size_t n = 0; n <= valid.size(); ++n) {
    WaypointStore store;
    Read(valid.substr(0, n), store);
    // A longer prefix never yields fewer waypoints, and never more than three.
    EXPECT_LE(store.size(), 3u) << n;
    EXPECT_GE(store.size() + 1, previous) << n;  // the last one may be cut off
    previous = store.size();
  }
}

TEST_P(HostileInput, FiftyMegabyteLineWithoutEnd) {
  std::string line;
  line.reserve(50u << 20);
  line = GetParam().valid().substr(0, 12);
  line.append((50u << 20) - line.size(), 'x');
  WaypointStore store;
  Read(line, store);
  EXPECT_LE(store.size(), 1u);
  // The same with a valid file after it.
  line += "\n";
  line += GetParam().valid();
  WaypointStore after;
  Read(line, after);
  EXPECT_LE(after.size(), 3u);
}

TEST_P(HostileInput, BinaryNoise) {
  const std::string ext = GetParam().ext;
  // OV2 refuses noise; markup finds no element in it (and refuses noise
  // alone); the line formats find none in noise alone, and in noise around a valid file every line after
  // the first (which shares its line with noise); TXT reads any line.
  const bool binary = ext == ".ov2";
  const bool markup = ext == ".gpx" || ext == ".loc";
  const bool anyLine = ext == ".txt";
  std::mt19937 rng(12345);
  for (int round = 0; round < 20; ++round) {
    std::string noise(static_cast<std::size_t>(rng() % 200000), '\0');
    for (char& c : noise) c = static_cast<char>(rng() & 0xFF);
    const bool withValid = round % 2 != 0;
    if (withValid) noise.insert(noise.size() / 2, GetParam().valid());
    WaypointStore store;
    bool ok = Read(noise, store);
    // Noise is never a sound OV2 file: it fails, or is cut off.
    if (binary) {
      EXPECT_FALSE(ok && result.error.empty()) << round;
    } else if (withValid) {
      EXPECT_TRUE(ok) << round << ": " << result.error;
    }
    std::set<std::string> names;
    for (const auto& r : store.AllWaypoints()) names.insert(r->Name);
    if (binary) {
      EXPECT_TRUE(names.empty()) << round;
    } else if (!withValid) {
      if (!anyLine) {
        EXPECT_TRUE(names.empty()) << round;
      }
    } else if (markup) {
      EXPECT_EQ(names, (std::set<std::string>{"GC1AAA", "GC2BBB", "GC3CCC"})) << round;
    } else {
      EXPECT_TRUE(names.count("GC2BBB") && names.count("GC3CCC")) << round;
      if (!anyLine) {
        EXPECT_LE(names.size(), 3u) << round;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, HostileInput,
                         ::testing::Values(ReaderCase{".gpx", [] { return WriteThree(kFormatGpx); }},
                                           ReaderCase{".loc", [] { return WriteThree(kFormatLoc); }},
                                           ReaderCase{".ov2", [] { return WriteThree(kFormatOv2); }},
                                           ReaderCase{".txt", [] { return WriteThree(kFormatTxt); }},
                                           ReaderCase{".csv", [] { return WriteThree(kFormatGarmin); }},
                                           ReaderCase{".asc", [] { return WriteThree(kFormatNavio); }}),
                         [](const auto& p) { return std::string(p.param.ext + 1); });

}  // namespace
}  // namespace quill
