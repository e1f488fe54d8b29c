// SPDX-License-Identifier: GPL-3.0-or-later
// The sort, search, filter, "Show All" and rename commands of the window,
// driven through their menus, buttons, keys and dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "UiTestSupport.h"
#include "list/ListFilter.h"
#include "ui/components/UlkStatusBar.h"
#include "ui/list/FormFilter.h"
#include "ui/list/FormSearch.h"
#include "ui/list/ListCommands.h"
#include "ui/list/ListView.h"
#include "ui/list/WaypointListModel.h"

namespace quill {
namespace {

using test::AnswerNextModal;
using test::TestWaypoint;
using test::WindowFixture;
using Names = std::vector<std::string>;

// Loaded in this order: neither name, north nor country order.
const std::vector<TestWaypoint> kCaches = {
    {"GC2BBB", 52.3, 5.2, "https://example.org/2", "Old mill cache", "Mill", "True", "False", "Germany"},
    {"GC1AAA", 52.1, 5.3, "https://example.org/1", "Bridge", "Bridge", "True", "False", "Netherlands"},
    {"GC3CCC", 52.2, 5.1, "", "Tower cache", "Tower", "False", "True", "Austria"},
    {"PK1AAA", 52.4, 5.0, "", "Parking", "", "", "", ""},
};

class ListWindow : public ::testing::Test, public WindowFixture {
 protected:
  TFormApp& OpenCaches() {
    test::WriteSetting(SettingsFolder(), "IncludeGroudspeak", 1);
    return Open({QString::fromStdString(WriteGpx("caches.gpx", kCaches))});
  }
  void PressInList(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&App().ListView(), static_cast<Qt::Key>(key), mods);
  }
  std::string Selected() {
    const TGpxRecord* r = App().SelectedRecord();
    return r ? r->Name : std::string();
  }
  // Types text into the prompt and presses its OK button.
  static void AnswerPrompt(const QString& text) {
    AnswerNextModal([text](QWidget* dialog) {
      dialog->findChild<QLineEdit*>("EditSearch")->setText(text);
      dialog->findChild<QPushButton*>("ButtonOk")->click();
    });
  }
  // Chooses a filter mode, lets set fill its input, presses OK.
  static void AnswerFilter(int mode, std::function<void(QWidget*)> set) {
    AnswerNextModal([mode, set](QWidget* dialog) {
      dialog->findChild<QComboBox*>("ComboBoxMode")->setCurrentIndex(mode);
      set(dialog);
      dialog->findChild<QPushButton*>("ButtonOk")->click();
    });
  }
  static void AnswerFilterText(int mode, const QString& text) {
    AnswerFilter(mode, [text](QWidget* d) { d->findChild<QLineEdit*>("EditSearch")->setText(text); });
  }
};

// ---- sorting ----

TEST_F(ListWindow, SortMenuHoldsTheOrdersInTheirPlaces) {
  TFormApp& app = OpenCaches();
  QStringList names, captions;
  for (QAction* a : app.SortMenu()->actions()) {
    names << a->objectName();
    captions << a->text();
  }
  EXPECT_EQ(names, QStringList({"MenuSortOnName", "MenuSortOnGCname", "MenuSortOnDate", "MenuSortOnDateFound",
                                "MenuSortOnDist", "MenuSortOnNorth", "MenuSortOnEast", "MenuSortOnCacheType",
                                "MenuSortOnHiddenby", "MenuSortOnLogs", "MenuSortOnCountry", "MenuSortOnState",
                                "MenuSortOnDiffic"}));
  EXPECT_EQ(captions[0], "Sort by Name");
  EXPECT_EQ(captions[2], "Sort by Timestamp");
  EXPECT_EQ(captions[8], "Sort by 'Placed by'");
  EXPECT_EQ(app.SortMenu()->title(), "Sort");
  auto* button = Find<QPushButton>("ButtonSort");
  EXPECT_EQ(button->text(), "Sort by Name");
  EXPECT_EQ(button->toolTip(), "Sort the waypoint list");
}

TEST_F(ListWindow, EveryOrderSortsTheViewAndKeepsTheSelectedRecord) {
  TFormApp& app = OpenCaches();
  app.SelectRow(0);  // GC2BBB
  Find<QAction>("MenuSortOnNorth")->trigger();
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC3CCC", "GC2BBB", "PK1AAA"}));
  EXPECT_EQ(Selected(), "GC2BBB");
  EXPECT_EQ(app.SelectedIndex(), 2);
  EXPECT_EQ(Find<QLabel>("LabelRecordCount")->text(), "3 (4)");
  Find<QPushButton>("ButtonSort")->click();
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC2BBB", "GC3CCC", "PK1AAA"}));
  EXPECT_EQ(Selected(), "GC2BBB");
  Find<QAction>("MenuSortOnEast")->trigger();
  EXPECT_EQ(RowNames(), (Names{"PK1AAA", "GC3CCC", "GC2BBB", "GC1AAA"}));
  // Every order's action runs and leaves all four rows.
  for (int i = 0; i < kSortOrderCount; ++i) {
    app.ListCommands().SortAction(static_cast<SortOrder>(i))->trigger();
    EXPECT_EQ(app.Model().rowCount(), 4) << i;
    EXPECT_EQ(Selected(), "GC2BBB") << i;
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ListWindow, CountryOrderFromTheMenuNeedsNoCountryColumn) {
  TFormApp& app = OpenCaches();
  ASSERT_EQ(app.ViewState().Column4Mode, 0);
  ASSERT_EQ(app.ViewState().Column5Mode, 3);
  Find<QAction>("MenuSortOnCountry")->trigger();
  EXPECT_EQ(RowNames(), (Names{"PK1AAA", "GC3CCC", "GC2BBB", "GC1AAA"}));
}

TEST_F(ListWindow, HeaderClickSortsByWhatTheColumnShows) {
  TFormApp& app = OpenCaches();
  app.ListView().header()->sectionClicked(3);  // Description
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC2BBB", "PK1AAA", "GC3CCC"}));
  app.ActionColumn5Execute(9);  // Country
  app.ListView().header()->sectionClicked(4);
  EXPECT_EQ(RowNames(), (Names{"PK1AAA", "GC3CCC", "GC2BBB", "GC1AAA"}));
  app.ListView().header()->sectionClicked(1);
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC3CCC", "GC2BBB", "PK1AAA"}));
  app.ListView().header()->sectionClicked(0);
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC2BBB", "GC3CCC", "PK1AAA"}));
}

TEST_F(ListWindow, SortShowsTheHourglassAndClearsTheStatus) {
  TFormApp& app = OpenCaches();
  app.StatusBar().SetError(2, "an old error");
  std::vector<Qt::CursorShape> seen;
  auto rebuild = app.Session().onListRebuilt;
  app.Session().onListRebuilt = [&] {
    const QCursor* c = QApplication::overrideCursor();
    seen.push_back(c ? c->shape() : Qt::ArrowCursor);
    rebuild();
  };
  Find<QAction>("MenuSortOnDist")->trigger();
  EXPECT_EQ(seen, std::vector<Qt::CursorShape>{Qt::WaitCursor});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(app.StatusBar().MessageText(), "");
}

// ---- search ----

TEST_F(ListWindow, CtrlFSearchesAndF3WalksThroughTheMatches) {
  TFormApp& app = OpenCaches();
  QString caption;
  int height = 0, buttonTop = 0;
  bool legendShown = true;
  AnswerNextModal([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    height = dialog->height();
    buttonTop = dialog->findChild<QPushButton*>("ButtonOk")->y();
    legendShown = dialog->findChild<QLabel*>("LabelDesc")->isVisible();
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("EditSearch")->text().isEmpty());
    // The focus widget, not hasFocus(): activation may still be on its way on a loaded machine.
    EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QLineEdit*>("EditSearch"));
    dialog->findChild<QLineEdit*>("EditSearch")->setText("CACHE");
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(caption, "Search");
  EXPECT_EQ(height, 110);
  EXPECT_EQ(buttonTop, 48);
  EXPECT_FALSE(legendShown);
  EXPECT_EQ(Selected(), "GC2BBB");  // "Old mill cache"
  PressInList(Qt::Key_F3);
  EXPECT_EQ(Selected(), "GC3CCC");  // "Tower cache"
  PressInList(Qt::Key_F3);
  EXPECT_EQ(Selected(), "GC3CCC");  // the last match stays selected
  app.SelectRow(-1);
  PressInList(Qt::Key_F3);
  EXPECT_EQ(Selected(), "GC2BBB");  // from the top when nothing is selected
}

TEST_F(ListWindow, SearchLooksAtNameDescriptionAndLinkText) {
  OpenCaches();
  AnswerPrompt("pk1");
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Selected(), "PK1AAA");
  AnswerPrompt("BRIDGE");
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Selected(), "GC1AAA");
}

