#pragma once
// Calls into other windows' operations that may not exist in every build of the
// program yet: the call compiles to nothing until the operation is there.

#include <QString>
#include <QWidget>

namespace kavelo::ui {

// The map's outline circle for one Catalogue record.
template <typename MapWindow>
void markRecordOnMap(MapWindow* map, int catalogueIndex) {
    if constexpr (requires { map->markRecord(catalogueIndex); }) {
        if (map) map->markRecord(catalogueIndex);
    }
}

// The map's full drawing.
template <typename MapWindow>
void redrawMap(MapWindow* map) {
    if constexpr (requires { map->BtnMapDrawClick(); }) {
        if (map) map->BtnMapDrawClick();
    }
}

// Enables or disables a named child control of a window, if it has one.
inline void setChildEnabled(QWidget* window, const char* name, bool on) {
    if (!window) return;
    if (auto* w = window->findChild<QWidget*>(QString::fromLatin1(name))) w->setEnabled(on);
}

}  // namespace kavelo::ui
