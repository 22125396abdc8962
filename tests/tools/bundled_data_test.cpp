// Reads back the committed data/DATA folder with the program's own loaders and checks
// what the map, the listing and the chronology rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Sjis.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/OriginNameTable.h"

namespace {

const std::string kDir = KAVELO_DATA_DIR;

std::string slurp(const std::string& name) {
    std::ifstream in(kDir + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int16_t le16(const std::string& b, std::size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                                                      (static_cast<unsigned char>(b[at + 1]) << 8)));
}

struct Grid {
    int rows = 0, cols = 0;
    std::vector<int> x, y;
    int X(int r, int c) const { return x[static_cast<std::size_t>(r * cols + c)]; }
    int Y(int r, int c) const { return y[static_cast<std::size_t>(r * cols + c)]; }
};

Grid readGrid() {
    std::istringstream in(slurp("POINTXY.DAT"));
    Grid g;
    in >> g.rows >> g.cols;
    int a, b;
    while (in >> a >> b) {
        g.x.push_back(a);
        g.y.push_back(b);
    }
    return g;
}

// Bilinear interpolation in the 2-degree node cells, as the map converts positions.
bool geoToMap(const Grid& g, int lon, int lat, double& X, double& Y) {
    if (lon < 12200 || lat < 2400) return false;
    int c = (lon - 12200) / 200, r = (lat - 2400) / 200;
    if (c >= g.cols || r >= g.rows) return false;
    double u = ((lon - 12200) / 100 - 2 * c) + (lon % 100) / 60.0;
    double v = ((lat - 2400) / 100 - 2 * r) + (lat % 100) / 60.0;
    if (c == g.cols - 1) { --c; u += 2; }
    if (r == g.rows - 1) { --r; v += 2; }
    double sx = ((2 - u) * g.X(r, c) + u * g.X(r, c + 1)) * 0.5, sy = ((2 - u) * g.Y(r, c) + u * g.Y(r, c + 1)) * 0.5;
    double nx = ((2 - u) * g.X(r + 1, c) + u * g.X(r + 1, c + 1)) * 0.5,
           ny = ((2 - u) * g.Y(r + 1, c) + u * g.Y(r + 1, c + 1)) * 0.5;
    X = ((2 - v) * sx + v * nx) * 0.5;
    Y = ((2 - v) * sy + v * ny) * 0.5;
    return true;
}

using Ring = std::vector<std::pair<int, int>>;

std::vector<Ring> readCoasts() {
    std::vector<Ring> out;
    for (int i = 1; i <= 20; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "NCOAST%02d.BIN", i);
        std::string b = slurp(name);
        Ring r;
        if (b.size() >= 2) {
            int n = le16(b, 0);
            EXPECT_EQ(b.size(), static_cast<std::size_t>(2 + 4 * n)) << name;
            for (int k = 0; k < n && static_cast<std::size_t>(2 + 4 * k + 3) < b.size(); ++k)
                r.push_back({le16(b, static_cast<std::size_t>(2 + 4 * k)), le16(b, static_cast<std::size_t>(4 + 4 * k))});
        }
        out.push_back(r);
    }
    return out;
}

bool inside(const Ring& r, double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        double xi = r[i].first, yi = r[i].second, xj = r[j].first, yj = r[j].second;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

bool onLand(const std::vector<Ring>& coasts, const Grid& g, int lon, int lat) {
    double X, Y;
    if (!geoToMap(g, lon, lat, X, Y)) return false;
    for (const Ring& r : coasts)
        if (inside(r, X, Y)) return true;
    return false;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t nl = text.find('\n', at);
        EXPECT_NE(nl, std::string::npos) << "last line without a line feed";
        if (nl == std::string::npos) break;
        std::string l = text.substr(at, nl - at);
        EXPECT_TRUE(!l.empty() && l.back() == '\r') << "line without CR LF: " << at;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
        at = nl + 1;
    }
    return out;
}

struct Loaded {
    kavelo::Catalogue cat;
    kavelo::CatalogueLoadResult res;
    Loaded() { res = kavelo::loadCatalogue(kDir + "/RIKA.BIN", kDir + "/GEPPO1.BIN", cat); }
};

const Loaded& loaded() {
    static Loaded l;
    return l;
}

}  // namespace

TEST(BundledData, NodeGridIsMonotonicAndReachesPastTheFullView) {
    Grid g = readGrid();
    ASSERT_EQ(g.rows, 14);
    ASSERT_EQ(g.cols, 16);
    ASSERT_EQ(g.x.size(), 224u);
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            if (c > 0) {
                EXPECT_GT(g.X(r, c), g.X(r, c - 1)) << r << "," << c << ": x must grow eastward";
            }
            if (r > 0) {
                EXPECT_GT(g.Y(r, c), g.Y(r - 1, c)) << r << "," << c << ": y must grow northward";
            }
        }
    // Each frame edge crosses the grid, so the map finds graticule labels on all four sides.
    EXPECT_LT(g.X(0, 0), -400);
    EXPECT_GT(g.X(0, g.cols - 1), 4100);
    EXPECT_LT(g.Y(0, g.cols / 2), -200);
    EXPECT_GT(g.Y(g.rows - 1, g.cols / 2), 3550);
    // Conformal, not stretched: a 2-degree cell at 36N is about as tall as wide / cos(36).
    double w = g.X(6, 8) - g.X(6, 7), h = g.Y(7, 7) - g.Y(6, 7);
    EXPECT_NEAR(w / h, std::cos(37 * M_PI / 180), 0.05);
}