TEST_F(ListWindow, EmptyOrCancelledSearchChangesNothing) {
  TFormApp& app = OpenCaches();
  app.SelectRow(1);
  AnswerPrompt("");
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Selected(), "GC1AAA");
  PressInList(Qt::Key_F3);
  EXPECT_EQ(Selected(), "GC1AAA");
  AnswerPrompt("nowhere");
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Selected(), "GC1AAA");
  AnswerNextModal([](QWidget* d) { d->findChild<QPushButton*>("ButtonCancel")->click(); });
  PressInList(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(app.Session().View().SearchText, "nowhere");
}

// ---- filter ----

TEST_F(ListWindow, FilterDialogShowsOneInputPerMode) {
  OpenCaches();
  AnswerNextModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Filter");
    EXPECT_EQ(dialog->height(), 167);
    auto* mode = dialog->findChild<QComboBox*>("ComboBoxMode");
    ASSERT_EQ(mode->count(), kFilterModeCount);
    EXPECT_EQ(mode->itemText(0), "Name");
    EXPECT_EQ(mode->itemText(8), "Max distance from home");
    EXPECT_EQ(mode->itemText(14), "Logs");
    EXPECT_EQ(mode->currentIndex(), 0);
    auto* edit = dialog->findChild<QLineEdit*>("EditSearch");
    auto* type = dialog->findChild<QComboBox*>("MCoPImageComboBoxType");
    auto* sizes = dialog->findChild<QComboBox*>("ComboBoxSizes");
    auto* yesNo = dialog->findChild<QWidget*>("PanelYesNo");
    EXPECT_EQ(type->count(), 20);
    EXPECT_EQ(type->currentIndex(), 6);
    EXPECT_EQ(type->itemText(6), "Traditional Cache");
    EXPECT_FALSE(type->itemIcon(6).isNull());
    EXPECT_EQ(type->toolTip(), "Waypoint type.");
    EXPECT_EQ(sizes->count(), 7);
    EXPECT_TRUE(sizes->isEditable());
    EXPECT_EQ(sizes->currentText(), "Micro");
    EXPECT_EQ(edit->y(), 64);
    EXPECT_EQ(yesNo->y(), 56);
    for (int m = 0; m < kFilterModeCount; ++m) {
      mode->setCurrentIndex(m);
      int visible = edit->isVisible() + type->isVisible() + sizes->isVisible() + yesNo->isVisible();
      EXPECT_EQ(visible, 1) << m;
      EXPECT_EQ(type->isVisible(), m == 9) << m;
      EXPECT_EQ(sizes->isVisible(), m == 10) << m;
      EXPECT_EQ(yesNo->isVisible(), m >= 11 && m <= 13) << m;
    }
    mode->setCurrentIndex(7);
    dialog->findChild<QPushButton*>("ButtonCancel")->click();
  });
  Find<QPushButton>("ButtonFilter")->click();
  // The mode is kept; the text is emptied.
  AnswerNextModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QComboBox*>("ComboBoxMode")->currentIndex(), 7);
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("EditSearch")->isVisible());
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("EditSearch")->text().isEmpty());
    dialog->findChild<QPushButton*>("ButtonCancel")->click();
  });
  Find<QPushButton>("ButtonFilter")->click();
  EXPECT_EQ(RowNames().size(), 4u);
  EXPECT_TRUE(Find<QLabel>("LabelFiltered")->isHidden());
}

