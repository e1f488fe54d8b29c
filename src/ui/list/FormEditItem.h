// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormEditItem: the waypoint edit dialog. It walks the shown rows of the
// session from CurrentRow, stores a changed record before stepping, and on OK
// stores the shown one; coordinates that do not read keep it on the record.
// Afterwards the window reads AnyStored and CurrentRow.
// What a store does (which fields count as changed, URL completion, the
// one-record GPX file) is the session's; the dialog holds the widgets.
#include <QDialog>
#include <functional>

#include "session/EditItem.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quill {

class ListSession;
class TUlkEdit;
class TUlkMemo;

class TFormEditItem : public QDialog {
  Q_OBJECT
 public:
  explicit TFormEditItem(ListSession& session, QWidget* parent = nullptr);

  // Set before showing.
  int CurrentRow = 0;
  // The cache link of a code, for URL completion (none: no completion).
  CacheLinkFn CacheLink;
  // "Show Cache Info" for a record with cache data.
  std::function<void(const TGpxRecord&)> ShowCacheInfo;

  // Read after closing.
  bool AnyStored = false;
  bool Modified = false;

  void Load();
  // False when the coordinates typed do not read: nothing was stored, the
  // field is marked and the dialog says why.
  bool Store();
  void BitBtnFirstClick();
  void BitBtnPrevClick();
  void BitBtnNextClick();
  void BitBtnLastClick();
  void ButtonOkClick();
  void ButtonGroundspeakClick();
  void ButtonSaveGpxClick();

  QFileDialog& SaveDialog();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int RowCount() const;
  const TGpxRecord* Record() const;
  EditItemFields Fields() const;
  void TypeChanged();
  void FoundClicked();
  void Step(int row);
  // Marks the coordinate fields the user changed (they do not read), or
  // clears every mark.
  void MarkUnread(bool north, bool east);

  ListSession& session_;
  // What the fields held right after loading: the measure of a change.
  EditItemFields shown_;
  bool loading_ = false;
  bool centred_ = false;

  QLineEdit* editN_;
  QLineEdit* editE_;
  QLineEdit* editNaam_;
  QComboBox* type_;
  TUlkMemo* memoDesc_;
  QLineEdit* editUrlName_;
  QLineEdit* editUrl_;
  TUlkMemo* memoCmt_;
  QLineEdit* editSym_;
  QCheckBox* found_;
  TUlkEdit* timeStamp_;
  QLabel* recordCount_;
  QPushButton* first_;
  QPushButton* prev_;
  QPushButton* next_;
  QPushButton* last_;
  QPushButton* groundspeak_;
  QLabel* problem_;
  QFileDialog* saveDialog_ = nullptr;
};

}  // namespace quill
