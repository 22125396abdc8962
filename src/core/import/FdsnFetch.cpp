#include "import/FdsnFetch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "import/CivilTime.h"
#include "import/FdsnReader.h"
#include "import/TextFields.h"

namespace kavelo::import {

namespace {
constexpr int64_t kDay = 86400;
constexpr int64_t kLongestPiece = 10 * 365 * kDay;

std::string lower(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t;
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

int64_t dateSeconds(int32_t yyyymmdd) {
    return daysFromCivil(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100) * kDay;
}

const char* reasonPhrase(int status) {
    switch (status) {
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 413: return "Payload Too Large";
        case 414: return "URI Too Long";
        case 429: return "Too Many Requests";
        case 500: return "Internal Server Error";
        case 502: return "Bad Gateway";
        case 503: return "Service Unavailable";
        case 504: return "Gateway Timeout";
        default: return "";
    }
}

// Sleeps for the back-off, a slice at a time so that a cancel is not kept waiting.
bool waitUnlessCancelled(double seconds, const std::atomic<bool>* cancel) {
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000));
    while (std::chrono::steady_clock::now() < until) {
        if (cancel && cancel->load()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return !(cancel && cancel->load());
}

std::string pieceText(int64_t a, int64_t b) {
    return isoSeconds(a).substr(0, 10) + " ... " + isoSeconds(b - 1).substr(0, 10);
}
}  // namespace

const std::vector<FdsnService>& fdsnServices() {
    // ComCat answers a query over its limit with HTTP 400 and says so, so it needs no limit
    // parameter; the others are asked for at most rowLimit rows and a full answer is split.
    static const std::vector<FdsnService> all{
        {"usgs", "https://earthquake.usgs.gov/fdsnws/event/1/", true, 20000, false},
        {"isc", "https://www.isc.ac.uk/fdsnws/event/1/", false, 10000, true},
        {"emsc", "https://www.seismicportal.eu/fdsnws/event/1/", false, 10000, true},
        {"iris", "https://service.iris.edu/fdsnws/event/1/", false, 10000, true},
        {"geofon", "https://geofon.gfz-potsdam.de/fdsnws/event/1/", false, 10000, true},
        {"ingv", "https://webservices.ingv.it/fdsnws/event/1/", false, 10000, true},
    };
    return all;
}

std::optional<FdsnService> fdsnServiceFor(std::string_view text, std::string& why) {
    const std::string t = lower(trim(text));
    for (const auto& s : fdsnServices())
        if (s.key == t) return s;
    if (t.rfind("http://", 0) != 0 && t.rfind("https://", 0) != 0) {
        why = "unknown service '" + std::string(text) +
              "' (usgs, isc, emsc, iris, geofon, ingv or a base URL)";
        return std::nullopt;
    }
    std::string url(trim(text));
    for (char c : url) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == '?' || c == '#' || c == '"' ||
            static_cast<unsigned char>(c) >= 0x7f) {
            why = "the service URL '" + quoted(url, 80) +
                  "' holds a blank, '?', '#' or a character that is not plain ASCII";
            return std::nullopt;
        }
    }
    if (url.size() >= 6 && lower(url.substr(url.size() - 6)) == "/query") url.resize(url.size() - 5);
    if (url.back() != '/') url += '/';
    if (lower(url).find("/fdsnws/event/1/") == std::string::npos) url += "fdsnws/event/1/";
    FdsnService s;
    s.baseUrl = url;
    return s;
}

std::string serviceName(const FdsnService& s) {
    if (!s.key.empty()) return s.key;
    std::string host = s.baseUrl.substr(s.baseUrl.find("://") + 3);
    return host.substr(0, host.find('/'));
}

std::string isoSeconds(int64_t seconds) {
    int64_t days = seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
    int64_t rest = seconds - days * kDay;
    int y, m, d;
    civilFromDays(days, y, m, d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", y, m, d,
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60));
    return buf;
}

