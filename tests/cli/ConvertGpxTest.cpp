// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli convert with GPX in and out: exit codes, messages, and what
// happens when the target cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "support/TestSupport.h"

namespace quill {
namespace {

using test::ReadFileBytes;
using test::RunCommand;
using test::ShellQuote;
using test::TempDir;
using test::WriteFileBytes;

std::string Cli() { return ShellQuote(QUILL_CLI_PATH); }

int Convert(const std::string& args, std::string* output = nullptr) {
  return RunCommand(Cli() + " convert " + args, output);
}

std::vector<std::string> ElementTexts(const std::string& file, const std::string& tag) {
  std::vector<std::string> texts;
  std::regex re("<" + tag + ">([^<]*)</" + tag + ">");
  for (auto it = std::sregex_iterator(file.begin(), file.end(), re); it != std::sregex_iterator(); ++it)
    texts.push_back((*it)[1]);
  return texts;
}

std::string Gpx(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" creator=\"test\">\n" + body + "</gpx>\n";
}

std::string Wpt(const std::string& name, const std::string& desc, double lat = 50.0) {
  return "  <wpt lat=\"" + std::to_string(lat) +
         "\" lon=\"5.000000\">\n    <time>2020-01-01T00:00:00</time>\n"
         "    <name>" +
         name + "</name>\n    <desc>" + desc + "</desc>\n  </wpt>\n";
}

TEST(CliConvertGpx, TextsInEveryScriptAreWrittenBackUnchanged) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"Hřbitov u kostela sv. Jiří", "Tři stanoviště, řešení na ceduli – ěščřžýáíé"},
      {"Łąka nad rzeką", "Skrzynka na łące, źdźbło trawy, żółć"},
      {"Ακρόπολη", "Η κρύπτη είναι κοντά στον Παρθενώνα"},
      {"Tree \xF0\x9F\x8C\xB2 cache", "Smile \xF0\x9F\x98\x80 and a rocket \xF0\x9F\x9A\x80"},
      {"Caf\xC3\xA9 M\xC3\xBCller &amp; S\xC3\xB6hne", "20\xC2\xB0 &lt;warm&gt; \xE2\x82\xAC 5 \xE2\x80\x94 ok"},
  };
  std::string body;
  for (std::size_t i = 0; i < texts.size(); ++i)
    body += Wpt(texts[i].first, texts[i].second, 50.0 + static_cast<double>(i));
  WriteFileBytes(dir.File("in.gpx"), Gpx(body));
  std::string out;
  ASSERT_EQ(Convert(ShellQuote(dir.File("in.gpx")) + " " + ShellQuote(dir.File("out.gpx")), &out), 0) << out;
  const std::string in = ReadFileBytes(dir.File("in.gpx"));
  const std::string saved = ReadFileBytes(dir.File("out.gpx"));
  for (const char* tag : {"name", "desc"}) {
    std::vector<std::string> a = ElementTexts(in, tag), b = ElementTexts(saved, tag);
    // The saved file starts with the list's own name element.
    if (std::string(tag) == "name") b.erase(b.begin());
    EXPECT_EQ(b, a) << tag;
  }
}

TEST(CliConvertGpx, SampleListRoundTripsWithItsGroundspeakData) {
  TempDir dir;
  const std::string sample = std::string(QUILL_SOURCE_DIR) + "/examples/sample.gpx";
  std::string out;
  ASSERT_EQ(Convert(ShellQuote(sample) + " " + ShellQuote(dir.File("a.gpx")), &out), 0) << out;
  ASSERT_EQ(Convert(ShellQuote(dir.File("a.gpx")) + " " + ShellQuote(dir.File("b.gpx")), &out), 0) << out;
  std::string a = ReadFileBytes(dir.File("a.gpx")), b = ReadFileBytes(dir.File("b.gpx"));
  EXPECT_EQ(ElementTexts(a, "groundspeak:long_description"),
            ElementTexts(ReadFileBytes(sample), "groundspeak:long_description"));
  // Apart from the time of writing, a saved list saves to the same bytes.
  std::regex stamp("<time>[^<]*</time>");
  EXPECT_EQ(std::regex_replace(a, stamp, "", std::regex_constants::format_first_only),
            std::regex_replace(b, stamp, "", std::regex_constants::format_first_only));
  EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), std::count(a.begin(), a.end(), '\r'));  // CR LF only
}

