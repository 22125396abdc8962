#pragma once
// The windows the map's pointer tools talk to, created in the program's order over the
// current folder's DATA, and deleted again afterwards.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <initializer_list>

#include "chronology/TRikaNenpyo.h"
#include "external/TEqAdd.h"
#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "map/TZone.h"
#include "search/TDist.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "search/TProcess.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"

namespace kavelo::test {

class ZoneWindowSet {
public:
    ZoneWindowSet() {
        Form1 = new TForm1;
        if (!Form1->createdOk()) return;
        Map = new TMap;
        if (!Map->createdOk()) return;
        MagScale = new TMagScale;
        Origin = new TOrigin;
        RikaNenpyo = new TRikaNenpyo;
        if (!RikaNenpyo->createdOk()) return;
        Zone = new TZone;
        MapFormat = new TMapFormat;
        DepthChart = new TDepthChart;
        Section = new TSection;
        Process = new TProcess;
        Rotate = new TRotate;
        Dist = new TDist;
        EqAdd = new TEqAdd;
        ok_ = true;
    }
    ~ZoneWindowSet() {
        for (QWidget* w : std::initializer_list<QWidget*>{EqAdd, Dist, Rotate, Process, Section, DepthChart, MapFormat,
                                                          Zone, RikaNenpyo, Origin, MagScale, Map, Form1})
            delete w;
        EqAdd = nullptr;
        Dist = nullptr;
        Rotate = nullptr;
        Process = nullptr;
        Section = nullptr;
        DepthChart = nullptr;
        MapFormat = nullptr;
        Zone = nullptr;
        RikaNenpyo = nullptr;
        Origin = nullptr;
        MagScale = nullptr;
        Map = nullptr;
        Form1 = nullptr;
    }
    ZoneWindowSet(const ZoneWindowSet&) = delete;
    ZoneWindowSet& operator=(const ZoneWindowSet&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// Mouse events as the window system delivers them to a widget.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void moveTo(QWidget* w, QPoint p) { sendMouse(w, QEvent::MouseMove, p); }
inline void press(QWidget* w, QPoint p) { sendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton); }
inline void release(QWidget* w, QPoint p) { sendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton); }
inline void clickAt(QWidget* w, QPoint p) {
    moveTo(w, p);
    press(w, p);
    release(w, p);
}
inline void drag(QWidget* w, QPoint from, QPoint to) {
    moveTo(w, from);
    press(w, from);
    for (int i = 1; i <= 4; ++i) moveTo(w, from + (to - from) * i / 4);
    release(w, to);
}

}  // namespace kavelo::test
