#include "import/EventReader.h"

#include <algorithm>
#include <cmath>

#include "import/FdsnReader.h"
#include "import/JmaReader.h"
#include "import/QuakeMlReader.h"

namespace kavelo::import {

int degreesToDdmmExact(double deg) {
    const double a = std::fabs(deg);
    if (!(a < 1e6)) return 0;  // readers refuse such positions before they get here
    const double whole = std::trunc(a);
    const int minutes = std::min(59, static_cast<int>((a - whole) * 60.0 + 1e-7));
    const int v = static_cast<int>(whole) * 100 + minutes;
    return deg < 0 ? -v : v;
}

void SourceEvent::setPosition(double lat, double lon) {
    latDeg = lat;
    lonDeg = lon;
    latDdmm = degreesToDdmmExact(lat);
    lonDdmm = degreesToDdmmExact(lon);
}

bool ReadResult::problem(std::size_t line, std::string reason, const ReadOptions& o) {
    // A wrong file can hold millions of bad lines; their count is enough beyond the first.
    if (problems.size() < 1000) problems.push_back({line, std::move(reason)});
    ++problemCount;
    if (o.stopAtFirstProblem) stopped = true;
    return stopped;
}

const std::vector<const EventReader*>& eventReaders() {
    static const JmaReader jma;
    static const FdsnReader fdsn;
    static const QuakeMlReader quakeml;
    static const std::vector<const EventReader*> all{&jma, &fdsn, &quakeml};
    return all;
}

const EventReader* readerByName(std::string_view name) {
    for (const auto* r : eventReaders())
        if (name == r->name()) return r;
    return nullptr;
}

const EventReader* detectReader(std::string_view head) {
    const EventReader* best = nullptr;
    int bestScore = 0;
    for (const auto* r : eventReaders()) {
        int s = r->recognise(head);
        if (s > bestScore) {
            best = r;
            bestScore = s;
        }
    }
    return best;
}

}  // namespace kavelo::import