FdsnQuery fdsnQueryFor(const ConvertOptions& f, int64_t todayUtc) {
    FdsnQuery q;
    // A day on each side covers the nine hours between JST and UTC.
    q.start = (f.fromDate ? dateSeconds(f.fromDate) : 0) - kDay;
    const int64_t todayStart = todayUtc - ((todayUtc % kDay) + kDay) % kDay;
    q.end = (f.toDate ? dateSeconds(f.toDate) : todayStart) + 2 * kDay;
    auto widen = [](const Range& r, double by, double lo, double hi) {
        Range w = r;
        if (!r.set) return w;
        w.min = std::max(lo, r.min - by);
        w.max = std::min(hi, r.max + by);
        return w;
    };
    Range lat = f.lat, lon = f.lon;
    if (f.japanBox) {
        auto meet = [](Range r, double lo, double hi) {
            if (!r.set) return Range{true, lo, hi};
            return Range{true, std::max(r.min, lo), std::min(r.max, hi)};
        };
        lat = meet(lat, 24, 50);
        lon = meet(lon, 122, 152);
    }
    const double minute = 1.0 / 60;
    q.lat = widen(lat, minute, -90, 90);
    q.lon = widen(lon, minute, -180, 180);
    q.depth = widen(f.depth, 0.5, -1e4, 1e4);
    q.mag = widen(f.mag, 0.05, -20, 20);
    return q;
}

std::string fdsnQueryUrl(const FdsnService& s, const FdsnQuery& q, int64_t a, int64_t b) {
    std::string url = s.baseUrl + "query?starttime=" + isoSeconds(a) +
                      "&endtime=" + isoSeconds(b - 1) + ".999";
    auto range = [&](const Range& r, const char* lo, const char* hi) {
        if (!r.set) return;
        url += std::string("&") + lo + "=" + number(r.min);
        url += std::string("&") + hi + "=" + number(r.max);
    };
    range(q.lat, "minlatitude", "maxlatitude");
    range(q.lon, "minlongitude", "maxlongitude");
    range(q.depth, "mindepth", "maxdepth");
    range(q.mag, "minmagnitude", "maxmagnitude");
    url += "&orderby=time-asc&format=";
    url += s.csv ? "csv" : "text";
    if (s.sendLimit) url += "&limit=" + std::to_string(s.rowLimit);
    return url;
}

