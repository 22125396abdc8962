#pragma once
// The main window, the map and the file and external-list windows over a scratch
// DATA folder with a small catalogue and a synthetic map.

#include <memory>

#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "external/TEqAdd.h"
#include "external/TExtFile.h"
#include "search/TDirec.h"
#include "search/TFileOut.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

namespace kavelo::test {

class ExternalWindows {
  public:
    UiFixture fx;
    std::unique_ptr<MapWindowSet> windows;

    explicit ExternalWindows(const std::vector<EarthquakeRecord>& geppo) {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3315, 13315, 10, 60, "OLD")}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf(geppo));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<MapWindowSet>();
        if (!windows->ok()) return;
        FileOut = new TFileOut;
        Direc = new TDirec;
        ExtFile = new TExtFile;
        EqAdd = new TEqAdd;
    }
    ~ExternalWindows() {
        delete EqAdd;
        delete ExtFile;
        delete Direc;
        delete FileOut;
        EqAdd = nullptr;
        ExtFile = nullptr;
        Direc = nullptr;
        FileOut = nullptr;
        windows.reset();
    }
    bool ok() const { return windows->ok() && ExtFile; }

    // Reads a list written into the scratch folder in format 1 ... 4.
    bool readList(int format, const std::string& name, const std::string& bytes) {
        fx.dir.write(name, bytes);
        ExtFile->RadioGroup1->setItemIndex(format - 1);
        return ExtFile->readFile(QString::fromStdString(fx.dir.file(name)));
    }
};

}  // namespace kavelo::test
