// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tools/FormOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <variant>

#include "net/ScramblePassword.h"
#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"

namespace quill {
namespace {

constexpr int kColumnWidth = 345;
constexpr int kBoxWidth = 321;
constexpr int kNarrowHeight = 544;
constexpr int kWideHeight = 552;
constexpr int kMinZoom = 9;
constexpr int kMaxZoom = 17;
constexpr int kMap = 'm';
constexpr int kSatellite = 'k';
constexpr int kHybrid = 'h';

template <class W>
W* Make(QWidget* parent, const char* name, QRect geometry) {
  auto* w = new W(parent);
  w->setObjectName(name);
  w->setGeometry(geometry);
  return w;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, int top) {
  auto* c = Make<QCheckBox>(parent, name, {12, top, kBoxWidth, 22});
  c->setText(caption);
  return c;
}

QLabel* Label(QWidget* parent, const QString& text, QRect geometry, QWidget* buddy = nullptr) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(geometry);
  if (buddy) l->setBuddy(buddy);
  return l;
}

QLineEdit* LabeledEdit(QWidget* parent, const char* name, const QString& caption, int top) {
  auto* e = Make<QLineEdit>(parent, name, {124, top, 209, 22});
  Label(parent, caption, {12, top + 1, 108, 20}, e);
  return e;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title, QRect geometry) {
  auto* g = Make<QGroupBox>(parent, name, geometry);
  g->setTitle(title);
  return g;
}

// Properties by which a control tells how it holds its setting: an edit
// shows the plain text of a scrambled value, or takes its text without the
// blanks around it; a radio button stands for a value.
constexpr const char* kScrambled = "scrambledSetting";
constexpr const char* kTrimmed = "trimmedSetting";
constexpr const char* kChoice = "settingChoice";

using A = AppSettings;

// A flag or number setting as a number, and back.
std::int32_t NumberOf(const A& v, const SettingMember& member) {
  if (const auto* flag = std::get_if<bool A::*>(&member)) return v.**flag ? 1 : 0;
  if (const auto* number = std::get_if<std::int32_t A::*>(&member)) return v.**number;
  return 0;
}

void SetNumber(A& v, const SettingMember& member, std::int32_t n) {
  if (const auto* flag = std::get_if<bool A::*>(&member)) v.** flag = n != 0;
  if (const auto* number = std::get_if<std::int32_t A::*>(&member)) v.** number = n;
}

QList<QRadioButton*> Choices(QWidget* panel) { return panel->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly); }

void ShowSetting(QWidget* w, const SettingMember& member, const A& v) {
  if (const auto* text = std::get_if<std::string A::*>(&member)) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    const std::string& value = v.**text;
    edit->setText(AnsiToQString(edit->property(kScrambled).toBool()
                                    ? ScramblePassword(value, kFtpPasswordKey, ScrambleDirection::Subtract)
                                    : value));
    return;
  }
  const std::int32_t n = NumberOf(v, member);
  if (auto* box = qobject_cast<QCheckBox*>(w)) {
    box->setChecked(n != 0);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    // A stored index the box does not have shows its first item.
    combo->setCurrentIndex(n >= 0 && n < combo->count() ? n : 0);
  } else if (auto* slider = qobject_cast<QSlider*>(w)) {
    slider->setValue(n);
  } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
    spin->setValue(n);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(QString::number(n));
  } else {
    // A value no button stands for shows the first.
    const QList<QRadioButton*> choices = Choices(w);
    auto it = std::find_if(choices.begin(), choices.end(),
                           [n](QRadioButton* r) { return r->property(kChoice).toInt() == n; });
    if (it == choices.end()) it = choices.begin();
    if (it != choices.end()) (*it)->setChecked(true);
  }
}

void TakeSetting(QWidget* w, const SettingMember& member, A& v) {
  if (const auto* text = std::get_if<std::string A::*>(&member)) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    const std::string value = QStringToAnsi(edit->property(kTrimmed).toBool() ? edit->text().trimmed() : edit->text());
    v.** text =
        edit->property(kScrambled).toBool() ? ScramblePassword(value, kFtpPasswordKey, ScrambleDirection::Add) : value;
    return;
  }
  if (auto* box = qobject_cast<QCheckBox*>(w)) {
    SetNumber(v, member, box->isChecked() ? 1 : 0);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    SetNumber(v, member, combo->currentIndex());
  } else if (auto* slider = qobject_cast<QSlider*>(w)) {
    SetNumber(v, member, slider->value());
  } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
    SetNumber(v, member, spin->value());
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    // The only number typed as text is a port.
    SetNumber(v, member, ProxyPortFromText(QStringToAnsi(edit->text())));
  } else {
    for (QRadioButton* r : Choices(w)) {
      if (r->isChecked()) SetNumber(v, member, r->property(kChoice).toInt());
    }
  }
}

}  // namespace

