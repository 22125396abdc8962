#include "import/ImportCommand.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <ostream>
#include <sstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/NearestName.h"
#include "import/EventReader.h"
#include "import/ImportConversion.h"
#include "import/TextFields.h"

namespace kavelo::import {

namespace {
constexpr std::size_t kProgressAbove = 10u << 20;
constexpr std::size_t kMaxInputBytes = std::size_t{4} << 30;
constexpr std::size_t kMaxCatalogueBytes = std::size_t{1} << 31;
constexpr std::size_t kProblemsShown = 200;

struct Settings {
    std::string format = "auto";
    std::string fdsn;  // service key or base URL; empty for a file import
    bool merge = false, strict = false;
    ConvertOptions convert;
    std::string output, names;
    std::vector<std::string> inputs;
};

// Parses the arguments; an empty string on success, otherwise the complaint.
std::string parseArguments(const std::vector<std::string>& args, Settings& s, bool& help) {
    help = false;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            s.inputs.push_back(a);
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
            value = a.substr(a.find('=') + 1);
            a = a.substr(0, a.find('='));
            hasValue = true;
        }
        auto takeValue = [&](std::string& into) -> bool {
            if (hasValue) {
                into = value;
                return true;
            }
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--") {
            optionsEnd = true;
        } else if (a == "-h" || a == "--help") {
            help = true;
        } else if (a == "--merge") {
            s.merge = true;
        } else if (a == "--utc") {
            s.convert.keepUtc = true;
        } else if (a == "--box") {
            s.convert.japanBox = true;
        } else if (a == "--all-types") {
            s.convert.allTypes = true;
        } else if (a == "--fdsn") {
            if (!takeValue(s.fdsn) || s.fdsn.empty()) return "--fdsn needs a service";
            std::string why;
            if (!fdsnServiceFor(s.fdsn, why)) return why;
        } else if (a == "--mag" || a == "--depth" || a == "--lat" || a == "--lon") {
            Range& r = a == "--mag"     ? s.convert.mag
                       : a == "--depth" ? s.convert.depth
                       : a == "--lat"   ? s.convert.lat
                                        : s.convert.lon;
            if (hasValue || i + 2 >= args.size()) return a + " needs two numbers, MIN MAX";
            auto lo = parseDecimal(args[i + 1]), hi = parseDecimal(args[i + 2]);
            if (!lo || !hi)
                return a + " '" + args[i + 1] + " " + args[i + 2] + "' is not two numbers";
            i += 2;
            if (*lo > *hi) return a + ": MIN is larger than MAX";
            const double limit = a == "--lat" ? 90 : a == "--lon" ? 180 : 32767;
            if (std::fabs(*lo) > limit || std::fabs(*hi) > limit)
                return a + " values must lie within " + std::to_string(static_cast<int>(-limit)) +
                       " ... " + std::to_string(static_cast<int>(limit));
            r = {true, *lo, *hi};
        } else if (a == "--strict") {
            s.strict = true;
        } else if (a == "--format") {
            if (!takeValue(s.format)) return "--format needs a value";
            if (s.format != "auto" && !readerByName(s.format))
                return "unknown format '" + s.format + "' (auto, jma, fdsn or quakeml)";
        } else if (a == "--from" || a == "--to") {
            std::string d;
            if (!takeValue(d)) return a + " needs a date";
            int32_t v = parseDateArgument(d);
            if (v == 0) return a + " '" + d + "' is not a date (YYYY-MM-DD)";
            (a == "--from" ? s.convert.fromDate : s.convert.toDate) = v;
        } else if (a == "-o" || a == "--output") {
            if (!takeValue(s.output) || s.output.empty()) return a + " needs a file name";
        } else if (a == "--names") {
            if (!takeValue(s.names) || s.names.empty()) return "--names needs a catalogue file";
        } else {
            return "unknown option '" + a + "'";
        }
    }
    if (help) return {};
    if (s.output.empty()) return "no output file (-o OUT.BIN)";
    if (!s.fdsn.empty()) {
        if (!s.inputs.empty()) return "--fdsn fetches from a service and takes no input file";
        if (!s.convert.fromDate) return "--fdsn needs --from DATE (the start of the period)";
    } else if (s.inputs.empty()) {
        return "no input file";
    }
    if (s.convert.fromDate && s.convert.toDate && s.convert.fromDate > s.convert.toDate)
        return "--from is later than --to";
    return {};
}

