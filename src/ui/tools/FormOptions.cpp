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

#include "net/ScramblePassword.h"
#include "text/QtText.h"
#include "ui/components/CenterOnScreen.h"

namespace quill {
namespace {

constexpr int kColumnWidth = 345;
constexpr int kBoxWidth = 321;
constexpr int kNarrowHeight = 432;
constexpr int kWideHeight = 512;
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

}  // namespace

TFormOptions::TFormOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormOptions");
  setWindowTitle(tr("Options"));
  setModal(true);

  QGroupBox* main = Group(this, "GroupBoxMain", tr(" Main settings "), {8, 8, kColumnWidth, 112});
  warnDel_ = Check(main, "CheckBoxWarnDel", tr("Warning when deleting waypoint"), 20);
  warnExit_ = Check(main, "CheckBoxWarnExit", tr("Warning when exiting without saving"), 42);
  includeGroundspeak_ = Check(main, "CheckBoxIncludeGroundspeak", tr("Include Geocaching Info"), 64);
  realWebLink_ = Check(main, "CheckBoxRealWebLink", tr("Weblink: use real cache website for waypoints"), 86);

  QGroupBox* coords = Group(this, "GroupBoxCoordinates", tr(" Coordinates "), {8, 128, kColumnWidth, 116});
  north_ = Make<QComboBox>(coords, "ComboBoxNorth", {140, 20, 90, 24});
  north_->addItems({tr("North"), tr("South")});
  Label(coords, tr("Default Latitude:"), {12, 22, 124, 20}, north_);
  east_ = Make<QComboBox>(coords, "ComboBoxEast", {140, 50, 90, 24});
  east_->addItems({tr("East"), tr("West")});
  Label(coords, tr("Default Longitude:"), {12, 52, 124, 20}, east_);
  homeCoords_ = Make<QLineEdit>(coords, "EditHomeCoords", {140, 82, 193, 22});
  homeCoords_->setToolTip(tr("Set home coordinates for sorting and filtering"));
  Label(coords, tr("Home Coordinates"), {12, 83, 124, 20}, homeCoords_);

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
  map_ = Make<QRadioButton>(viewMode, "RadioButtonMap", {4, 24, 90, 22});
  map_->setText(tr("Map"));
  satellite_ = Make<QRadioButton>(viewMode, "RadioButtonSatellite", {100, 24, 110, 22});
  satellite_->setText(tr("Satellite"));
  hybrid_ = Make<QRadioButton>(viewMode, "RadioButtonHybrid", {216, 24, 100, 22});
  hybrid_->setText(tr("Hybrid"));
  for (QRadioButton* r : {map_, satellite_, hybrid_}) r->setToolTip(tr("Select favorite default view mode"));

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
  noCheckWhenEmpty_ = Check(groupExpert_, "CheckBoxNoCheckWhenEmpty", tr("Skip check when list is empty"), 104);
  warnSaveFav_ = Check(groupExpert_, "CheckBoxWarnSaveFav", tr("Warning when saving favorites list"), 126);
  warnSaveFtp_ = Check(groupExpert_, "CheckBoxWarnSaveFtp", tr("Warning when saving favorites list on FTP"), 148);
  showArchAv_ = Check(groupExpert_, "CheckBoxShowArchAv", tr("Show Archived and Disabled in list"), 170);
  exportTxtMode_ = Make<QComboBox>(groupExpert_, "ComboBoxExportTxtMode", {140, 202, 120, 24});
  exportTxtMode_->addItems({"WGS84", "ED50", "Bessel", "RD", "Lambert", "UTM", "ECEF"});
  Label(groupExpert_, tr("ExportTxt Mode"), {12, 204, 124, 20}, exportTxtMode_);

  groupFtp_ = Group(this, "GroupBoxFTP", " FTP ", {right, 256, kColumnWidth, 208});
  ftpHost_ = LabeledEdit(groupFtp_, "EditFtpHost", tr("Host"), 20);
  ftpUser_ = LabeledEdit(groupFtp_, "EditFtpUser", tr("User"), 46);
  ftpPassword_ = LabeledEdit(groupFtp_, "EditFtpPassword", tr("Password"), 72);
  ftpPassword_->setEchoMode(QLineEdit::Password);
  ftpDir_ = LabeledEdit(groupFtp_, "EditFtpDir", tr("Remote dir"), 98);
  ftpFilename_ = LabeledEdit(groupFtp_, "EditFtpFilename", tr("Remote filename"), 124);
  ftpProxy_ = LabeledEdit(groupFtp_, "EditFtpProxy", tr("Proxy"), 150);
  ftpProxy_->resize(140, 22);
  ftpProxyPort_ = Make<QLineEdit>(groupFtp_, "EditFtpProxyPort", {270, 150, 63, 22});
  ftpProxyPort_->setToolTip(tr("Proxy port"));
  ftpPassive_ = Check(groupFtp_, "CheckBoxFtpPassive", tr("Passive"), 178);

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