// A pocket query with cache types newer than the type table (its Groundspeak
// prefix declared on the root only) and a GPX 1.1 file with links: every type
// text and every link with a text survives convert, twice, in a file that is
// well-formed with namespaces.
TEST(CliConvertGpx, NewerTypesAndGpx11LinksSurviveConvert) {
  TempDir dir;
  const std::string types = test::DataPath("gpx10-newer-types.gpx");
  const std::string links = test::DataPath("gpx11-plain.gpx");
  std::string out;
  ASSERT_EQ(Convert(ShellQuote(types) + " " + ShellQuote(dir.File("t1.gpx")), &out), 0) << out;
  ASSERT_EQ(Convert(ShellQuote(dir.File("t1.gpx")) + " " + ShellQuote(dir.File("t2.gpx")), &out), 0) << out;
  ASSERT_EQ(Convert(ShellQuote(links) + " " + ShellQuote(dir.File("l1.gpx")), &out), 0) << out;
  ASSERT_EQ(Convert(ShellQuote(dir.File("l1.gpx")) + " " + ShellQuote(dir.File("l2.gpx")), &out), 0) << out;
  const std::vector<std::string> sourceTypes = ElementTexts(ReadFileBytes(types), "type");
  ASSERT_EQ(sourceTypes.size(), 6u);
  for (const char* saved : {"t1.gpx", "t2.gpx"}) {
    std::string file = ReadFileBytes(dir.File(saved));
    EXPECT_EQ(ElementTexts(file, "type"), sourceTypes) << saved;
    EXPECT_EQ(ElementTexts(file, "groundspeak:type").size(), 6u) << saved;
    if (test::HaveTool("xmllint")) {
      EXPECT_EQ(RunCommand("xmllint --noout " + ShellQuote(dir.File(saved)), &out), 0);
      EXPECT_EQ(out, "") << saved;
    } else {
      test::NoteMissingTool("xmllint");
    }
  }
  const std::vector<std::string> urls = {"https://example.org/summit", "https://example.org/a"};
  const std::vector<std::string> names = {"Summit page", "First link"};
  for (const char* saved : {"l1.gpx", "l2.gpx"}) {
    std::string file = ReadFileBytes(dir.File(saved));
    EXPECT_EQ(ElementTexts(file, "url"), urls) << saved;
    EXPECT_EQ(ElementTexts(file, "urlname"), names) << saved;
  }
}

TEST(CliConvertGpx, DuplicatesOptionDecidesForEveryLoad) {
  TempDir dir;
  WriteFileBytes(dir.File("1.gpx"), Gpx(Wpt("A", "first") + Wpt("B", "first")));
  WriteFileBytes(dir.File("2.gpx"), Gpx(Wpt("A", "second") + Wpt("C", "second")));
  struct Case {
    const char* mode;
    std::vector<std::string> descs;
  } cases[] = {{"keep", {"first", "first", "second"}},
               {"replace", {"second", "first", "second"}},
               {"allow", {"first", "first", "second", "second"}}};
  for (const Case& c : cases) {
    std::string out;
    ASSERT_EQ(Convert(std::string("--duplicates ") + c.mode + " " + ShellQuote(dir.File("1.gpx")) + " " +
                          ShellQuote(dir.File("2.gpx")) + " " + ShellQuote(dir.File("o.gpx")),
                      &out),
              0)
        << out;
    EXPECT_EQ(ElementTexts(ReadFileBytes(dir.File("o.gpx")), "desc"), c.descs) << c.mode;
  }
}

TEST(CliConvertGpx, NoGroundspeakDropsTheCacheElement) {
  TempDir dir;
  const std::string sample = std::string(QUILL_SOURCE_DIR) + "/examples/sample.gpx";
  ASSERT_EQ(Convert("--no-groundspeak " + ShellQuote(sample) + " " + ShellQuote(dir.File("o.gpx"))), 0);
  std::string o = ReadFileBytes(dir.File("o.gpx"));
  EXPECT_EQ(o.find("groundspeak"), std::string::npos);
  EXPECT_NE(o.find("<name>GC1QM01</name>"), std::string::npos);
}

TEST(CliConvertGpx, ExitCodesAndMessages) {
  TempDir dir;
  std::string out;
  EXPECT_EQ(RunCommand(Cli(), &out), 2);
  EXPECT_EQ(Convert("only-one.gpx", &out), 2);
  EXPECT_EQ(Convert("--duplicates sometimes a.gpx b.gpx", &out), 2);
  EXPECT_EQ(Convert("--bogus a.gpx b.gpx", &out), 2);
  EXPECT_EQ(Convert(ShellQuote(dir.File("missing.gpx")) + " " + ShellQuote(dir.File("o.gpx")), &out), 1);
  EXPECT_NE(out.find("Error loading file"), std::string::npos) << out;
  EXPECT_FALSE(::access(dir.File("o.gpx").c_str(), F_OK) == 0);
  // An unknown extension is read by its content, when it has one.
  WriteFileBytes(dir.File("in.xml"), Gpx(Wpt("A", "a")));
  EXPECT_EQ(Convert(ShellQuote(dir.File("in.xml")) + " " + ShellQuote(dir.File("o.gpx")), &out), 0) << out;
  EXPECT_NE(ReadFileBytes(dir.File("o.gpx")).find("<name>A</name>"), std::string::npos);
  WriteFileBytes(dir.File("notes.xml"), "<notes>A</notes>\n");
  EXPECT_EQ(Convert(ShellQuote(dir.File("notes.xml")) + " " + ShellQuote(dir.File("o.gpx")), &out), 1);
  EXPECT_NE(out.find("notes.xml: Unknown Extension, and the content is no waypoint file (its XML root element is "
                     "<notes>, not <gpx> or <loc>)"),
            std::string::npos)
      << out;
}