std::vector<EarthquakeRecord> decodeAll(const std::string& bytes) {
    std::vector<EarthquakeRecord> recs(bytes.size() / kRecordSize);
    for (std::size_t i = 0; i < recs.size(); ++i)
        recs[i] =
            decodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i * kRecordSize);
    return recs;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string stepText(const RewriteResult& r) {
    switch (r.failedAt) {
        case RewriteResult::Step::OpenTemp:
            return "cannot create the temporary file";
        case RewriteResult::Step::WriteTemp:
            return "cannot write the temporary file";
        case RewriteResult::Step::SyncTemp:
        case RewriteResult::Step::CloseTemp:
            return "cannot save the temporary file to disk";
        case RewriteResult::Step::Replace:
            return "cannot rename the temporary file over the catalogue";
        default:
            return "cannot write";
    }
}

std::string megabytes(std::size_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", n / 1048576.0);
    return buf;
}

const char* plural(std::size_t n, const char* one, const char* many) {
    return n == 1 ? one : many;
}
}  // namespace

std::string importUsage() {
    return R"(usage: kavelo-import [--format auto|jma|fdsn|quakeml] [--merge] [--utc] [--box]
                    [--from DATE] [--to DATE] [--mag MIN MAX] [--depth MIN MAX]
                    [--lat MIN MAX] [--lon MIN MAX] [--all-types] [--strict]
                    [--names CATALOGUE.BIN] -o OUT.BIN INPUT...
       kavelo-import --fdsn SERVICE --from DATE [--to DATE] [filters] [--merge] -o OUT.BIN

Reads hypocentre catalogues and writes OUT.BIN, a catalogue of 48-byte records such as
DATA/GEPPO1.BIN, in date-time order. OUT.BIN is written to OUT.BIN.tmp, flushed to disk
and renamed over the old file, so an interrupted import never damages it.

Formats (recognised from the content unless --format names one):
  jma      the agency's hypocentre catalogue, 96-column records (times in JST);
           hypocentre records (types J, U, I) are kept, others skipped and counted
  fdsn     FDSN event text (#EventID|Time|Latitude|...) or ComCat CSV
           (time,latitude,longitude,depth,mag,...), times in ISO-8601 UTC
  quakeml  QuakeML 1.2: the preferred origin and preferred magnitude of each event
           (without a preferred magnitude: the one of the preferred origin, else the first)

Conversions:
  time       UTC sources become Japan Standard Time (+9 h; the date rolls over); --utc
             keeps UTC. Whole minutes: the seconds are dropped, 12:34:59.7 is 12:34.
  position   degrees and whole minutes (truncated).
  magnitude  x 10 rounded half up (4.45 is 45). Events without a magnitude are skipped.
  depth      rounded to whole km; an unknown depth is 0.
  name       the source's own Japanese region name where it has one, otherwise the name
             of the latest record within 0.1 degree in latitude and longitude of the
             catalogue in --names (default: the existing OUT.BIN), otherwise empty.

Options:
  --merge        keep the records of OUT.BIN and add the imported ones (the union in
                 date-time order); an imported event in the same minute as a stored one,
                 within 0.1 degree and within 0.2 in magnitude, is a duplicate and dropped.
                 Without --merge the imported events replace OUT.BIN. An event that
                 duplicates one of an earlier INPUT is dropped as well (overlapping
                 downloads); events of one INPUT are all kept.
  --box          drop events outside 24-50N / 122-152E (they are kept otherwise).
  --from DATE, --to DATE
                 import only events of these dates (YYYY-MM-DD, inclusive, in the time of
                 the result); records already in OUT.BIN are kept.
  --mag MIN MAX, --depth MIN MAX, --lat MIN MAX, --lon MIN MAX
                 import only events within these bounds (inclusive), compared with the
                 converted record: magnitude to 0.1, depth in whole km, latitude and
                 longitude in degrees and whole minutes.
  --all-types    keep events whose type is not an earthquake (explosion, quarry blast,
                 mine collapse, ...); they are skipped and counted otherwise.
  --strict       stop at the first line that does not parse; nothing is written.
  --names FILE   catalogue to borrow region names from.

Fetching from an FDSN event service (--fdsn SERVICE instead of INPUT files):
  SERVICE        usgs    https://earthquake.usgs.gov/fdsnws/event/1/   (ComCat CSV)
                 isc     https://www.isc.ac.uk/fdsnws/event/1/
                 emsc    https://www.seismicportal.eu/fdsnws/event/1/
                 iris    https://service.iris.edu/fdsnws/event/1/
                 geofon  https://geofon.gfz-potsdam.de/fdsnws/event/1/
                 ingv    https://webservices.ingv.it/fdsnws/event/1/
                 or the base URL of any other FDSN event service.
  The period (--from, required; --to, default today) is asked for in UTC with a day to
  spare on each side, in pieces small enough for the service's row limit (a piece the
  service refuses as too large is asked for in halves), ordered by time; the filters
  above are applied to the converted records as for a file. A time-out, a cut-off answer
  or HTTP 5xx is tried again (3 tries, waiting 2 s, then 4 s); any other answer stops
  the fetch with the service's message. Nothing is written unless every piece arrived.
  HTTP 204 means the service has no events: exit status 1 with "no events".

A line that does not parse is reported with its file, line number and reason and
skipped. The exit status is 0 when OUT.BIN was written, 1 when nothing was written,
2 for a usage error. KAVELO loads the first 65000 records of a catalogue.
)";
}

