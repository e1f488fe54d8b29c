// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command of the map window (View > Map): the window, made at start-up
// and hidden, and the place it had when it last closed, kept in the settings.
#include <QObject>

#include "ui/map/FormMap.h"

class QWidget;

namespace quill {

class ListSession;
class TUlkRegistry;
struct AppSettings;

class TMapCommands : public QObject {
  Q_OBJECT
 public:
  // settings and registry: the window's, where the place is written.
  TMapCommands(QWidget* window, ListSession& session, MapWindowLinks links, AppSettings& settings,
               TUlkRegistry& registry);
  ~TMapCommands() override;

  TFormMap& MapWindow() { return *map_; }
  void ActionMapExecute();

 private:
  TFormMap* map_;
};

}  // namespace quill
