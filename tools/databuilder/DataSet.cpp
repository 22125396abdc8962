#include "DataSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Coast.h"
#include "EventTables.h"
#include "Projection.h"
#include "QuickLook.h"
#include "SampleLists.h"
#include "Sjis.h"

namespace kavelo::data {

namespace {

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot create " + p.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string readFile(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + p);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool recordLess(const EarthquakeRecord& a, const EarthquakeRecord& b) {
    if (a.date != b.date) return a.date < b.date;
    return a.time < b.time;
}

// Shift-JIS text that must fit a field of maxBytes bytes.
std::string sjisField(const std::string& utf8, std::size_t maxBytes, const char* what) {
    std::string s = toSjis(utf8);
    if (s.size() > maxBytes)
        throw std::runtime_error(std::string(what) + " longer than " + std::to_string(maxBytes) + " bytes: " + utf8);
    return s;
}

}  // namespace

int degreesToDdmm(double deg) {
    // Whole minutes, truncated; the epsilon keeps 35.5 from becoming 35 29'.
    long minutes = static_cast<long>(std::floor(deg * 60.0 + 1e-7));
    return static_cast<int>(minutes / 60 * 100 + minutes % 60);
}

EarthquakeRecord makeRecord(int date, int hhmm, double lat, double lon, int depth, int mag10,
                            const std::string& originUtf8) {
    EarthquakeRecord r;
    r.date = date;
    r.time = static_cast<int16_t>(hhmm);
    r.lon = static_cast<int16_t>(degreesToDdmm(lon));
    r.lat = static_cast<int16_t>(degreesToDdmm(lat));
    r.depth = static_cast<int16_t>(depth);
    r.mag = static_cast<int16_t>(mag10);
    r.setOrigin(sjisField(originUtf8, kOriginSize - 1, "source-region name"));
    return r;
}

std::vector<EarthquakeRecord> buildRikaRecords() {
    std::vector<EarthquakeRecord> out;
    for (const KnownEvent& e : historicalEvents())
        out.push_back(makeRecord(e.date, e.time, e.lat, e.lon, e.depth, e.mag10, e.origin));
    std::stable_sort(out.begin(), out.end(), recordLess);
    return out;
}

std::vector<EarthquakeRecord> buildGeppoRecords() {
    std::vector<SynthEvent> notable;
    for (const KnownEvent& e : notableEvents()) {
        SynthEvent s;
        s.minute = minuteOf(e.date, e.time);
        s.lat = e.lat;
        s.lon = e.lon;
        s.depth = e.depth;
        s.mag10 = e.mag10;
        s.notable = true;
        s.originUtf8 = e.origin;
        notable.push_back(s);
    }
    std::vector<SynthEvent> all = generateBackground(notable, SeismicityOptions{});
    all.insert(all.end(), notable.begin(), notable.end());
    std::vector<EarthquakeRecord> out;
    out.reserve(all.size());
    for (const SynthEvent& s : all) {
        int date, hhmm;
        dateTimeOf(s.minute, date, hhmm);
        out.push_back(makeRecord(date, hhmm, s.lat, s.lon, s.depth, s.mag10, s.originUtf8));
    }
    std::stable_sort(out.begin(), out.end(), recordLess);
    return out;
}

std::string encodeRecords(const std::vector<EarthquakeRecord>& recs) {
    std::string b;
    b.reserve(recs.size() * kRecordSize);
    for (const EarthquakeRecord& r : recs) {
        auto bytes = encodeRecord(r);
        b.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return b;
}

std::string buildOriginNameFile() {
    std::string s;
    for (const NameMapping& m : originNameTable())
        s += sjisField(m.stored, 30, "name-table column") + "," + sjisField(m.shown, 30, "name-table column") + "\r\n";
    return s;
}

std::string buildChronologyFile() {
    struct Line {
        int date, time;
        std::string text;
    };
    std::vector<Line> lines;
    auto add = [&](const KnownEvent& e) {
        if (!e.article) return;
        std::string name = *e.name ? sjisField(e.name, 200, "chronology name") : "(null)";
        std::string article = *e.article ? sjisField(e.article, 560, "chronology article") : "(null)";
        char head[64];
        std::snprintf(head, sizeof head, "%d%%%d%%%d%%%d%%", e.date, degreesToDdmm(e.lat), degreesToDdmm(e.lon), e.mag10);
        std::string text = head + name + "%" + article;
        if (text.size() > 790) throw std::runtime_error("chronology line too long: " + std::string(e.article));
        lines.push_back({e.date, e.time, text});
    };
    for (const KnownEvent& e : historicalEvents()) add(e);
    for (const KnownEvent& e : notableEvents()) add(e);
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.date != b.date ? a.date < b.date : a.time < b.time;
    });
    std::string s;
    for (const Line& l : lines) s += l.text + "\r\n";
    return s;
}

