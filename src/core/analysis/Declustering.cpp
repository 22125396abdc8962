#include "analysis/Declustering.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/OmoriUtsu.h"
#include "analysis/SpaceTimeIndex.h"

namespace kavelo::analysis {

const char* methodName(DeclusterMethod m) {
    switch (m) {
    case DeclusterMethod::GardnerKnopoff: return "gk";
    case DeclusterMethod::Gruenthal: return "gruenthal";
    case DeclusterMethod::Uhrhammer: return "uhrhammer";
    case DeclusterMethod::Reasenberg: return "reasenberg";
    }
    return "gk";
}

bool parseMethod(const std::string& text, DeclusterMethod& out) {
    for (DeclusterMethod m : {DeclusterMethod::GardnerKnopoff, DeclusterMethod::Gruenthal,
                              DeclusterMethod::Uhrhammer, DeclusterMethod::Reasenberg}) {
        if (text == methodName(m)) {
            out = m;
            return true;
        }
    }
    return false;
}

const char* roleName(EventRole r) {
    switch (r) {
    case EventRole::Mainshock: return "mainshock";
    case EventRole::Foreshock: return "foreshock";
    case EventRole::Aftershock: return "aftershock";
    }
    return "mainshock";
}

SpaceTimeWindow declusterWindow(DeclusterMethod law, double m) {
    SpaceTimeWindow w;
    switch (law) {
    case DeclusterMethod::GardnerKnopoff:
        w.km = std::pow(10.0, 0.1238 * m + 0.983);
        w.days = m >= 6.5 ? std::pow(10.0, 0.032 * m + 2.7389) : std::pow(10.0, 0.5409 * m - 0.547);
        break;
    case DeclusterMethod::Gruenthal:
        // The square roots are of positive numbers for every magnitude above about -0.03;
        // below that the window is taken as the one of magnitude 0 rather than NaN.
        w.km = std::exp(1.77 + std::sqrt(std::max(0.0, 0.037 + 1.02 * m)));
        w.days = m < 6.5 ? std::fabs(std::exp(-3.95 + std::sqrt(std::max(0.0, 0.62 + 17.32 * m))))
                         : std::pow(10.0, 2.8 + 0.024 * m);
        break;
    case DeclusterMethod::Uhrhammer:
        w.km = std::exp(-1.024 + 0.804 * m);
        w.days = std::exp(-2.87 + 1.235 * m);
        break;
    case DeclusterMethod::Reasenberg:
        break;
    }
    return w;
}

namespace {

struct Columns {
    std::vector<double> lat, lon, days;
};

Columns columns(const std::vector<DeclusterEvent>& events) {
    Columns c;
    for (const DeclusterEvent& e : events) {
        c.lat.push_back(e.lat);
        c.lon.push_back(e.lon);
        c.days.push_back(e.days);
    }
    return c;
}

// Counts the roles; cluster numbers must already be final.
void countRoles(DeclusterResult& r) {
    r.mainshocks = r.foreshocks = r.aftershocks = 0;
    for (EventRole role : r.role) {
        if (role == EventRole::Mainshock) ++r.mainshocks;
        else if (role == EventRole::Foreshock) ++r.foreshocks;
        else ++r.aftershocks;
    }
}

}  // namespace

DeclusterResult declusterWindows(const std::vector<DeclusterEvent>& events, const WindowOptions& o) {
    DeclusterResult r;
    r.cluster.assign(events.size(), 0);
    r.role.assign(events.size(), EventRole::Mainshock);
    const Columns col = columns(events);
    const SpaceTimeIndex index(col.lat, col.lon, col.days);

    std::vector<int32_t> order(events.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        if (events[a].mag != events[b].mag) return events[a].mag > events[b].mag;
        return events[a].days < events[b].days;
    });

    const double fs = std::max(0.0, o.foreshockShare);
    std::vector<char> taken(events.size(), 0);
    std::vector<int32_t> members;
    for (int32_t i : order) {
        if (taken[i]) continue;
        const DeclusterEvent& m = events[i];
        SpaceTimeWindow w = declusterWindow(o.law, m.mag);
        if (o.capDays > 0) w.days = std::min(w.days, o.capDays);
        if (!std::isfinite(w.km) || !std::isfinite(w.days)) continue;
        members.clear();
        // The index is asked with a slightly wider span; the exact test is on dt.
        const double pad = 1e-9 * (1.0 + std::fabs(m.days));
        index.query(m.lat, m.lon, w.km * 1.000001 + 1e-6, m.days - fs * w.days - pad, m.days + w.days + pad,
                    [&](int32_t j) {
                        if (j == i || taken[j]) return;
                        const double dt = events[j].days - m.days;
                        if (dt < -fs * w.days || dt > w.days) return;
                        if (haversineKm(m.lat, m.lon, events[j].lat, events[j].lon) > w.km) return;
                        members.push_back(j);
                    });
        if (members.empty()) continue;  // stays free: a later window may still take it
        const int32_t k = ++r.clusters;
        taken[i] = 1;
        r.cluster[i] = k;
        for (int32_t j : members) {
            taken[j] = 1;
            r.cluster[j] = k;
            r.role[j] = events[j].days - m.days < 0 ? EventRole::Foreshock : EventRole::Aftershock;
        }
    }
    countRoles(r);
    return r;
}

