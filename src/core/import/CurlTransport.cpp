#include <curl/curl.h>

#include <mutex>

#include "import/HttpTransport.h"

namespace kavelo::import {

namespace {
constexpr std::size_t kMaxBody = std::size_t{1} << 30;  // a page larger than 1 GB is refused

struct Transfer {
    std::string body;
    const std::atomic<bool>* cancel = nullptr;
    bool tooLarge = false;
};

std::size_t onData(char* data, std::size_t size, std::size_t n, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t bytes = size * n;
    if (t->body.size() + bytes > kMaxBody) {
        t->tooLarge = true;
        return 0;  // ends the transfer
    }
    t->body.append(data, bytes);
    return bytes;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CurlTransport : public HttpTransport {
  public:
    HttpResponse get(const std::string& url, int timeoutSeconds,
                     const std::atomic<bool>* cancel) override {
        initialiseOnce();
        HttpResponse res;
        CURL* h = curl_easy_init();
        if (!h) {
            res.error = "cannot start a transfer";
            return res;
        }
        Transfer t;
        t.cancel = cancel;
        char errbuf[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onData);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errbuf);
        curl_easy_setopt(h, CURLOPT_TIMEOUT, static_cast<long>(timeoutSeconds));
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(std::min(timeoutSeconds, 30)));
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "https");
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // safe in a worker thread
        curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");  // gzip when the service offers it
        curl_easy_setopt(h, CURLOPT_USERAGENT, "KAVELO/4.4 (kavelo-import)");
        const CURLcode rc = curl_easy_perform(h);
        long status = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_cleanup(h);
        res.status = static_cast<int>(status);
        res.error = errbuf[0] ? errbuf : curl_easy_strerror(rc);
        switch (rc) {
            case CURLE_OK:
                res.outcome = HttpResponse::Outcome::Answered;
                res.body = std::move(t.body);
                res.error.clear();
                break;
            case CURLE_COULDNT_CONNECT:
            case CURLE_COULDNT_RESOLVE_HOST:
            case CURLE_COULDNT_RESOLVE_PROXY:
                res.outcome = HttpResponse::Outcome::Refused;
                break;
            case CURLE_OPERATION_TIMEDOUT:
                res.outcome = HttpResponse::Outcome::TimedOut;
                break;
            case CURLE_PARTIAL_FILE:
            case CURLE_RECV_ERROR:
            case CURLE_GOT_NOTHING:
                res.outcome = HttpResponse::Outcome::Truncated;
                break;
            case CURLE_ABORTED_BY_CALLBACK:
                res.outcome = HttpResponse::Outcome::Cancelled;
                break;
            case CURLE_WRITE_ERROR:
                res.outcome = HttpResponse::Outcome::Failed;
                if (t.tooLarge) res.error = "the answer is larger than 1 GB";
                break;
            default:
                res.outcome = HttpResponse::Outcome::Failed;
                break;
        }
        return res;
    }
};
}  // namespace

std::unique_ptr<HttpTransport> makeCurlTransport() {
    return std::make_unique<CurlTransport>();
}

}  // namespace kavelo::import
