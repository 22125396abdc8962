#pragma once
// The main window, the map and the small windows the map talks to, created in the
// program's order over the current folder's DATA, and deleted again afterwards.

#include <QWidget>
#include <initializer_list>

#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "search/TForm1.h"
#include "search/TProcess.h"
#include "search/TStop.h"

namespace kavelo::test {

class MapWindowSet {
public:
    MapWindowSet() {
        Form1 = new TForm1;
        if (!Form1->createdOk()) return;
        Map = new TMap;
        if (!Map->createdOk()) return;
        MagScale = new TMagScale;
        Process = new TProcess;
        MapFormat = new TMapFormat;
        Stop = new TStop;
        Stop->slicePauseMs = 0;  // tests step through slices without pausing
        ok_ = true;
    }
    ~MapWindowSet() {
        for (QWidget* w : std::initializer_list<QWidget*>{Stop, MapFormat, Process, MagScale, Map, Form1})
            delete w;
        Stop = nullptr;
        MapFormat = nullptr;
        Process = nullptr;
        MagScale = nullptr;
        Map = nullptr;
        Form1 = nullptr;
    }
    MapWindowSet(const MapWindowSet&) = delete;
    MapWindowSet& operator=(const MapWindowSet&) = delete;
    // True when the main window and the map started.
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

}  // namespace kavelo::test
