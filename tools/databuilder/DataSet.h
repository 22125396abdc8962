#pragma once
// Builds every file of the DATA folder.

#include <string>
#include <vector>

#include "Seismicity.h"
#include "catalogue/EarthquakeRecord.h"

namespace kavelo::data {

struct BuildOptions {
    std::string outDir;
    std::string coastJson;         // world-atlas land-10m.json; empty = use coastSource
    std::string coastSource;       // compact extract; empty = the one shipped in tools/coast
    std::string writeCoastSource;  // where to write the extract used (optional)
    std::string quickLook;         // PNG path (optional)
    std::string samplesDir;        // where Extra/ and Hi-net/ with the sample lists go (optional)
};

struct BuildReport {
    std::string summary;
};

BuildReport buildDataSet(const BuildOptions& opt);

// Pieces, exposed for the tests.
int degreesToDdmm(double deg);  // 35.5 -> 3530, truncating to whole minutes
EarthquakeRecord makeRecord(int date, int hhmm, double lat, double lon, int depth, int mag10,
                            const std::string& originUtf8);
std::vector<EarthquakeRecord> buildRikaRecords();
std::vector<EarthquakeRecord> buildGeppoRecords();
std::string buildOriginNameFile();  // JAP-ORIGIN.CSV bytes
std::string buildChronologyFile();  // NENPYO.TXT bytes
std::string encodeRecords(const std::vector<EarthquakeRecord>& recs);

}  // namespace kavelo::data
