// SPDX-License-Identifier: GPL-3.0-or-later
// Pocket-query archives on the command line (convert and list read them by
// name, by content and from a pipe; hostile ones write nothing), and send:
// one GPX file into the folder the receiver's description names.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/formats/FormatTestSupport.h"
#include "formats/GpxReader.h"
#include "gps/ReceiverDrive.h"
#include "support/ZipBuilder.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RunCommand;
using test::ShellQuote;
using test::WriteFileBytes;

std::string Gpx(const std::vector<std::string>& names, const std::string& extra = {}) {
  std::string text = "<?xml version=\"1.0\"?>\n<gpx version=\"1.0\" creator=\"t\">\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text +=
        "<wpt lat=\"52." + std::to_string(i + 1) + "\" lon=\"5.5\"><name>" + names[i] + "</name>" + extra + "</wpt>\n";
  }
  return text + "</gpx>\n";
}

const std::string kCache =
    "<groundspeak:cache id=\"7\" available=\"True\" archived=\"False\" "
    "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\"><groundspeak:name>Mill</groundspeak:name>"
    "<groundspeak:encoded_hints>Under the stone</groundspeak:encoded_hints></groundspeak:cache>";

int Cli(const std::string& args, std::string* output) {
  return RunCommand(ShellQuote(QUILL_CLI_PATH) + " " + args + " 2>&1", output);
}

std::vector<std::string> NamesIn(const std::string& gpxPath) {
  WaypointStore store;
  ReadOptions options;
  EXPECT_TRUE(ReadGpxFile(gpxPath, store, options, nullptr));
  std::vector<std::string> names;
  for (const TGpxRecord* r : store.AllWaypoints()) names.push_back(r->Name);
  return names;
}

class CliPocketQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(pq, test::BuildZip({{"1234.gpx", Gpx({"GC1", "GC2", "GC3"}, kCache)},
                                       {"1234-wpts.gpx", Gpx({"PK2", "ST3"}), false}}));
  }
  std::string Q(const std::string& name) const { return ShellQuote(dir.File(name)); }
  test::TempDir dir;
  std::string pq = dir.File("pq.zip");
  const std::vector<std::string> all = {"GC1", "GC2", "GC3", "PK2", "ST3"};
};

TEST_F(CliPocketQuery, ConvertKeepsEveryWaypointOfBothFiles) {
  std::filesystem::copy_file(pq, dir.File("pocket.dat"));
  const struct {
    const char* how;
    std::string args;
  } cases[] = {
      {"by extension", Q("pq.zip") + " " + Q("a.gpx")},
      {"by content", Q("pocket.dat") + " " + Q("b.gpx")},
      {"from a pipe", "- " + Q("c.gpx") + " < " + Q("pq.zip")},
      {"named format", "--input-format zip " + Q("pocket.dat") + " " + Q("d.gpx")},
  };
  char out = 'a';
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    std::string output;
    ASSERT_EQ(Cli("convert " + c.args, &output), 0) << output;
    const std::string saved = dir.File(std::string(1, out++) + ".gpx");
    EXPECT_EQ(NamesIn(saved), all);
    EXPECT_NE(ReadFileBytes(saved).find("Under the stone"), std::string::npos);
  }
  std::string output;
  ASSERT_EQ(Cli("list " + Q("pq.zip"), &output), 0) << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 5);
}