TFormOptions::TFormOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormOptions");
  setWindowTitle(tr("Options"));
  setModal(true);

  QGroupBox* main = Group(this, "GroupBoxMain", tr(" Main settings "), {8, 8, kColumnWidth, 112});
  Check(main, "CheckBoxWarnDel", tr("Warning when deleting waypoint"), 20);
  Check(main, "CheckBoxWarnExit", tr("Warning when exiting without saving"), 42);
  Check(main, "CheckBoxIncludeGroundspeak", tr("Include Geocaching Info"), 64);
  Check(main, "CheckBoxRealWebLink", tr("Weblink: use real cache website for waypoints"), 86);

  QGroupBox* coords = Group(this, "GroupBoxCoordinates", tr(" Coordinates "), {8, 128, kColumnWidth, 116});
  auto* north = Make<QComboBox>(coords, "ComboBoxNorth", {140, 20, 90, 24});
  north->addItems({tr("North"), tr("South")});
  Label(coords, tr("Default Latitude:"), {12, 22, 124, 20}, north);
  auto* east = Make<QComboBox>(coords, "ComboBoxEast", {140, 50, 90, 24});
  east->addItems({tr("East"), tr("West")});
  Label(coords, tr("Default Longitude:"), {12, 52, 124, 20}, east);
  auto* homeCoords = Make<QLineEdit>(coords, "EditHomeCoords", {140, 82, 193, 22});
  homeCoords->setToolTip(tr("Set home coordinates for sorting and filtering"));
  Label(coords, tr("Home Coordinates"), {12, 83, 124, 20}, homeCoords);

  QGroupBox* maps = Group(this, "GroupBoxGoogleMaps", tr(" Google Maps "), {8, 252, kColumnWidth, 132});
  Label(maps, tr("Zoomlevel"), {12, 20, 120, 20});
  zoom_ = Make<QSlider>(maps, "TrackBarZoom", {12, 40, 236, 30});
  zoom_->setOrientation(Qt::Horizontal);
  zoom_->setRange(kMinZoom, kMaxZoom);
  zoom_->setSingleStep(1);
  zoom_->setPageStep(1);
  zoom_->setTickInterval(1);
  zoom_->setTickPosition(QSlider::TicksBelow);
  zoom_->setToolTip(tr("Set zoomlevel for Google Maps. "));
  auto* zoomDefault = Make<QPushButton>(maps, "ButtonZoomDefault", {258, 42, 75, 25});
  zoomDefault->setText(tr("Default"));
  zoomDefault->setAutoDefault(false);
  auto* viewMode = Make<QWidget>(maps, "PanelViewMode", {8, 74, 329, 52});
  viewMode->setToolTip(tr("Select favorite default view mode"));
  Label(viewMode, tr("View mode"), {4, 2, 120, 20});
  auto* map = Make<QRadioButton>(viewMode, "RadioButtonMap", {4, 24, 90, 22});
  map->setText(tr("Map"));
  auto* satellite = Make<QRadioButton>(viewMode, "RadioButtonSatellite", {100, 24, 110, 22});
  satellite->setText(tr("Satellite"));
  auto* hybrid = Make<QRadioButton>(viewMode, "RadioButtonHybrid", {216, 24, 100, 22});
  hybrid->setText(tr("Hybrid"));
  for (QRadioButton* r : {map, satellite, hybrid}) r->setToolTip(tr("Select favorite default view mode"));
  map->setProperty(kChoice, kMap);
  satellite->setProperty(kChoice, kSatellite);
  hybrid->setProperty(kChoice, kHybrid);

  QGroupBox* tiles = Group(this, "GroupBoxMap", tr(" Map "), {8, 392, kColumnWidth, 104});
  auto* mapTileUrl = Make<QLineEdit>(tiles, "EditMapTileUrl", {124, 20, 209, 22});
  mapTileUrl->setToolTip(tr("Address of the map tiles with {z}, {x} and {y}; empty for no tiles"));
  mapTileUrl->setProperty(kTrimmed, true);
  Label(tiles, tr("Tile address"), {12, 21, 108, 20}, mapTileUrl);
  auto* mapAttribution = Make<QLineEdit>(tiles, "EditMapAttribution", {124, 46, 209, 22});
  mapAttribution->setToolTip(tr("Shown on the map, as the tile server asks"));
  Label(tiles, tr("Attribution"), {12, 47, 108, 20}, mapAttribution);
  auto* mapCacheSize = Make<QSpinBox>(tiles, "SpinBoxMapCacheSize", {124, 72, 110, 24});
  mapCacheSize->setRange(0, kMaxMapCacheMB);
  mapCacheSize->setSuffix(tr(" MB"));
  mapCacheSize->setToolTip(tr("Disk space kept for map tiles; 0 keeps none"));
  Label(tiles, tr("Tile cache"), {12, 74, 108, 20}, mapCacheSize);

  const int right = 8 + kColumnWidth + 8;
  groupExpert_ = Group(this, "GroupBoxExpert", tr(" Expert Settings "), {right, 8, kColumnWidth, 240});
  auto* favorite = Make<QPushButton>(groupExpert_, "ButtonFavorite", {303, 18, 30, 24});
  favorite->setText("...");
  favorite->setAutoDefault(false);
  Label(groupExpert_, tr("Set Favorite File"), {12, 20, 280, 20});
  favoriteFile_ = Make<QLabel>(groupExpert_, "LabelFavoriteFile", {12, 40, kBoxWidth, 18});
  auto* archive = Make<QPushButton>(groupExpert_, "ButtonArchive", {303, 60, 30, 24});
  archive->setText("...");
  archive->setAutoDefault(false);
  Label(groupExpert_, tr("Set Archive File"), {12, 62, 280, 20});
  archiveFile_ = Make<QLabel>(groupExpert_, "LabelArchiveFile", {12, 82, kBoxWidth, 18});
  for (QLabel* l : {favoriteFile_, archiveFile_}) l->setForegroundRole(QPalette::PlaceholderText);
  Check(groupExpert_, "CheckBoxNoCheckWhenEmpty", tr("Skip check when list is empty"), 104);
  Check(groupExpert_, "CheckBoxWarnSaveFav", tr("Warning when saving favorites list"), 126);
  Check(groupExpert_, "CheckBoxWarnSaveFtp", tr("Warning when saving favorites list on FTP"), 148);
  Check(groupExpert_, "CheckBoxShowArchAv", tr("Show Archived and Disabled in list"), 170);
  exportTxtMode_ = Make<QComboBox>(groupExpert_, "ComboBoxExportTxtMode", {140, 202, 120, 24});
  exportTxtMode_->addItems({"WGS84", "ED50", "Bessel", "RD", "Lambert", "UTM", "ECEF"});
  Label(groupExpert_, tr("ExportTxt Mode"), {12, 204, 124, 20}, exportTxtMode_);

  groupFtp_ = Group(this, "GroupBoxFTP", " FTP ", {right, 256, kColumnWidth, 208});
  LabeledEdit(groupFtp_, "EditFtpHost", tr("Host"), 20);
  LabeledEdit(groupFtp_, "EditFtpUser", tr("User"), 46);
  auto* ftpPassword = LabeledEdit(groupFtp_, "EditFtpPassword", tr("Password"), 72);
  ftpPassword->setEchoMode(QLineEdit::Password);
  ftpPassword->setProperty(kScrambled, true);
  LabeledEdit(groupFtp_, "EditFtpDir", tr("Remote dir"), 98);
  LabeledEdit(groupFtp_, "EditFtpFilename", tr("Remote filename"), 124);
  auto* ftpProxy = LabeledEdit(groupFtp_, "EditFtpProxy", tr("Proxy"), 150);
  ftpProxy->resize(140, 22);
  auto* ftpProxyPort = Make<QLineEdit>(groupFtp_, "EditFtpProxyPort", {270, 150, 63, 22});
  ftpProxyPort->setToolTip(tr("Proxy port"));
  Check(groupFtp_, "CheckBoxFtpPassive", tr("Passive"), 178);

  buttonOk_ = Make<QPushButton>(this, "ButtonOk", {0, 0, 75, 25});
  buttonOk_->setText(tr("OK"));
  buttonOk_->setDefault(true);
  buttonCancel_ = Make<QPushButton>(this, "ButtonCancel", {0, 0, 75, 25});
  buttonCancel_->setText(tr("Cancel"));
  buttonCancel_->setAutoDefault(false);

  connect(buttonOk_, &QPushButton::clicked, this, &TFormOptions::ButtonOkClick);
  connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(zoomDefault, &QPushButton::clicked, this, &TFormOptions::ButtonZoomDefaultClick);
  connect(favorite, &QPushButton::clicked, this, &TFormOptions::ButtonFavoriteClick);
  connect(archive, &QPushButton::clicked, this, &TFormOptions::ButtonArchiveClick);
}