  const AppSettings& v = Values;
  warnDel_->setChecked(v.WarnDel);
  warnExit_->setChecked(v.WarnExit);
  includeGroundspeak_->setChecked(v.IncludeGroudspeak);
  realWebLink_->setChecked(v.RealWebLink);
  // A stored index the box does not have shows its first item.
  north_->setCurrentIndex(v.NorthDefault == 1 ? 1 : 0);
  east_->setCurrentIndex(v.EastDefault == 1 ? 1 : 0);
  homeCoords_->setText(AnsiToQString(v.HomeCoords));
  zoom_->setValue(v.GmZoomLevel);
  (v.GmType == kHybrid ? hybrid_ : v.GmType == kSatellite ? satellite_ : map_)->setChecked(true);

  ShowFileNames();
  noCheckWhenEmpty_->setChecked(v.NoCheckWhenEmpty);
  warnSaveFav_->setChecked(v.WarnSaveFav);
  warnSaveFtp_->setChecked(v.WarnSaveFtp);
  showArchAv_->setChecked(v.ShowArchAv);
  exportTxtMode_->setCurrentIndex(TxtExportMode >= 0 && TxtExportMode < exportTxtMode_->count() ? TxtExportMode : 0);
  ftpHost_->setText(AnsiToQString(v.FtpHost));
  ftpUser_->setText(AnsiToQString(v.FtpUser));
  ftpPassword_->setText(AnsiToQString(ScramblePassword(v.FtpPassword, kFtpPasswordKey, ScrambleDirection::Subtract)));
  ftpDir_->setText(AnsiToQString(v.FtpRemDirFav));
  ftpFilename_->setText(AnsiToQString(v.FtpRemFilenameFav));
  ftpProxy_->setText(AnsiToQString(v.FtpProxy));
  ftpProxyPort_->setText(QString::number(v.FtpProxyPort));
  ftpPassive_->setChecked(v.FtpPassive != 0);
}

void TFormOptions::ButtonOkClick() {
  AppSettings& v = Values;
  v.WarnDel = warnDel_->isChecked();
  v.WarnExit = warnExit_->isChecked();
  v.IncludeGroudspeak = includeGroundspeak_->isChecked();
  v.RealWebLink = realWebLink_->isChecked();
  v.NorthDefault = north_->currentIndex();
  v.EastDefault = east_->currentIndex();
  v.HomeCoords = QStringToAnsi(homeCoords_->text());
  v.GmZoomLevel = zoom_->value();
  if (map_->isChecked()) v.GmType = kMap;
  if (satellite_->isChecked()) v.GmType = kSatellite;
  if (hybrid_->isChecked()) v.GmType = kHybrid;
  // Hidden groups pass their values through as they came, byte for byte.
  if (ExtendedMode) {
    v.NoCheckWhenEmpty = noCheckWhenEmpty_->isChecked();
    v.WarnSaveFav = warnSaveFav_->isChecked();
    v.WarnSaveFtp = warnSaveFtp_->isChecked();
    v.ShowArchAv = showArchAv_->isChecked();
    TxtExportMode = exportTxtMode_->currentIndex();
    v.FtpHost = QStringToAnsi(ftpHost_->text());
    v.FtpUser = QStringToAnsi(ftpUser_->text());
    v.FtpPassword = ScramblePassword(QStringToAnsi(ftpPassword_->text()), kFtpPasswordKey, ScrambleDirection::Add);
    v.FtpRemDirFav = QStringToAnsi(ftpDir_->text());
    v.FtpRemFilenameFav = QStringToAnsi(ftpFilename_->text());
    v.FtpProxy = QStringToAnsi(ftpProxy_->text());
    v.FtpProxyPort = ProxyPortFromText(QStringToAnsi(ftpProxyPort_->text()));
    v.FtpPassive = ftpPassive_->isChecked() ? 1 : 0;
  }
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
