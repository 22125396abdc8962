#include "analysis/AnalyseCommand.h"
#include "analysis/DeclusterCommand.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "catalogue/CatalogueLoader.h"
#include "import/ImportConversion.h"

namespace kavelo::analysis {

namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 31;

const std::vector<OptionInfo>& filterOptions() {
    static const std::vector<OptionInfo> opts = {{"--from", 1},  {"--to", 1},  {"--lat", 2},
                                                 {"--lon", 2},   {"--mag", 2}, {"--depth", 2}};
    return opts;
}

// The options every estimate of b shares.
std::vector<OptionInfo> bOptions(std::vector<OptionInfo> more = {}) {
    std::vector<OptionInfo> o = {{"--mc", 1}, {"--correction", 1}, {"--estimator", 1}};
    o.insert(o.end(), more.begin(), more.end());
    return o;
}

std::optional<double> parseNumber(const std::string& s) {
    if (s.empty() || std::isspace(static_cast<unsigned char>(s[0]))) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

int toTenths(double v) { return static_cast<int>(std::llround(v * 10.0)); }

double ddmmDegrees(int v) { return v / 100 + (v % 100) / 60.0; }

bool equalsIgnoringCase(const std::string& a, const char* b) {
    std::string u;
    for (char c : a) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u == b;
}

std::string formatNumber(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

// --- commands ----------------------------------------------------------------------

int runBValue(CommandArgs& a, std::ostream& out, std::ostream&) {
    const McChoice mc = a.mcChoice();
    const Estimator e = a.estimator();
    const int dmc = a.tenths("--dmc", 2, 0, 100);
    const std::vector<int> mags = a.magnitudes();
    const BAnalysis r = analyseB(mags, mc, e, dmc);
    JsonObject j;
    j.add("events", r.events)
        .add("n", r.estimate.n)
        .addTenths("mc", r.mc10)
        .add("mc_method", mcMethodName(mc.method))
        .add("estimator", estimatorName(e))
        .add("b", r.estimate.b)
        .add("b_sigma", r.estimate.sigma)
        .add("a", r.a)
        .add("a0", r.a0)
        .add("mean_magnitude",
             r.estimate.n > 0 ? std::optional<double>(r.estimate.meanMagnitude) : std::nullopt)
        .add("b_positive", r.positive.b)
        .add("b_positive_sigma", r.positive.sigma)
        .add("n_positive", r.positive.n);
    out << j.str() << "\n";
    return 0;
}

int runMc(CommandArgs& a, std::ostream& out, std::ostream&) {
    const int correction = a.tenths("--correction", 2, -50, 50);
    const Estimator e = a.estimator();
    const std::vector<int> mags = a.magnitudes();
    const MagnitudeBins bins(mags);
    const GftResult gft = mcGoodnessOfFit(bins);
    JsonObject j;
    j.addTenths("maxc_bin", bins.maxCurvatureBin())
        .addTenths("maxc", mcMaxCurvature(bins, correction))
        .addTenths("gft90", gft.mc90)
        .addTenths("gft95", gft.mc95)
        .addTenths("mbs", mcBStability(bins, e));
    out << j.str() << "\n";
    return 0;
}

int runFmd(CommandArgs& a, std::ostream& out, std::ostream&) {
    const std::vector<int> mags = a.magnitudes();
    const MagnitudeBins bins(mags);
    out << "magnitude,count,cumulative\n";
    for (int m = bins.lowest(); m <= bins.highest(); ++m)
        out << tenthsText(m) << "," << bins.count(m) << "," << bins.atOrAbove(m) << "\n";
    return 0;
}

int runBTime(CommandArgs& a, std::ostream& out, std::ostream& err) {
    const McChoice mc = a.mcChoice();
    const Estimator e = a.estimator();
    BTimeOptions o;
    o.window = static_cast<int>(a.integer("--window", 500, 2, 10000000));
    o.step = static_cast<int>(a.integer("--step", 20, 1, 10000000));
    o.bootstrap = static_cast<int>(a.integer("--bootstrap", 0, 0, 100000));
    o.seed = static_cast<uint64_t>(a.integer("--seed", static_cast<int64_t>(o.seed), 0, INT64_MAX));
    const std::vector<int> mags = a.magnitudes();
    const std::vector<double> times = a.times();
    const BTimeResult r = bOverTime(mags, times, mc, e, o);
    out << (o.bootstrap > 0 ? "time,mc,b,b_sigma,n,mc_sigma\n" : "time,mc,b,b_sigma,n\n");
    for (const BTimeRow& row : r.rows) {
        out << formatNumber(row.time, 10) << "," << formatNumber(row.mc, 6) << ","
            << formatNumber(row.b, 10) << "," << formatNumber(row.bSigma, 10) << "," << row.n;
        if (o.bootstrap > 0) out << "," << formatNumber(row.mcSigma, 6);
        out << "\n";
    }
    if (r.windows == 0)
        err << "kavelo-analyse: " << mags.size() << " events, fewer than one window of "
            << o.window << "; no rows\n";
    else
        err << "kavelo-analyse: " << r.windows << " windows, " << r.skipped
            << " skipped (no Mc, no b or fewer than " << o.minEvents << " events >= Mc)\n";
    return 0;
}

const CommandEntry* findCommand(const std::string& name) {
    for (const CommandEntry& c : analyseCommands())
        if (name == c.name) return &c;
    return nullptr;
}

const OptionInfo* findOption(const std::vector<OptionInfo>& opts, const std::string& name) {
    for (const OptionInfo& o : opts)
        if (o.name == name) return &o;
    return nullptr;
}

// MIN MAX of a filter option, each within +-limit (the same bounds as kavelo-import's), so
// that the whole-number limits derived from them always fit an int.
std::pair<double, double> range(const std::vector<std::string>& v, const std::string& opt,
                                double limit) {
    const auto lo = parseNumber(v[0]), hi = parseNumber(v[1]);
    if (!lo || !hi) throw UsageError(opt + " needs two numbers, not '" + v[0] + " " + v[1] + "'");
    if (*lo > *hi) throw UsageError(opt + " " + v[0] + " " + v[1] + ": the minimum is larger");
    if (std::fabs(*lo) > limit || std::fabs(*hi) > limit)
        throw UsageError(opt + " " + v[0] + " " + v[1] + ": values must lie within " +
                         std::to_string(-static_cast<int>(limit)) + " ... " +
                         std::to_string(static_cast<int>(limit)));
    return {*lo, *hi};
}

EventFilter makeFilter(const std::map<std::string, std::vector<std::string>>& o) {
    EventFilter f;
    for (const char* opt : {"--from", "--to"}) {
        auto it = o.find(opt);
        if (it == o.end()) continue;
        const int32_t d = import::parseDateArgument(it->second[0]);
        if (d == 0) throw UsageError(std::string(opt) + " '" + it->second[0] + "' is not a date (YYYY-MM-DD)");
        (std::string(opt) == "--from" ? f.fromDate : f.toDate) = d;
    }
    if (f.fromDate && f.toDate && f.fromDate > f.toDate) throw UsageError("--from is later than --to");
    if (auto it = o.find("--lat"); it != o.end()) std::tie(f.latMin, f.latMax) = range(it->second, "--lat", 90.0);
    if (auto it = o.find("--lon"); it != o.end()) std::tie(f.lonMin, f.lonMax) = range(it->second, "--lon", 180.0);
    if (auto it = o.find("--mag"); it != o.end()) {
        const auto [lo, hi] = range(it->second, "--mag", 32767.0);
        // Inclusive on the 0.1 grid of the records.
        f.magMin10 = static_cast<int>(std::ceil(lo * 10.0 - 1e-9));
        f.magMax10 = static_cast<int>(std::floor(hi * 10.0 + 1e-9));
    }
    if (auto it = o.find("--depth"); it != o.end()) {
        const auto [lo, hi] = range(it->second, "--depth", 32767.0);
        f.depthMin = static_cast<int>(std::ceil(lo - 1e-9));
        f.depthMax = static_cast<int>(std::floor(hi + 1e-9));
    }
    return f;
}

}  // namespace

const std::vector<CommandEntry>& analyseCommands() {
    static const std::vector<CommandEntry> table = {
        {"bvalue",
         "bvalue [--mc VALUE|maxc|gft90|gft95|mbs] [--correction C] [--estimator classic|utsu]\n"
         "         [--dmc D]",
         bOptions({{"--dmc", 1}}), runBValue},
        {"mc", "mc [--correction C] [--estimator classic|utsu]",
         {{"--correction", 1}, {"--estimator", 1}}, runMc},
        {"fmd", "fmd", {}, runFmd},
        {"btime",
         "btime [--window N] [--step S] [--bootstrap K] [--seed X] [--mc ...] [--correction C]\n"
         "         [--estimator classic|utsu]",
         bOptions({{"--window", 1}, {"--step", 1}, {"--bootstrap", 1}, {"--seed", 1}}), runBTime},
        {"omori", "omori [--main \"YYYY-MM-DD HH:MM\"] [--start S] [--end T] [--min-mag M]",
         {{"--main", 1}, {"--start", 1}, {"--end", 1}, {"--min-mag", 1}}, runOmori},
        {"decluster",
         "decluster --method gk|gruenthal|uhrhammer|reasenberg [--fs F] [--cap DAYS]\n"
         "         [-o MAIN.BIN] [--roles ROLES.csv]",
         {{"--method", 1}, {"--fs", 1}, {"--cap", 1}, {"-o", 1}, {"--roles", 1}}, runDecluster},
    };
    return table;
}

bool EventFilter::passes(const EarthquakeRecord& r) const {
    if (fromDate && r.date < fromDate) return false;
    if (toDate && r.date > toDate) return false;
    if (latMin) {
        const double lat = ddmmDegrees(r.lat);
        if (lat < *latMin - 1e-9 || lat > *latMax + 1e-9) return false;
    }
    if (lonMin) {
        const double lon = ddmmDegrees(r.lon);
        if (lon < *lonMin - 1e-9 || lon > *lonMax + 1e-9) return false;
    }
    if (magMin10 && (r.mag < *magMin10 || r.mag > *magMax10)) return false;
    if (depthMin && (r.depth < *depthMin || r.depth > *depthMax)) return false;
    return true;
}

std::vector<std::string> CommandArgs::values(const std::string& option) const {
    auto it = options_.find(option);
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

std::string CommandArgs::text(const std::string& option, const std::string& fallback) const {
    auto it = options_.find(option);
    return it == options_.end() || it->second.empty() ? fallback : it->second[0];
}

double CommandArgs::number(const std::string& option, double fallback, double min,
                           double max) const {
    if (!has(option)) return fallback;
    const std::string s = text(option, "");
    const auto v = parseNumber(s);
    if (!v) throw UsageError(option + " '" + s + "' is not a number");
    if (*v < min || *v > max)
        throw UsageError(option + " " + s + " is outside " + formatNumber(min, 10) + " ... " +
                         formatNumber(max, 10));
    return *v;
}

int64_t CommandArgs::integer(const std::string& option, int64_t fallback, int64_t min,
                             int64_t max) const {
    if (!has(option)) return fallback;
    const std::string s = text(option, "");
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (s.empty() || end != s.c_str() + s.size() || errno == ERANGE)
        throw UsageError(option + " '" + s + "' is not a whole number");
    if (v < min || v > max)
        throw UsageError(option + " " + s + " is outside " + std::to_string(min) + " ... " +
                         std::to_string(max));
    return v;
}

int CommandArgs::tenths(const std::string& option, int fallback, int min10, int max10) const {
    if (!has(option)) return fallback;
    return toTenths(number(option, 0.0, min10 / 10.0, max10 / 10.0));
}

McChoice CommandArgs::mcChoice() const {
    McChoice c;
    c.correction10 = tenths("--correction", 2, -50, 50);
    const std::string m = text("--mc", "maxc");
    if (m == "maxc") c.method = McMethod::MaxCurvature;
    else if (m == "gft90") c.method = McMethod::Gft90;
    else if (m == "gft95") c.method = McMethod::Gft95;
    else if (m == "mbs") c.method = McMethod::Mbs;
    else {
        const auto v = parseNumber(m);
        if (!v || *v < -10.0 || *v > 12.0)
            throw UsageError("--mc '" + m + "' is neither a magnitude nor maxc, gft90, gft95, mbs");
        c.method = McMethod::Fixed;
        c.fixed10 = toTenths(*v);
    }
    return c;
}

Estimator CommandArgs::estimator() const {
    const std::string e = text("--estimator", "classic");
    if (e == "classic") return Estimator::Classic;
    if (e == "utsu") return Estimator::Utsu;
    throw UsageError("--estimator '" + e + "' is neither classic nor utsu");
}

const std::vector<EarthquakeRecord>& CommandArgs::events() {
    if (events_) return *events_;
    std::vector<EarthquakeRecord> all;
    std::size_t read = 0;
    for (const std::string& path : files_) {
        std::string bytes;
        if (!readWholeFile(path, bytes, kMaxFileBytes))
            throw InputError(path + ": cannot read (missing, not a regular file or too large)");
        if (bytes.size() % kRecordSize != 0)
            throw InputError(path + ": " + std::to_string(bytes.size()) +
                             " bytes is not a whole number of 48-byte records; not a catalogue file");
        // As the program does, RIKA.BIN contributes only its events before 1885.
        const bool rika = equalsIgnoringCase(fileNamePart(path), "RIKA.BIN");
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        for (std::size_t i = 0; i < bytes.size() / kRecordSize; ++i) {
            const EarthquakeRecord r = decodeRecord(p + i * kRecordSize);
            ++read;
            if (rika && r.date >= kRikaLastDate) continue;
            if (filter_.passes(r)) all.push_back(r);
        }
    }
    if (all.empty())
        throw InputError(read == 0 ? "no events in the files"
                                   : "none of the " + std::to_string(read) +
                                         " events passes the filters");
    const std::vector<int> order = timeOrder(all);
    events_.emplace();
    events_->reserve(all.size());
    for (int i : order) events_->push_back(all[static_cast<std::size_t>(i)]);
    return *events_;
}

std::vector<int> CommandArgs::magnitudes() {
    std::vector<int> m;
    for (const EarthquakeRecord& r : events()) m.push_back(r.mag);
    return m;
}

std::vector<double> CommandArgs::times() {
    std::vector<double> t;
    for (const EarthquakeRecord& r : events()) t.push_back(decimalYear(r.date, r.time));
    return t;
}

void JsonObject::key(const std::string& k) {
    if (!body_.empty()) body_ += ",";
    body_ += "\"" + k + "\":";
}

JsonObject& JsonObject::add(const std::string& k, std::optional<double> v, int digits) {
    key(k);
    body_ += v && std::isfinite(*v) ? formatNumber(*v, digits) : "null";
    return *this;
}

JsonObject& JsonObject::add(const std::string& k, int64_t v) {
    key(k);
    body_ += std::to_string(v);
    return *this;
}

JsonObject& JsonObject::add(const std::string& k, const std::string& v) {
    key(k);
    body_ += "\"";
    for (char c : v) {
        if (c == '"' || c == '\\') body_ += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
            body_ += buf;
            continue;
        }
        body_ += c;
    }
    body_ += "\"";
    return *this;
}

JsonObject& JsonObject::addBool(const std::string& k, bool v) {
    key(k);
    body_ += v ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::addNull(const std::string& k) {
    key(k);
    body_ += "null";
    return *this;
}

JsonObject& JsonObject::addTenths(const std::string& k, std::optional<int> v10) {
    key(k);
    body_ += v10 ? tenthsText(*v10) : "null";
    return *this;
}

std::string tenthsText(int v10) {
    const int a = std::abs(v10);
    return (v10 < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

std::string analyseUsage() {
    std::string u = "usage: kavelo-analyse COMMAND [FILTERS] [OPTIONS] CATALOGUE.BIN...\n\nCommands:\n";
    for (const CommandEntry& c : analyseCommands()) u += std::string("  ") + c.synopsis + "\n";
    u += R"(
Filters (every bound inclusive):
  --from DATE --to DATE   YYYY-MM-DD
  --lat MIN MAX           degrees
  --lon MIN MAX           degrees
  --mag MIN MAX           magnitude
  --depth MIN MAX         km

Defaults: --mc maxc, --correction 0.2, --estimator classic, --dmc 0.2, --window 500,
--step 20, --bootstrap 0, --seed 20240101.

The files are read in the order given and their events put in time order (date, time,
then file order). A file named RIKA.BIN contributes its events before 1885 only, as in
the program. Results go to standard output (JSON or CSV), messages to standard error.
Exit status: 0 done, 1 input that cannot be analysed, 2 a usage error.
)";
    return u;
}

int runAnalyseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto usage = [&](const std::string& why) {
        err << "kavelo-analyse: " << why << "\nTry 'kavelo-analyse --help'.\n";
        return 2;
    };
    if (args.empty()) return usage("no command");
    if (args[0] == "-h" || args[0] == "--help") {
        out << analyseUsage();
        return 0;
    }
    const CommandEntry* cmd = findCommand(args[0]);
    if (!cmd) return usage("unknown command '" + args[0] + "'");

    std::map<std::string, std::vector<std::string>> options;
    std::vector<std::string> files;
    bool optionsEnd = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
            continue;
        }
        if (a == "-h" || a == "--help") {
            out << analyseUsage();
            return 0;
        }
        std::vector<std::string> vals;
        if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            vals.push_back(a.substr(eq + 1));
            a = a.substr(0, eq);
        }
        const OptionInfo* info = findOption(filterOptions(), a);
        if (!info) info = findOption(cmd->options, a);
        if (!info) return usage("unknown option '" + a + "' for " + cmd->name);
        const std::size_t want = static_cast<std::size_t>(info->values);
        if (vals.size() > want) return usage(a + " takes no value");
        while (vals.size() < want) {
            if (i + 1 >= args.size())
                return usage(a + " needs " + std::to_string(want) +
                             (want == 1 ? " value" : " values"));
            vals.push_back(args[++i]);
        }
        options[a] = vals;
    }
    try {
        EventFilter filter = makeFilter(options);
        if (files.empty()) return usage("no catalogue file");
        CommandArgs cargs(options, files, filter);
        return cmd->run(cargs, out, err);
    } catch (const UsageError& e) {
        return usage(e.what());
    } catch (const InputError& e) {
        err << "kavelo-analyse: " << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        err << "kavelo-analyse: out of memory\n";
        return 1;
    }
}

}  // namespace kavelo::analysis
