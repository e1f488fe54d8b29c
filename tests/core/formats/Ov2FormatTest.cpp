// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>

#include "core/formats/FormatTestSupport.h"
#include "formats/Ov2Format.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RecordingStatus;
using test::RecordList;
using test::TempDir;
using test::WriteFileBytes;

std::string Le32(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  return s;
}

std::string Poi(std::int32_t lon, std::int32_t lat, const std::string& name, char type = 2) {
  return std::string(1, type) + Le32(static_cast<std::int32_t>(name.size() + 14)) + Le32(lon) + Le32(lat) + name +
         std::string(1, '\0');
}

std::string Box(std::int32_t size, std::int32_t e, std::int32_t n, std::int32_t w, std::int32_t s) {
  return std::string(1, '\x01') + Le32(size) + Le32(e) + Le32(n) + Le32(w) + Le32(s);
}

struct Ov2Read {
  bool ok = false;
  WaypointStore store;
  RecordingStatus status;
  ReadResult result;
};

void ReadBytes(const std::string& bytes, Ov2Read& out) {
  TempDir dir;
  WriteFileBytes(dir.File("t.ov2"), bytes);
  ReadOptions options;
  options.status = &out.status;
  out.ok = ReadOv2File(dir.File("t.ov2"), out.store, options, &out.result);
}

