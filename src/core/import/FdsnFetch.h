#pragma once
// Client of the FDSN event web services (fdsnws/event/1/query): builds the requests for a
// period and a box, fetches the period in pieces small enough for the service's row limit,
// and reads every answered page with the FDSN text / ComCat CSV reader. The network is
// behind HttpTransport, so tests replace it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/EventReader.h"
#include "import/HttpTransport.h"
#include "import/ImportConversion.h"

namespace kavelo::import {

struct FdsnService {
    std::string key;      // the --fdsn name; empty for a base URL given by the user
    std::string baseUrl;  // ends with "/fdsnws/event/1/"
    bool csv = false;     // ask for ComCat CSV instead of FDSN text
    int rowLimit = 10000; // most rows one answer may hold
    bool sendLimit = true;  // pass limit=rowLimit (services that cut answers silently)
};

// The known services, in the order --help lists them.
const std::vector<FdsnService>& fdsnServices();
// A known service by key, or a base URL (http:// or https://, "query" appended to its
// fdsnws/event/1/ path). Nothing, with why set, when the text is neither.
std::optional<FdsnService> fdsnServiceFor(std::string_view keyOrUrl, std::string& why);

// What is asked of the service: a UTC period [start, end) in seconds since 1970, and bounds
// (unset ranges are left out of the request).
struct FdsnQuery {
    int64_t start = 0, end = 0;
    Range lat, lon, depth, mag;
};

// The service-side query of a file import's filters: the period of fromDate...toDate in the
// result's time (JST unless keepUtc) widened by a day on each side, and each bound widened
// by what the conversion's rounding may move (a minute of arc, half a km, 0.05 in
// magnitude); --box becomes the 24-50N 122-152E box. toDate 0 is today (todayUtc, seconds).
FdsnQuery fdsnQueryFor(const ConvertOptions& filters, int64_t todayUtc);

// The URL of one piece [pieceStart, pieceEnd) of the query.
std::string fdsnQueryUrl(const FdsnService& service, const FdsnQuery& query, int64_t pieceStart,
                         int64_t pieceEnd);

// Seconds since 1970 as "YYYY-MM-DDTHH:MM:SS" (UTC).
std::string isoSeconds(int64_t seconds);

// What one answer means for the fetch.
struct PageVerdict {
    enum class Kind { Page, NoEvents, TooMany, Retry, Fail, Cancelled };
    Kind kind = Kind::Fail;
    std::string message;  // for Retry and Fail: what went wrong, with the service's text
};
PageVerdict classifyResponse(const HttpResponse& response, const std::string& serviceName);

// The service's own words from an error body: its first lines, control bytes and markup
// dropped, at most about 300 characters.
std::string serviceText(std::string_view body);

struct FetchProgress {
    int64_t done = 0, total = 0;  // seconds of the period fetched, of all
    std::size_t events = 0, requests = 0;
    std::string piece;  // the period being asked for, "YYYY-MM-DD ... YYYY-MM-DD"
};

struct FetchSettings {
    int timeoutSeconds = 180;      // per request
    int tries = 3;                 // on time-outs, truncated answers and HTTP 5xx
    double backoffSeconds = 2.0;   // before the second try; doubled for each further one
    int64_t firstPieceSeconds = 365 * 86400;
    int64_t minPieceSeconds = 60;  // a piece this short that is still too large fails
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(const FetchProgress&)> progress;
    std::function<void(const std::string&)> notice;  // retries and splits, one line each
};

struct FetchedPage {
    std::string label;  // "usgs 2001-01-01T00:00:00...2001-12-31T23:59:59"
    ReadResult read;
};

struct FetchResult {
    enum class Status { Ok, NoEvents, Failed, Cancelled };  // NoEvents: no page had a line
    Status status = Status::Failed;
    std::string message;  // why it failed
    std::vector<FetchedPage> pages;
    std::size_t requests = 0, events = 0;
};

FetchResult fetchEvents(HttpTransport& transport, const FdsnService& service,
                        const FdsnQuery& query, const FetchSettings& settings);

// The name a service goes by in messages: its key, else its host.
std::string serviceName(const FdsnService& service);

}  // namespace kavelo::import