TEST(CliConvertGpx, ReadOnlyInputLoads) {
  TempDir dir;
  WriteFileBytes(dir.File("ro.gpx"), Gpx(Wpt("RO", "read only")));
  ASSERT_EQ(::chmod(dir.File("ro.gpx").c_str(), 0444), 0);
  std::string out;
  EXPECT_EQ(Convert(ShellQuote(dir.File("ro.gpx")) + " " + ShellQuote(dir.File("o.gpx")), &out), 0) << out;
  EXPECT_NE(ReadFileBytes(dir.File("o.gpx")).find("<name>RO</name>"), std::string::npos);
}

// A folder the user may not write to: a writable file in it is written in
// place, a read-only one is refused and kept. As root every folder is
// writable, so the program then runs as the unprivileged user "nobody".
TEST(CliConvertGpx, SaveIntoFolderWithoutWritePermission) {
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  WriteFileBytes(dir.File("in.gpx"), Gpx(Wpt("NEW", "new")));
  ::chmod(dir.File("in.gpx").c_str(), 0644);
  ::mkdir(dir.File("locked").c_str(), 0755);
  const std::string writable = dir.File("locked/list.gpx");
  const std::string readOnly = dir.File("locked/kept.gpx");
  WriteFileBytes(writable, "old contents");
  WriteFileBytes(readOnly, "old contents");
  ::chmod(writable.c_str(), 0666);
  ::chmod(readOnly.c_str(), 0644);
  ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
  std::string prefix;
  std::string cli = Cli();
  if (::geteuid() == 0) {
    std::string probe;
    if (RunCommand("setpriv --reuid=65534 --regid=65534 --clear-groups true", &probe) != 0)
      GTEST_SKIP() << "cannot drop privileges: " << probe;
    prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    // The build folder may lie where "nobody" cannot reach: run a copy from here.
    cli = ShellQuote(dir.File("quillmark-cli"));
    ASSERT_EQ(RunCommand("cp " + Cli() + " " + cli + " && chmod 0755 " + cli), 0);
  }
  std::string out;
  int rc = RunCommand(prefix + cli + " convert " + ShellQuote(dir.File("in.gpx")) + " " + ShellQuote(readOnly), &out);
  EXPECT_EQ(rc, 1) << out;
  EXPECT_NE(out.find("Error saving file"), std::string::npos) << out;
  EXPECT_EQ(ReadFileBytes(readOnly), "old contents");
  rc = RunCommand(prefix + cli + " convert " + ShellQuote(dir.File("in.gpx")) + " " + ShellQuote(writable), &out);
  EXPECT_EQ(rc, 0) << out;
  EXPECT_NE(ReadFileBytes(writable).find("<name>NEW</name>"), std::string::npos);
  std::string listing;
  RunCommand("ls -A " + ShellQuote(dir.File("locked")), &listing);
  EXPECT_EQ(listing, "kept.gpx\nlist.gpx\n");
}

// A file system with no room: the save fails, says so, and the old file stays.
TEST(CliConvertGpx, SaveOntoAFullFileSystemFailsAndKeepsTheOldFile) {
  TempDir dir;
  const std::string sample = std::string(QUILL_SOURCE_DIR) + "/examples/sample.gpx";
  const std::string mnt = dir.File("mnt");
  ::mkdir(mnt.c_str(), 0755);
  // The old list (small) fits; the new one (the sample, several times over) does not.
  std::string script = "set -e; mount -t tmpfs -o size=64k tmpfs " + ShellQuote(mnt) + "; " +
                       "printf 'old contents' > " + ShellQuote(mnt + "/list.gpx") + "; " + "set +e; " + Cli() +
                       " convert " + ShellQuote(sample) + " " + ShellQuote(sample) + " " + ShellQuote(sample) + " " +
                       ShellQuote(sample) + " " + ShellQuote(sample) + " " + ShellQuote(mnt + "/list.gpx") + "; " +
                       "echo \"rc=$?\"; echo \"old=$(cat " + ShellQuote(mnt + "/list.gpx") + ")\"; " +
                       "echo \"files=$(ls -A " + ShellQuote(mnt) + " | tr '\\n' ' ')\"";
  std::string unshare = ::geteuid() == 0 ? "unshare -m" : "unshare -rm";
  std::string probe;
  if (RunCommand(unshare + " sh -c " + ShellQuote("mount -t tmpfs -o size=64k tmpfs " + ShellQuote(mnt)), &probe) != 0)
    GTEST_SKIP() << "cannot mount a small file system here: " << probe;
  std::string out;
  RunCommand(unshare + " sh -c " + ShellQuote(script), &out);
  EXPECT_NE(out.find("rc=1"), std::string::npos) << out;
  EXPECT_NE(out.find("Error saving file"), std::string::npos) << out;
  EXPECT_NE(out.find("old=old contents"), std::string::npos) << out;
  EXPECT_NE(out.find("files=list.gpx \n"), std::string::npos) << out;
}

}  // namespace
}  // namespace quill
