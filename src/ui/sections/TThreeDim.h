#pragma once
// The rotatable 3-D hypocentre view: the map region as a surface plane over planes at
// 200, 400 and 600 km, land, edge ticks, a depth scale and the selection's hypocentres,
// turned, scaled and shifted with track bars.

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "map/MapData.h"
#include "sections/ThreeDimDrawing.h"
#include "sections/ThreeDimView.h"
#include "widgets/FormControls.h"

class QFileDialog;

class TThreeDim : public QWidget {
    Q_OBJECT
    // The save dialog's filter ("name(*.ext)|*.ext|..."), set by the main window's image-type menu.
    Q_PROPERTY(QString saveFilter MEMBER saveFilter)
public:
    explicit TThreeDim(QWidget* parent = nullptr);

    // ---- View state
    int32_t centreX = kavelo::kDefaultCentreX;  // rotation centre in the map plane
    int32_t centreY = kavelo::kDefaultCentreY;
    kavelo::ViewMatrix viewMatrix = kavelo::identityMatrix();
    std::vector<kavelo::PlanePoint> frameOutline;  // built once at creation from the node grid
    bool fromAbove = true;

    QString saveFilter = QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png|すべて(*.*)|*.*");

    // The track bars' positions.
    kavelo::ViewControls viewControls() const;
    // Recomputes viewMatrix (and fromAbove) from the track bars.
    void buildViewMatrix();
    kavelo::ScreenPoint projectPoint(int32_t x, int32_t y, int32_t z) const;
    // Everything the renderers read, for the current matrix.
    kavelo::ui::ThreeDimScene scene() const;
    kavelo::ui::HypocentreStyle hypocentreStyle() const;

    kavelo::ui::Canvas& canvas() { return Image1->canvas(); }
    void drawDepthPlane(int depthKm);
    void drawLandPolygons();
    void drawEdgeTicks();
    void drawDepthScale();
    void drawCentreCross();

    // Saves the picture under name as PNG or BMP by the main window's image-type choice,
    // appending ".png" or ".bmp" when the name has no extension. False on a write error
    // (already reported).
    bool saveImageAs(const QString& name);
    // Chooses the file name in Button8Click; tests replace the dialog.
    std::function<QString()> saveFileNameHook;

    // ---- Controls
    kavelo::ui::TImage* Image1;
    kavelo::ui::TTrackBar *TrackBarCX, *TrackBarCY, *TrackBarAlp, *TrackBarBet, *TrackBarGam, *TrackBarPosX,
        *TrackBarPosY, *TrackBarSclX, *TrackBarSclY, *TrackBarSclZ;
    // Value labels of the track bars, in the order above, and "等".
    QLabel *Label19, *Label20, *Label9, *Label2, *Label10, *Label11, *Label12, *Label15, *Label16, *Label18, *Label21;
    // Captions of the track bars, in the order above.
    QLabel *Label1, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label13, *Label14, *Label17;
    QCheckBox *CBEqual, *CBHalf, *CBLine, *CBDepthColor, *CBPaint;
    QPushButton *BtnEqOrigin, *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8, *BtnMap3;
    QProgressBar* ProgressBar1;
    QFileDialog* SaveDialog1;

public slots:
    void BtnMap3Click();
    void BtnEqOriginClick();
    void TrackBarCXChange();
    void TrackBarCYChange();
    void TrackBarAlpChange();
    void TrackBarBetChange();
    void TrackBarGamChange();
    void TrackBarPosXChange();
    void TrackBarPosYChange();
    void TrackBarSclXChange();
    void TrackBarSclYChange();
    void TrackBarSclZChange();
    void CBLineClick();
    void CBDepthColorClick();
    void CBPaintClick();
    void CBHalfClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();

private:
    void buildControls();
    kavelo::ui::TTrackBar* makeTrackBar(const char* name, int min, int max, int position, int x, int y);
    // Value label, background scene and centre cross after a track-bar move.
    void trackBarMoved(QLabel* label, const QString& text);
    void writeValueLabels();
};

extern TThreeDim* ThreeDim;
