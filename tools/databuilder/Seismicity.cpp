#include "Seismicity.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "Regions.h"
#include "import/CivilTime.h"

namespace kavelo::data {

// ---- calendar ---------------------------------------------------------------

using import::civilFromDays;
using import::daysFromCivil;

namespace {
const int64_t kEpochDay = daysFromCivil(1885, 1, 1);
}

int64_t minuteOf(int date, int hhmm) {
    int64_t day = daysFromCivil(date / 10000, date / 100 % 100, date % 100) - kEpochDay;
    return day * 1440 + (hhmm / 100) * 60 + hhmm % 100;
}

void dateTimeOf(int64_t minute, int& date, int& hhmm) {
    int64_t day = minute >= 0 ? minute / 1440 : -((-minute + 1439) / 1440);
    int64_t mod = minute - day * 1440;
    int y, m, d;
    civilFromDays(day + kEpochDay, y, m, d);
    date = y * 10000 + m * 100 + d;
    hhmm = static_cast<int>(mod / 60 * 100 + mod % 60);
}

int completenessMag10(int64_t minute) { return minute < minuteOf(19230101, 0) ? 50 : 40; }

bool insideDomain(double lat, double lon) {
    return lat >= 24.05 && lat <= 49.95 && lon >= 122.05 && lon <= 151.95;
}

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKmPerDeg = 111.19;
constexpr double kB = 1.0;
// Largest aftershock about this much below the mainshock (Bath's law).
constexpr double kBathDelta = 1.5;

// Deterministic on every platform: mt19937_64 is fully specified, and the
// distributions are written out here instead of taken from <random>.
class Rng {
public:
    explicit Rng(uint64_t seed) : g_(seed) {}
    double u01() { return static_cast<double>(g_() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double a, double b) { return a + (b - a) * u01(); }
    double normal() {
        double u1 = 1.0 - u01(), u2 = u01();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2 * kPi * u2);
    }
    int64_t below(int64_t n) { return static_cast<int64_t>(u01() * static_cast<double>(n)); }

private:
    std::mt19937_64 g_;
};

struct LatLon {
    double lat, lon;
};

// Moves a point by (east, north) km on a local flat approximation.
LatLon offsetKm(LatLon p, double east, double north) {
    return {p.lat + north / kKmPerDeg, p.lon + east / (kKmPerDeg * std::cos(p.lat * kPi / 180))};
}

struct Profile {
    std::vector<std::pair<double, double>> pts;  // (distance from axis km, slab-top depth km)
    double at(double d) const {
        if (d <= pts.front().first) return pts.front().second;
        for (std::size_t i = 1; i < pts.size(); ++i)
            if (d <= pts[i].first) {
                double t = (d - pts[i - 1].first) / (pts[i].first - pts[i - 1].first);
                return pts[i - 1].second + t * (pts[i].second - pts[i - 1].second);
            }
        return pts.back().second;
    }
};

struct Trench {
    const char* label;
    std::vector<LatLon> axis;
    int side;  // +1: slab to the left of the axis direction, -1: to the right
    Profile profile;
    double d1, d2, dmax;     // shallow / intermediate / deep distance bands
    double w1, w2, w3;       // their shares
    double outerRise;        // share of events seaward of the axis
    double weight;           // share of all background events
};

struct CrustalZone {
    const char* label;
    std::vector<LatLon> axis;
    double halfWidthKm;
    double weight;
};

const Profile kPacific{{{0, 8}, {60, 15}, {120, 30}, {180, 50}, {240, 80}, {300, 110}, {400, 180}, {500, 260},
                        {600, 340}, {700, 410}, {800, 470}, {900, 530}, {1000, 570}, {1100, 600}}};
const Profile kIzuBonin{{{0, 8}, {60, 20}, {120, 50}, {170, 110}, {210, 250}, {250, 450}, {285, 610}}};
const Profile kSagami{{{0, 8}, {40, 15}, {80, 30}, {130, 50}, {180, 75}, {230, 100}}};
const Profile kNankai{{{0, 8}, {60, 12}, {120, 20}, {180, 30}, {250, 45}, {320, 65}, {380, 85}}};
const Profile kRyukyu{{{0, 8}, {60, 18}, {120, 40}, {170, 75}, {210, 120}, {260, 190}, {310, 260}, {340, 300}}};

const std::vector<Trench>& trenches() {
    static const std::vector<Trench> t = {
        {"Kuril", {{41.0, 144.6}, {42.0, 146.2}, {43.0, 147.8}, {44.0, 149.3}, {45.0, 150.9}, {46.0, 152.4}},
         +1, kPacific, 250, 480, 1100, 0.80, 0.15, 0.05, 0.03, 0.13},
        {"Japan", {{34.2, 141.9}, {36.0, 142.6}, {37.5, 143.6}, {39.0, 144.2}, {41.0, 144.6}},
         +1, kPacific, 250, 480, 1100, 0.80, 0.15, 0.05, 0.03, 0.22},
        {"Izu-Bonin", {{34.2, 141.9}, {32.0, 142.0}, {30.0, 142.3}, {28.0, 143.0}, {26.0, 143.3}, {24.0, 142.9}},
         -1, kIzuBonin, 150, 220, 285, 0.60, 0.25, 0.15, 0.02, 0.09},
        {"Sagami", {{35.15, 139.3}, {34.75, 139.8}, {34.3, 140.6}, {34.1, 141.6}},
         +1, kSagami, 130, 230, 230, 0.70, 0.30, 0.0, 0.0, 0.06},
        {"Nankai", {{34.9, 138.6}, {34.3, 138.3}, {33.8, 137.6}, {33.3, 136.5}, {33.0, 135.5}, {32.6, 134.5},
                    {32.0, 133.0}, {31.5, 132.2}},
         -1, kNankai, 200, 380, 380, 0.60, 0.40, 0.0, 0.0, 0.05},
        {"Ryukyu", {{31.5, 132.2}, {30.5, 131.8}, {29.0, 131.1}, {28.0, 130.6}, {27.0, 129.8}, {26.0, 129.0},
                    {25.0, 127.8}, {24.2, 126.5}, {23.6, 125.0}, {23.4, 123.5}},
         -1, kRyukyu, 170, 280, 340, 0.70, 0.20, 0.10, 0.02, 0.12},
    };
    return t;
}

const std::vector<CrustalZone>& crustalZones() {
    static const std::vector<CrustalZone> z = {
        {"Sea of Japan eastern margin", {{45.5, 140.8}, {44.3, 139.4}, {43.0, 139.3}, {41.5, 139.3}, {40.5, 139.0},
                                         {39.5, 139.3}, {38.5, 139.3}, {37.6, 138.5}}, 30, 0.030},
        {"Ou backbone", {{41.0, 140.9}, {39.8, 140.8}, {38.7, 140.7}, {37.6, 140.1}}, 30, 0.025},
        {"Niigata-Kobe belt", {{38.0, 139.3}, {37.3, 138.8}, {36.7, 138.2}, {36.2, 137.5}, {35.6, 136.8},
                               {35.0, 135.8}, {34.6, 135.2}}, 35, 0.050},
        {"Median tectonic line", {{34.3, 135.6}, {34.0, 134.2}, {33.8, 133.0}, {33.4, 131.8}, {33.2, 131.2},
                                  {32.8, 130.8}, {32.3, 130.5}}, 25, 0.025},
        {"San-in", {{35.6, 134.8}, {35.3, 133.5}, {35.1, 132.5}}, 20, 0.012},
        {"Izu-Bonin volcanic arc", {{35.1, 139.1}, {34.7, 139.3}, {34.1, 139.3}, {33.1, 139.8}, {31.5, 140.0},
                                    {30.5, 140.3}, {29.0, 140.4}, {27.5, 140.8}, {25.5, 141.3}, {24.2, 141.4}},
         25, 0.040},
        {"Hokkaido", {{44.8, 142.3}, {43.6, 142.3}, {42.8, 142.0}, {42.3, 142.9}, {43.1, 144.3}}, 30, 0.020},
        {"Okinawa Trough", {{30.8, 129.8}, {29.5, 128.8}, {28.0, 127.5}, {26.5, 125.8}, {25.3, 123.8},
                            {24.6, 122.3}}, 35, 0.030},
        {"Taiwan north-east", {{25.0, 122.1}, {24.2, 122.8}}, 40, 0.008},
        {"Beppu-Shimabara", {{33.3, 131.6}, {33.0, 131.0}, {32.8, 130.3}}, 25, 0.008},
        {"Kanto inland", {{37.1, 140.8}, {36.6, 140.5}, {36.2, 139.4}, {35.5, 139.1}}, 25, 0.020},
        {"Sakhalin", {{49.5, 142.6}, {47.5, 142.4}, {46.3, 141.9}, {45.3, 141.8}}, 25, 0.006},
        {"Korea", {{36.8, 128.4}, {35.8, 129.2}}, 40, 0.003},
    };
    return z;
}

struct AxisPoint {
    LatLon p;
    double east, north;  // unit direction of the axis there
};

// A point taken uniformly by length along a polyline.
AxisPoint alongAxis(const std::vector<LatLon>& axis, Rng& rng) {
    std::vector<double> len;
    double total = 0;
    for (std::size_t i = 1; i < axis.size(); ++i) {
        double k = std::cos((axis[i].lat + axis[i - 1].lat) / 2 * kPi / 180);
        double e = (axis[i].lon - axis[i - 1].lon) * kKmPerDeg * k;
        double n = (axis[i].lat - axis[i - 1].lat) * kKmPerDeg;
        len.push_back(std::hypot(e, n));
        total += len.back();
    }
    double s = rng.uniform(0, total);
    std::size_t i = 0;
    while (i + 1 < len.size() && s > len[i]) s -= len[i++];
    const LatLon& a = axis[i];
    const LatLon& b = axis[i + 1];
    double t = std::min(1.0, s / len[i]);
    double k = std::cos((a.lat + b.lat) / 2 * kPi / 180);
    double e = (b.lon - a.lon) * kKmPerDeg * k, n = (b.lat - a.lat) * kKmPerDeg;
    double l = std::hypot(e, n);
    return {{a.lat + t * (b.lat - a.lat), a.lon + t * (b.lon - a.lon)}, e / l, n / l};
}

SynthEvent slabEvent(const Trench& tr, Rng& rng) {
    AxisPoint ap = alongAxis(tr.axis, rng);
    // Unit vector toward the slab side.
    double pe = -ap.north * tr.side, pn = ap.east * tr.side;
    double d, depth;
    double u = rng.u01();
    if (u < tr.outerRise) {
        d = -rng.uniform(10, 120);
        depth = rng.uniform(5, 40);
    } else {
        double v = rng.u01() * (tr.w1 + tr.w2 + tr.w3);
        if (v < tr.w1) {
            d = rng.uniform(0, tr.d1);
            depth = tr.profile.at(d) + (rng.u01() < 0.55 ? 3.0 * rng.normal() : rng.uniform(5, 35));
        } else {
            d = v < tr.w1 + tr.w2 ? rng.uniform(tr.d1, tr.d2) : rng.uniform(tr.d2, tr.dmax);
            depth = tr.profile.at(d) + rng.uniform(0, d < 600 ? 30 : 15);
        }
    }
    double along = 10 * rng.normal();
    LatLon p = offsetKm(ap.p, pe * d + ap.east * along, pn * d + ap.north * along);
    SynthEvent e;
    e.lat = p.lat;
    e.lon = p.lon;
    e.depth = static_cast<int>(std::clamp(depth, 0.0, 690.0));
    return e;
}

SynthEvent crustalEvent(const CrustalZone& z, Rng& rng) {
    AxisPoint ap = alongAxis(z.axis, rng);
    double across = rng.uniform(-z.halfWidthKm, z.halfWidthKm);
    LatLon p = offsetKm(ap.p, -ap.north * across, ap.east * across);
    SynthEvent e;
    e.lat = p.lat;
    e.lon = p.lon;
    e.depth = static_cast<int>(rng.uniform(0, 10) + rng.uniform(0, 12));
    return e;
}

// Gutenberg-Richter magnitude x 10 at or above mc10 and below cap10.
int grMag10(Rng& rng, int mc10, int cap10) {
    for (;;) {
        double m = mc10 / 10.0 - std::log10(1.0 - rng.u01()) / kB;
        int m10 = static_cast<int>(std::floor(m * 10 + 1e-9));
        if (m10 < cap10) return m10;
    }
}

// Direction of the nearest trench axis within 300 km, for elongating aftershock zones.
bool nearestStrike(LatLon p, double& east, double& north) {
    double best = 300;
    bool found = false;
    for (const Trench& tr : trenches())
        for (std::size_t i = 1; i < tr.axis.size(); ++i) {
            const LatLon& a = tr.axis[i - 1];
            const LatLon& b = tr.axis[i];
            double k = std::cos(p.lat * kPi / 180);
            double ax = (a.lon - p.lon) * kKmPerDeg * k, ay = (a.lat - p.lat) * kKmPerDeg;
            double bx = (b.lon - p.lon) * kKmPerDeg * k, by = (b.lat - p.lat) * kKmPerDeg;
            double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
            double t = std::clamp(-(ax * dx + ay * dy) / l2, 0.0, 1.0);
            double dist = std::hypot(ax + t * dx, ay + t * dy);
            if (dist < best) {
                best = dist;
                east = dx / std::sqrt(l2);
                north = dy / std::sqrt(l2);
                found = true;
            }
        }
    return found;
}

void addAftershocks(const SynthEvent& main, Rng& rng, int64_t endMinute, std::vector<SynthEvent>& out) {
    if (main.mag10 < 60) return;
    int mc10 = completenessMag10(main.minute);
    double m = main.mag10 / 10.0;
    // Deep events are poor in aftershocks; intermediate ones somewhat.
    double productivity = main.depth > 300 ? 0.05 : main.depth > 70 ? 0.3 : 1.0;
    int n = static_cast<int>(productivity * std::pow(10.0, kB * (m - kBathDelta - mc10 / 10.0)));
    double ruptureKm = std::pow(10.0, 0.5 * m - 1.8);
    double se = 1, sn = 0;
    bool elongated = nearestStrike({main.lat, main.lon}, se, sn);
    const double c = 0.05, p = 1.1, T = 730.0;  // days
    const double a0 = std::pow(c, 1 - p), a1 = std::pow(T + c, 1 - p);
    int cap10 = std::min(main.mag10 - 5, 70);
    for (int i = 0; i < n; ++i) {
        double days = std::pow(a0 - rng.u01() * (a0 - a1), 1 / (1 - p)) - c;
        SynthEvent e;
        e.minute = main.minute + 1 + static_cast<int64_t>(days * 1440);
        if (e.minute >= endMinute) continue;
        double along = rng.normal() * ruptureKm / 3, across = rng.normal() * std::max(3.0, ruptureKm / 6);
        if (!elongated) across = rng.normal() * ruptureKm / 3;
        LatLon q = offsetKm({main.lat, main.lon}, se * along - sn * across, sn * along + se * across);
        if (!insideDomain(q.lat, q.lon)) continue;
        e.lat = q.lat;
        e.lon = q.lon;
        double depth = main.depth + rng.normal() * std::max(5.0, main.depth * 0.1);
        if (main.depth < 60) depth = std::min(depth, 70.0);
        e.depth = static_cast<int>(std::clamp(depth, 0.0, 690.0));
        e.mag10 = grMag10(rng, mc10, cap10);
        out.push_back(std::move(e));
    }
}

}  // namespace

