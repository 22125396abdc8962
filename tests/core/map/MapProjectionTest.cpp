#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "catalogue/EarthquakeRecord.h"
#include "map/MapProjection.h"
#include "core/map/SyntheticMap.h"

using namespace kavelo;

namespace {

MapProjection conicMap() {
    MapProjection m;
    m.grid = mapfixture::conicGrid();
    return m;
}

int minutesOf(int ddmm) { return ddmm / 100 * 60 + ddmm % 100; }

}  // namespace

TEST(GeoToMap, NodesMapExactlyAndTheCellInteriorIsBilinear) {
    MapProjection m = conicMap();
    for (int r = 0; r < m.grid.rows; ++r)
        for (int c = 0; c < m.grid.cols; ++c) {
            auto p = m.geoToMap(12200 + 200 * c, 2400 + 200 * r);
            ASSERT_TRUE(p) << r << "," << c;
            EXPECT_EQ(*p, m.grid.at(r, c)) << r << "," << c;
        }
    // The cell centre (1 degree in both directions) is the mean of its four corners.
    auto p = m.geoToMap(13700, 3500);
    ASSERT_TRUE(p);
    double mx = (m.grid.at(5, 7).x + m.grid.at(5, 8).x + m.grid.at(6, 7).x + m.grid.at(6, 8).x) / 4.0;
    double my = (m.grid.at(5, 7).y + m.grid.at(5, 8).y + m.grid.at(6, 7).y + m.grid.at(6, 8).y) / 4.0;
    EXPECT_EQ(p->x, static_cast<int>(mx));
    EXPECT_EQ(p->y, static_cast<int>(my));
}

TEST(GeoToMap, PointsWestSouthOrBeyondTheLastNodesAreOutside) {
    MapProjection m = conicMap();
    EXPECT_FALSE(m.geoToMap(12150, 3500));  // 121 50 E
    EXPECT_FALSE(m.geoToMap(13500, 2350));  // 23 50 N
    EXPECT_TRUE(m.geoToMap(15200, 3500));   // on the last meridian
    EXPECT_TRUE(m.geoToMap(13500, 5000));   // on the last parallel
    EXPECT_EQ(*m.geoToMap(15200, 5000), m.grid.at(13, 15));
    EXPECT_FALSE(m.geoToMap(15201, 3500));
    EXPECT_FALSE(m.geoToMap(13500, 5001));
    // A smaller grid ends earlier.
    m.grid = mapfixture::conicGrid(10, 12);
    EXPECT_TRUE(m.geoToMap(14400, 4200));
    EXPECT_FALSE(m.geoToMap(14401, 4000));
    EXPECT_FALSE(m.geoToMap(14000, 4230));
}

TEST(ScreenConversions, FullViewCornersBothWays) {
    MapProjection m = conicMap();
    EXPECT_EQ(m.view, MapView::full());
    EXPECT_EQ(m.view.xRange, 4500);
    EXPECT_EQ(m.mapToScreen(-400, -200), (ScreenPoint{60, 550}));
    EXPECT_EQ(m.screenToMap(60, 550), (PlanePoint{-400, -200}));
    // Extended-precision rounding of 500/3750 x 3750 lands a hair above the top edge.
    ScreenPoint tr = m.mapToScreen(4100, 3550);
    EXPECT_EQ(tr.x, 660);
    EXPECT_TRUE(tr.y == 49 || tr.y == 50);
    EXPECT_EQ(m.screenToMap(660, 50), (PlanePoint{4100, 3550}));
    m.view.setYRange(1000);
    EXPECT_EQ(m.view.xRange, 1200);
    // Far outside the plane the pixel stays a finite number.
    m.view.setYRange(1);
    ScreenPoint far = m.mapToScreen(2000000000, -2000000000);
    EXPECT_GT(far.x, 0);
    EXPECT_GT(far.y, 0);
}

TEST(ScreenToGeo, InvertsGeoToScreenWithinAMinuteOverTheWholeGrid) {
    MapProjection m = conicMap();
    int worst = 0;
    int checked = 0;
    // Centre a fine view (four pixels per plane unit) on each point so that pixel rounding
    // does not hide the error of the inverse itself.
    for (int lat = 2400; lat < 5000; lat += 7) {
        if (lat % 100 >= 60) continue;
        for (int lon = 12200; lon < 15200; lon += 13) {
            if (lon % 100 >= 60) continue;
            auto p = m.geoToMap(lon, lat);
            ASSERT_TRUE(p);
            m.view.x0 = p->x - 75;
            m.view.y0 = p->y - 62;
            m.view.setYRange(125);
            auto s = m.geoToScreen(lon, lat);
            ASSERT_TRUE(s);
            GeoResult g = m.screenToGeo(s->x, s->y);
            ASSERT_TRUE(g.ok()) << lon << " " << lat;
            int err = std::max(std::abs(minutesOf(g.lon) - minutesOf(lon)), std::abs(minutesOf(g.lat) - minutesOf(lat)));
            worst = std::max(worst, err);
            EXPECT_LE(err, 1) << "lon " << lon << " lat " << lat << " -> " << g.lon << " " << g.lat;
            ++checked;
        }
    }
    EXPECT_GT(checked, 30000);
    // In the full view one pixel spans a few minutes.
    m.restoreFullView();
    for (int lat = 2500; lat < 4900; lat += 130)
        for (int lon = 12300; lon < 15100; lon += 150) {
            auto s = m.geoToScreen(lon, lat);
            GeoResult g = m.screenToGeo(s->x, s->y);
            ASSERT_TRUE(g.ok());
            EXPECT_LE(std::abs(minutesOf(g.lon) - minutesOf(lon)), 6);
            EXPECT_LE(std::abs(minutesOf(g.lat) - minutesOf(lat)), 6);
        }
}

