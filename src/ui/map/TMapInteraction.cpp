// The map's pointer tools: position readout, zoom box, hypocentre pick, zone drawing
// and the hand-off of clicks to the rotating section, the distance search and the
// add-earthquake window. Figures that follow the pointer are drawn in XOR and only the
// pixels they touch are repainted.

#include <QString>
#include <algorithm>

#include "analysis/TAnalysis.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "catalogue/EarthquakeRecord.h"
#include "chronology/TRikaNenpyo.h"
#include "external/TEqAdd.h"
#include "map/TMap.h"
#include "map/TZone.h"
#include "search/GreatCircle.h"
#include "search/TDist.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

constexpr TColor kXorColor = rgb(0, 255, 255);
const QString kPlainCaption = QStringLiteral("KAVELO4.4");
const QString kZoneP1Prompt = QStringLiteral("領域の最初の点P1をクリックしてください");

// The rectangle a figure through these points touches with a pen of width w.
QRect touched(const std::vector<QPoint>& pts, int w) {
    if (pts.empty()) return {};
    int x0 = pts[0].x(), x1 = x0, y0 = pts[0].y(), y1 = y0;
    for (const QPoint& p : pts) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    const int m = w + 1;
    return QRect(QPoint(x0 - m, y0 - m), QPoint(x1 + m, y1 + m));
}

// Canvas pen for one XOR figure; the previous mode comes back afterwards so a drawing
// that follows (or the rotating section's own XOR mode) is not disturbed.
class XorPen {
public:
    explicit XorPen(Canvas& c) : c_(c), mode_(c.penMode()), width_(c.penWidth()), color_(c.penColor()),
                                 style_(c.penStyle()), brush_(c.brushStyle()) {
        c.setPenMode(PenMode::Xor);
        c.setPenWidth(2);
        c.setPenColor(kXorColor);
        c.setPenStyle(PenStyle::Solid);
        c.setBrushStyle(BrushStyle::Clear);
    }
    ~XorPen() {
        c_.setPenMode(mode_);
        c_.setPenWidth(width_);
        c_.setPenColor(color_);
        c_.setPenStyle(style_);
        c_.setBrushStyle(brush_);
    }

private:
    Canvas& c_;
    PenMode mode_;
    int width_;
    TColor color_;
    PenStyle style_;
    BrushStyle brush_;
};

QString num(int v) { return QString::number(v); }

}  // namespace

void TMap::connectInteraction() {
    connect(Image1, &TImage::mouseMove, this, &TMap::Image1MouseMove);
    connect(Image1, &TImage::mouseDown, this, &TMap::Image1MouseDown);
    connect(Image1, &TImage::mouseUp, this, &TMap::Image1MouseUp);
    connect(Image1, &TImage::clicked, this, &TMap::Image1Click);
    connect(SelectGroup, &TRadioGroup::clicked, this, &TMap::SelectGroupClick);
    connect(BtnZone, &QPushButton::clicked, this, &TMap::BtnZoneClick);
}

GeoResult TMap::geoAt(int x, int y) {
    GeoResult r = screenToGeo(x, y);
    if (r.ok()) lastGeo = r;
    return lastGeo;
}

bool TMap::rotateActive() const { return Rotate && (Rotate->waiting || Rotate->running); }

// ---- XOR figures

void TMap::xorRubberLine(DdmmPoint end) {
    Canvas& c = canvas();
    XorPen pen(c);
    std::vector<QPoint> drawn;
    bool penDown = false;
    for (const auto& p : proj.geoLinePoints(P1.lon, P1.lat, end.lon, end.lat)) {
        if (!p) {
            penDown = false;
            continue;
        }
        if (penDown)
            c.lineTo(p->x, p->y);
        else
            c.moveTo(p->x, p->y);
        penDown = true;
        drawn.emplace_back(p->x, p->y);
    }
    Image1->refresh(touched(drawn, 2));
}

