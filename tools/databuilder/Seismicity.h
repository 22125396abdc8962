#pragma once
// The synthetic background of the demonstration catalogue (1885-2020).
//
// Model, all with one fixed seed:
//  - Sources: the Kuril, Japan and Izu-Bonin trenches (Pacific slab), the Sagami and
//    Nankai troughs and the Ryukyu trench (Philippine Sea slab), each a polyline with
//    the slab on one side; plus shallow crustal zones (inland active belts, the eastern
//    margin of the Sea of Japan, the Izu-Bonin volcanic arc, the Okinawa Trough, ...).
//  - Slab events are placed at a horizontal distance from the trench axis and take the
//    slab-top depth at that distance (piecewise linear profiles: Pacific slab to about
//    600 km under the Sea of Japan, Izu-Bonin nearly vertical to 600 km, Philippine Sea
//    slab to about 100 km under Kanto and Kinki and about 300 km under the Ryukyus),
//    either on the plate interface or within the slab below it.
//  - Magnitudes follow Gutenberg-Richter with b = 1 above a completeness magnitude of
//    5.0 before 1923 and 4.0 from 1923 on; background events stay below M 7.0 (the large
//    events are the real ones of the notable table).
//  - Every event of M 6.0 or more, real or synthetic, is followed by aftershocks:
//    10^(b (M - 1.5 - Mc)) of them (Bath's law; a third of that below 70 km and a
//    twentieth below 300 km, deep events being poor in aftershocks), in a rupture-sized ellipse along the
//    local trench strike, at times drawn from the Omori-Utsu law (c = 0.05 d, p = 1.1)
//    over two years, magnitudes G-R above Mc and below the mainshock.
//  - Nothing outside 24-50N, 122-152E.

#include <cstdint>
#include <string>
#include <vector>

namespace kavelo::data {

struct SynthEvent {
    int64_t minute = 0;  // minutes since 1885-01-01 00:00
    double lat = 0, lon = 0;
    int depth = 0;
    int mag10 = 0;
    bool notable = false;
    std::string originUtf8;
};

// Calendar helpers (proleptic Gregorian).
int64_t minuteOf(int date, int hhmm);              // YYYYMMDD, HHMM -> minutes since 1885
void dateTimeOf(int64_t minute, int& date, int& hhmm);

struct SeismicityOptions {
    uint64_t seed = 19950117;
    int targetCount = 40000;  // records in the whole file, notable events included
    int64_t endMinute = 0;     // exclusive; 0 = 2021-01-01 00:00
};

// Generates the background and the aftershocks of `mainshocks` (the notable events,
// which are not repeated in the result) until the total reaches the target.
std::vector<SynthEvent> generateBackground(const std::vector<SynthEvent>& mainshocks,
                                           const SeismicityOptions& opt);

// Completeness magnitude x 10 in force at a time.
int completenessMag10(int64_t minute);

// The domain every generated event lies in.
bool insideDomain(double lat, double lon);

}  // namespace kavelo::data