TEST_F(CliPocketQuery, HostileArchivesExitOneAndWriteNothing) {
  test::ZipTestEntry bomb{"bomb.gpx", std::string(4u << 20, ' ')};
  bomb.claimedSize = 100;
  test::ZipTestEntry secret{"secret.gpx", Gpx({"GC9"})};
  secret.encryptedFlag = true;
  const std::string good = Gpx({"GC1"});
  const std::pair<std::string, const char*> cases[] = {
      {test::BuildZip({{"a.gpx", good}, bomb}), "ZIP bomb"},
      {test::BuildZip({{"../a.gpx", good}}), "named outside the archive"},
      {test::BuildZip({{"a.gpx", good}, secret}), "encrypted"},
      {test::BuildZip({{"a.gpx", good}}, true), "damaged archive"},
  };
  for (const auto& [bytes, message] : cases) {
    SCOPED_TRACE(message);
    WriteFileBytes(dir.File("bad.zip"), bytes);
    std::string output;
    EXPECT_EQ(Cli("convert " + Q("bad.zip") + " " + Q("out.gpx"), &output), 1);
    EXPECT_NE(output.find(message), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.gpx")));
    EXPECT_EQ(Cli("send --device " + Q("nowhere") + " " + Q("bad.zip"), &output), 1);
  }
  EXPECT_EQ(test::ListTree(dir.path()), (std::vector<std::string>{"bad.zip", "pq.zip"}));
}

class CliSend : public CliPocketQuery {
 protected:
  void SetUp() override {
    CliPocketQuery::SetUp();
    std::filesystem::create_directories(receiver + "/Garmin");
    WriteFileBytes(receiver + "/Garmin/GarminDevice.xml",
                   "<?xml version=\"1.0\"?>\n<Device xmlns=\"http://www.garmin.com/xmlschemas/GarminDevice/v2\">"
                   "<Model><Description>GPSMAP 66</Description></Model><MassStorageMode><DataType><Name>GPSData</Name>"
                   "<File><Location><Path>Garmin/Geocaches</Path><FileExtension>GPX</FileExtension></Location>"
                   "<TransferDirection>InputOutput</TransferDirection></File></DataType></MassStorageMode></Device>");
  }
  std::string receiver = dir.File("GARMIN");
};

TEST_F(CliSend, WritesOneValidGpxIntoTheFolderTheDeviceNames) {
  std::string output;
  ASSERT_EQ(Cli("send --device " + ShellQuote(receiver) + " --filter name=GC " + Q("pq.zip"), &output), 0) << output;
  const std::string sent = receiver + "/Garmin/Geocaches/pq.gpx";
  EXPECT_EQ(output, sent + "\n");
  EXPECT_EQ(test::ListTree(receiver), (std::vector<std::string>{"Garmin", "Garmin/GarminDevice.xml", "Garmin/Geocaches",
                                                                "Garmin/Geocaches/pq.gpx"}));
  EXPECT_EQ(NamesIn(sent), (std::vector<std::string>{"GC1", "GC2", "GC3"}));
  const std::string bytes = ReadFileBytes(sent);
  EXPECT_NE(bytes.find("<gpx xmlns=\"http://www.topografix.com/GPX/1/0\""), std::string::npos) << bytes.substr(0, 300);
  EXPECT_NE(bytes.find("version=\"1.0\"\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("<groundspeak:encoded_hints>Under the stone</groundspeak:encoded_hints>"), std::string::npos);
  if (test::HaveTool("xmllint")) {
    EXPECT_EQ(RunCommand("xmllint --noout " + ShellQuote(sent), &output), 0) << output;
  } else {
    test::NoteMissingTool("xmllint");
  }
  std::vector<test::PeerRow> rows;
  if (test::HaveTool("gpsbabel")) {
    ASSERT_TRUE(test::GpsbabelRead("gpx", sent, rows));
    EXPECT_EQ(rows.size(), 3u);
  } else {
    test::NoteMissingTool("gpsbabel");
  }

  // A name of the user's own, and the same again replaces it whole.
  ASSERT_EQ(Cli("send --device " + ShellQuote(receiver) + " --name 'Week end.loc' " + Q("pq.zip"), &output), 0)
      << output;
  EXPECT_EQ(NamesIn(receiver + "/Garmin/Geocaches/Week end.gpx"), all);
  ASSERT_EQ(Cli("send --device " + ShellQuote(receiver) + " --name pq --filter name=PK " + Q("pq.zip"), &output), 0);
  EXPECT_EQ(NamesIn(sent), std::vector<std::string>{"PK2"});
}

TEST_F(CliSend, WrongReceiverOrNameIsRefusedBeforeLoading) {
  std::string output;
  EXPECT_EQ(Cli("send --device " + Q("pq.zip") + " " + Q("pq.zip"), &output), 1);
  EXPECT_NE(output.find("is no GPS receiver"), std::string::npos) << output;
  EXPECT_EQ(Cli("send --device " + ShellQuote(receiver) + " --name ../x " + Q("pq.zip"), &output), 2);
  EXPECT_NE(output.find("not a bare file name"), std::string::npos) << output;
  EXPECT_EQ(Cli("send --device " + ShellQuote(receiver), &output), 2);
  EXPECT_FALSE(std::filesystem::exists(receiver + "/Garmin/Geocaches"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.gpx")));
  if (!FindReceivers().empty()) GTEST_SKIP() << "a GPS receiver is mounted on this machine";
  EXPECT_EQ(Cli("send " + Q("pq.zip"), &output), 1);
  EXPECT_NE(output.find("no GPS receiver found"), std::string::npos) << output;
  EXPECT_NE(output.find("--device"), std::string::npos) << output;
  EXPECT_EQ(Cli("devices", &output), 0);
  EXPECT_EQ(output, "quillmark-cli: no GPS receiver found\n");
}

}  // namespace
}  // namespace quill
