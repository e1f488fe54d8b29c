// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/FormEditItem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "formats/FormatTable.h"
#include "geo/CoordCheck.h"
#include "session/ListSession.h"
#include "text/QtText.h"
#include "text/TextHelpers.h"
#include "ui/components/CenterOnScreen.h"
#include "ui/components/UlkEdit.h"
#include "ui/components/UlkMemo.h"
#include "ui/list/TypeIcons.h"

namespace quill {
namespace {

template <class W>
W* Make(QWidget* parent, const char* name, const QString& hint = {}) {
  auto* w = new W(parent);
  w->setObjectName(name);
  if (!hint.isEmpty()) w->setToolTip(hint);
  return w;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QPushButton* PictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture) {
  QPushButton* b = Button(parent, name, QString());
  b->setIcon(parent->style()->standardIcon(picture));
  b->setFixedWidth(36);
  return b;
}

// A file name offered for a waypoint name: no folder separators.
QString OfferedFileName(const std::string& name) {
  QString offered = AnsiToQString(name);
  offered.replace('/', '_');
  return offered + ".gpx";
}

}  // namespace

TFormEditItem::TFormEditItem(ListSession& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), session_(session) {
  setObjectName("FormEditItem");
  setWindowTitle(tr("Edit"));
  setModal(true);

  editN_ = Make<QLineEdit>(this, "EditN", tr("North coordinate"));
  editE_ = Make<QLineEdit>(this, "EditE", tr("East coordinate."));
  editNaam_ = Make<QLineEdit>(this, "EditNaam", tr("Name."));
  QFont bold = editNaam_->font();
  bold.setBold(true);
  editNaam_->setFont(bold);
  type_ = Make<QComboBox>(this, "MCoPImageComboBoxType", tr("Waypoint type."));
  type_->setIconSize(QSize(16, 16));
  for (int t = 0; t < kTypeCodeCount; ++t) type_->addItem(TypeIcon(t), AnsiToQString(TypeName(t)));
  type_->setMaxVisibleItems(kTypeCodeCount);
  memoDesc_ = Make<TUlkMemo>(this, "MemoDesc", tr("Description. (This may consist of multiple lines.)"));
  editUrlName_ = Make<QLineEdit>(this, "EditUrlName", tr("URL description."));
  editUrl_ = Make<QLineEdit>(this, "EditUrl",
                             tr("URL. (If you enter the geocaching code here or in the 'Name' or 'Url desc' field, it "
                                "will generate the URL for you)."));
  memoCmt_ = Make<TUlkMemo>(this, "MemoCmt", tr("Comment. (This may consist of multiple lines.)"));
  for (TUlkMemo* m : {memoDesc_, memoCmt_}) m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editSym_ = Make<QLineEdit>(this, "EditSym", tr("Waypoint Symbol"));
  found_ = Make<QCheckBox>(this, "CheckBoxFound", tr("Geocache found or not."));
  found_->setText(tr("Found"));
  timeStamp_ = Make<TUlkEdit>(this, "EditTimeStamp");
  timeStamp_->SetEnabled(false);

  recordCount_ = Make<QLabel>(this, "LabelRecordCount");
  recordCount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette maroon = recordCount_->palette();
  maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
  recordCount_->setPalette(maroon);
  recordCount_->setFont(bold);
  first_ = PictureButton(this, "BitBtnFirst", QStyle::SP_MediaSkipBackward);
  prev_ = PictureButton(this, "BitBtnPrev", QStyle::SP_MediaSeekBackward);
  next_ = PictureButton(this, "BitBtnNext", QStyle::SP_MediaSeekForward);
  last_ = PictureButton(this, "BitBtnLast", QStyle::SP_MediaSkipForward);
  groundspeak_ = Button(this, "ButtonGroundspeak", tr("Show Cache Info"));
  problem_ = Make<QLabel>(this, "LabelNotAPosition");
  problem_->setAutoFillBackground(true);
  problem_->setContentsMargins(4, 2, 4, 2);
  problem_->setTextFormat(Qt::PlainText);
  QPalette error = problem_->palette();
  // The status bar's error colours.
  error.setColor(QPalette::Window, QColor(204, 0, 0));
  error.setColor(QPalette::WindowText, Qt::white);
  problem_->setPalette(error);
  problem_->hide();
  QPushButton* saveGpx = Button(this, "ButtonSaveGpx", tr("Save GPX"));
  QPushButton* ok = Button(this, "ButtonOk", tr("OK"));
  ok->setDefault(true);
  QPushButton* cancel = Button(this, "ButtonCancel", tr("Cancel"));

  auto label = [this](const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    return l;
  };
  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(label(tr("Latitude (N)"), editN_), row, 0);
  grid->addWidget(editN_, row, 1);
  grid->addWidget(label(tr("Longitude (E)"), editE_), row, 2);
  grid->addWidget(editE_, row++, 3);
  grid->addWidget(label(tr("Name"), editNaam_), row, 0);
  grid->addWidget(editNaam_, row++, 1, 1, 3);
  grid->addWidget(label(tr("Waypoint type"), type_), row, 0);
  grid->addWidget(type_, row, 1);
  grid->addWidget(found_, row++, 3);
  grid->addWidget(label(tr("Description"), memoDesc_), row, 0, Qt::AlignTop);
  grid->addWidget(memoDesc_, row, 1, 1, 3);
  grid->setRowStretch(row++, 2);
  grid->addWidget(label(tr("URL desc"), editUrlName_), row, 0);
  grid->addWidget(editUrlName_, row++, 1, 1, 3);
  grid->addWidget(label(tr("URL"), editUrl_), row, 0);
  grid->addWidget(editUrl_, row++, 1, 1, 3);
  grid->addWidget(label(tr("Comment"), memoCmt_), row, 0, Qt::AlignTop);
  grid->addWidget(memoCmt_, row, 1, 1, 3);
  grid->setRowStretch(row++, 1);
  grid->addWidget(label(tr("Symbol"), editSym_), row, 0);
  grid->addWidget(editSym_, row, 1);
  grid->addWidget(label(tr("Timestamp"), timeStamp_), row, 2);
  grid->addWidget(timeStamp_, row++, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto* top = new QHBoxLayout;
  for (QPushButton* b : {first_, prev_, next_, last_}) top->addWidget(b);
  top->addStretch(1);
  top->addWidget(recordCount_);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(groundspeak_);
  bottom->addWidget(saveGpx);
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid, 1);
  layout->addWidget(problem_);
  layout->addLayout(bottom);
  resize(560, 520);
  // The designed size is the least it can be.
  setMinimumSize(size().expandedTo(minimumSizeHint()));

  for (QLineEdit* e : {editN_, editE_, editNaam_, editUrlName_, editUrl_}) {
    connect(e, &QLineEdit::textChanged, this, [this] { Modified = Modified || !loading_; });
  }
  for (QLineEdit* e : {editN_, editE_}) {
    connect(e, &QLineEdit::textEdited, this, [e] { e->setPalette(QPalette()); });
  }
  for (TUlkMemo* m : {memoDesc_, memoCmt_}) {
    connect(m, &QPlainTextEdit::textChanged, this, [this] { Modified = Modified || !loading_; });
  }
  connect(type_, &QComboBox::activated, this, &TFormEditItem::TypeChanged);
  connect(found_, &QCheckBox::clicked, this, &TFormEditItem::FoundClicked);
  connect(first_, &QPushButton::clicked, this, &TFormEditItem::BitBtnFirstClick);
  connect(prev_, &QPushButton::clicked, this, &TFormEditItem::BitBtnPrevClick);
  connect(next_, &QPushButton::clicked, this, &TFormEditItem::BitBtnNextClick);
  connect(last_, &QPushButton::clicked, this, &TFormEditItem::BitBtnLastClick);
  connect(groundspeak_, &QPushButton::clicked, this, &TFormEditItem::ButtonGroundspeakClick);
  connect(saveGpx, &QPushButton::clicked, this, &TFormEditItem::ButtonSaveGpxClick);
  connect(ok, &QPushButton::clicked, this, &TFormEditItem::ButtonOkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEditItem::showEvent(QShowEvent* event) {
  AnyStored = false;
  Load();
  if (!centred_) {
    centred_ = true;
    CenterOnScreen(this);
  }
  QDialog::showEvent(event);
  editNaam_->setFocus();
}

int TFormEditItem::RowCount() const { return static_cast<int>(session_.Store().ShownWaypoints().size()); }

const TGpxRecord* TFormEditItem::Record() const {
  if (CurrentRow < 0 || CurrentRow >= RowCount()) return nullptr;
  return session_.Store().ShownWaypoints()[static_cast<std::size_t>(CurrentRow)];
}

EditItemFields TFormEditItem::Fields() const {
  EditItemFields f;
  f.north = QStringToAnsi(editN_->text());
  f.east = QStringToAnsi(editE_->text());
  f.name = QStringToAnsi(editNaam_->text());
  f.desc = QStringToAnsi(memoDesc_->toPlainText());
  f.urlName = QStringToAnsi(editUrlName_->text());
  f.url = QStringToAnsi(editUrl_->text());
  f.cmt = QStringToAnsi(memoCmt_->toPlainText());
  f.sym = QStringToAnsi(editSym_->text());
  f.typeCode = type_->currentIndex();
  f.found = found_->isChecked();
  return f;
}

void TFormEditItem::Load() {
  const TGpxRecord* r = Record();
  const int rows = RowCount();
  loading_ = true;
  if (r) {
    const EditItemFields f = EditFieldsOf(*r);
    editN_->setText(AnsiToQString(f.north));
    editE_->setText(AnsiToQString(f.east));
    editNaam_->setText(AnsiToQString(f.name));
    memoDesc_->setPlainText(AnsiToQString(f.desc));
    memoCmt_->setPlainText(AnsiToQString(f.cmt));
    editUrl_->setText(AnsiToQString(f.url));
    editUrlName_->setText(AnsiToQString(f.urlName));
    editSym_->setText(AnsiToQString(f.sym));
    type_->setCurrentIndex(f.typeCode);
    found_->setChecked(f.found);
    found_->setEnabled(IsCacheType(f.typeCode));
    groundspeak_->show();
    groundspeak_->setEnabled(!r->GroundspeakXml.empty());
    timeStamp_->setText(AnsiToQString(IsoDateToText(r->Time)));
    recordCount_->setText(QString("%1 (%2)").arg(CurrentRow + 1).arg(rows));
  }
  first_->setEnabled(CurrentRow > 0);
  prev_->setEnabled(CurrentRow > 0);
  next_->setEnabled(CurrentRow < rows - 1);
  last_->setEnabled(CurrentRow < rows - 1);
  loading_ = false;
  MarkUnread(false, false);
  // The widgets' own reading of the texts is the measure of a change.
  shown_ = Fields();
  Modified = false;
}

bool TFormEditItem::Store() {
  const TGpxRecord* r = Record();
  if (!r) return true;
  const EditItemFields now = Fields();
  if (!session_.StoreEdit(r, shown_, now, CacheLink)) {
    MarkUnread(now.north != shown_.north, now.east != shown_.east);
    problem_->setText(AnsiToQString(kNotAPosition + UnreadPositionText(shown_, now)));
    problem_->show();
    return false;
  }
  // What was said of the coordinates no longer holds.
  if (!problem_->isHidden()) {
    problem_->hide();
    session_.Status().SetError(0, "");
  }
  AnyStored = true;
  return true;
}

void TFormEditItem::MarkUnread(bool north, bool east) {
  if (!north && !east) problem_->hide();
  QLineEdit* first = nullptr;
  for (auto [edit, marked] : {std::pair{editN_, north}, std::pair{editE_, east}}) {
    if (!marked) {
      edit->setPalette(QPalette());  // the dialog's again
      continue;
    }
    // The field's own background turned towards red: the text stays
    // readable in light and dark themes alike.
    QPalette pal = palette();
    const QColor base = pal.color(QPalette::Base);
    pal.setColor(QPalette::Base, QColor((base.red() * 3 + 255 * 2) / 5, base.green() * 3 / 5, base.blue() * 3 / 5));
    edit->setPalette(pal);
    if (!first) first = edit;
  }
  if (first) {
    first->setFocus();
    first->selectAll();
  }
}

void TFormEditItem::TypeChanged() {
  const int type = type_->currentIndex();
  found_->setEnabled(IsCacheType(type));
  editSym_->setText(AnsiToQString(DefaultSymbol(type, found_->isChecked())));
  Modified = true;
}

void TFormEditItem::FoundClicked() {
  editSym_->setText(AnsiToQString(DefaultSymbol(type_->currentIndex(), found_->isChecked())));
  Modified = true;
}

void TFormEditItem::Step(int row) {
  if (Modified && !Store()) return;
  CurrentRow = row;
  Load();
}

void TFormEditItem::BitBtnFirstClick() { Step(0); }
void TFormEditItem::BitBtnPrevClick() { Step(CurrentRow > 0 ? CurrentRow - 1 : CurrentRow); }
void TFormEditItem::BitBtnNextClick() { Step(CurrentRow < RowCount() - 1 ? CurrentRow + 1 : CurrentRow); }
void TFormEditItem::BitBtnLastClick() { Step(RowCount() - 1); }

void TFormEditItem::ButtonOkClick() {
  if (Store()) accept();
}

void TFormEditItem::ButtonGroundspeakClick() {
  const TGpxRecord* r = Record();
  if (r && ShowCacheInfo) ShowCacheInfo(*r);
}

QFileDialog& TFormEditItem::SaveDialog() {
  if (!saveDialog_) {
    saveDialog_ = new QFileDialog(this);
    saveDialog_->setObjectName("SaveDialog");
    saveDialog_->setOption(QFileDialog::DontUseNativeDialog);
    saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
    const FileFormat& gpx = *FormatForCode(kFormatGpx);
    const QString extension = QString::fromLatin1(gpx.extension.data(), static_cast<qsizetype>(gpx.extension.size()));
    saveDialog_->setNameFilter(
        QString::fromLatin1(gpx.filterName.data(), static_cast<qsizetype>(gpx.filterName.size())) + " (*" + extension +
        ")");
    saveDialog_->setDefaultSuffix(extension.mid(1));
  }
  return *saveDialog_;
}

void TFormEditItem::ButtonSaveGpxClick() {
  const TGpxRecord* r = Record();
  if (!r) return;
  QFileDialog& d = SaveDialog();
  d.setDirectory(QFile::decodeName(QByteArray::fromStdString(session_.Settings().savePathGpx)));
  d.selectFile(OfferedFileName(r->Name));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
  // The record as held in the list: edits not stored yet are not in the file.
  session_.SaveRecordGpx(QFile::encodeName(d.selectedFiles().first()).toStdString(), *r);
}

}  // namespace quill