void TFormOptions::showEvent(QShowEvent* event) {
  FormShow();
  CenterOnScreen(this);
  QDialog::showEvent(event);
}

void TFormOptions::FormShow() {
  groupExpert_->setVisible(ExtendedMode);
  groupFtp_->setVisible(ExtendedMode);
  if (ExtendedMode) {
    setFixedSize(kWideWidth, kWideHeight);
    buttonOk_->move(kWideWidth - 8 - 75 - 5 - 75 - 5, kWideHeight - 40);
    buttonCancel_->move(kWideWidth - 8 - 75 - 5, kWideHeight - 40);
  } else {
    setFixedSize(kNarrowWidth, kNarrowHeight);
    buttonOk_->move(192, kNarrowHeight - 36);
    buttonCancel_->move(272, kNarrowHeight - 36);
  }

  for (const SettingRow& row : SettingRows()) {
    if (QWidget* w = Control(row)) ShowSetting(w, row.member, Values);
  }
  ShowFileNames();
  exportTxtMode_->setCurrentIndex(TxtExportMode >= 0 && TxtExportMode < exportTxtMode_->count() ? TxtExportMode : 0);
}

QWidget* TFormOptions::Control(const SettingRow& row) const {
  if (row.control.empty()) return nullptr;
  return findChild<QWidget*>(QString::fromLatin1(row.control.data(), static_cast<qsizetype>(row.control.size())));
}