TEST_F(ListWindow, FiltersCombineUntilShowAll) {
  TFormApp& app = OpenCaches();
  Find<QAction>("MenuSortOnName")->trigger();
  AnswerFilterText(kFilterCountry, "E");  // lower-cased: "e"
  Find<QPushButton>("ButtonFilter")->click();
  EXPECT_EQ(RowNames(), (Names{"GC1AAA", "GC2BBB"}));
  EXPECT_TRUE(Find<QLabel>("LabelFiltered")->isVisible());
  EXPECT_EQ(Find<QLabel>("LabelFiltered")->text(), "(Filtered)");
  EXPECT_EQ(app.ViewState().FilterText, "e");
  AnswerFilterText(kFilterDescription, "Mill");
  Find<QAction>("MenuFilter")->trigger();
  EXPECT_EQ(RowNames(), Names{"GC2BBB"});
  EXPECT_EQ(app.ViewState().FilterMode, kFilterDescription + 1);
  Find<QPushButton>("ButtonShowAll")->click();
  EXPECT_EQ(RowNames(), (Names{"GC2BBB", "GC1AAA", "GC3CCC", "PK1AAA"}));
  EXPECT_TRUE(Find<QLabel>("LabelFiltered")->isHidden());
  EXPECT_EQ(app.ViewState().FilterMode, 0);
  EXPECT_EQ(Find<QPushButton>("ButtonShowAll")->toolTip(),
            "Show the entire waypoint list. This cancels any filtering.");
}