double reasenbergRadius(double m) { return 0.011 * std::pow(10.0, 0.4 * m); }

double reasenbergLookAhead(const ReasenbergOptions& o, double largest, double daysSinceLargest) {
    // tau = -ln(1 - P) * t / 10^(2 (dM - 1) / 3), dM = max(0, (1 - xk) M_largest - xmeff):
    // the time within which the next event of an Omori sequence (p = 1) is expected
    // with probability P, given the magnitude cutoff raised during the sequence.
    const double dm = std::max(0.0, (1.0 - o.xk) * largest - o.xmeff);
    const double tau = -std::log(1.0 - o.probability) * daysSinceLargest / std::pow(10.0, 2.0 * (dm - 1.0) / 3.0);
    if (!(tau >= o.tauMin)) return o.tauMin;
    return std::min(tau, o.tauMax);
}

DeclusterResult declusterReasenberg(const std::vector<DeclusterEvent>& events, const ReasenbergOptions& o) {
    const std::size_t n = events.size();
    DeclusterResult r;
    r.cluster.assign(n, 0);
    r.role.assign(n, EventRole::Mainshock);
    if (n == 0) return r;
    const Columns col = columns(events);
    const SpaceTimeIndex index(col.lat, col.lon, col.days);

    // Events in time order (ties: input order); rank[e] is the place of e in it.
    std::vector<int32_t> byTime(n);
    std::iota(byTime.begin(), byTime.end(), 0);
    std::stable_sort(byTime.begin(), byTime.end(),
                     [&](int32_t a, int32_t b) { return events[a].days < events[b].days; });
    std::vector<int32_t> rank(n);
    for (std::size_t i = 0; i < n; ++i) rank[byTime[i]] = static_cast<int32_t>(i);

    // Clusters are labels 1, 2, ... joined by union-find when they meet; a root label
    // carries the cluster's largest event so far.
    std::vector<int32_t> label(n, 0);
    // Label 0 stands for "no cluster".
    std::vector<int32_t> parent, big;
    parent.reserve(n / 4 + 2);
    big.reserve(n / 4 + 2);
    parent.push_back(0);
    big.push_back(-1);
    auto find = [&](int32_t k) {
        while (parent[k] != k) k = parent[k] = parent[parent[k]];
        return k;
    };
    auto clusterOf = [&](int32_t e) { return label[e] ? find(label[e]) : 0; };
    // The later event wins a tie, as a newly visited equal event becomes the largest.
    auto larger = [&](int32_t a, int32_t b) {
        if (a < 0) return b;
        if (b < 0) return a;
        if (events[a].mag != events[b].mag) return events[a].mag > events[b].mag ? a : b;
        return rank[a] > rank[b] ? a : b;
    };

    // Hypocentral distance after allowing for location errors: the epicentral part is
    // reduced by 1.5 times the epicentre error (as ZMAP does), the depth part by the
    // depth error, neither below zero.
    auto distance = [&](int32_t a, int32_t b) {
        const double h = std::max(0.0, haversineKm(events[a].lat, events[a].lon, events[b].lat, events[b].lon) -
                                               1.5 * o.epicentreErrorKm);
        const double z = std::max(0.0, std::fabs(events[a].depth - events[b].depth) - o.depthErrorKm);
        return std::sqrt(h * h + z * z);
    };
    const double slack = 1.5 * o.epicentreErrorKm + 1e-6;

    std::vector<int32_t> near;
    for (std::size_t pos = 0; pos + 1 < n; ++pos) {
        const int32_t i = byTime[pos];
        int32_t k1 = clusterOf(i);

        // 1. Look-ahead time: tau_min for an event in no cluster or a new largest event
        //    of its cluster; otherwise from the time since the cluster's largest event.
        double tau = o.tauMin;
        if (k1 != 0) {
            const int32_t bg = big[k1];
            if (events[i].mag >= events[bg].mag) {
                big[k1] = i;
            } else {
                tau = reasenbergLookAhead(o, events[bg].mag, events[i].days - events[bg].days);
            }
        }
        const bool shortLook = tau == o.tauMin;

        // 2. Interaction radii: rfact r(M_i) around this event, and r(M_largest) around
        //    the cluster's largest event while the look-ahead is longer than tau_min.
        const int32_t bg = k1 != 0 ? big[k1] : i;
        const double r1 = o.rfact * reasenbergRadius(events[i].mag);
        const double r2 = shortLook ? 0.0 : reasenbergRadius(events[bg].mag);

        // 3. Candidates: later events within tau that are not in i's cluster already,
        //    inside either interaction zone.
        near.clear();
        auto consider = [&](int32_t j) {
            if (rank[j] <= static_cast<int32_t>(pos)) return;
            if (!(events[j].days - events[i].days < tau)) return;
            if (k1 != 0 && clusterOf(j) == k1) return;
            if (distance(i, j) <= r1 || distance(bg, j) <= r2) near.push_back(j);
        };
        const double t0 = events[i].days, t1 = events[i].days + tau;
        index.query(events[i].lat, events[i].lon, r1 + slack, t0, t1, consider);
        if (bg != i) index.query(events[bg].lat, events[bg].lon, r2 + slack, t0, t1, consider);
        if (near.empty()) continue;
        std::sort(near.begin(), near.end());
        near.erase(std::unique(near.begin(), near.end()), near.end());

        // 4. Clusters that meet merge into the one with the smallest label; i joins it.
        int32_t target = k1;
        for (int32_t j : near) {
            const int32_t kj = clusterOf(j);
            if (kj != 0 && (target == 0 || kj < target)) target = kj;
        }
        if (target != 0) {
            if (k1 != 0 && k1 != target) {
                parent[k1] = target;
                big[target] = larger(big[target], big[k1]);
            }
            for (int32_t j : near) {
                const int32_t kj = clusterOf(j);
                if (kj != 0 && kj != target) {
                    parent[kj] = target;
                    big[target] = larger(big[target], big[kj]);
                }
            }
            if (label[i] == 0) {
                label[i] = target;
                big[target] = larger(big[target], i);
            }
        } else {
            // 5. Neither i nor any candidate was clustered: a new cluster led by i.
            target = static_cast<int32_t>(parent.size());
            parent.push_back(target);
            big.push_back(i);
            label[i] = target;
        }
        // 6. Unclustered candidates join the cluster.
        for (int32_t j : near)
            if (label[j] == 0) label[j] = target;
    }

    // Final numbering in the time order of the clusters' first events; the main shock
    // is the largest event (the earliest of equals), the others fore- or aftershocks.
    struct Final {
        int32_t number = 0;
        int32_t main = -1;
    };
    std::vector<Final> fin(parent.size());
    for (int32_t e : byTime) {
        const int32_t k = clusterOf(e);
        if (k == 0) continue;
        if (fin[k].number == 0) fin[k].number = ++r.clusters;
        if (fin[k].main < 0 || events[e].mag > events[fin[k].main].mag) fin[k].main = e;
    }
    for (int32_t e : byTime) {
        const int32_t k = clusterOf(e);
        if (k == 0) continue;
        r.cluster[e] = fin[k].number;
        const int32_t m = fin[k].main;
        if (e == m) r.role[e] = EventRole::Mainshock;
        else r.role[e] = rank[e] < rank[m] ? EventRole::Foreshock : EventRole::Aftershock;
    }
    countRoles(r);
    return r;
}

