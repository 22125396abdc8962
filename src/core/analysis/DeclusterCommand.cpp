#include "analysis/DeclusterCommand.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <ostream>

#include "import/CivilTime.h"

namespace kavelo::analysis {

namespace {

std::optional<double> finite(double v) { return std::isfinite(v) ? std::optional<double>(v) : std::nullopt; }

std::string mainText(const EarthquakeRecord& r) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", r.date / 10000, r.date / 100 % 100,
                  r.date % 100, r.time / 100, r.time % 100);
    return buf;
}

const char* rewriteStepText(const RewriteResult& w) {
    switch (w.failedAt) {
    case RewriteResult::Step::OpenTemp: return "cannot create the temporary file";
    case RewriteResult::Step::WriteTemp: return "cannot write the temporary file";
    case RewriteResult::Step::SyncTemp:
    case RewriteResult::Step::CloseTemp: return "cannot flush the temporary file to disk";
    case RewriteResult::Step::Replace: return "cannot rename the temporary file";
    default: return "cannot write";
    }
}

}  // namespace

bool parseMainShockTime(const std::string& text, int32_t& date, int& hhmm) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    char s1 = 0, s2 = 0, colon = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%4d%c%2d%c%2d %2d%c%2d%n", &y, &s1, &mo, &s2, &d, &h, &colon, &mi, &used) != 8 ||
        static_cast<std::size_t>(used) != text.size())
        return false;
    if (s1 != s2 || (s1 != '-' && s1 != '/') || colon != ':') return false;
    if (!import::isValidDate(y, mo, d) || h < 0 || h > 23 || mi < 0 || mi > 59) return false;
    date = y * 10000 + mo * 100 + d;
    hhmm = h * 100 + mi;
    return true;
}

int runOmori(CommandArgs& a, std::ostream& out, std::ostream&) {
    std::optional<std::pair<int32_t, int>> named;
    if (a.has("--main")) {
        int32_t date = 0;
        int hhmm = 0;
        const std::string t = a.text("--main", "");
        if (!parseMainShockTime(t, date, hhmm))
            throw UsageError("--main '" + t + "' is not a time (\"YYYY-MM-DD HH:MM\")");
        named = {date, hhmm};
    }
    const double start = a.number("--start", 0.01, 0.0, 1e7);
    const int minMag = a.tenths("--min-mag", std::numeric_limits<int16_t>::min(), -100, 120);
    const bool endGiven = a.has("--end");
    const double endArg = a.number("--end", 0.0, 0.0, 1e7);

    const std::vector<EarthquakeRecord>& ev = a.events();
    // The main shock: the largest event (of the named minute), the earliest on a tie.
    int main = -1;
    for (std::size_t i = 0; i < ev.size(); ++i) {
        if (named && (ev[i].date != named->first || ev[i].time != named->second)) continue;
        if (main < 0 || ev[i].mag > ev[static_cast<std::size_t>(main)].mag) main = static_cast<int>(i);
    }
    if (main < 0) throw InputError("no event at " + a.text("--main", "") + " among the events read");
    const EarthquakeRecord& m = ev[static_cast<std::size_t>(main)];
    const int64_t t0 = recordMinutes(m);
    std::vector<double> t;
    double latest = 0.0;
    for (std::size_t i = 0; i < ev.size(); ++i) {
        if (static_cast<int>(i) == main || ev[i].mag < minMag) continue;
        const int64_t dt = recordMinutes(ev[i]) - t0;
        if (dt < 0) continue;
        const double days = static_cast<double>(dt) / 1440.0;
        t.push_back(days);
        latest = std::max(latest, days);
    }
    if (t.empty()) throw InputError("no aftershocks after the main shock " + mainText(m) + " pass the minimum magnitude");
    const double end = endGiven ? endArg : latest;
    if (!(end > start))
        throw InputError("the end of the fit (" + std::to_string(end) + " d) is not after its start (" +
                         std::to_string(start) + " d)");
    const OmoriFit f = fitOmoriUtsu(t, start, end);
    if (!f.fitted)
        throw InputError("only " + std::to_string(f.n) + " aftershocks between " + std::to_string(start) +
                         " and " + std::to_string(end) + " days; at least 2 are needed");
    JsonObject j;
    j.add("n", static_cast<int64_t>(f.n))
        .add("k", std::optional<double>(f.k))
        .add("c", std::optional<double>(f.c))
        .add("p", std::optional<double>(f.p))
        .add("k_sigma", finite(f.kSigma))
        .add("c_sigma", finite(f.cSigma))
        .add("p_sigma", finite(f.pSigma))
        .add("loglik", std::optional<double>(f.logLik))
        .add("aic", std::optional<double>(f.aic))
        .add("start", std::optional<double>(f.start))
        .add("end", std::optional<double>(f.end))
        .add("main", mainText(m))
        .addBool("converged", f.converged)
        .addBool("at_bound", f.atBound);
    out << j.str() << "\n";
    return 0;
}

