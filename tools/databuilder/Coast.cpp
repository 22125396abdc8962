#include "Coast.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace kavelo::data {

namespace {

std::vector<PlanePoint> projectRing(const CoastSource& src, const QuantizedRing& q,
                                    const MapProjection& proj) {
    std::vector<PlanePoint> out;
    out.reserve(q.x.size());
    for (std::size_t i = 0; i < q.x.size(); ++i) out.push_back(proj.project(src.lat(q.y[i]), src.lon(q.x[i])));
    return out;
}

// Drops consecutive duplicates and a closing point equal to the first.
void dedupe(std::vector<IPoint>& r) {
    std::vector<IPoint> o;
    for (const IPoint& p : r)
        if (o.empty() || o.back().x != p.x || o.back().y != p.y) o.push_back(p);
    while (o.size() > 1 && o.front().x == o.back().x && o.front().y == o.back().y) o.pop_back();
    r.swap(o);
}

}  // namespace

std::vector<IPoint> clipToBox(const std::vector<IPoint>& ring, int64_t xmin, int64_t ymin,
                              int64_t xmax, int64_t ymax) {
    // Sutherland-Hodgman against the four edges in turn.
    std::vector<IPoint> cur = ring;
    for (int edge = 0; edge < 4 && !cur.empty(); ++edge) {
        auto inside = [&](const IPoint& p) {
            switch (edge) {
                case 0: return p.x >= xmin;
                case 1: return p.x <= xmax;
                case 2: return p.y >= ymin;
                default: return p.y <= ymax;
            }
        };
        auto cross = [&](const IPoint& a, const IPoint& b) {
            double ax = static_cast<double>(a.x), ay = static_cast<double>(a.y);
            double bx = static_cast<double>(b.x), by = static_cast<double>(b.y);
            if (edge < 2) {
                double X = static_cast<double>(edge == 0 ? xmin : xmax);
                double t = (X - ax) / (bx - ax);
                return IPoint{static_cast<int64_t>(X), std::llround(ay + t * (by - ay))};
            }
            double Y = static_cast<double>(edge == 2 ? ymin : ymax);
            double t = (Y - ay) / (by - ay);
            return IPoint{std::llround(ax + t * (bx - ax)), static_cast<int64_t>(Y)};
        };
        std::vector<IPoint> next;
        for (std::size_t i = 0; i < cur.size(); ++i) {
            const IPoint& a = cur[(i + cur.size() - 1) % cur.size()];
            const IPoint& b = cur[i];
            bool ina = inside(a), inb = inside(b);
            if (inb) {
                if (!ina) next.push_back(cross(a, b));
                next.push_back(b);
            } else if (ina) {
                next.push_back(cross(a, b));
            }
        }
        cur.swap(next);
    }
    dedupe(cur);
    if (cur.size() < 3) cur.clear();
    return cur;
}