void TMap::xorZoomBox(QPoint m) {
    Canvas& c = canvas();
    XorPen pen(c);
    const QPoint a(m.x() - zoomBox.halfWidth, m.y() - zoomBox.halfHeight);
    const QPoint b(m.x() + zoomBox.halfWidth, m.y() + zoomBox.halfHeight);
    c.rectangle(a.x(), a.y(), b.x(), b.y());
    Image1->refresh(touched({a, b}, 2));
}

// ---- Pointer events

void TMap::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    if (Rotate && Rotate->waitsForCentre()) {
        const GeoResult g = geoAt(x, y);
        Rotate->showCentre(g.lat, g.lon);
    } else if (zoneMode && !zoneSet) {
        const GeoResult g = geoAt(x, y);
        if (!Zone) return;
        if (!p1Set) {
            Zone->Label5->setText(num(g.lat));
            Zone->Label7->setText(num(g.lon));
        } else {
            Zone->Label6->setText(num(g.lat));
            Zone->Label8->setText(num(g.lon));
            const DdmmPoint end{g.lat, g.lon};
            if (!rubberShown) {
                xorRubberLine(end);
                rubberShown = true;
            } else {
                xorRubberLine(rubberEnd);
                xorRubberLine(end);
                Zone->showLabelDistance();
            }
            rubberEnd = end;
        }
    } else if (zoomMode) {
        if (zoomBoxShown) xorZoomBox(lastMouse);
        xorZoomBox(QPoint(x, y));
        zoomBoxShown = true;
    }
    lastMouse = QPoint(x, y);
}

void TMap::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
    // A press without a move to its position first: follow it, so the XOR figures and
    // lastMouse agree with the press.
    if (QPoint(x, y) != lastMouse) Image1MouseMove(shift, x, y);
    if (Rotate && Rotate->waitsForCentre()) {
        const GeoResult g = geoAt(x, y);
        Rotate->centreChosen(snapDegree(g.lat, 15), snapDegree(g.lon, 15));
        return;
    }
    // With a zone built, a press changes nothing: the zone stays as built until 領域設定.
    if (!zoneMode || zoneSet || !Zone) return;
    const GeoResult g = geoAt(x, y);
    DdmmPoint p{g.lat, g.lon};
    if (Zone->CBSnap->isChecked()) {
        const int step = zoneSnapStep(Zone->RadioGroup1->itemIndex());
        p = {snapDegree(p.lat, step), snapDegree(p.lon, step)};
        if (!inZoneRange(p)) {
            messageBox("Out Range Clicked!!", kPlainCaption);
            return;
        }
    }
    if (auto s = geoToScreen(p.lon, p.lat)) lastMouse = QPoint(s->x, s->y);
    P1 = p;
    Zone->Label5->setText(num(p.lat));
    Zone->Label7->setText(num(p.lon));
    Zone->Label9->setText("領域の終わりの点P2までドラッグしてください");
    p1Set = true;
    rubberShown = false;
}

void TMap::Image1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    if (!zoneMode || zoneSet || !p1Set || rotateActive() || !Zone) return;
    const GeoResult g = geoAt(x, y);
    DdmmPoint p{g.lat, g.lon};
    if (Zone->CBSnap->isChecked()) {
        const int step = zoneSnapStep(Zone->RadioGroup1->itemIndex());
        p = {snapDegree(p.lat, step), snapDegree(p.lon, step)};
        if (!inZoneRange(p)) {
            messageBox("Out Range Clicked!!", kPlainCaption);
            return;
        }
    }
    if (rubberShown) xorRubberLine(rubberEnd);
    rubberShown = false;
    p1Set = false;
    // A click without a drag (the release lands on P1) gives no zone: nothing is built or
    // searched, and the window waits for a new press at P1.
    if (p.lat == P1.lat && p.lon == P1.lon) {
        Zone->Label6->clear();
        Zone->Label8->clear();
        Zone->Label10->setText("     0.0");
        Zone->Label9->setText(kZoneP1Prompt);
        return;
    }
    Zone->Label6->setText(num(p.lat));
    Zone->Label8->setText(num(p.lon));
    P2 = p;

    Canvas& c = canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(2);
    c.setPenColor(clRed);
    drawGeoLine(P1.lon, P1.lat, P2.lon, P2.lat);

    zoneWidth = zoneWidthFor(Zone->RadioGroup1->itemIndex(), P1, P2);
    const ZoneEnds ends = westFirst(P1, P2);
    const bool built = buildZone(ends.first, ends.second, zoneWidth);
    if (built) {
        // A due north-south zone has no axis along longitude; the old axis must not stay.
        ZoneAxis = makeZoneAxis(ends.first, ends.second);
        const ZoneEnds se = zoneStartEnd(P1, P2);
        zoneStart = se.first;
        zoneEnd = se.second;
    }
    Image1->refresh();
    if (!built) {
        zoneSet = false;
        return;
    }
    zoneSet = true;
    Zone->Button1->setEnabled(false);
    if (Zone->CBDepth->isChecked()) {
        Zone->BtnListupClick();
        BtnMapDrawClick();
        if (Section) {
            showWindow(Section);
            Section->BtnRunClick();
        }
    } else {
        if (Section) Section->close();
        if (DepthChart) DepthChart->close();
        Zone->Label9->setText("完了");
    }
    Zone->showLabelDistance();
    Zone->Button1->setEnabled(true);
}