DeclusterResult decluster(const std::vector<DeclusterEvent>& events, DeclusterMethod method,
                          double foreshockShare, double capDays) {
    if (method == DeclusterMethod::Reasenberg) return declusterReasenberg(events);
    WindowOptions o;
    o.law = method;
    o.foreshockShare = foreshockShare;
    o.capDays = capDays;
    return declusterWindows(events, o);
}

DeclusterEvent declusterEvent(const EarthquakeRecord& r) {
    DeclusterEvent e;
    e.days = static_cast<double>(recordMinutes(r)) / 1440.0;
    e.lat = ddmmToDegrees(r.lat);
    e.lon = ddmmToDegrees(r.lon);
    e.depth = r.depth;
    e.mag = r.mag / 10.0;
    return e;
}

std::vector<DeclusterEvent> declusterEvents(const std::vector<EarthquakeRecord>& records) {
    std::vector<DeclusterEvent> out;
    out.reserve(records.size());
    for (const EarthquakeRecord& r : records) out.push_back(declusterEvent(r));
    return out;
}

std::vector<DeclusterEvent> eventsOfSelection(const Catalogue& cat, const SelectionList& sel) {
    std::vector<DeclusterEvent> out;
    out.reserve(static_cast<std::size_t>(std::max(0, sel.selectionCount)));
    for (int i = 0; i < sel.selectionCount; ++i) out.push_back(declusterEvent(cat[sel[i]]));
    return out;
}

}  // namespace kavelo::analysis