double ringArea(const std::vector<PlanePoint>& r) {
    double a = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const PlanePoint& p = r[i];
        const PlanePoint& q = r[(i + 1) % r.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::fabs(a) / 2;
}

namespace {

double segDistance(const PlanePoint& p, const PlanePoint& a, const PlanePoint& b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    if (len2 == 0) return std::hypot(p.x - a.x, p.y - a.y);
    double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Douglas-Peucker on the open chain pts[first..last], marking kept points; explicit
// stack because a coastline has tens of thousands of points.
void dpChain(const std::vector<PlanePoint>& pts, std::size_t first, std::size_t last, double tol,
             std::vector<char>& keep) {
    std::vector<std::pair<std::size_t, std::size_t>> stack{{first, last}};
    while (!stack.empty()) {
        auto [a, b] = stack.back();
        stack.pop_back();
        if (b <= a + 1) continue;
        double best = -1;
        std::size_t bi = a;
        for (std::size_t i = a + 1; i < b; ++i) {
            double d = segDistance(pts[i], pts[a], pts[b]);
            if (d > best) {
                best = d;
                bi = i;
            }
        }
        if (best > tol) {
            keep[bi] = 1;
            stack.push_back({a, bi});
            stack.push_back({bi, b});
        }
    }
}

std::vector<PlanePoint> dpRing(const std::vector<PlanePoint>& ring, double tol) {
    std::size_t n = ring.size();
    if (n <= 3) return ring;
    // Split the ring at point 0 and the point farthest from it.
    std::size_t far = 0;
    double best = -1;
    for (std::size_t i = 1; i < n; ++i) {
        double d = std::hypot(ring[i].x - ring[0].x, ring[i].y - ring[0].y);
        if (d > best) {
            best = d;
            far = i;
        }
    }
    std::vector<PlanePoint> closed(ring);
    closed.push_back(ring[0]);
    std::vector<char> keep(closed.size(), 0);
    keep[0] = keep[far] = keep[n] = 1;
    dpChain(closed, 0, far, tol, keep);
    dpChain(closed, far, n, tol, keep);
    std::vector<PlanePoint> out;
    for (std::size_t i = 0; i < n; ++i)
        if (keep[i]) out.push_back(closed[i]);
    return out;
}

}  // namespace

std::vector<PlanePoint> simplifyRing(const std::vector<PlanePoint>& ring, int maxPoints,
                                     double minTolerance) {
    std::vector<PlanePoint> out = dpRing(ring, minTolerance);
    if (static_cast<int>(out.size()) <= maxPoints) return out;
    // Bisect the tolerance for the finest simplification that fits.
    double lo = minTolerance, hi = minTolerance;
    while (static_cast<int>(dpRing(ring, hi).size()) > maxPoints) hi *= 2;
    for (int i = 0; i < 40; ++i) {
        double mid = (lo + hi) / 2;
        if (static_cast<int>(dpRing(ring, mid).size()) > maxPoints)
            lo = mid;
        else
            hi = mid;
    }
    return dpRing(ring, hi);
}

CoastSource decodeTopoJsonLand(const std::string& jsonPath, const MapProjection& proj,
                               int keepRings) {
    std::ifstream in(jsonPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open coast source " + jsonPath);
    nlohmann::json topo;
    try {
        in >> topo;
    } catch (const std::exception& e) {
        throw std::runtime_error(jsonPath + " is not valid JSON: " + e.what());
    }
    try {
        CoastSource src;
        const auto& tr = topo.at("transform");
        src.scaleX = tr.at("scale").at(0).get<double>();
        src.scaleY = tr.at("scale").at(1).get<double>();
        src.translateX = tr.at("translate").at(0).get<double>();
        src.translateY = tr.at("translate").at(1).get<double>();

        // Arcs are delta-encoded quantized positions.
        std::vector<std::vector<IPoint>> arcs;
        for (const auto& arc : topo.at("arcs")) {
            std::vector<IPoint> pts;
            int64_t x = 0, y = 0;
            for (const auto& d : arc) {
                x += d.at(0).get<int64_t>();
                y += d.at(1).get<int64_t>();
                pts.push_back({x, y});
            }
            arcs.push_back(std::move(pts));
        }
        auto ringFromArcs = [&](const nlohmann::json& idxs) {
            std::vector<IPoint> ring;
            for (const auto& jv : idxs) {
                int64_t i = jv.get<int64_t>();
                bool rev = i < 0;
                std::size_t k = static_cast<std::size_t>(rev ? ~i : i);
                if (k >= arcs.size()) throw std::runtime_error("arc index out of range");
                std::vector<IPoint> a = arcs[k];
                if (rev) std::reverse(a.begin(), a.end());
                ring.insert(ring.end(), a.begin() + (ring.empty() ? 0 : 1), a.end());
            }
            return ring;
        };

        auto qx = [&](double lon) { return static_cast<int64_t>(std::ceil((lon - src.translateX) / src.scaleX)); };
        auto qy = [&](double lat) { return static_cast<int64_t>(std::ceil((lat - src.translateY) / src.scaleY)); };
        int64_t xmin = qx(kClipLonMin), xmax = qx(kClipLonMax) - 1;
        int64_t ymin = qy(kClipLatMin), ymax = qy(kClipLatMax) - 1;

        struct Candidate {
            double area;
            QuantizedRing ring;
        };
        std::vector<Candidate> cands;
        auto addPolygon = [&](const nlohmann::json& poly) {
            // Only the outer ring: lakes inside the land are not drawn.
            std::vector<IPoint> ring = ringFromArcs(poly.at(0));
            dedupe(ring);
            std::vector<IPoint> c = clipToBox(ring, xmin, ymin, xmax, ymax);
            if (c.empty()) return;
            QuantizedRing q;
            for (const IPoint& p : c) {
                q.x.push_back(p.x);
                q.y.push_back(p.y);
            }
            double area = ringArea(projectRing(src, q, proj));
            cands.push_back({area, std::move(q)});
        };
        for (const auto& geom : topo.at("objects").at("land").at("geometries")) {
            std::string type = geom.at("type").get<std::string>();
            if (type == "Polygon")
                addPolygon(geom.at("arcs"));
            else if (type == "MultiPolygon")
                for (const auto& poly : geom.at("arcs")) addPolygon(poly);
        }
        std::stable_sort(cands.begin(), cands.end(),
                         [](const Candidate& a, const Candidate& b) { return a.area > b.area; });
        if (static_cast<int>(cands.size()) > keepRings) cands.resize(static_cast<std::size_t>(keepRings));
        for (auto& c : cands) src.rings.push_back(std::move(c.ring));
        return src;
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(jsonPath + " is not a TopoJSON land topology: " + e.what());
    }
}

std::string formatCoastSource(const CoastSource& src) {
    std::ostringstream o;
    o.precision(17);
    o << "# Natural Earth 1:10m land (public domain), from world-atlas@2.0.2 land-10m.json.\n"
         "# Outer rings clipped to " << kClipLatMin << "-" << kClipLatMax << "N "
      << kClipLonMin << "-" << kClipLonMax << "E, largest first, in the TopoJSON quantized\n"
         "# units: lon = qx * sx + tx, lat = qy * sy + ty. Each ring: 'ring N' then N points,\n"
         "# the first absolute, the rest as deltas. Regenerate with: make coast-source\n";
    o << "transform " << src.scaleX << " " << src.scaleY << " " << src.translateX << " " << src.translateY << "\n";
    for (const auto& r : src.rings) {
        o << "ring " << r.x.size() << "\n";
        int64_t px = 0, py = 0;
        for (std::size_t i = 0; i < r.x.size(); ++i) {
            o << (r.x[i] - px) << " " << (r.y[i] - py) << ((i % 10 == 9 || i + 1 == r.x.size()) ? "\n" : " ");
            px = r.x[i];
            py = r.y[i];
        }
    }
    return o.str();
}

CoastSource parseCoastSource(const std::string& text) {
    std::istringstream in(text);
    CoastSource src;
    std::string word;
    bool haveTransform = false;
    while (in >> word) {
        if (word[0] == '#') {
            std::getline(in, word);
            continue;
        }
        if (word == "transform") {
            if (!(in >> src.scaleX >> src.scaleY >> src.translateX >> src.translateY))
                throw std::runtime_error("coast source: bad transform line");
            haveTransform = true;
        } else if (word == "ring") {
            long n = 0;
            if (!(in >> n) || n < 3 || n > 10000000) throw std::runtime_error("coast source: bad ring header");
            QuantizedRing r;
            int64_t x = 0, y = 0;
            for (long i = 0; i < n; ++i) {
                int64_t dx, dy;
                if (!(in >> dx >> dy)) throw std::runtime_error("coast source: ring ends early");
                x += dx;
                y += dy;
                r.x.push_back(x);
                r.y.push_back(y);
            }
            src.rings.push_back(std::move(r));
        } else {
            throw std::runtime_error("coast source: unexpected word '" + word + "'");
        }
    }
    if (!haveTransform) throw std::runtime_error("coast source: no transform line");
    if (static_cast<int>(src.rings.size()) < kCoastFiles)
        throw std::runtime_error("coast source: fewer than 20 rings");
    return src;
}

std::vector<CoastLine> buildCoastlines(const CoastSource& src, const MapProjection& proj) {
    struct Item {
        double area;
        std::vector<PlanePoint> pts;
    };
    std::vector<Item> items;
    for (const auto& r : src.rings) {
        std::vector<PlanePoint> p = projectRing(src, r, proj);
        items.push_back({ringArea(p), std::move(p)});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.area > b.area; });
    std::vector<CoastLine> out;
    for (int i = 0; i < kCoastFiles; ++i) {
        // Half a plane unit removes only points that truncation would merge anyway.
        std::vector<PlanePoint> s = simplifyRing(items[static_cast<std::size_t>(i)].pts, kCoastMaxPoints, 0.5);
        CoastLine line;
        for (const PlanePoint& p : s) {
            double tx = std::trunc(p.x), ty = std::trunc(p.y);
            if (tx < std::numeric_limits<int16_t>::min() || tx > std::numeric_limits<int16_t>::max() ||
                ty < std::numeric_limits<int16_t>::min() || ty > std::numeric_limits<int16_t>::max())
                throw std::runtime_error("coast point outside the int16 range");
            std::pair<int16_t, int16_t> q{static_cast<int16_t>(tx), static_cast<int16_t>(ty)};
            if (line.empty() || line.back() != q) line.push_back(q);
        }
        while (line.size() > 1 && line.front() == line.back()) line.pop_back();
        out.push_back(std::move(line));
    }
    return out;
}

std::string encodeCoastFile(const CoastLine& line) {
    std::string b;
    auto put = [&](int16_t v) {
        auto u = static_cast<uint16_t>(v);
        b.push_back(static_cast<char>(u & 0xff));
        b.push_back(static_cast<char>(u >> 8));
    };
    put(static_cast<int16_t>(line.size()));
    for (const auto& p : line) {
        put(p.first);
        put(p.second);
    }
    return b;
}

}  // namespace kavelo::data