std::vector<SynthEvent> generateBackground(const std::vector<SynthEvent>& mainshocks, const SeismicityOptions& opt) {
    Rng rng(opt.seed);
    const int64_t end = opt.endMinute ? opt.endMinute : minuteOf(20210101, 0);
    const int64_t split = minuteOf(19230101, 0);
    std::vector<SynthEvent> out;
    for (const SynthEvent& m : mainshocks) addAftershocks(m, rng, end, out);

    double sourceTotal = 0;
    for (const Trench& t : trenches()) sourceTotal += t.weight;
    for (const CrustalZone& z : crustalZones()) sourceTotal += z.weight;
    // Rate above M4 is uniform in time; before 1923 only M5+ (a tenth) is recorded.
    const double early = static_cast<double>(split) * std::pow(10.0, -kB);
    const double late = static_cast<double>(end - split);

    const std::size_t target = static_cast<std::size_t>(std::max(0, opt.targetCount - static_cast<int>(mainshocks.size())));
    while (out.size() < target) {
        SynthEvent e;
        double w = rng.u01() * sourceTotal;
        bool done = false;
        for (const Trench& t : trenches()) {
            if (w < t.weight) {
                e = slabEvent(t, rng);
                done = true;
                break;
            }
            w -= t.weight;
        }
        if (!done)
            for (const CrustalZone& z : crustalZones()) {
                if (w < z.weight || &z == &crustalZones().back()) {
                    e = crustalEvent(z, rng);
                    break;
                }
                w -= z.weight;
            }
        if (!insideDomain(e.lat, e.lon)) continue;
        e.minute = rng.u01() * (early + late) < early ? rng.below(split) : split + rng.below(end - split);
        e.mag10 = grMag10(rng, completenessMag10(e.minute), 70);
        out.push_back(e);
        addAftershocks(e, rng, end, out);
    }
    if (out.size() > target) out.resize(target);
    for (SynthEvent& e : out) e.originUtf8 = regionName(e.lat, e.lon);
    return out;
}

}  // namespace kavelo::data