TEST(ScreenToGeo, FailsOutsideTheGridAndOnOverflowingCells) {
    MapProjection m = conicMap();
    EXPECT_EQ(m.screenToGeo(0, 0).status, GeoStatus::Outside);
    m.view.x0 = -100000;
    EXPECT_EQ(m.screenToGeo(360, 300).status, GeoStatus::Outside);
    MapProjection empty;
    EXPECT_EQ(empty.screenToGeo(360, 300).status, GeoStatus::Outside);

    // Edges longer than the 32-bit squared length allows report the longitude failure.
    MapProjection huge;
    parseProjectionGrid("2 2  0 0  60000 0  0 100  60000 100", huge.grid);
    huge.view.x0 = 0;
    huge.view.y0 = 0;
    huge.view.setYRange(100);
    EXPECT_EQ(huge.screenToGeo(100, 500).status, GeoStatus::LongitudeFailed);
    parseProjectionGrid("2 2  0 0  100 0  0 60000  100 60000", huge.grid);
    EXPECT_EQ(huge.screenToGeo(100, 500).status, GeoStatus::LatitudeFailed);

    // The bounds and the label search log every degenerate failure, the first one's kind
    // kept; off-grid failures are not logged.
    GeoFailureLog log;
    EXPECT_EQ(huge.visibleBounds(200, &log).latMin, 2400);
    const int afterBounds = log.count;
    EXPECT_GT(afterBounds, 0);
    EXPECT_TRUE(huge.graticuleLabels(&log).empty());
    EXPECT_GT(log.count, afterBounds);
    EXPECT_EQ(log.first, GeoStatus::LatitudeFailed);
    GeoFailureLog offGrid;
    (void)m.visibleBounds(200, &offGrid);
    (void)m.graticuleLabels(&offGrid);
    EXPECT_EQ(offGrid.count, 0);
}

TEST(ScreenToGeo, FoldedCellsOfADamagedGridAreOffTheMap) {
    // Accepted by the reader (x grows east, y north in every row and column), but the
    // cells overlap; the frame corner used to come back as a place at 239 degrees west.
    MapProjection m;
    ASSERT_TRUE(parseProjectionGrid("2 3  0 0  11 -10  200 620  -3349 9179  1298 2292  8822 2588", m.grid).ok);
    EXPECT_EQ(m.screenToGeo(60, 50).status, GeoStatus::Outside);
    const GeoBounds b = m.visibleBounds(200);
    EXPECT_GE(b.lonMin, 12000);
    EXPECT_GE(b.latMin, 2200);
}

TEST(DegreeMinutes, TruncateBothWays) {
    EXPECT_EQ(degreesToDdmm(35.5f), 3530);
    EXPECT_EQ(degreesToDdmm(145.25f), 14515);
    EXPECT_EQ(degreesToDdmm(24.0f), 2400);
    EXPECT_EQ(degreesToDdmm(35.999f), 3559);
    EXPECT_EQ(degreesToDdmm(ddmmToDegrees(13745)), 13745);
    EXPECT_EQ(degreesToDdmm(ddmmToDegrees(3530)), 3530);
}

TEST(VisibleBounds, HalfOpenBoxSnappedToTheCell) {
    MapProjection m = conicMap();
    for (int cell : {200, 100, 30, 15, 10}) {
        GeoBounds b = m.visibleBounds(cell);
        for (int v : {b.latMin, b.latMax, b.lonMin, b.lonMax}) {
            EXPECT_LT(v % 100, 60) << cell;
            if (cell >= 100) EXPECT_EQ(v % cell, 0) << cell;
            else EXPECT_EQ((v % 100) % cell, 0) << cell;
        }
        EXPECT_GE(b.latMin, 2400);
        EXPECT_LE(b.latMax, 5000);
        EXPECT_GE(b.lonMin, 12200);
        EXPECT_LE(b.lonMax, 15200);
        EXPECT_LT(b.latMin, b.latMax);
        EXPECT_LT(b.lonMin, b.lonMax);
    }
    GeoBounds box{3400, 3600, 13000, 13200};
    EXPECT_TRUE(box.contains(13000, 3400));
    EXPECT_FALSE(box.contains(13200, 3500));
    EXPECT_FALSE(box.contains(13100, 3600));
    EXPECT_TRUE(box.contains(13159, 3559));

    // Zoomed on central Japan the box follows the view, snapped to 30 minutes.
    auto p = m.geoToMap(13710, 3520);
    m.view.x0 = p->x - 120;
    m.view.y0 = p->y - 100;
    m.view.setYRange(200);
    GeoBounds z = m.visibleBounds(30);
    EXPECT_TRUE(z.contains(13710, 3520));
    EXPECT_GE(z.latMin, 3400);
    EXPECT_LE(z.latMax, 3700);
    EXPECT_GE(z.lonMin, 13500);
    EXPECT_LE(z.lonMax, 13900);
    // With no grid every point is in the default box.
    MapProjection empty;
    GeoBounds d = empty.visibleBounds(200);
    EXPECT_EQ(d.latMin, 2400);
    EXPECT_EQ(d.latMax, 5000);
    EXPECT_EQ(d.lonMin, 12200);
    EXPECT_EQ(d.lonMax, 15200);
}

