#include "app/Application.h"

#include "analysis/TAnalysis.h"
#include "chronology/TRikaNenpyo.h"
#include "external/TEqAdd.h"
#include "external/TExtFile.h"
#include "help/TAboutBox.h"
#include "help/TDistHelp.h"
#include "help/TExtHelp.h"
#include "help/THowto.h"
#include "help/TMap3DHelp.h"
#include "map/TEngScale.h"
#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "map/TZone.h"
#include "search/TDirec.h"
#include "search/TDist.h"
#include "search/TFileOut.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "search/TProcess.h"
#include "search/TStop.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"
#include "sections/TThreeDim.h"
#include "statistics/TStatistics.h"

namespace kavelo::ui {

bool createAllWindows() {
    // The main window first: it loads the Catalogue that every other window reads.
    Form1 = new TForm1;
    if (!Form1->createdOk()) return false;
    Map = new TMap;
    if (!Map->createdOk()) return false;
    Howto = new THowto;
    MagScale = new TMagScale;
    Origin = new TOrigin;
    Statistics = new TStatistics;
    RikaNenpyo = new TRikaNenpyo;
    if (!RikaNenpyo->createdOk()) return false;
    FileOut = new TFileOut;
    Direc = new TDirec;
    Zone = new TZone;
    MapFormat = new TMapFormat;
    DepthChart = new TDepthChart;
    Section = new TSection;
    Process = new TProcess;
    Rotate = new TRotate;
    EngScale = new TEngScale;
    ThreeDim = new TThreeDim;
    ExtFile = new TExtFile;
    Dist = new TDist;
    Map3DHelp = new TMap3DHelp;
    DistHelp = new TDistHelp;
    ExtHelp = new TExtHelp;
    EqAdd = new TEqAdd;
    Stop = new TStop;
    AboutBox = new TAboutBox;
    Analysis = new TAnalysis;
    Form1->show();
    return true;
}

}  // namespace kavelo::ui
