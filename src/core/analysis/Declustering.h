#pragma once
// Declustering: Gardner-Knopoff space-time windows (three window laws) and
// Reasenberg's interaction clustering. Each event gets a cluster number (0 = none)
// and a role: main shock, foreshock or aftershock.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo::analysis {

struct DeclusterEvent {
    double days = 0.0;   // time in days (any origin)
    double lat = 0.0;    // degrees
    double lon = 0.0;    // degrees
    double depth = 0.0;  // km
    double mag = 0.0;
};

enum class DeclusterMethod { GardnerKnopoff, Gruenthal, Uhrhammer, Reasenberg };
enum class EventRole : uint8_t { Mainshock, Foreshock, Aftershock };

// "gk", "gruenthal", "uhrhammer", "reasenberg" (as the tool takes them).
const char* methodName(DeclusterMethod m);
bool parseMethod(const std::string& text, DeclusterMethod& out);
const char* roleName(EventRole r);  // "mainshock", "foreshock", "aftershock"

struct SpaceTimeWindow {
    double km = 0.0;
    double days = 0.0;
};

// The window of a main shock of magnitude m under one of the window laws
// (Reasenberg has none: returns zeros).
SpaceTimeWindow declusterWindow(DeclusterMethod law, double m);

struct DeclusterResult {
    std::vector<int32_t> cluster;  // per event, 0 = in no cluster
    std::vector<EventRole> role;   // per event
    int clusters = 0;
    int mainshocks = 0;            // singles and the main shocks of clusters
    int foreshocks = 0;
    int aftershocks = 0;
};

struct WindowOptions {
    DeclusterMethod law = DeclusterMethod::GardnerKnopoff;
    double foreshockShare = 1.0;  // fs: the window reaches fs * T before the candidate
    double capDays = 0.0;         // > 0: the time window is at most this long
};

// Window declustering: events are visited largest first (ties: the earlier); an event in
// no cluster yet takes every other such event within its window and, when it took one,
// becomes the main shock of a new cluster.
DeclusterResult declusterWindows(const std::vector<DeclusterEvent>& events, const WindowOptions& options);

struct ReasenbergOptions {
    double tauMin = 1.0;        // days: look-ahead of an event in no cluster
    double tauMax = 10.0;       // days: longest look-ahead inside a cluster
    double probability = 0.95;  // P: confidence of seeing the next event of the sequence
    double xk = 0.5;            // share of the largest magnitude that raises xmeff
    double xmeff = 1.5;         // effective lower magnitude cutoff of the catalogue
    double rfact = 10.0;        // interaction radius factor for clustered events
    double epicentreErrorKm = 1.5;
    double depthErrorKm = 2.0;
};

// Interaction radius r(M) = 0.011 * 10^(0.4 M) km.
double reasenbergRadius(double m);
// The look-ahead time after an event that is daysSinceLargest after the largest event
// (magnitude largest) of its cluster, clamped to [tauMin, tauMax].
double reasenbergLookAhead(const ReasenbergOptions& o, double largest, double daysSinceLargest);

DeclusterResult declusterReasenberg(const std::vector<DeclusterEvent>& events,
                                    const ReasenbergOptions& options = {});

// Either method by name, with fs and the cap for the window laws.
DeclusterResult decluster(const std::vector<DeclusterEvent>& events, DeclusterMethod method,
                          double foreshockShare = 1.0, double capDays = 0.0);

// A record as an event: minutes since the calendar's start in days, ddmm as degrees, M = mag / 10.
DeclusterEvent declusterEvent(const EarthquakeRecord& r);
// Records as events, in their order.
std::vector<DeclusterEvent> declusterEvents(const std::vector<EarthquakeRecord>& records);
// The selected records as events, in the order of the selection.
std::vector<DeclusterEvent> eventsOfSelection(const Catalogue& cat, const SelectionList& sel);

}  // namespace kavelo::analysis