void TFormOptions::ButtonOkClick() {
  for (const SettingRow& row : SettingRows()) {
    QWidget* w = Control(row);
    // Hidden groups pass their values through as they came, byte for byte.
    if (!w || (!ExtendedMode && (groupExpert_->isAncestorOf(w) || groupFtp_->isAncestorOf(w)))) continue;
    TakeSetting(w, row.member, Values);
  }
  if (ExtendedMode) TxtExportMode = exportTxtMode_->currentIndex();
  accept();
}

void TFormOptions::ButtonZoomDefaultClick() { zoom_->setValue(kDefaultZoom); }

QFileDialog& TFormOptions::FileDialog() {
  if (!fileDialog_) {
    fileDialog_ = new QFileDialog(this);
    fileDialog_->setObjectName("OpenDialogSetting");
    fileDialog_->setOption(QFileDialog::DontUseNativeDialog);
    fileDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // A favorite or archive file that does not exist yet may be named.
    fileDialog_->setFileMode(QFileDialog::AnyFile);
  }
  return *fileDialog_;
}

bool TFormOptions::ChooseFile(const QString& filter, const QString& suffix, std::string& current) {
  QFileDialog& d = FileDialog();
  d.setNameFilter(filter);
  d.setDefaultSuffix(suffix);
  const QString path = AnsiToQString(current);
  if (!path.isEmpty()) {
    QFileInfo info(path);
    d.setDirectory(info.absolutePath());
    d.selectFile(info.fileName());
  } else {
    d.selectFile(QString());
  }
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return false;
  current = QStringToAnsi(d.selectedFiles().first());
  ShowFileNames();
  return true;
}

void TFormOptions::ButtonFavoriteClick() { ChooseFile(tr("Waypoint files (*.gpx)"), "gpx", Values.FavoriteFile); }

void TFormOptions::ButtonArchiveClick() { ChooseFile(tr("Waypoint files (*.txt)"), "txt", Values.ArchiveFile); }

void TFormOptions::ShowFileNames() {
  favoriteFile_->setText(AnsiToQString(Values.FavoriteFile));
  favoriteFile_->setToolTip(favoriteFile_->text());
  archiveFile_->setText(AnsiToQString(Values.ArchiveFile));
  archiveFile_->setToolTip(archiveFile_->text());
}

}  // namespace quill