TEST(BundledData, CoastlinesAreTwentyBoundedRingsThatPutJapanOnLand) {
    std::vector<Ring> coasts = readCoasts();
    ASSERT_EQ(coasts.size(), 20u);
    for (const Ring& r : coasts) {
        EXPECT_GE(r.size(), 3u);
        EXPECT_LE(r.size(), 1999u);
        for (const auto& p : r) {
            EXPECT_GT(p.first, -3000);
            EXPECT_LT(p.first, 8000);
            EXPECT_GT(p.second, -2000);
            EXPECT_LT(p.second, 6000);
        }
    }
    Grid g = readGrid();
    // Land: Tokyo, Sapporo, Fukuoka, Kochi, Naha, Seoul, Taipei's latitude is out of the grid.
    for (auto [lon, lat] : {std::pair{13942, 3541}, {14121, 4303}, {13024, 3335}, {13332, 3333}, {12741, 2613},
                            {12659, 3733}, {13800, 3600}})
        EXPECT_TRUE(onLand(coasts, g, lon, lat)) << lon << " " << lat;
    // Sea: the Pacific off Sanriku, the Sea of Japan, the Philippine Sea, the East China Sea.
    for (auto [lon, lat] : {std::pair{14500, 3900}, {13500, 4000}, {13600, 3000}, {12600, 3000}, {13900, 3300}})
        EXPECT_FALSE(onLand(coasts, g, lon, lat)) << lon << " " << lat;
}

TEST(BundledData, CatalogueLoadsInDateOrderInsideTheGrid) {
    const Loaded& l = loaded();
    ASSERT_EQ(l.res.status, kavelo::CatalogueLoadResult::Status::Ok);
    EXPECT_GE(l.res.rikaCount, 150);
    EXPECT_GE(l.res.geppoCount, 35000);
    EXPECT_LE(l.res.geppoCount, 45000);
    EXPECT_EQ(l.res.leftOut, 0);
    int n = l.res.total();
    for (int i = 0; i < n; ++i) {
        const kavelo::EarthquakeRecord& r = l.cat[i];
        bool rika = i < l.res.rikaCount;
        EXPECT_EQ(r.rika, rika ? 1 : 0);
        if (rika) {
            EXPECT_LT(r.date, 18850000) << i;
        } else {
            EXPECT_GE(r.date, 18850101) << i;
        }
        if (i > 0) {
            const kavelo::EarthquakeRecord& p = l.cat[i - 1];
            EXPECT_TRUE(p.date < r.date || (p.date == r.date && p.time <= r.time)) << "order at " << i;
        }
        EXPECT_TRUE(r.lat >= 2400 && r.lat < 5000 && r.lat % 100 < 60) << i << " lat " << r.lat;
        EXPECT_TRUE(r.lon >= 12200 && r.lon < 15200 && r.lon % 100 < 60) << i << " lon " << r.lon;
        EXPECT_TRUE(r.time >= 0 && r.time / 100 < 24 && r.time % 100 < 60) << i;
        int m = r.date / 100 % 100, d = r.date % 100;
        EXPECT_TRUE(m >= 1 && m <= 12 && d >= 1 && d <= 31) << i << " date " << r.date;
        EXPECT_TRUE(r.depth >= 0 && r.depth <= 700) << i;
        EXPECT_TRUE(r.mag >= 40 && r.mag <= 95) << i;
        ASSERT_FALSE(r.originName().empty()) << i;
        EXPECT_NO_THROW(kavelo::data::fromSjis(r.originName())) << i;
    }
    EXPECT_EQ(l.cat[n - 1].date / 10000, 2020);
    EXPECT_EQ(l.cat[l.res.rikaCount].date / 10000, 1885);
}