std::string serviceText(std::string_view body) {
    std::string out;
    bool inTag = false, blank = true;
    for (unsigned char c : body.substr(0, 4096)) {
        if (c == '<') inTag = true;
        if (inTag) {
            if (c == '>') inTag = false;
            continue;
        }
        const bool space = c <= 0x20 || c == 0x7f;
        if (space) {
            if (!blank) out += ' ';
            blank = true;
            continue;
        }
        out += static_cast<char>(c);
        blank = false;
        if (out.size() >= 300) {
            out += "...";
            break;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

PageVerdict classifyResponse(const HttpResponse& r, const std::string& name) {
    using K = PageVerdict::Kind;
    using O = HttpResponse::Outcome;
    switch (r.outcome) {
        case O::Cancelled:
            return {K::Cancelled, "cancelled"};
        case O::Refused:
            return {K::Fail, "cannot connect to " + name + " (" + r.error + ")"};
        case O::TimedOut:
            return {K::Retry, name + " did not answer in time (" + r.error + ")"};
        case O::Truncated:
            return {K::Retry, "the answer of " + name + " was cut off (" + r.error + ")"};
        case O::Failed:
            return {K::Fail, "the request to " + name + " failed (" + r.error + ")"};
        case O::Answered:
            break;
    }
    if (r.status == 200) return {K::Page, {}};
    if (r.status == 204) return {K::NoEvents, {}};
    const std::string text = serviceText(r.body);
    std::string status = "HTTP " + std::to_string(r.status);
    if (*reasonPhrase(r.status)) status += std::string(" ") + reasonPhrase(r.status);
    const std::string said = name + " answered " + status + (text.empty() ? "" : ": " + text);
    const std::string l = lower(text);
    if (r.status == 413 || (r.status == 400 && (l.find("limit") != std::string::npos ||
                                                l.find("too many") != std::string::npos ||
                                                l.find("too large") != std::string::npos)))
        return {K::TooMany, said};
    if (r.status >= 500 && r.status <= 599) return {K::Retry, said};
    return {K::Fail, said};
}

FetchResult fetchEvents(HttpTransport& transport, const FdsnService& service,
                        const FdsnQuery& query, const FetchSettings& st) {
    using K = PageVerdict::Kind;
    FetchResult res;
    const std::string name = serviceName(service);
    auto cancelled = [&] { return st.cancel && st.cancel->load(); };
    auto notice = [&](const std::string& s) {
        if (st.notice) st.notice(s);
    };
    int64_t pos = query.start;
    int64_t len = std::max<int64_t>(st.firstPieceSeconds, st.minPieceSeconds);
    const int tries = std::max(1, st.tries);
    while (pos < query.end) {
        const int64_t pieceEnd = std::min(query.end, pos + len);
        if (st.progress)
            st.progress({pos - query.start, query.end - query.start, res.events, res.requests,
                         pieceText(pos, pieceEnd)});
        const std::string url = fdsnQueryUrl(service, query, pos, pieceEnd);
        PageVerdict v;
        HttpResponse r;
        for (int attempt = 1;; ++attempt) {
            if (cancelled()) {
                res.status = FetchResult::Status::Cancelled;
                res.message = "cancelled";
                return res;
            }
            r = transport.get(url, st.timeoutSeconds, st.cancel);
            ++res.requests;
            v = classifyResponse(r, name);
            if (v.kind != K::Retry || attempt >= tries) break;
            const double wait = st.backoffSeconds * std::pow(2.0, attempt - 1);
            notice(v.message + "; trying again in " + number(wait) + " s (" +
                   std::to_string(attempt + 1) + " of " + std::to_string(tries) + ")");
            if (!waitUnlessCancelled(wait, st.cancel)) {
                res.status = FetchResult::Status::Cancelled;
                res.message = "cancelled";
                return res;
            }
        }
        if (v.kind == K::Cancelled) {
            res.status = FetchResult::Status::Cancelled;
            res.message = "cancelled";
            return res;
        }
        if (v.kind == K::Retry || v.kind == K::Fail) {
            res.status = FetchResult::Status::Failed;
            res.message = v.message + (v.kind == K::Retry ? " (gave up after " +
                                                                std::to_string(tries) + " tries)"
                                                          : std::string()) +
                          "\n  request: " + url;
            return res;
        }
        ReadResult page;
        std::size_t rows = 0;
        if (v.kind == K::Page) {
            page = readFdsnText(r.body);
            if (!page.error.empty()) {
                res.status = FetchResult::Status::Failed;
                res.message = "the answer of " + name + " is not an event list (" + page.error +
                              "): " + serviceText(r.body) + "\n  request: " + url;
                return res;
            }
            rows = page.events.size() + page.problemCount;
            // A full answer may have been cut at the limit: ask again in halves.
            if (service.sendLimit && rows >= static_cast<std::size_t>(service.rowLimit))
                v = {K::TooMany, std::to_string(rows) + " rows, the most " + name + " sends"};
        }
        if (v.kind == K::TooMany) {
            if (pieceEnd - pos <= st.minPieceSeconds) {
                res.status = FetchResult::Status::Failed;
                res.message = "too many events in " + isoSeconds(pos) + " ... " +
                              isoSeconds(pieceEnd - 1) + " even in the shortest piece: " +
                              v.message + "\n  request: " + url;
                return res;
            }
            len = std::max(st.minPieceSeconds, (pieceEnd - pos) / 2);
            notice(v.message + "; asking for " + pieceText(pos, pieceEnd) + " in halves");
            continue;
        }
        if (v.kind == K::Page && rows > 0) {
            res.events += page.events.size();
            res.pages.push_back({name + " " + isoSeconds(pos) + "..." + isoSeconds(pieceEnd - 1),
                                 std::move(page)});
            // Aim the next piece at half the limit, going by this piece's density.
            const double scale = service.rowLimit / 2.0 / static_cast<double>(rows);
            len = static_cast<int64_t>(std::min<double>(kLongestPiece, (pieceEnd - pos) * scale));
        } else {
            len = std::min(kLongestPiece, 2 * (pieceEnd - pos));
        }
        len = std::max(len, st.minPieceSeconds);
        pos = pieceEnd;
    }
    if (st.progress)
        st.progress({query.end - query.start, query.end - query.start, res.events, res.requests, {}});
    // Pages of bad lines only are still pages: their lines are reported.
    res.status = res.pages.empty() ? FetchResult::Status::NoEvents : FetchResult::Status::Ok;
    return res;
}

}  // namespace kavelo::import