BuildReport buildDataSet(const BuildOptions& opt) {
    namespace fs = std::filesystem;
    MapProjection proj;

    // Coastline source: decode the TopoJSON when given, else the shipped extract.
    std::string sourceText;
    if (!opt.coastJson.empty())
        sourceText = formatCoastSource(decodeTopoJsonLand(opt.coastJson, proj));
    else
        sourceText = readFile(opt.coastSource.empty() ? std::string(KAVELO_COAST_SOURCE) : opt.coastSource);
    CoastSource src = parseCoastSource(sourceText);
    std::vector<CoastLine> coasts = buildCoastlines(src, proj);
    NodeGrid grid = buildNodeGrid(proj);

    std::vector<EarthquakeRecord> rika = buildRikaRecords();
    std::vector<EarthquakeRecord> geppo = buildGeppoRecords();
    std::string names = buildOriginNameFile();
    std::string chronology = buildChronologyFile();

    fs::path dir(opt.outDir);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw std::runtime_error("cannot create folder " + opt.outDir + ": " + ec.message());
    if (!opt.writeCoastSource.empty()) writeFile(opt.writeCoastSource, sourceText);
    std::size_t coastPoints = 0;
    for (int i = 0; i < kCoastFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "NCOAST%02d.BIN", i + 1);
        writeFile(dir / name, encodeCoastFile(coasts[static_cast<std::size_t>(i)]));
        coastPoints += coasts[static_cast<std::size_t>(i)].size();
    }
    writeFile(dir / "POINTXY.DAT", formatNodeGrid(grid));
    writeFile(dir / "RIKA.BIN", encodeRecords(rika));
    writeFile(dir / "GEPPO1.BIN", encodeRecords(geppo));
    writeFile(dir / "JAP-ORIGIN.CSV", names);
    writeFile(dir / "NENPYO.TXT", chronology);

    std::size_t sampleFiles = 0;
    if (!opt.samplesDir.empty()) {
        for (const SampleFile& f : buildSampleLists(rika, geppo)) {
            const fs::path p = fs::path(opt.samplesDir) / f.path;
            fs::create_directories(p.parent_path(), ec);
            if (ec) throw std::runtime_error("cannot create folder " + p.parent_path().string() + ": " + ec.message());
            writeFile(p, f.bytes);
            ++sampleFiles;
        }
    }

    if (!opt.quickLook.empty()) {
        std::vector<QuickLookPoint> pts;
        for (const auto* list : {&rika, &geppo})
            for (const EarthquakeRecord& r : *list) {
                PlanePoint p = proj.project(ddmmToDegrees(r.lat), ddmmToDegrees(r.lon));
                pts.push_back({p.x, p.y, r.depth});
            }
        writeQuickLook(opt.quickLook, coasts, grid, pts);
    }

    std::size_t chronoLines = static_cast<std::size_t>(std::count(chronology.begin(), chronology.end(), '\n'));
    std::ostringstream s;
    s << "wrote " << opt.outDir << ": " << kCoastFiles << " coastlines (" << coastPoints << " points), "
      << grid.rows << "x" << grid.cols << " nodes, RIKA.BIN " << rika.size() << " records, GEPPO1.BIN "
      << geppo.size() << " records (" << geppo.front().date << "-" << geppo.back().date << "), JAP-ORIGIN.CSV "
      << originNameTable().size() << " names, NENPYO.TXT " << chronoLines << " entries";
    if (sampleFiles > 0) s << ", " << sampleFiles << " sample lists in " << opt.samplesDir;
    return {s.str()};
}

}  // namespace kavelo::data