TEST(BundledData, BackgroundLooksLikeJapaneseSeismicity) {
    const Loaded& l = loaded();
    // Gutenberg-Richter b from 1923 on (complete above M4), Aki's maximum likelihood.
    double sum = 0;
    int cnt = 0, deep = 0, deepWest = 0, early = 0, earlySmall = 0;
    for (int i = l.res.rikaCount; i < l.res.total(); ++i) {
        const kavelo::EarthquakeRecord& r = l.cat[i];
        if (r.date >= 19230101) {
            sum += r.mag / 10.0;
            ++cnt;
        } else {
            ++early;
            if (r.mag < 50) ++earlySmall;
        }
        if (r.depth >= 300) {
            ++deep;
            if (r.lon < (r.lat < 4400 ? 14300 : 14900)) ++deepWest;
        }
    }
    double b = std::log10(std::exp(1.0)) / (sum / cnt - 3.95);
    EXPECT_NEAR(b, 1.0, 0.15);
    EXPECT_EQ(earlySmall, 0) << "below the early completeness";
    EXPECT_GT(early, 500);
    // Deep events exist and lie on the slab side: west of the Japan and Izu-Bonin
    // trenches, beneath the Sea of Okhotsk for the Kuril slab.
    EXPECT_GT(deep, 200);
    EXPECT_EQ(deep, deepWest);
}

TEST(BundledData, NameTableParsesCleanlyAndMapsSomeNamesOnly) {
    std::string text = slurp("JAP-ORIGIN.CSV");
    for (const std::string& l : lines(text)) {
        EXPECT_LT(l.size() + 2, 99u) << l;
        EXPECT_EQ(std::count(l.begin(), l.end(), ','), 1) << l;
        EXPECT_NO_THROW(kavelo::data::fromSjis(l));
    }
    int messages = 0;
    kavelo::OriginNameTable table = kavelo::parseOriginNameTable(text, [&](kavelo::NameTableMessage) { ++messages; });
    EXPECT_EQ(messages, 0);
    EXPECT_GE(table.entries.size(), 20u);

    kavelo::Catalogue cat;
    kavelo::loadCatalogue(kDir + "/RIKA.BIN", kDir + "/GEPPO1.BIN", cat);
    std::set<std::string> before;
    for (int i = 0; i < cat.recordCount; ++i) before.insert(std::string(cat[i].originName()));
    int renamed = kavelo::applyOriginNames(table, cat, [](int) { ADD_FAILURE() << "IDO"; });
    EXPECT_GT(renamed, 100);
    EXPECT_LT(renamed, cat.recordCount / 2);
    int unmapped = 0;
    for (const auto& n : before) {
        bool mapped = std::any_of(table.entries.begin(), table.entries.end(), [&](const auto& e) { return e.first == n; });
        if (!mapped) ++unmapped;
    }
    EXPECT_GT(unmapped, 10) << "some stored names keep their own spelling";
    for (const auto& e : table.entries) EXPECT_TRUE(before.count(e.first)) << "unused entry " << kavelo::data::fromSjis(e.first);
}

TEST(BundledData, ChronologyLinesHaveSixFieldsAndMatchCatalogueEvents) {
    std::string text = slurp("NENPYO.TXT");
    std::vector<std::string> ls = lines(text);
    EXPECT_GE(ls.size(), 150u);
    EXPECT_LE(ls.size(), 800u);
    const Loaded& l = loaded();
    std::multimap<int, const kavelo::EarthquakeRecord*> byDate;
    for (int i = 0; i < l.res.total(); ++i) byDate.insert({l.cat[i].date, &l.cat[i]});
    int firstYear = 99999, lastYear = 0, prevDate = 0;
    for (const std::string& line : ls) {
        EXPECT_LE(line.size() + 2, 797u);
        EXPECT_NO_THROW(kavelo::data::fromSjis(line)) << line;
        std::vector<std::string> f;
        std::size_t at = 0;
        for (int k = 0; k < 5; ++k) {
            std::size_t p = line.find('%', at);
            ASSERT_NE(p, std::string::npos) << line;
            f.push_back(line.substr(at, p - at));
            at = p + 1;
        }
        f.push_back(line.substr(at));
        ASSERT_EQ(f.size(), 6u);
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(!f[static_cast<std::size_t>(k)].empty() &&
                        std::all_of(f[static_cast<std::size_t>(k)].begin(), f[static_cast<std::size_t>(k)].end(), ::isdigit))
                << line;
        EXPECT_FALSE(f[4].empty());
        EXPECT_FALSE(f[5].empty());
        int date = std::stoi(f[0]), lat = std::stoi(f[1]), lon = std::stoi(f[2]);
        EXPECT_GE(date, prevDate) << "chronological order";
        prevDate = date;
        firstYear = std::min(firstYear, date / 10000);
        lastYear = std::max(lastYear, date / 10000);
        // The map's pick finds this entry from the catalogue record: same date, within 3 minutes.
        bool found = false;
        auto deg = [](int v) { return static_cast<float>(v / 100) + static_cast<float>(v % 100) / 60.0f; };
        for (auto [it, end] = byDate.equal_range(date); it != end; ++it)
            if (std::fabs(deg(it->second->lon) - deg(lon)) < 0.05f && std::fabs(deg(it->second->lat) - deg(lat)) < 0.05f)
                found = true;
        EXPECT_TRUE(found) << "no catalogue event for " << kavelo::data::fromSjis(line.substr(0, 60));
    }
    EXPECT_EQ(firstYear, 416);
    EXPECT_EQ(lastYear, 2019);
}