std::string rolesCsv(const std::vector<EarthquakeRecord>& events, const DeclusterResult& r) {
    std::string s = "date,time,lat,lon,depth,mag,cluster,role\r\n";
    char buf[160];
    for (std::size_t i = 0; i < events.size() && i < r.cluster.size(); ++i) {
        const EarthquakeRecord& e = events[i];
        const int mag = e.mag;
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d,%02d:%02d,%d,%d,%d,%s%d.%d,%d,%s\r\n", e.date / 10000,
                      e.date / 100 % 100, e.date % 100, e.time / 100, e.time % 100, e.lat, e.lon, e.depth,
                      mag < 0 ? "-" : "", std::abs(mag) / 10, std::abs(mag) % 10, r.cluster[i],
                      roleName(r.role[i]));
        s += buf;
    }
    return s;
}

std::string writeFileReplacing(const std::string& path, const std::string& bytes, RewriteFileOps* ops) {
    RewriteFileOps plain;
    RewriteFileOps& f = ops ? *ops : plain;
    const std::string temp = path + ".tmp";
    auto failed = [&](const char* what, int fd) {
        const int e = errno;
        if (fd >= 0) f.close(fd);
        f.remove(temp);
        return std::string(what) + " " + (what[0] == 'r' ? path : temp) + (e ? std::string(": ") + std::strerror(e) : "");
    };
    errno = 0;
    const int fd = f.createWrite(temp);
    if (fd < 0) return failed("cannot create", -1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long w = f.write(fd, bytes.data() + done, bytes.size() - done);
        if (w <= 0) return failed("cannot write", fd);
        done += static_cast<std::size_t>(w);
    }
    if (!f.sync(fd)) return failed("cannot flush", fd);
    if (!f.close(fd)) return failed("cannot close", -1);
    if (!f.replace(temp, path)) return failed("rename to", -1);
    return {};
}

int runDecluster(CommandArgs& a, std::ostream& out, std::ostream& err) {
    if (!a.has("--method")) throw UsageError("decluster needs --method gk|gruenthal|uhrhammer|reasenberg");
    DeclusterMethod method;
    const std::string name = a.text("--method", "");
    if (!parseMethod(name, method))
        throw UsageError("--method '" + name + "' is not one of gk, gruenthal, uhrhammer, reasenberg");
    const double fs = a.number("--fs", 1.0, 0.0, 10.0);
    const double cap = a.number("--cap", 0.0, 1e-6, 1e7);
    if (method == DeclusterMethod::Reasenberg && (a.has("--fs") || a.has("--cap")))
        err << "kavelo-analyse: --fs and --cap apply to the window methods only; ignored\n";
    const std::string mainPath = a.text("-o", "");
    const std::string rolesPath = a.text("--roles", "");
    if (a.has("-o") && mainPath.empty()) throw UsageError("-o needs a file name");
    if (a.has("--roles") && rolesPath.empty()) throw UsageError("--roles needs a file name");

    const std::vector<EarthquakeRecord>& ev = a.events();
    const DeclusterResult r = decluster(declusterEvents(ev), method, fs, cap);

    if (!mainPath.empty()) {
        std::vector<EarthquakeRecord> mains;
        for (std::size_t i = 0; i < ev.size(); ++i)
            if (r.role[i] == EventRole::Mainshock) mains.push_back(ev[i]);
        const RewriteResult w = writeCatalogueFile(mainPath, mainPath + ".tmp", mains);
        if (!w.ok()) {
            err << "kavelo-analyse: " << mainPath << ": " << rewriteStepText(w) << "; nothing written";
            if (w.errorNumber) err << " (" << std::strerror(w.errorNumber) << ")";
            err << "\n";
            return 1;
        }
    }
    if (!rolesPath.empty()) {
        const std::string why = writeFileReplacing(rolesPath, rolesCsv(ev, r));
        if (!why.empty()) {
            err << "kavelo-analyse: " << why << "\n";
            return 1;
        }
    }
    JsonObject j;
    j.add("method", methodName(method))
        .add("events", static_cast<int64_t>(ev.size()))
        .add("clusters", static_cast<int64_t>(r.clusters))
        .add("mainshocks", static_cast<int64_t>(r.mainshocks))
        .add("foreshocks", static_cast<int64_t>(r.foreshocks))
        .add("aftershocks", static_cast<int64_t>(r.aftershocks));
    out << j.str() << "\n";
    return 0;
}

}  // namespace kavelo::analysis
