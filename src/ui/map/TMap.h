#pragma once
// The epicentre map window: the base map, the plot of the selection, the legend toggle,
// the distance circle and the picture output.

#include <QCheckBox>
#include <QPoint>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "map/EnergyGrid.h"
#include "map/MapData.h"
#include "map/MapDrawing.h"
#include "map/MapProjection.h"
#include "map/HypocentrePick.h"
#include "map/MarkRules.h"
#include "map/Zone.h"
#include "widgets/FormControls.h"

class TMap : public QWidget {
    Q_OBJECT
public:
    explicit TMap(QWidget* parent = nullptr);

    // False when the window's data files could not be read at creation.
    bool createdOk() const { return createdOk_; }

    // Reads NCOAST01..20.BIN and POINTXY.DAT from dataDir; shows the failure and returns
    // false when a file is missing or damaged (the data in use is then left as it was).
    bool loadMapData(const std::string& dataDir);

    // ---- View, data and settings owned by the map
    kavelo::MapProjection proj;  // node grid, view (with resetViewPending) and frame
    kavelo::CoastLines coasts;

    kavelo::ui::TColor seaColor = kavelo::ui::rgb(221, 255, 255);
    kavelo::ui::TColor landColor = kavelo::ui::rgb(255, 255, 187);
    kavelo::ui::TColor coastColor = kavelo::ui::rgb(0, 0, 255);
    kavelo::ui::TColor gridColor = kavelo::ui::rgb(0, 255, 255);
    kavelo::ui::TColor subGridColor = kavelo::ui::rgb(255, 255, 0);
    kavelo::ui::TColor energyBaseColor = kavelo::ui::rgb(213, 239, 253);

    // Taken from CircleGroup at every full drawing; starts at the group's default
    // item "●" so that a legend drawn before the first map shows the marks the map will draw.
    uint8_t markStyle = kavelo::kMarkFilled;
    uint8_t halfSize = 0;
    // Depth classes: [1..7] lower bounds in km ([8] terminator), colours per class.
    std::array<int32_t, kavelo::kDepthSlots> depthBounds{};
    std::array<kavelo::ui::TColor, kavelo::kDepthSlots> depthColors{};
    int32_t depthClassCount = 7;
    // The defaults the format window restores.
    std::array<int32_t, kavelo::kDepthSlots> defaultDepthBounds{};
    std::array<kavelo::ui::TColor, kavelo::kDepthSlots> defaultDepthColors{};
    int32_t defaultDepthClassCount = 7;
    // Energy level colours 0-6 (live and defaults; below level 0 is energyBaseColor).
    std::array<kavelo::ui::TColor, kavelo::kEnergyLevelCount> energyLevelColors = kavelo::EnergyColors{}.levels;
    std::array<kavelo::ui::TColor, kavelo::kEnergyLevelCount> defaultEnergyLevelColors = kavelo::EnergyColors{}.levels;
    // The cells of the last energy drawing (the click readout reads them).
    kavelo::EnergyGrid energyGrid;
    uint8_t legendShown = 0;
    uint8_t threeDMode = 0;
    bool zoneSet = false;  // a zone is in force (zone selection)
    // Full drawings so far: an XOR figure drawn before the last one is no longer on the image.
    uint32_t fullDrawings = 0;

    // ---- Zone in force (read by the depth chart and the sections)
    kavelo::ZoneCorners ZoneCorners;       // corners A, B, C, D of the last zone built
    kavelo::DdmmPoint P1{}, P2{};          // end points as snapped
    kavelo::DdmmPoint zoneStart{}, zoneEnd{};  // the western (north-south zone: southern) end first
    int32_t zoneWidth = 100;               // half-width, degree-minutes
    kavelo::ZoneAxis ZoneAxis;             // 101 samples from the western to the eastern end
    // Builds ZoneCorners from the western and eastern point and outlines the zone in green
    // with the canvas's current pen mode; "Zone Selection Failed!!" and false when a corner
    // lies outside 122-152E, 24-50N (ZoneCorners then stays as it was).
    bool buildZone(kavelo::DdmmPoint west, kavelo::DdmmPoint east, int width);
    // Distance in km along ZoneAxis from its western end, -1 outside it.
    float axisDistance(float lonDeg) const { return kavelo::axisDistance(ZoneAxis, lonDeg); }

    // ---- Pointer interaction (TMapInteraction.cpp)
    QPoint lastMouse;
    bool zoomMode = false;
    kavelo::ZoomBox zoomBox = kavelo::zoomBoxFor(kavelo::kAreaWhole, 600, 500);
    bool zoomBoxShown = false;
    bool zoneMode = false;
    bool p1Set = false;
    bool rubberShown = false;
    kavelo::DdmmPoint rubberEnd{};     // far end of the rubber line on the image
    kavelo::GeoResult lastGeo{kavelo::GeoStatus::Ok, 0, 0};  // last position screenToGeo found

    // The image-type choice read by the save command; the main window's menu sets it.
    QString saveFilter = QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png|すべて(*.*)|*.*");

    // ---- Conversions (Catalogue degree-minutes, plane units, pixels)
    std::optional<kavelo::PlanePoint> geoToMap(int lon, int lat) const { return proj.geoToMap(lon, lat); }
    kavelo::ScreenPoint mapToScreen(int x, int y) const { return proj.mapToScreen(x, y); }
    kavelo::PlanePoint screenToMap(int sx, int sy) const { return proj.screenToMap(sx, sy); }
    std::optional<kavelo::ScreenPoint> geoToScreen(int lon, int lat) const { return proj.geoToScreen(lon, lat); }
    // Shows "Longitude/Latitude calculation failed" (caption "scr_map") for a degenerate cell.
    kavelo::GeoResult screenToGeo(int sx, int sy) const;
    // Degenerate-cell failures of the drawing under way: the full drawing reports them in
    // one "scr_map" message instead of one per conversion.
    kavelo::GeoFailureLog drawFailures;
    static int degreesToDdmm(float v) { return kavelo::degreesToDdmm(v); }
    // Its degenerate-cell failures count towards the drawing under way (drawFailures).
    kavelo::GeoBounds visibleBounds(int cellSize) { return proj.visibleBounds(cellSize, &drawFailures); }
    void restoreFullView() { proj.restoreFullView(); }

