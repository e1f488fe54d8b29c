// SPDX-License-Identifier: GPL-3.0-or-later
// The web buttons of the window, read through a recording launcher, and the
// images the cache page ships with.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QPushButton>

#include "UiTestSupport.h"
#include "base/FileIo.h"
#include "base/ProgramFolders.h"
#include "ui/app/ConverterPanel.h"
#include "ui/app/DesktopLauncher.h"
#include "ui/app/WebCommands.h"
#include "ui/components/UlkStatusBar.h"
#include "web/CachePage.h"
#include "web/WebLinks.h"

namespace quill {
namespace {

using test::RecordingLauncher;
using test::TestWaypoint;
using test::WindowFixture;

const std::vector<TestWaypoint> kCaches = {
    {"GC1AAA", 52.1, 5.1, "https://example.org/GC1AAA", "First", "First", "True", "False", "Netherlands"},
    {"GC1BBB", 51.5, 4.4, "", "Second", "", "", "", ""},
    {"GC1CCC", -33.5, 151.25, "javascript:alert(document.cookie)", "Third", "", "False", "True", "Australia"},
    {"GC1DDD", 1, 2, "file:///etc/passwd", "Fourth", "", "", "", ""},
};

class UiWeb : public ::testing::Test, public WindowFixture {
 protected:
  void SetUp() override {
    Open();
    App().Session().SetLauncher(&launcher_);
    work_ = Dir().path() + "/cache/quillmark";
    App().Session().SetWorkFolder(work_);
    App().Session().Settings().stored.IncludeGroundspeak = true;
    ASSERT_TRUE(App().LoadFile(WriteGpx("caches.gpx", kCaches)));
  }
  void Click(const char* name) {
    auto* b = Find<QPushButton>(name);
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isEnabled()) << name;
    b->click();
  }
  std::string Message() const { return App().StatusBar().MessageText().toStdString(); }
  int Level() const { return App().StatusBar().MessageLevel(); }
  TFormApp& App() const { return const_cast<UiWeb*>(this)->WindowFixture::App(); }