bool TMap::buildZone(DdmmPoint west, DdmmPoint east, int width) {
    const ZoneBuild z = buildZoneCorners(west, east, width);
    if (!z.inRange) {
        messageBox("Zone Selection Failed!!", kPlainCaption);
        return false;
    }
    ZoneCorners = z.corners;
    Canvas& c = canvas();
    c.setPenColor(clGreen);
    const auto& q = ZoneCorners.p;
    for (int i = 0; i < 4; ++i) drawGeoLine(q[i].lon, q[i].lat, q[(i + 1) % 4].lon, q[(i + 1) % 4].lat);
    Image1->refresh();
    return true;
}

void TMap::drawZoneOutline() {
    Canvas& c = canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(clGreen);
    const auto& q = ZoneCorners.p;
    for (int i = 0; i < 4; ++i) drawGeoLine(q[i].lon, q[i].lat, q[(i + 1) % 4].lon, q[(i + 1) % 4].lat);
    const ZoneCross x = zoneCentreCross(P1, P2);
    c.setPenColor(clRed);
    drawGeoLine(x.westEnd.lon, x.westEnd.lat, x.eastEnd.lon, x.eastEnd.lat);
    drawGeoLine(x.southEnd.lon, x.southEnd.lat, x.northEnd.lon, x.northEnd.lat);
    c.setPenColor(clBlue);
    drawGeoLine(P1.lon, P1.lat, P2.lon, P2.lat);
}

// ---- Zoom, pick and hand-offs

void TMap::drawBaseMap() {
    drawCoast();
    drawGraticule();
    drawFrame();
    if (GridGroup->itemIndex() != kGridDivisionNone) drawGraticuleLabels();
    Image1->refresh();
}

void TMap::SelectGroupClick() {
    const int item = SelectGroup->itemIndex();
    if (!zoomMode) {
        fillBackground(seaColor);
        restoreFullView();
        if (item == kAreaWhole) {
            BtnMapDrawClick();
            return;
        }
        drawBaseMap();
        zoomBoxShown = false;
        zoomMode = true;
        proj.resetViewPending = true;
    } else if (item == kAreaWhole) {
        // The whole area ends the zoom: the full drawing removes the box.
        zoomMode = false;
        zoomBoxShown = false;
        proj.resetViewPending = true;
        BtnMapDrawClick();
        return;
    }
    // A box of the old size must go before the size changes, or the next move would
    // leave it on the picture.
    if (zoomBoxShown) {
        xorZoomBox(lastMouse);
        zoomBoxShown = false;
    }
    zoomBox = zoomBoxFor(item, proj.frame.width, proj.frame.height);
}

