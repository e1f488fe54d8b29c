// Not a check: with QUILL_SCREENSHOT=FILE.png the window is drawn on the
// sample list and saved, to look at (run it under Xvfb for real fonts).
#include <gtest/gtest.h>

#include <QPixmap>
#include <cstdlib>

#include "UiTestSupport.h"

namespace quill {
namespace {

TEST(UiScreenshot, SampleListWindow) {
  const char* target = std::getenv("QUILL_SCREENSHOT");
  if (!target || !*target) GTEST_SKIP() << "set QUILL_SCREENSHOT to a .png path";
  test::WindowFixture fixture;
  bool extended = std::getenv("QUILL_SCREENSHOT_EXTENDED") != nullptr;
  TFormApp& app = fixture.Open({QString(QUILL_SOURCE_DIR) + "/examples/sample.gpx"}, extended);
  app.SelectRow(2);
  test::Settle(20);
  ASSERT_TRUE(app.grab().save(QString::fromLocal8Bit(target)));
}

}  // namespace
}  // namespace quill