TEST(Ov2Units, RoundsHalfUpOnBothSidesOfZero) {
  EXPECT_EQ(Ov2Units(4.3), 430000);
  EXPECT_EQ(Ov2Units(-4.3), -430000);
  EXPECT_EQ(Ov2Units(0.000017), 2);
  EXPECT_EQ(Ov2Units(-0.000017), -2);  // -1.7 units: the nearest unit, not toward zero
  EXPECT_EQ(Ov2Units(-0.000012), -1);
  EXPECT_EQ(Ov2Units(-0.000015), -1);  // half up
  EXPECT_EQ(Ov2Units(0.000015), 2);
  EXPECT_EQ(Ov2Units(200.0), 20000000);
  EXPECT_EQ(Ov2Units(-200.0), -20000000);
  EXPECT_EQ(Ov2Units(1e300), INT32_MAX);
  EXPECT_EQ(Ov2Units(-1e300), INT32_MIN);
  EXPECT_EQ(Ov2Units(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Ov2Writer, EmptyListIsOneBoxOf21Bytes) {
  TempDir dir;
  RecordList list;
  ASSERT_TRUE(WriteOv2File(dir.File("e.ov2"), list.Span(), {}));
  EXPECT_EQ(ReadFileBytes(dir.File("e.ov2")), Box(21, -20000000, -20000000, 20000000, 20000000));
}

TEST(Ov2Writer, OneWaypointByteForByte) {
  TempDir dir;
  RecordList list;
  list.Add("ABC", 52.1, 4.3);
  ASSERT_TRUE(WriteOv2File(dir.File("a.ov2"), list.Span(), {}));
  std::string expected = Box(38, 430000, 5210000, 430000, 5210000) + Poi(430000, 5210000, "ABC");
  ASSERT_EQ(expected.size(), 38u);
  EXPECT_EQ(ReadFileBytes(dir.File("a.ov2")), expected);
}

TEST(Ov2Writer, NegativeCoordinatesAndBoundsRoundToTheNearestUnit) {
  TempDir dir;
  RecordList list;
  list.Add("W", -33.8688197, -4.3000017);
  list.Add("", 10.0, 151.2092955);
  list.Add("\xE9t\xE9", -0.000004, -0.000006);  // 8-bit text as held
  ASSERT_TRUE(WriteOv2File(dir.File("n.ov2"), list.Span(), {}));
  std::string expected = Box(21 + 15 + 14 + 17, 15120930, 1000000, -430000, -3386882) + Poi(-430000, -3386882, "W") +
                         Poi(15120930, 1000000, "") + Poi(-1, 0, "\xE9t\xE9");
  EXPECT_EQ(ReadFileBytes(dir.File("n.ov2")), expected);
}

TEST(Ov2Reader, ReadsBackWhatWasWritten) {
  TempDir dir;
  RecordList list;
  list.Add("ABC", 52.1, 4.3);
  list.Add("South West", -33.86882, -70.12345);
  list.Add("", 0, 0);
  ASSERT_TRUE(WriteOv2File(dir.File("r.ov2"), list.Span(), {}));
  WaypointStore store;
  ASSERT_TRUE(ReadOv2File(dir.File("r.ov2"), store, {}, nullptr));
  ASSERT_EQ(store.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const TGpxRecord& r = *store.AllWaypoints()[i];
    EXPECT_EQ(r.Name, list[i].Name);
    EXPECT_NEAR(r.Lat, list[i].Lat, 1e-9);
    EXPECT_NEAR(r.Lon, list[i].Lon, 1e-9);
    EXPECT_EQ(r.TypeCode, 0);
  }
}

TEST(Ov2Reader, DeletedRecordsAreSkipped) {
  Ov2Read r;
  ReadBytes(Poi(1, 2, "A") + std::string(1, '\0') + Le32(9) + "xxxx" + Poi(3, 4, "B"), r);
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(r.store.size(), 2u);
  EXPECT_EQ(r.store.AllWaypoints()[1]->Name, "B");
  EXPECT_DOUBLE_EQ(r.store.AllWaypoints()[1]->Lat, 4 * 0.00001);
}

TEST(Ov2Reader, NameRunsToTheFirstZeroAndLongNamesAreWhole) {
  std::string longName(5000, 'n');
  std::string rec = std::string(1, '\x02') + Le32(13 + 6) + Le32(0) + Le32(0) + std::string("ab\0cd\0", 6);
  Ov2Read r;
  ReadBytes(rec + Poi(7, 8, longName), r);
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(r.store.size(), 2u);
  EXPECT_EQ(r.store.AllWaypoints()[0]->Name, "ab");
  EXPECT_EQ(r.store.AllWaypoints()[1]->Name, longName);
}

TEST(Ov2Reader, ExtendedPoiIsReadLikeASimpleOne) {
  // Type 3: position, name to its first zero, then more text the size covers.
  std::string body = std::string("Cafe\0+31 20 1234567\0", 20);
  std::string ext =
      std::string(1, '\x03') + Le32(static_cast<std::int32_t>(13 + body.size())) + Le32(490000) + Le32(5237000) + body;
  Ov2Read r;
  ReadBytes(ext + Poi(1, 1, "after"), r);
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(r.store.size(), 2u);
  EXPECT_EQ(r.store.AllWaypoints()[0]->Name, "Cafe");
  EXPECT_NEAR(r.store.AllWaypoints()[0]->Lat, 52.37, 1e-9);
  EXPECT_EQ(r.store.AllWaypoints()[1]->Name, "after");
  ASSERT_FALSE(r.status.flashed.empty());
  EXPECT_EQ(r.status.flashed[0], (std::pair<int, std::string>{2, "POI type 3"}));
}

struct DamageCase {
  const char* what;
  std::string bytes;
  std::size_t kept;
  bool ok;
  const char* flash;  // nothing flashed when empty
  const char* error;
};

// Invalid records fail the file; a file cut off inside a record keeps every
// record before the cut and says where it was cut. Either way the reason
// names the byte where the record began.
TEST(Ov2Reader, DamagedFilesKeepWhatWasReadAndSayWhere) {
  const std::string good = Poi(1, 1, "first");  // 19 bytes
  const DamageCase cases[] = {
      {"unknown type", good + "\x07" + std::string(30, 'x'), 1, false, "Invalid OV2 (07)",
       "byte 19: unknown record type 07"},
      {"first byte unknown", std::string("\xFF"), 0, false, "Invalid OV2 (FF)", "byte 0: unknown record type FF"},
      {"deleted size below 5", good + std::string(1, '\0') + Le32(4), 1, false, "Invalid OV2 (00)",
       "byte 19: record size 4 too small"},
      {"negative size", good + std::string(1, '\0') + Le32(-100), 1, false, "Invalid OV2 (00)",
       "byte 19: record size -100 too small"},
      {"poi size below 14", good + "\x02" + Le32(13) + Le32(0) + Le32(0), 1, false, "Invalid OV2 (02)",
       "byte 19: record size 13 too small"},
      {"extended too small", good + "\x03" + Le32(5), 1, false, "Invalid OV2 (03)", "byte 19: record size 5 too small"},
      {"poi past the end", good + "\x02" + Le32(1000) + Le32(0) + Le32(0) + "abc", 1, true, "",
       "byte 19: file cut off inside a record"},
      {"huge poi size", good + "\x02" + Le32(INT32_MAX) + Le32(0) + Le32(0) + "abc", 1, true, "",
       "byte 19: file cut off inside a record"},
      {"deleted past the end", good + std::string(1, '\0') + Le32(100) + "x", 1, true, "",
       "byte 19: file cut off inside a record"},
      {"size cut off", good + "\x02\x10\x00", 1, true, "", "byte 19: file cut off inside a record"},
      {"box cut off", good + good + Box(21, 0, 0, 0, 0).substr(0, 9), 2, true, "",
       "byte 38: file cut off inside a record"},
  };
  for (const DamageCase& c : cases) {
    Ov2Read r;
    ReadBytes(c.bytes, r);
    EXPECT_EQ(r.ok, c.ok) << c.what;
    EXPECT_EQ(r.store.size(), c.kept) << c.what;
    EXPECT_EQ(r.result.error, c.error) << c.what;
    if (*c.flash) {
      ASSERT_FALSE(r.status.flashed.empty()) << c.what;
      EXPECT_EQ(r.status.flashed.back(), (std::pair<int, std::string>{2, c.flash})) << c.what;
    } else {
      EXPECT_TRUE(r.status.flashed.empty()) << c.what;
    }
  }
}

// Every cut of a valid file keeps exactly the records that are whole.
TEST(Ov2Reader, EveryCutKeepsTheWholeRecords) {
  // A box of 21 bytes, then three records of 19.
  const std::string file = Box(21 + 3 * 19, 3, 3, 1, 1) + Poi(1, 1, "first") + Poi(2, 2, "secnd") + Poi(3, 3, "third");
  for (std::size_t n = 0; n <= file.size(); ++n) {
    Ov2Read r;
    ReadBytes(file.substr(0, n), r);
    EXPECT_TRUE(r.ok) << n;
    std::size_t whole = n < 21 ? 0 : (n - 21) / 19;
    EXPECT_EQ(r.store.size(), whole) << n;
    bool onBoundary = n == 0 || (n >= 21 && (n - 21) % 19 == 0);
    EXPECT_EQ(r.result.error.empty(), onBoundary) << n;
  }
}

TEST(Ov2Reader, EmptyFileReadsAsNothing) {
  Ov2Read a;
  ReadBytes("", a);
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.store.size(), 0u);
  EXPECT_EQ(a.result.error, "");
}

TEST(Ov2Reader, MissingFileFails) {
  TempDir dir;
  WaypointStore store;
  EXPECT_FALSE(ReadOv2File(dir.File("no.ov2"), store, {}, nullptr));
}

TEST(Ov2Reader, CorpusFilesLoad) {
  QUILL_SKIP_WITHOUT_CORPUS();
  auto files = test::CorpusFiles(".ov2");
  ASSERT_FALSE(files.empty());
  for (const std::string& f : files) {
    WaypointStore store;
    RecordingStatus status;
    ReadOptions options;
    options.status = &status;
    EXPECT_TRUE(ReadOv2File(f, store, options, nullptr)) << f;
    EXPECT_GT(store.size(), 0u) << f;
    EXPECT_TRUE(status.flashed.empty()) << f;
  }
  WaypointStore store;
  ASSERT_TRUE(ReadOv2File(test::CorpusPath("gpsbabel-made/geocaching.ov2"), store, {}, nullptr));
  ASSERT_EQ(store.size(), 9u);
  EXPECT_EQ(store.AllWaypoints()[0]->Name, "Mountain Bike Heaven by susy1313");
  EXPECT_NEAR(store.AllWaypoints()[0]->Lon, -87.1347, 2e-5);
  EXPECT_NEAR(store.AllWaypoints()[0]->Lat, 35.97203, 2e-5);
}

TEST(Ov2Reader, ReportsProgressUpToTheFileSize) {
  TempDir dir;
  RecordList list;
  for (int i = 0; i < 20000; ++i) list.Add("POI number " + std::to_string(i), i * 0.001, -i * 0.001);
  ASSERT_TRUE(WriteOv2File(dir.File("p.ov2"), list.Span(), {}));
  std::uint64_t last = 0, total = 0;
  int calls = 0;
  ReadOptions options;
  options.progress = [&](std::uint64_t done, std::uint64_t size) {
    EXPECT_GE(done, last);
    last = done;
    total = size;
    ++calls;
  };
  WaypointStore store;
  ASSERT_TRUE(ReadOv2File(dir.File("p.ov2"), store, options, nullptr));
  EXPECT_EQ(store.size(), 20000u);
  EXPECT_GT(calls, 1);
  EXPECT_EQ(last, total);
  EXPECT_EQ(total, ReadFileBytes(dir.File("p.ov2")).size());
}

TEST(Ov2Writer, FailedSaveLeavesTheOldFile) {
  TempDir dir;
  std::string path = dir.File("old.ov2");
  WriteFileBytes(path, "old");
  RecordList list;
  for (int i = 0; i < 5000; ++i) list.Add("POI " + std::to_string(i), 1, 1);
  EXPECT_EQ(test::RunWithFileSizeLimit(4096, [&] { return WriteOv2File(path, list.Span(), {}); }), 0);
  EXPECT_EQ(ReadFileBytes(path), "old");
}

}  // namespace
}  // namespace quill