    // ---- Drawing on Image1
    kavelo::ui::Canvas& canvas() { return Image1->canvas(); }
    void fillBackground(kavelo::ui::TColor color);
    void drawCoast();
    void drawGraticule();
    void drawGraticuleLabels();
    void drawFrame();
    void drawGeoLine(int lon1, int lat1, int lon2, int lat2);
    kavelo::ui::MapColors mapColors() const;
    kavelo::ui::BaseMapOptions baseMapOptions() const;
    kavelo::ui::PlotStyle plotStyle() const;

    // ---- Mark rules
    kavelo::MarkSettings markSettings() const;
    kavelo::DepthClasses depthClasses() const;
    int markRadius(int m10) const { return kavelo::markRadius(m10, markSettings()); }
    kavelo::ui::TColor depthColor(int depth) const { return kavelo::depthColor(depth, depthClasses()); }

    // ---- Energy map (EnergyDrawing.cpp)
    void drawEnergyMap();
    int cellIndex(int lon, int lat) const { return energyGrid.cellIndex(lon, lat); }
    kavelo::CellCorner cellCorner(int index) const { return energyGrid.cellCorner(index); }
    kavelo::ui::TColor energyLevelColor(float energy) const;
    kavelo::EnergyColors energyColors() const;
    // The text a map click at (lon, lat) reads in energy mode: "領域(row,col) 放出エネルギー
    // ... J" or "Out of Range".
    QString cellReadoutText(int lon, int lat) const;
    // Shows that text in TOrigin as its only row (column labels hidden, count cleared).
    void showCellReadout(int lon, int lat);
    // The same for a click at image pixel (sx, sy).
    void showCellReadoutAt(int sx, int sy);

    // Outline circle of one Catalogue record (blue before 1885, red after).
    void markRecord(int catalogueIndex);
    // A star, circle or magnitude mark of an external record; kind is the item index of
    // "★", "☆", "★★", "☆☆", "●", "○", "ﾏｸﾞﾆﾁｭｰﾄﾞ", size s is 10, 15 or 20.
    void drawExternalMark(const kavelo::EarthquakeRecord& rec, int kind, int size);
    // Record k of the external list, with the mark kind and size chosen there.
    void drawExternalMark(int k);
    // Where drawExternalMark(k) finds record k, its kind and size; set by the external-list window.
    std::function<bool(int k, kavelo::EarthquakeRecord& rec, int& kind, int& size)> externalMarkSource;

    // The distance-search circle as the distance window has it (nothing when it is off).
    struct RangeCircleState {
        int centreLat = 0;  // ddmm
        int centreLon = 0;  // dddmm
        double radiusKm = 0;
    };
    std::optional<RangeCircleState> rangeCircleState() const;
    // Replaces the distance window's state (tests, or windows that draw a circle of their own).
    std::optional<std::optional<RangeCircleState>> rangeCircleOverride;

    // Saves the picture under name as PNG or BMP by the main window's image-type choice,
    // appending ".png" or ".bmp" when the name has no extension. False on a write error
    // (already reported).
    bool saveImageAs(const QString& name);
    // Chooses the file name in Button3Click; tests replace the dialog.
    std::function<QString()> saveFileNameHook;

    // ---- Controls
    kavelo::ui::TImage* Image1;
    QPushButton *BtnMapDraw, *Button2, *Button4, *BtnZone, *BtnScale, *CopyBtn, *Button3, *BtnEqAdd, *Button1;
    kavelo::ui::TRadioGroup *PenGroup, *GridGroup, *CircleGroup, *SelectGroup;
    QCheckBox *ColorChk, *OriginChk, *EnergyChk, *AreaChk, *CBHalfSize, *CBMinMag, *D3Chk;
    QProgressBar* ProgressBar1;

public slots:
    void BtnMapDrawClick();
    void Button2Click();
    void Button4Click();
    void BtnScaleClick();
    void ColorChkClick();
    void GridGroupClick();
    void CircleGroupClick();
    void PenGroupClick();
    void AreaChkClick();
    void EnergyChkClick();
    void OriginChkClick();
    void CBHalfSizeClick();
    void CBMinMagClick();
    void D3ChkClick();
    void BtnEqAddClick();
    void Button1Click();
    void CopyBtnClick();
    void Button3Click();
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1Click();
    void SelectGroupClick();
    void BtnZoneClick();

protected:
    // Closing by the window frame does what 閉じる does.
    void closeEvent(QCloseEvent* e) override;

private:
    void closeCompanions();
    void connectInteraction();
    void drawZoneOutline();
    // XOR figures of the pointer tools; each call toggles the figure on the image.
    void xorRubberLine(kavelo::DdmmPoint end);
    void xorZoomBox(QPoint centre);
    void drawBaseMap();
    kavelo::GeoResult geoAt(int x, int y);
    bool rotateActive() const;
    void pickHypocentres(int lat, int lon);
    void buildControls();
    void plotSelection();
    void drawRangeCircle();
    // The energy part of the full drawing: captions, cells, graticule and coast over them,
    // the legend's swatches.
    void drawEnergyStep();
    bool landFillOff() const;

    bool createdOk_ = true;
};

extern TMap* Map;
