#include "map/TMapFormat.h"

#include "app/FormUtil.h"
#include "map/TMap.h"

TMapFormat* MapFormat = nullptr;

TMapFormat::TMapFormat(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TMapFormat", "凡例書式設定", 420, 420, true);
    // Creating the format window puts the default depth classes in force, six of them.
    if (Map) {
        Map->depthBounds = Map->defaultDepthBounds;
        Map->depthColors = Map->defaultDepthColors;
        Map->depthClassCount = 6;
    }
}