  RecordingLauncher launcher_;
  std::string work_;
};

TEST_F(UiWeb, EachButtonOpensWhatItShould) {
  App().SettingsBinder().Settings().GmZoomLevel = 11;
  App().SettingsBinder().Settings().GmType = 'k';
  App().SelectRow(0);
  Click("ButtonLaunch");
  Click("ButtonLaunchLocal");
  Click("ButtonGoogleEarth");
  Click("ButtonGoogleMaps");
  Click("ButtonLiveCom");
  EXPECT_EQ(launcher_.opened,
            (std::vector<std::string>{"url:https://example.org/GC1AAA", "file:" + work_ + "/tmp.htm",
                                      "file:" + work_ + "/tmp.kml", "url:" + GoogleMapsUrl(52.1, 5.1, 11, 'k'),
                                      "url:" + BingMapsUrl(52.1, 5.1)}));
  const std::string page = test::ReadFileBytes(work_ + "/tmp.htm");
  EXPECT_NE(page.find("<title>GC1AAA - GC1AAA</title>"), std::string::npos);
  EXPECT_EQ(page.find("<!--TW_"), std::string::npos);
  EXPECT_TRUE(FileExists(work_ + "/tmp_files/sr.gif"));
  const std::string kml = test::ReadFileBytes(work_ + "/tmp.kml");
  for (const TestWaypoint& w : kCaches) EXPECT_NE(kml.find("<name>" + w.name + "</name>"), std::string::npos);
  EXPECT_EQ(Level(), 0);

  // Without a link or cache data the buttons are off, and the link opens nothing.
  App().SelectRow(1);
  EXPECT_FALSE(Find<QPushButton>("ButtonLaunch")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("ButtonLaunchLocal")->isEnabled());
  launcher_.opened.clear();
  App().Web().ButtonLaunchClick();
  EXPECT_TRUE(launcher_.opened.empty());
}

TEST_F(UiWeb, LinksThatAreNoWebLinksOpenNothing) {
  for (int row : {2, 3}) {
    App().SelectRow(row);
    Click("ButtonLaunch");
    EXPECT_EQ(Level(), 2);
    EXPECT_EQ(Message(), "Not a web link: " + kCaches[static_cast<std::size_t>(row)].url);
  }
  EXPECT_TRUE(launcher_.opened.empty());
  // The next command clears the message.
  Click("ButtonGoogleMaps");
  EXPECT_EQ(Level(), 0);
  EXPECT_EQ(launcher_.opened.size(), 1u);
}

TEST_F(UiWeb, FailuresSaySoAndOpenNothing) {
  App().SelectRow(0);
  const std::string data = App().Session().ProgramFolder();
  App().Session().SetProgramFolder(Dir().path() + "/nowhere/");
  Click("ButtonLaunchLocal");
  EXPECT_EQ(Level(), 2);
  EXPECT_EQ(Message(), "Cache page template missing: " + Dir().path() + "/nowhere/html/default.htm");

  App().Session().SetProgramFolder(data);
  test::WriteFileBytes(Dir().File("taken"), "a file where the folder should be");
  App().Session().SetWorkFolder(Dir().File("taken"));
  Click("ButtonLaunchLocal");
  EXPECT_EQ(Message(), "Cannot write " + Dir().File("taken") + "/tmp.htm");
  Click("ButtonGoogleEarth");
  EXPECT_EQ(Level(), 2);
  EXPECT_EQ(Message(), "Cannot write " + Dir().File("taken") + "/tmp.kml");
  EXPECT_TRUE(launcher_.opened.empty());

  // An empty list writes and opens nothing, even when the handler runs.
  App().Session().SetWorkFolder(work_);
  App().Session().ReleaseList();
  App().FillListView();
  EXPECT_FALSE(Find<QPushButton>("ButtonGoogleEarth")->isEnabled());
  App().Web().ButtonGoogleEarthClick();
  EXPECT_FALSE(FileExists(work_ + "/tmp.kml"));
  EXPECT_TRUE(launcher_.opened.empty());
}

// The desktop had nothing to open a page or a file with.
TEST_F(UiWeb, NothingToOpenWithSaysSo) {
  std::vector<QUrl> handed;
  DesktopLauncher desktop(App().StatusBar(), [&](const QUrl& url) {
    handed.push_back(url);
    return false;
  });
  App().Session().SetLauncher(&desktop);
  App().SelectRow(0);
  const std::pair<const char*, std::string> cases[] = {
      {"ButtonLaunch", "https://example.org/GC1AAA"}, {"ButtonLaunchLocal", work_ + "/tmp.htm"},
      {"ButtonGoogleEarth", work_ + "/tmp.kml"},      {"ButtonGoogleMaps", GoogleMapsUrl(52.1, 5.1, 14, 'm')},
      {"ButtonLiveCom", BingMapsUrl(52.1, 5.1)},
  };
  for (const auto& [button, target] : cases) {
    Click(button);
    EXPECT_EQ(Level(), 2) << button;
    EXPECT_EQ(Message(), "Nothing could open " + target) << button;
  }
  ASSERT_EQ(handed.size(), 5u);
  EXPECT_EQ(handed[1], QUrl::fromLocalFile(QString::fromStdString(work_ + "/tmp.htm")));
  App().Session().SetLauncher(&launcher_);
}

TEST(PageImages, EveryImageIsAGifOfItsSize) {
  for (std::string_view name : CachePageImages()) {
    const std::string path = DataFolder() + "html/" + std::string(name);
    QImage image(QString::fromStdString(path), "GIF");
    ASSERT_FALSE(image.isNull()) << path;
    QSize expected = name == "sr.gif" ? QSize(13, 13) : name == "srh.gif" ? QSize(7, 13) : QSize(16, 16);
    if (name.substr(0, 6) == "Cache_") expected = QSize(32, 32);
    EXPECT_EQ(image.size(), expected) << name;
    // Drawn, not blank: some pixels are opaque, and the corners are clear.
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, image.width() * image.height() / 5) << name;
  }
}

}  // namespace
}  // namespace quill
