// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/formats/FormatTestSupport.h"
#include "formats/GpxReader.h"
#include "gps/ReceiverDrive.h"

namespace quill {
namespace {

// A receiver's description as the device carries it, with its GPX files
// where the owner's model keeps them (not the usual folder).
constexpr const char* kDescription = R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>
<Device xmlns="http://www.garmin.com/xmlschemas/GarminDevice/v2">
  <Model>
    <PartNumber>006-B1095-00</PartNumber>
    <Description>eTrex &amp; Co 30</Description>
  </Model>
  <DisplayName>My eTrex</DisplayName>
  <MassStorageMode>
    <DataType>
      <Name>GPSData</Name>
      <File>
        <Location><Path>Garmin/Profiles</Path><FileExtension>FIT</FileExtension></Location>
        <TransferDirection>InputToUnit</TransferDirection>
      </File>
      <File>
        <Location><Path>Garmin/GPX/Current</Path><FileExtension>GPX</FileExtension></Location>
        <TransferDirection>OutputFromUnit</TransferDirection>
      </File>
      <File>
        <Location><Path>\Garmin\Caches\</Path><FileExtension>GPX</FileExtension></Location>
        <TransferDirection>InputOutput</TransferDirection>
      </File>
    </DataType>
  </MassStorageMode>
</Device>
)";

std::string MakeReceiver(const test::TempDir& dir, const std::string& description) {
  const std::string root = dir.File("GARMIN");
  std::filesystem::create_directories(root + "/Garmin");
  test::WriteFileBytes(root + "/Garmin/GarminDevice.xml", description);
  return root;
}

TEST(ReceiverDrive, DescriptionTable) {
  const struct {
    const char* what;
    std::string xml;
    const char* model;
    const char* folder;
  } cases[] = {
      {"GPSData type, writable GPX entry", kDescription, "eTrex & Co 30", "Garmin/Caches"},
      {"nothing said", "<Device/>", "Garmin device", "Garmin/GPX"},
      {"display name only, GPX of another type",
       "<Device><DisplayName>Oregon</DisplayName><DataType><Name>Courses</Name><File><Location><Path>X/Y</Path>"
       "<FileExtension>gpx</FileExtension></Location></File></DataType></Device>",
       "Oregon", "X/Y"},
      {"path leading out of the device",
       "<Device><DataType><Name>GPSData</Name><File><Location><Path>../../etc</Path><FileExtension>GPX"
       "</FileExtension></Location></File></DataType></Device>",
       "Garmin device", "Garmin/GPX"},
      {"path from the device's root",
       "<Device><DataType><Name>GPSData</Name><File><Location><Path>/tmp</Path><FileExtension>GPX"
       "</FileExtension></Location></File></DataType></Device>",
       "Garmin device", "tmp"},
      {"drive letter",
       "<Device><DataType><Name>GPSData</Name><File><Location><Path>C:\\GPX</Path><FileExtension>GPX"
       "</FileExtension></Location></File></DataType></Device>",
       "Garmin device", "Garmin/GPX"},
      {"cut off", std::string(kDescription).substr(0, 300), "eTrex & Co 30", "Garmin/GPX"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string model, folder, extension;
    ParseReceiverDescription(c.xml, model, folder, extension);
    EXPECT_EQ(model, c.model);
    EXPECT_EQ(folder, c.folder);
    EXPECT_EQ(extension, ".gpx");
  }
}

TEST(ReceiverDrive, FolderLaidOutLikeAReceiverIsFoundAndChosen) {
  test::TempDir dir;
  const std::string root = MakeReceiver(dir, kDescription);
  ReceiverDrive r;
  std::string error;
  ASSERT_TRUE(ReadReceiver(root + "/", r, error)) << error;
  EXPECT_EQ(r.root, root);
  EXPECT_EQ(r.model, "eTrex & Co 30");
  EXPECT_EQ(r.gpxFolder, root + "/Garmin/Caches");
  EXPECT_GT(r.freeBytes, 0u);

  EXPECT_FALSE(ReadReceiver(dir.path(), r, error));
  EXPECT_NE(error.find("is no GPS receiver"), std::string::npos) << error;

  ReceiverDrive a, b, chosen;
  a.model = "eTrex";
  a.root = "/media/a";
  b.model = "Oregon";
  b.root = "/media/b";
  EXPECT_FALSE(ChooseReceiver({}, {}, chosen, error));
  EXPECT_NE(error.find("no GPS receiver found"), std::string::npos);
  ASSERT_TRUE(ChooseReceiver({a}, {}, chosen, error));
  EXPECT_EQ(chosen.root, "/media/a");
  EXPECT_FALSE(ChooseReceiver({a, b}, {}, chosen, error));
  EXPECT_EQ(error, "several GPS receivers found: eTrex at /media/a, Oregon at /media/b");
  // A folder named is taken whatever was found.
  ASSERT_TRUE(ChooseReceiver({a, b}, root, chosen, error)) << error;
  EXPECT_EQ(chosen.root, root);
}

TEST(ReceiverDrive, FileNameTable) {
  ReceiverDrive r;
  r.gpxExtension = ".gpx";
  const std::pair<const char*, const char*> cases[] = {
      {"pq.zip", "pq.gpx"}, {"Week.GPX", "Week.gpx"},       {"trip", "trip.gpx"},
      {"a.b", "a.b.gpx"},   {" caches.loc ", "caches.gpx"}, {"", nullptr},
      {"../x", nullptr},    {"a/b.gpx", nullptr},           {"..", nullptr},
      {".gpx", nullptr},
  };
  for (const auto& [name, expected] : cases) {
    std::string fileName, error;
    const bool ok = ReceiverFileName(r, name, fileName, error);
    EXPECT_EQ(ok, expected != nullptr) << name;
    if (expected) {
      EXPECT_EQ(fileName, expected) << name;
    }
  }
}

class SendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = MakeReceiver(dir_, kDescription);
    std::string error;
    ASSERT_TRUE(ReadReceiver(root_, receiver_, error)) << error;
    list_.Add("GC1AAA", 52.1, 4.3).GroundspeakXml =
        "<groundspeak:cache id=\"1\" available=\"True\" archived=\"False\" "
        "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\"><groundspeak:name>One</groundspeak:name>"
        "</groundspeak:cache>";
    list_.Add("GC2BBB", 50.85, 4.35);
  }
  std::vector<std::string> Tree() const { return test::ListTree(root_); }

