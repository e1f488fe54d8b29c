// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/WindowQuestions.h"

#include <QApplication>
#include <QMessageBox>

#include "text/QtText.h"
#include "ui/list/FormSelectWpAddMode.h"

namespace quill {
namespace {

// A question must be answerable even while a load shows the hourglass.
class NormalCursor {
 public:
  NormalCursor() : active_(QApplication::overrideCursor() != nullptr) {
    if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }

 private:
  bool active_;
};

// The questions the list and the transfers ask, listed for the catalogue; the
// caption and the question are looked up, the detail (names, counts) is not.
[[maybe_unused]] constexpr const char* kCatalogue[] = {
    QT_TRANSLATE_NOOP("WindowQuestions", "Are you sure?"),
    QT_TRANSLATE_NOOP("WindowQuestions", "Exit without saving list"),
    QT_TRANSLATE_NOOP("WindowQuestions", "Delete waypoint"),
    QT_TRANSLATE_NOOP("WindowQuestions", "Clear the list"),
    QT_TRANSLATE_NOOP("WindowQuestions", "Save"),
    QT_TRANSLATE_NOOP("WindowQuestions", "Save Favorite File"),
    QT_TRANSLATE_NOOP("WindowQuestions", "FTP Upload GPX"),
};

QString Translated(const std::string& text) { return QCoreApplication::translate("WindowQuestions", text.c_str()); }

}  // namespace

WindowQuestions::WindowQuestions(QWidget* parent)
    : parent_(parent), duplicateDialog_(*new TFormSelectWpAddMode(parent)) {}

int WindowQuestions::AskDuplicate(const std::string& name) {
  if (override_) return override_->AskDuplicate(name);
  NormalCursor cursor;
  duplicateDialog_.SetNameText(name);
  duplicateDialog_.exec();
  return duplicateDialog_.Result();
}

bool WindowQuestions::AskYesNo(const std::string& caption, const std::string& text) {
  if (override_) return override_->AskYesNo(caption, text);
  return Ask(caption, text, {});
}

bool WindowQuestions::AskDestructive(const std::string& caption, const std::string& text, const std::string& detail) {
  if (override_) return override_->AskDestructive(caption, text, detail);
  return Ask(caption, text, detail);
}

bool WindowQuestions::Ask(const std::string& caption, const std::string& text, const std::string& detail) {
  NormalCursor cursor;
  QMessageBox box(QMessageBox::Question, Translated(caption), Translated(text), QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setObjectName("QuestionBox");
  if (!detail.empty()) box.setInformativeText(AnsiToQString(detail));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

bool WindowQuestions::ConfirmRename(const std::string& name) {
  if (override_) return override_->ConfirmRename(name);
  NormalCursor cursor;
  // The proposed name is the text; the caption asks.
  QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("WindowQuestions", "Is this name OK?"),
                  AnsiToQString(name), QMessageBox::Ok | QMessageBox::Cancel, parent_);
  box.setObjectName("QuestionBox");
  return box.exec() == QMessageBox::Ok;
}

}  // namespace quill