void TMap::Image1Click() {
    if (zoneMode || rotateActive()) return;
    if (Form1 && Form1->extListShown && !zoomMode) return;

    if (zoomMode) {
        if (zoomBoxShown) xorZoomBox(lastMouse);
        zoomBoxShown = false;
        Canvas& c = canvas();
        c.setPenMode(PenMode::Copy);
        c.setPenColor(clRed);
        c.setPenWidth(2);
        c.setBrushStyle(BrushStyle::Clear);
        const int lx = lastMouse.x(), ly = lastMouse.y();
        c.rectangle(lx - zoomBox.halfWidth, ly - zoomBox.halfHeight, lx + zoomBox.halfWidth, ly + zoomBox.halfHeight);
        c.setBrushStyle(BrushStyle::Solid);
        const PlanePoint lowerLeft = screenToMap(lx - zoomBox.halfWidth, ly + zoomBox.halfHeight);
        const PlanePoint upperRight = screenToMap(lx + zoomBox.halfWidth, ly - zoomBox.halfHeight);
        const int32_t yRange = upperRight.y - lowerLeft.y;
        if (yRange > 0) {
            proj.view.x0 = lowerLeft.x;
            proj.view.y0 = lowerLeft.y;
            proj.view.setYRange(yRange, proj.frame);
        }
        zoomMode = false;
        proj.resetViewPending = false;
        BtnMapDrawClick();
        return;
    }

    const GeoResult g = geoAt(lastMouse.x(), lastMouse.y());
    if (!Origin) return;
    Origin->Memo1->clear();
    Origin->Label3->clear();
    Origin->Label2->setText(QString::asprintf("%d %d", g.lat, g.lon));

    if (Dist && (Dist->mapSetOn || Dist->CBMapSet->isChecked())) {
        Dist->Edit1->setText(num(g.lat));
        Dist->Edit2->setText(num(g.lon));
    }
    if (EqAdd && EqAdd->CBAdd->isChecked()) {
        EqAdd->Edit1->setText(num(g.lat));
        EqAdd->Edit2->setText(num(g.lon));
    }
    if (EnergyChk->isChecked()) {
        showCellReadout(g.lon, g.lat);
        showWindow(Origin);
        return;
    }
    pickHypocentres(g.lat, g.lon);
}

void TMap::pickHypocentres(int lat, int lon) {
    if (!Form1 || !Origin) return;
    const Catalogue& cat = Form1->catalogue;
    const std::vector<int> found =
        kavelo::pickHypocentres(cat, Form1->selection, lat, lon, pickTolerance(SelectGroup->itemIndex()));
    StringTableModel* rows = Origin->StringGrid1->cells();
    const bool listRows = OriginChk->isChecked();
    rows->setRowCount(listRows ? static_cast<int>(found.size()) : 0);
    bool chronologyShown = false;
    for (std::size_t n = 0; n < found.size(); ++n) {
        const EarthquakeRecord& r = cat[found[n]];
        const QString text = fromSjis(pickText(r));
        if (listRows) rows->setCell(0, static_cast<int>(n), text);
        if (chronologyShown || !RikaNenpyo) continue;
        const int entry = RikaNenpyo->findChronologyEntry(r.date, r.lon, r.lat);
        if (entry < 0) continue;
        Origin->Memo1->setPlainText(fromSjis(RikaNenpyo->table[entry].article));
        Origin->Label3->setText(text);
        chronologyShown = true;
    }
    // The largest picked event (the first of equals) is the analysis window's main shock.
    if (Analysis && !found.empty())
        Analysis->chooseMainShock(*std::max_element(found.begin(), found.end(), [&](int a, int b) {
            return cat[a].mag < cat[b].mag;
        }));
    Origin->setWindowTitle("震源パラメータ");
    if (found.empty()) {
        Origin->Label1->setText("検出　なし");
    } else {
        Origin->Label1->setText(QString("検出　%1").arg(found.size()));
    }
    Origin->setColumnLabelsVisible(true);
    showWindow(Origin);
}

void TMap::BtnZoneClick() {
    zoneMode = true;
    zoneSet = false;
    if (Rotate) Rotate->waiting = false;
    rubberShown = false;
    p1Set = false;
    if (!Zone) return;
    for (QLabel* l : {Zone->Label5, Zone->Label7, Zone->Label6, Zone->Label8}) l->clear();
    Zone->Label9->setText(kZoneP1Prompt);
    showWindow(Zone);
}