  test::TempDir dir_;
  std::string root_;
  ReceiverDrive receiver_;
  test::RecordList list_;
};

TEST_F(SendTest, WritesOneGpxIntoTheFolderTheDescriptionNames) {
  std::string written, error;
  ASSERT_TRUE(SendToReceiver(receiver_, "week.gpx", list_.Span(), {}, written, error)) << error;
  EXPECT_EQ(written, root_ + "/Garmin/Caches/week.gpx");
  EXPECT_EQ(Tree(),
            (std::vector<std::string>{"Garmin", "Garmin/Caches", "Garmin/Caches/week.gpx", "Garmin/GarminDevice.xml"}));
  const std::string bytes = test::ReadFileBytes(written);
  EXPECT_NE(bytes.find("<gpx xmlns=\"http://www.topografix.com/GPX/1/0\""), std::string::npos);
  EXPECT_NE(bytes.find("<groundspeak:name>One</groundspeak:name>"), std::string::npos);
  WaypointStore store;
  ReadOptions options;
  options.includeGroundspeak = true;
  ASSERT_TRUE(ReadGpxFile(written, store, options, nullptr));
  ASSERT_EQ(store.size(), 2u);
  EXPECT_EQ(store.AllWaypoints()[0]->Name, "GC1AAA");
  EXPECT_EQ(store.AllWaypoints()[0]->GroundspeakXml, list_[0].GroundspeakXml);
}

// Exactly the bytes of the file and the spare room fit; one byte less does not.
TEST_F(SendTest, RefusedWhenTheSpaceIsShort) {
  std::string written, error;
  test::TempDir scratch;
  ReceiverDrive elsewhere = receiver_;
  elsewhere.gpxFolder = scratch.path();
  ASSERT_TRUE(SendToReceiver(elsewhere, "probe.gpx", list_.Span(), {}, written, error)) << error;
  const std::uint64_t size = std::filesystem::file_size(written);

  ReceiverDrive tight = receiver_;
  tight.freeBytes = size + 64 * 1024 - 1;
  EXPECT_FALSE(SendToReceiver(tight, "week.gpx", list_.Span(), {}, written, error));
  EXPECT_NE(error.find("not enough space on eTrex & Co 30"), std::string::npos) << error;
  EXPECT_EQ(Tree(), (std::vector<std::string>{"Garmin", "Garmin/GarminDevice.xml"}));
  tight.freeBytes += 1;
  EXPECT_TRUE(SendToReceiver(tight, "week.gpx", list_.Span(), {}, written, error)) << error;

  ReceiverDrive locked = receiver_;
  locked.readOnly = true;
  EXPECT_FALSE(SendToReceiver(locked, "other.gpx", list_.Span(), {}, written, error));
  EXPECT_NE(error.find("is read-only"), std::string::npos);
}

// The receiver turns read-only, or a write fails part-way (the device
// gone): no file under the GPX name, an older one of that name unchanged.
TEST_F(SendTest, InterruptedWriteLeavesNothing) {
  std::filesystem::create_directories(receiver_.gpxFolder);
  const std::string older = receiver_.gpxFolder + "/week.gpx";
  test::WriteFileBytes(older, "older file");
  std::string bigDescription(200 * 1024, 'x');
  for (int i = 0; i < 50; ++i) list_.Add("GC" + std::to_string(100 + i), 52, 5).Desc = bigDescription;

  const int full = test::RunWithFileSizeLimit(64 * 1024, [&] {
    std::string written, error;
    return SendToReceiver(receiver_, "week.gpx", list_.Span(), {}, written, error) ||
           SendToReceiver(receiver_, "new.gpx", list_.Span(), {}, written, error);
  });
  EXPECT_EQ(full, 0);
  EXPECT_EQ(test::ReadFileBytes(older), "older file");
  EXPECT_EQ(test::ListTree(receiver_.gpxFolder), std::vector<std::string>{"week.gpx"});

  ::chmod(dir_.path().c_str(), 0755);
  ::chmod(root_.c_str(), 0755);
  ::chmod((root_ + "/Garmin").c_str(), 0755);
  ::chmod(receiver_.gpxFolder.c_str(), 0555);
  ::chmod(older.c_str(), 0444);
  const int readOnly = test::RunInChild(
      [&] {
        std::string written, error;
        const bool sent = SendToReceiver(receiver_, "week.gpx", list_.Span(), {}, written, error) ||
                          SendToReceiver(receiver_, "new.gpx", list_.Span(), {}, written, error);
        return sent ? 1 : 0;
      },
      true, 30);
  ::chmod(receiver_.gpxFolder.c_str(), 0755);
  if (readOnly == 125) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(readOnly, 0);
  EXPECT_EQ(test::ReadFileBytes(older), "older file");
  EXPECT_EQ(test::ListTree(receiver_.gpxFolder), std::vector<std::string>{"week.gpx"});
}

}  // namespace
}  // namespace quill
