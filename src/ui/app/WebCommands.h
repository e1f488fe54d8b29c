// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's web buttons: "Web Link", "Local" and "Google Earth" of the
// list, "Google Maps" and "VE" of the converter. Each clears the status bar
// and hands the work to the core's launches on the session.
#include <QObject>

namespace quill {

class ConverterPanel;
class ListSession;
class TListPanel;
struct AppSettings;

class TWebCommands : public QObject {
  Q_OBJECT
 public:
  // settings: read at each press (RealWebLink, GmZoomLevel, GmType).
  TWebCommands(QObject* parent, ListSession& session, TListPanel& panel, ConverterPanel& converter,
               const AppSettings& settings);

  void ButtonLaunchClick();
  void ButtonLaunchLocalClick();
  void ButtonGoogleEarthClick();
  void ButtonGoogleMapsClick();
  void ButtonLiveComClick();

 private:
  ListSession& session_;
  TListPanel& panel_;
  ConverterPanel& converter_;
  const AppSettings& settings_;
};

}  // namespace quill