int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     RewriteFileOps* ops, const FetchHooks* fetch) {
    Settings s;
    bool help = false;
    if (std::string why = parseArguments(args, s, help); !why.empty()) {
        err << "kavelo-import: " << why << "\n"
            << "Try 'kavelo-import --help'.\n";
        return 2;
    }
    if (help) {
        out << importUsage();
        return 0;
    }

    // The catalogue that is there already: merged into, and the source of region names.
    std::vector<EarthquakeRecord> stored;
    bool outputExists = false;
    {
        std::error_code ec;
        const auto st = std::filesystem::status(s.output, ec);
        outputExists = !ec && std::filesystem::exists(st);
        if (outputExists) {
            std::string bytes;
            if (!std::filesystem::is_regular_file(st) ||
                !readWholeFile(s.output, bytes, kMaxCatalogueBytes)) {
                err << "kavelo-import: " << s.output
                    << " is not a readable catalogue file; nothing written\n";
                return 1;
            }
            if (bytes.size() % kRecordSize != 0) {
                err << "kavelo-import: " << s.output << " is not a catalogue file (" << bytes.size()
                    << " bytes, not a whole number of 48-byte records); it was left as it is\n";
                return 1;
            }
            stored = decodeAll(bytes);
        }
    }
    for (const auto& in : s.inputs) {
        if (outputExists && sameFile(in, s.output)) {
            err << "kavelo-import: " << in << " is the output file itself; nothing written\n";
            return 1;
        }
    }
    std::vector<EarthquakeRecord> nameSource;
    std::string nameSourcePath;
    if (!s.names.empty()) {
        std::string bytes;
        if (!readWholeFile(s.names, bytes, kMaxCatalogueBytes)) {
            err << "kavelo-import: cannot read the name catalogue " << s.names << "\n";
            return 1;
        }
        nameSource = decodeAll(bytes);
        nameSourcePath = s.names;
    } else if (!stored.empty()) {
        nameSource = stored;
        nameSourcePath = s.output;
    }
    const NearestNameIndex names(nameSource);

    // Events of one input that duplicate the catalogue (with --merge) or an earlier input are
    // dropped; events within one input never are (a busy aftershock minute is no duplicate).
    DuplicateFinder known;
    if (s.merge) known.add(stored);
    std::vector<EarthquakeRecord> imported;
    std::size_t eventsRead = 0, badLines = 0, failedFiles = 0, ownNames = 0, borrowedNames = 0,
                duplicates = 0;
    std::map<Dropped, std::size_t> dropped;
    std::map<std::string, std::size_t> ignored;
    // Reports the bad lines of one read; false when --strict stops.
    auto reportProblems = [&](const std::string& label, const ReadResult& r) {
        for (std::size_t k = 0; k < r.problems.size() && k < kProblemsShown; ++k)
            err << label << ":" << r.problems[k].line << ": " << r.problems[k].reason << "\n";
        if (r.problemCount > kProblemsShown)
            err << label << ": " << r.problemCount - kProblemsShown << " more bad lines not shown\n";
        badLines += r.problemCount;
        if (r.stopped || (s.strict && r.problemCount > 0)) {
            err << "kavelo-import: stopped at the first bad line (--strict); nothing written\n";
            return false;
        }
        return true;
    };
    auto takeEvents = [&](const ReadResult& r) {
        eventsRead += r.events.size();
        for (const auto& ev : r.events) {
            EarthquakeRecord rec;
            const Dropped why = convertEvent(ev, s.convert, rec);
            if (why != Dropped::No) {
                ++dropped[why];
                continue;
            }
            if (known.matches(rec)) {
                ++duplicates;
                continue;
            }
            nameRecord(ev, names.empty() ? nullptr : &names, rec);
            if (!ev.origin.empty())
                ++ownNames;
            else if (rec.origin[0] != '\0')
                ++borrowedNames;
            imported.push_back(rec);
        }
    };
    std::size_t requests = 0;
    if (!s.fdsn.empty()) {
        const std::string where =
            outputExists ? "the old " + s.output + " is unchanged" : "nothing written";
        std::string why;
        const FdsnService service = *fdsnServiceFor(s.fdsn, why);
        const std::string name = serviceName(service);
        std::unique_ptr<HttpTransport> own;
        HttpTransport* transport = fetch ? fetch->transport : nullptr;
        if (!transport) {
            own = makeCurlTransport();
            transport = own.get();
        }
        FetchSettings settings = fetch ? fetch->settings : FetchSettings{};
        bool lineOpen = false;
        auto closeLine = [&] {
            if (lineOpen) err << "\n";
            lineOpen = false;
        };
        const auto callerProgress = settings.progress;
        settings.progress = [&](const FetchProgress& p) {
            if (callerProgress) callerProgress(p);
            if (p.piece.empty()) return;
            const int percent = p.total > 0 ? static_cast<int>(p.done * 100 / p.total) : 100;
            err << "\rfetching " << name << ": " << p.piece << " (" << percent << "%), " << p.events
                << " " << plural(p.events, "event", "events") << ", " << p.requests << " "
                << plural(p.requests, "request", "requests") << "   " << std::flush;
            lineOpen = true;
        };
        const auto callerNotice = settings.notice;
        settings.notice = [&](const std::string& text) {
            if (callerNotice) callerNotice(text);
            closeLine();
            err << text << "\n";
        };
        const int64_t today = fetch && fetch->todayUtc ? fetch->todayUtc
                                                      : static_cast<int64_t>(std::time(nullptr));
        FetchResult fr = fetchEvents(*transport, service, fdsnQueryFor(s.convert, today), settings);
        closeLine();
        requests = fr.requests;
        if (fr.status == FetchResult::Status::Cancelled) {
            err << "kavelo-import: fetch from " << name << " cancelled; " << where << "\n";
            return 1;
        }
        if (fr.status == FetchResult::Status::Failed) {
            err << "kavelo-import: " << fr.message << "\n"
                << "kavelo-import: fetch from " << name << " failed; " << where << "\n";
            return 1;
        }
        if (fr.status == FetchResult::Status::NoEvents) {
            err << "kavelo-import: no events: " << name << " has none for this query; " << where
                << "\n";
            return 1;
        }
        for (const auto& page : fr.pages) {
            if (!reportProblems(page.label, page.read)) return 1;
            takeEvents(page.read);
        }
        out << name << ": fdsn, " << eventsRead << " " << plural(eventsRead, "event", "events")
            << " in " << requests << " " << plural(requests, "request", "requests") << "\n";
    }
    for (const auto& path : s.inputs) {
        std::string bytes;
        if (!readWholeFile(path, bytes, kMaxInputBytes)) {
            err << path
                << ": cannot be read (missing, not a regular file, unreadable or over 4 GB)\n";
            ++failedFiles;
            if (s.strict) break;
            continue;
        }
        if (bytes.rfind("\x1f\x8b", 0) == 0 || bytes.rfind("PK\x03\x04", 0) == 0) {
            err << path << ": is compressed (gzip or zip); unpack it first\n";
            ++failedFiles;
            if (s.strict) break;
            continue;
        }
        const EventReader* reader = s.format == "auto"
                                        ? detectReader(std::string_view(bytes).substr(0, 65536))
                                        : readerByName(s.format);
        if (!reader) {
            err << path << ": format not recognised; name it with --format jma, fdsn or quakeml\n";
            ++failedFiles;
            if (s.strict) break;
            continue;
        }
        ReadOptions options;
        options.stopAtFirstProblem = s.strict;
        int lastPercent = -1;
        const bool showProgress = bytes.size() > kProgressAbove;
        if (showProgress) {
            options.progress = [&](std::size_t done, std::size_t total) {
                const int percent = total ? static_cast<int>(done * 100 / total) : 100;
                if (percent == lastPercent) return;
                lastPercent = percent;
                err << "\rreading " << path << ": " << percent << "% of " << megabytes(total)
                    << std::flush;
            };
        }
        ReadResult r = reader->read(bytes, options);
        if (showProgress) err << "\n";
        if (!r.error.empty()) {
            err << path << ": " << r.error << "\n";
            ++failedFiles;
            if (s.strict) break;
            continue;
        }
        if (!reportProblems(path, r)) return 1;
        for (const auto& [why, n] : r.ignored) ignored[why] += n;
        out << path << ": " << reader->name() << ", " << r.events.size() << " "
            << plural(r.events.size(), "event", "events") << "\n";
        const std::size_t firstOfFile = imported.size();
        takeEvents(r);
        if (&path != &s.inputs.back())  // only later inputs are checked against this one
            known.add(std::vector<EarthquakeRecord>(
                imported.begin() + static_cast<std::ptrdiff_t>(firstOfFile), imported.end()));
    }
    if (s.strict && failedFiles > 0) {
        err << "kavelo-import: stopped at an input that cannot be read (--strict); nothing "
               "written\n";
        return 1;
    }
    if (imported.empty()) {
        if (duplicates > 0)
            err << "kavelo-import: all " << duplicates << " events are already in " << s.output
                << "; it was not written\n";
        else
            err << "kavelo-import: no event to import; " << s.output << " was not written\n";
        return 1;
    }

    const std::size_t added = imported.size();
    std::vector<EarthquakeRecord> result;
    if (s.merge) {
        result = stored;
        result.insert(result.end(), imported.begin(), imported.end());
    } else {
        result = std::move(imported);
    }
    sortByDateTime(result);

    const RewriteResult w = writeCatalogueFile(s.output, s.output + ".tmp", result, ops);
    if (!w.ok()) {
        err << "kavelo-import: " << s.output << ": " << stepText(w);
        if (w.errorNumber) err << " (" << std::strerror(w.errorNumber) << ")";
        err << "; " << (outputExists ? "the old file is unchanged" : "nothing written") << "\n";
        return 1;
    }

    out << "read:       " << eventsRead << " " << plural(eventsRead, "event", "events") << " from ";
    if (!s.fdsn.empty()) {
        std::string why;
        out << serviceName(*fdsnServiceFor(s.fdsn, why)) << " (" << requests << " "
            << plural(requests, "request", "requests") << ")";
    } else {
        out << s.inputs.size() - failedFiles << " "
            << plural(s.inputs.size() - failedFiles, "file", "files");
    }
    if (failedFiles) out << " (" << failedFiles << " not read)";
    out << "\nwritten:    " << result.size() << " records to " << s.output << " (" << added
        << " imported";
    if (s.merge)
        out << ", " << stored.size() << " kept";
    else if (outputExists)
        out << ", replacing " << stored.size();
    out << ")\n";
    out << "skipped:    " << badLines << " bad " << plural(badLines, "line", "lines");
    for (const auto& [why, n] : dropped) out << ", " << n << " " << describeDropped(why);
    out << "\n";
    out << "duplicates: " << duplicates << " (already in "
        << (s.merge ? s.output + " or " : std::string()) << "an earlier input)\n";
    if (!ignored.empty()) {
        out << "ignored:    ";
        bool first = true;
        for (const auto& [why, n] : ignored) {
            out << (first ? "" : ", ") << n << " " << why;
            first = false;
        }
        out << "\n";
    }
    out << "names:      " << ownNames << " from the source, " << borrowedNames << " borrowed";
    if (!nameSourcePath.empty())
        out << " from " << nameSourcePath;
    else
        out << " (no catalogue to borrow from: --names)";
    out << "\n";
    if (result.size() > static_cast<std::size_t>(kCatalogueCapacity)) {
        err << "warning: " << s.output << " holds " << result.size()
            << " records; KAVELO loads the first " << kCatalogueCapacity
            << ". Select a period with --from and --to to keep the catalogue within "
            << kCatalogueCapacity << " records.\n";
    }
    return 0;
}

}  // namespace kavelo::import
