// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/map/MapCommands.h"

#include "settings/AppSettings.h"

namespace quill {

TMapCommands::TMapCommands(QWidget* window, ListSession& session, MapWindowLinks links, AppSettings& settings,
                           TUlkRegistry& registry)
    : QObject(window) {
  links.placeChanged = [&settings, &registry](const QRect& place) {
    settings.MapTop = place.y();
    settings.MapLeft = place.x();
    settings.MapWidth = place.width();
    settings.MapHeight = place.height();
    WriteSettings(registry, settings, SettingGroup::kMapWindow);
  };
  map_ = new TFormMap(session, std::move(links), window);
}

// The window holds references into the session: it goes with its command.
TMapCommands::~TMapCommands() { delete map_; }

void TMapCommands::ActionMapExecute() { map_->ShowMap(); }

}  // namespace quill
