#pragma once
// What the section windows read from the map and the zone window, and the clipboard
// copy they share.

#include <QString>
#include <functional>

class QImage;
class QWidget;

#include "search/CatalogueSearch.h"
#include "sections/CrossSection.h"
#include "widgets/FormControls.h"

namespace kavelo::ui {

// The zone last selected on the map.
struct ZoneView {
    bool set = false;
    ZoneCorners corners;
    DdmmPoint p1, p2;       // the end points as picked
    DdmmPoint start, end;   // the western (or southern) end first
    QString widthItem;      // the zone window's chosen width item
};
ZoneView mapZone();

// Distance along the map's zone axis at a longitude (degrees), -1 off the axis.
AxisDistanceFn mapAxisDistance();

// Builds a strip on the map from first to second with a half-width in degree-minutes,
// outlining it with the map's current pen mode and setting the map's corners. False
// (after the builder's message) when a corner falls outside the map range.
bool buildMapZone(const DdmmPoint& first, const DdmmPoint& second, int width);
// The corners the map's last build set.
ZoneCorners mapZoneCorners();

// Puts a copy of the picture on the clipboard.
void copyPicture(TImage& image);

// Asks for a file name and saves the picture in the type chosen in the main menu (PNG
// unless BMP), as the map's picture save does. Tests answer through the hook.
void savePictureAs(QWidget* parent, const QImage& picture);
extern std::function<QString()> savePictureNameHook;
// The save buttons' caption for the type chosen in the main menu.
QString savePictureCaption();

}  // namespace kavelo::ui