TEST_F(ListWindow, TypeSizeAndYesNoInputsGiveTheirValues) {
  TFormApp& app = OpenCaches();
  AnswerFilter(kFilterType, [](QWidget* d) { d->findChild<QComboBox*>("MCoPImageComboBoxType")->setCurrentIndex(6); });
  Find<QPushButton>("ButtonFilter")->click();
  EXPECT_EQ(app.ViewState().FilterText, "6");
  EXPECT_EQ(RowNames().size(), 4u);  // the test file has traditional caches only
  AnswerFilter(kFilterArchived, [](QWidget* d) { d->findChild<QRadioButton*>("RadioButtonYes")->setChecked(true); });
  Find<QPushButton>("ButtonFilter")->click();
  EXPECT_EQ(app.ViewState().FilterText, "yes");
  EXPECT_EQ(RowNames(), Names{"GC3CCC"});
  AnswerFilter(kFilterContainer,
               [](QWidget* d) { d->findChild<QComboBox*>("ComboBoxSizes")->setEditText("Not Chosen"); });
  Find<QPushButton>("ButtonFilter")->click();
  EXPECT_EQ(app.ViewState().FilterText, "not chosen");
  EXPECT_TRUE(RowNames().empty());
  // Nothing shown: the button is off and the command does nothing.
  EXPECT_FALSE(Find<QPushButton>("ButtonFilter")->isEnabled());
  app.Action("ActionFilter")->trigger();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(Find<QLabel>("LabelFiltered")->isVisible());
}

// ---- rename ----

TEST_F(ListWindow, RenamePromptShowsPatternAndLegend) {
  TFormApp& app = OpenCaches();
  AnswerFilterText(kFilterName, "gc");
  Find<QPushButton>("ButtonFilter")->click();
  QString caption, prompt, legend;
  int height = 0, buttonTop = 0;
  AnswerNextModal([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    prompt = dialog->findChild<QLineEdit*>("EditSearch")->text();
    legend = dialog->findChild<QLabel*>("LabelDesc")->text();
    height = dialog->height();
    buttonTop = dialog->findChild<QPushButton*>("ButtonCancel")->y();
    dialog->findChild<QPushButton*>("ButtonOk")->click();
  });
  Find<QAction>("MenuRename")->trigger();
  EXPECT_EQ(caption, "Rename Waypoints");
  EXPECT_EQ(prompt, "%n - %u");
  EXPECT_EQ(legend, "%n = name   %d = description   %u = url description");
  EXPECT_EQ(height, 142);
  EXPECT_EQ(buttonTop, 80);
  EXPECT_EQ(questions.captions, std::vector<std::string>{"Is this name OK?"});
  EXPECT_EQ(RowNames(), (Names{"GC2BBB - Mill", "GC1AAA - Bridge", "GC3CCC - Tower"}));
  EXPECT_EQ(app.Session().Store().AllWaypoints().back()->Name, "PK1AAA");
  EXPECT_TRUE(app.Session().ListModified());
}

TEST_F(ListWindow, RenameConfirmationNamesTheFirstRowAndCancelKeepsEveryName) {
  TFormApp& app = OpenCaches();
  app.SetQuestionOverride(nullptr);
  QString boxCaption, boxText;
  AnswerNextModal([&](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("EditSearch")->setText("%n/%d");
    dialog->findChild<QPushButton*>("ButtonOk")->click();
    // The prompt has closed; the confirmation comes next.
    AnswerNextModal([&](QWidget* box) {
      boxCaption = box->windowTitle();
      boxText = box->findChild<QLabel*>("qt_msgbox_label")->text();
      auto* message = qobject_cast<QMessageBox*>(box);
      ASSERT_NE(message, nullptr);
      message->button(QMessageBox::Cancel)->click();
    });
  });
  Find<QAction>("MenuRename")->trigger();
  EXPECT_EQ(boxCaption, "Is this name OK?");
  EXPECT_EQ(boxText, "GC2BBB/Old mill cache");
  EXPECT_EQ(RowNames(), (Names{"GC2BBB", "GC1AAA", "GC3CCC", "PK1AAA"}));
  EXPECT_FALSE(app.Session().ListModified());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ListWindow, RenameWithAnEmptyPatternDoesNothing) {
  TFormApp& app = OpenCaches();
  AnswerPrompt("");
  Find<QAction>("MenuRename")->trigger();
  EXPECT_TRUE(questions.captions.empty());
  EXPECT_EQ(RowNames(), (Names{"GC2BBB", "GC1AAA", "GC3CCC", "PK1AAA"}));
  EXPECT_FALSE(app.Session().ListModified());
}

}  // namespace
}  // namespace quill