TEST(Graticule, LinesPerCellAndMajorSpacing) {
    MapProjection m = conicMap();
    EXPECT_TRUE(m.graticule(kGridDivisionNone).empty());
    auto two = m.graticule(1);
    EXPECT_EQ(two.size(), static_cast<std::size_t>(13 + 1 + 15 + 1));
    for (const auto& l : two) EXPECT_TRUE(l.major);
    auto ten = m.graticule(5);
    ASSERT_EQ(ten.size(), static_cast<std::size_t>(13 * 12 + 1 + 15 * 12 + 1));
    int minor = 0;
    for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(ten[static_cast<std::size_t>(s)].major, s % 6 == 0) << s;
        minor += ten[static_cast<std::size_t>(s)].major ? 0 : 1;
    }
    EXPECT_EQ(minor, 10);  // 11 intermediate lines, the 1-degree one is major
    EXPECT_EQ(ten[0].points.size(), 16u);
    EXPECT_EQ(ten[0].points[0], m.mapToScreen(m.grid.at(0, 0)));
    EXPECT_EQ(ten.back().points.size(), 14u);
}

TEST(GraticuleLabels, EvenDegreesInsideTheFrame) {
    MapProjection m = conicMap();
    auto labels = m.graticuleLabels();
    ASSERT_FALSE(labels.empty());
    bool bottom = false, top = false;
    for (const auto& l : labels) {
        EXPECT_EQ(l.degrees % 2, 0);
        EXPECT_GE(l.x, 0);
        EXPECT_LT(l.x, 720);
        if (l.y == 555) bottom = true;
        if (l.y == 25) top = true;
    }
    EXPECT_TRUE(bottom);
    EXPECT_TRUE(top);
}

TEST(GeoLine, TwentyOneStepsAlongTheProjection) {
    MapProjection m = conicMap();
    auto pts = m.geoLinePoints(13000, 3000, 14000, 4000);
    ASSERT_EQ(pts.size(), 21u);
    EXPECT_EQ(pts.front(), m.geoToScreen(13000, 3000));
    ASSERT_TRUE(pts.back());
    EXPECT_LE(std::abs(pts.back()->x - m.geoToScreen(14000, 4000)->x), 1);
    auto off = m.geoLinePoints(12000, 3000, 13000, 3000);
    EXPECT_FALSE(off.front());
    EXPECT_TRUE(off.back());
}

TEST(RangeCircle, RadiusMatchesTheDistanceAndLargeRadiiStopAtFiveDegrees) {
    MapProjection m = conicMap();
    auto rc = m.rangeCircle(13700, 3500, 111.0);
    ASSERT_TRUE(rc);
    EXPECT_EQ(rc->centre, *m.geoToScreen(13700, 3500));
    ASSERT_EQ(rc->vertices.size(), 160u);
    // Northward (direction 40) 111 km is one degree of latitude, within a pixel or two.
    ScreenPoint north = *m.geoToScreen(13700, 3600);
    EXPECT_LE(std::abs(rc->vertices[40].y - north.y), 2);
    EXPECT_LE(std::abs(rc->vertices[40].x - north.x), 2);

    auto big = m.rangeCircle(13700, 3500, 5000.0);
    ASSERT_TRUE(big);
    ScreenPoint north5 = *m.geoToScreen(13700, 4000);
    EXPECT_LE(std::abs(big->vertices[40].y - north5.y), 2);
    EXPECT_FALSE(m.rangeCircle(12000, 3500, 100.0));
    EXPECT_TRUE(m.rangeCircle(12300, 2500, 300.0));  // partly off the grid
}

TEST(SphereDistance, OneDegreeOfLatitude) {
    EXPECT_NEAR(sphereDistanceKm(35.0f, 137.0f, 36.0f, 137.0f), 111.19, 0.05);
    EXPECT_FLOAT_EQ(sphereDistanceKm(35.0f, 137.0f, 35.0f, 137.0f), 0.0f);
}
