// SPDX-License-Identifier: GPL-3.0-or-later
// The window in Dutch: every caption a user sees is translated and fits.
// Runs as its own ctest entry under LANGUAGE=nl (WindowInDutch); in the
// ordinary run the locale is the machine's and the test skips.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTranslator>

#include "UiTestSupport.h"
#include "ui/app/Translations.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormFilter.h"
#include "ui/tools/FormOptions.h"

namespace quill {
namespace {

using test::WindowFixture;

struct Caption {
  QString text;
  QWidget* widget = nullptr;  // null for a menu entry
};

// What a user reads without hovering: labels, buttons, group titles, menus.
std::vector<Caption> VisibleCaptions(QWidget* root, const std::vector<QMenu*>& menus) {
  std::vector<Caption> out;
  const auto widgets = root->findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    if (!w->isVisibleTo(root)) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      text = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      text = group->title();
    }
    if (text.contains(QRegularExpression("[A-Za-z]{2,}"))) out.push_back({text, w});
  }
  std::vector<QMenu*> pending = menus;
  while (!pending.empty()) {
    QMenu* menu = pending.back();
    pending.pop_back();
    if (!menu->title().isEmpty()) out.push_back({menu->title(), nullptr});
    for (QAction* a : menu->actions()) {
      if (a->menu()) {
        pending.push_back(a->menu());
      } else if (!a->isSeparator() && a->isVisible()) {
        out.push_back({a->text(), nullptr});
      }
    }
  }
  return out;
}

std::vector<QMenu*> WindowMenus(TFormApp& app) {
  std::vector<QMenu*> menus{app.PopupMenu()};
  for (QAction* a : app.menuBar()->actions()) {
    if (a->menu()) menus.push_back(a->menu());
  }
  return menus;
}

// Names and notations that Dutch writes as English does.
bool SameInDutch(const QString& text) {
  static const QSet<QString> kSame = {
      "OK",           "UTM",   "ECEF (XYZ)", "WGS84",     "ED50",           "Bessel",   "Google Maps",
      "Google Earth", "VE",    "Fav",        "Ftp",       "&Help",          "Help",     "Logs",
      "Record",       "Type",  "Container",  "Histogram", "Baudrate",       "Databits", "Stopbits",
      "West",         "Proxy", "URL",        "About Qt",  "Quillmark Help", "Passive",  " Google Maps ",
      "Details"};
  if (kSame.contains(text)) return true;
  // The program's own name and version line are not texts to translate.
  return text.startsWith("Quillmark") || text.startsWith("V ");
}

// A caption fits when its widget is at least as wide as its text needs.
void ExpectFits(const Caption& c, const char* where) {
  if (!c.widget) return;
  QString plain = c.text;
  plain.remove('&');
  const int needed = c.widget->fontMetrics().horizontalAdvance(plain);
  if (auto* label = qobject_cast<QLabel*>(c.widget)) {
    if (label->wordWrap()) return;
    EXPECT_GE(label->contentsRect().width(), needed) << where << ": \"" << plain.toStdString() << "\" is cut off";
  } else if (qobject_cast<QPushButton*>(c.widget)) {
    // The style's smallest button is wider than a short text needs.
    const int margins = 2 * c.widget->style()->pixelMetric(QStyle::PM_ButtonMargin);
    EXPECT_GE(c.widget->width(), needed + margins) << where << ": \"" << plain.toStdString() << "\" is cut off";
  } else if (qobject_cast<QAbstractButton*>(c.widget)) {
    EXPECT_GE(c.widget->width(), c.widget->sizeHint().width())
        << where << ": \"" << plain.toStdString() << "\" is cut off";
  } else if (qobject_cast<QGroupBox*>(c.widget)) {
    EXPECT_GE(c.widget->width(), needed) << where << ": \"" << plain.toStdString() << "\" is cut off";
  }
}

void RemoveTranslations() {
  for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
}

// English captions of a window part, then the same part built again in Dutch.
template <class Build>
void ExpectTranslated(const char* where, Build build) {
  RemoveTranslations();
  const std::vector<Caption> english = build();
  ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance())) << "no Dutch catalogue in the data folder";
  const std::vector<Caption> dutch = build();
  RemoveTranslations();
  ASSERT_EQ(english.size(), dutch.size()) << where;
  int translated = 0;
  for (std::size_t i = 0; i < english.size(); ++i) {
    const QString& en = english[i].text;
    const QString& nl = dutch[i].text;
    if (nl != en) {
      ++translated;
    } else {
      EXPECT_TRUE(SameInDutch(en)) << where << ": \"" << en.toStdString() << "\" is left in English";
    }
    ExpectFits(dutch[i], where);
  }
  EXPECT_GT(translated, 0) << where;
}

class WindowInDutch : public ::testing::Test, public WindowFixture {
 protected:
  void SetUp() override {
    if (qgetenv("LANGUAGE") != "nl") GTEST_SKIP() << "runs under LANGUAGE=nl (ctest WindowInDutch)";
  }
  void TearDown() override { RemoveTranslations(); }
};

TEST_F(WindowInDutch, MainWindowAtItsMinimumSize) {
  ExpectTranslated("main window", [&] {
    TFormApp& app = Open();
    app.resize(app.minimumSize());
    app.show();
    app.layout()->activate();
    QCoreApplication::processEvents();
    return VisibleCaptions(&app, WindowMenus(app));
  });
  Close();
}

TEST_F(WindowInDutch, OptionsAndFilterDialogs) {
  std::vector<std::unique_ptr<QDialog>> dialogs;
  auto open = [&](auto make) {
    return [&, make] {
      dialogs.emplace_back(make());
      QDialog& d = *dialogs.back();
      d.show();
      QCoreApplication::processEvents();
      return VisibleCaptions(&d, {});
    };
  };
  ExpectTranslated("options", open([] { return new TFormOptions; }));
  ExpectTranslated("filter", open([] { return new TFormFilter; }));
}

// The core's status texts: standing ones whole, composed ones by their fixed
// part; names and reasons stay as the core words them.
TEST_F(WindowInDutch, StatusTextsByTheirFixedParts) {
  ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance()));
  const std::pair<std::string, QString> cases[] = {
      {"Busy...", QStringLiteral("Bezig...")},
      {"Authentication Failed!", QStringLiteral("Aanmelden mislukt!")},
      {"Error loading file", QStringLiteral("Fout bij laden van bestand")},
      {"Error loading file: line 3: unterminated <wpt>",
       QStringLiteral("Fout bij laden van bestand: line 3: unterminated <wpt>")},
      {"Not a position: 53 24.42l", QStringLiteral("Geen positie: 53 24.42l")},
      {"Saved to Caf\xe9.gpx", QString::fromUtf8("Opgeslagen in Café.gpx")},
      {"Cannot write the cache page: disk full", QStringLiteral("Kan de cachepagina niet schrijven: disk full")},
      {"Cannot write /tmp/a: b.html", QStringLiteral("Kan /tmp/a: b.html niet schrijven")},
      {"Saved to ", QStringLiteral("Saved to ")},
      {"Error! (550 No such file)", QStringLiteral("Error! (550 No such file)")},
      {"GC1QM01: Busy...", QStringLiteral("GC1QM01: Busy...")},
  };
  for (const auto& [core, shown] : cases) EXPECT_EQ(TUlkStatusBar::Shown(core), shown) << core;
}

TEST(Translations, EnglishInstallsNothing) {
  EXPECT_FALSE(InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::English)));
  EXPECT_EQ(QCoreApplication::translate("quill::TFormApp", "&File"), "&File");
  RemoveTranslations();
}

}  // namespace
}  // namespace quill
