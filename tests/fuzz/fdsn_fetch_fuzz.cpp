// The event-service client's handling of answers: a scripted transport replays answers
// cut from the input (outcome, status, body) to fetchEvents, which classifies them, reads
// the pages, splits pieces and retries. Checks: the fetch ends, its counts add up, and
// every message it gives is printable text.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "import/FdsnFetch.h"

namespace {
using namespace kavelo::import;

// Answers separated by "\n@@\n"; the first two bytes of each choose its outcome and status.
class ScriptedTransport : public HttpTransport {
  public:
    explicit ScriptedTransport(std::string_view input) {
        std::size_t i = 0;
        while (i <= input.size() && answers_.size() < 64) {
            std::size_t j = input.find("\n@@\n", i);
            if (j == std::string_view::npos) j = input.size();
            answers_.emplace_back(input.substr(i, j - i));
            i = j + 4;
        }
    }
    HttpResponse get(const std::string& url, int, const std::atomic<bool>*) override {
        FUZZ_CHECK(url.find("query?starttime=") != std::string::npos);
        FUZZ_CHECK(url.find_first_of(" \r\n\t") == std::string::npos);
        ++calls;
        HttpResponse r;
        if (next_ >= answers_.size()) {
            r.outcome = HttpResponse::Outcome::Answered;
            r.status = 204;
            return r;
        }
        const std::string& a = answers_[next_++];
        const unsigned char k = a.empty() ? 0 : static_cast<unsigned char>(a[0]);
        const unsigned char s = a.size() < 2 ? 0 : static_cast<unsigned char>(a[1]);
        static const int statuses[] = {200, 200, 200, 204, 400, 404, 413, 500, 503, 301, 0, 999};
        r.outcome = k % 10 < 5 ? HttpResponse::Outcome::Answered
                               : static_cast<HttpResponse::Outcome>(k % 10 - 4);
        r.status = statuses[s % 12];
        r.body = a.size() > 2 ? a.substr(2) : std::string();
        r.error = "scripted";
        return r;
    }
    std::size_t calls = 0;

  private:
    std::vector<std::string> answers_;
    std::size_t next_ = 0;
};

bool printable(const std::string& s) {
    for (unsigned char c : s)
        if ((c < 0x20 && c != '\n') || c == 0x7f) return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ScriptedTransport t(input);
    FdsnService service;
    service.key = "fuzz";
    service.baseUrl = "http://127.0.0.1/fdsnws/event/1/";
    service.rowLimit = 50;
    FdsnQuery q;
    q.start = 946684800;           // 2000-01-01
    q.end = q.start + 8 * 86400;   // eight days
    FetchSettings st;
    st.backoffSeconds = 0;
    st.firstPieceSeconds = 4 * 86400;
    st.minPieceSeconds = 86400;
    const FetchResult r = fetchEvents(t, service, q, st);
    std::size_t events = 0;
    for (const auto& p : r.pages) {
        events += p.read.events.size();
        FUZZ_CHECK(p.read.error.empty());
        FUZZ_CHECK(p.read.events.size() + p.read.problemCount > 0);
        for (const auto& e : p.read.events) FUZZ_CHECK(e.utc);
    }
    FUZZ_CHECK(events == r.events);
    FUZZ_CHECK(r.requests == t.calls);
    FUZZ_CHECK(printable(r.message));
    if (r.status == FetchResult::Status::Ok) FUZZ_CHECK(!r.pages.empty());
    if (r.status == FetchResult::Status::NoEvents) FUZZ_CHECK(r.events == 0 && r.pages.empty());
    if (r.status == FetchResult::Status::Failed) FUZZ_CHECK(!r.message.empty());
    // Eight days in pieces of at least a day, three tries each, halving at most twice.
    FUZZ_CHECK(t.calls <= 3 * 8 * 4);
    return 0;
}
