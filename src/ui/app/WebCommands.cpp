// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/WebCommands.h"

#include <QPushButton>

#include "session/ListSession.h"
#include "settings/AppSettings.h"
#include "ui/app/ConverterPanel.h"
#include "ui/list/ListPanel.h"
#include "web/WebLaunch.h"

namespace quill {

TWebCommands::TWebCommands(QObject* parent, ListSession& session, TListPanel& panel, ConverterPanel& converter,
                           const AppSettings& settings)
    : QObject(parent), session_(session), panel_(panel), converter_(converter), settings_(settings) {
  const TListPanel::ListButtons& b = panel_.Buttons();
  connect(b.launch, &QPushButton::clicked, this, &TWebCommands::ButtonLaunchClick);
  connect(b.launchLocal, &QPushButton::clicked, this, &TWebCommands::ButtonLaunchLocalClick);
  connect(b.googleEarth, &QPushButton::clicked, this, &TWebCommands::ButtonGoogleEarthClick);
  connect(converter_.ButtonGoogleMaps(), &QPushButton::clicked, this, &TWebCommands::ButtonGoogleMapsClick);
  connect(converter_.ButtonLiveCom(), &QPushButton::clicked, this, &TWebCommands::ButtonLiveComClick);
}

void TWebCommands::ButtonLaunchClick() {
  session_.Status().SetError(0, "");
  if (const TGpxRecord* record = panel_.SelectedRecord()) LaunchWebLink(session_, *record, settings_.RealWebLink);
}

void TWebCommands::ButtonLaunchLocalClick() {
  session_.Status().SetError(0, "");
  if (const TGpxRecord* record = panel_.SelectedRecord()) ShowCachePage(session_, *record);
}

void TWebCommands::ButtonGoogleEarthClick() {
  session_.Status().SetError(0, "");
  LaunchGoogleEarth(session_);
}

void TWebCommands::ButtonGoogleMapsClick() {
  session_.Status().SetError(0, "");
  LaunchGoogleMaps(session_, converter_.CurrentResultLat(), converter_.CurrentResultLon(), settings_.GmZoomLevel,
                   settings_.GmType);
}

void TWebCommands::ButtonLiveComClick() {
  session_.Status().SetError(0, "");
  LaunchBingMaps(session_, converter_.CurrentResultLat(), converter_.CurrentResultLon());
}

}  // namespace quill
