// Declustering and the Omori-Utsu fit on arbitrary catalogue records: every method ends,
// every event gets one role, clusters hold one main shock and at least one other event,
// and a fit stays inside its limits. The main-shock time text of the tool is parsed too.

#include <cmath>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "analysis/DeclusterCommand.h"
#include "analysis/Declustering.h"
#include "analysis/OmoriUtsu.h"
#include "catalogue/EarthquakeRecord.h"

using namespace kavelo;
using namespace kavelo::analysis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First byte: method (2 bits), fs in tenths (3 bits), a cap of 1-8 days or none (3 bits).
    const auto method = static_cast<DeclusterMethod>(data[0] & 3);
    const double fs = ((data[0] >> 2) & 7) / 4.0;
    const double cap = (data[0] >> 5) & 7;
    const unsigned char* p = data + 1;
    const std::size_t n = std::min<std::size_t>((size - 1) / kRecordSize, 300);

    int32_t date = 0;
    int hhmm = 0;
    parseMainShockTime(std::string(reinterpret_cast<const char*>(p), std::min<std::size_t>(size - 1, 40)), date, hhmm);

    std::vector<DeclusterEvent> events;
    std::vector<EarthquakeRecord> recs;
    for (std::size_t i = 0; i < n; ++i) {
        const EarthquakeRecord r = decodeRecord(p + i * kRecordSize);
        recs.push_back(r);
        events.push_back(declusterEvent(r));
    }
    const DeclusterResult r = decluster(events, method, fs, cap);
    FUZZ_CHECK(r.cluster.size() == n && r.role.size() == n);
    FUZZ_CHECK(r.mainshocks + r.foreshocks + r.aftershocks == static_cast<int>(n));
    std::vector<int> members(static_cast<std::size_t>(r.clusters) + 1, 0), mains(members.size(), 0);
    for (std::size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(r.cluster[i] >= 0 && r.cluster[i] <= r.clusters);
        if (r.cluster[i] == 0) FUZZ_CHECK(r.role[i] == EventRole::Mainshock);
        ++members[static_cast<std::size_t>(r.cluster[i])];
        if (r.role[i] == EventRole::Mainshock) ++mains[static_cast<std::size_t>(r.cluster[i])];
    }
    for (int k = 1; k <= r.clusters; ++k) {
        FUZZ_CHECK(members[static_cast<std::size_t>(k)] >= 2);
        FUZZ_CHECK(mains[static_cast<std::size_t>(k)] == 1);
    }
    const std::string csv = rolesCsv(recs, r);
    FUZZ_CHECK(csv.rfind("date,time,lat,lon,depth,mag,cluster,role\r\n", 0) == 0);

    // Omori-Utsu after the largest record.
    // Reused between inputs: only the first n slots are filled and counted.
    static Catalogue cat;
    static SelectionList sel;
    for (std::size_t i = 0; i < n; ++i) cat[static_cast<int>(i)] = recs[i];
    cat.recordCount = static_cast<int32_t>(n);
    sel.setIdentity(cat.recordCount);
    const int32_t main = largestEvent(cat, sel);
    if (main >= 0) {
        const std::vector<double> t = aftershockDays(cat, sel, main, -32768);
        double end = 0.0;
        for (double x : t) end = std::max(end, x);
        const OmoriFit f = fitOmoriUtsu(t, 0.01, end);
        if (f.fitted) {
            FUZZ_CHECK(f.c >= kOmoriCMin * (1 - 1e-12) && f.c <= kOmoriCMax * (1 + 1e-12));
            FUZZ_CHECK(f.p >= kOmoriPMin && f.p <= kOmoriPMax);
            FUZZ_CHECK(std::isfinite(f.k) && f.k > 0);
        }
    }
    return 0;
}
