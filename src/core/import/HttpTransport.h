#pragma once
// The one thing the event-service client needs from the network: a GET that answers with
// a status and a body. The real transport is libcurl; tests put a stand-in behind the same
// interface or point the real one at a server on 127.0.0.1.

#include <atomic>
#include <memory>
#include <string>

namespace kavelo::import {

struct HttpResponse {
    enum class Outcome {
        Answered,   // the server answered; status and body hold its answer
        Refused,    // no connection (refused, unknown host, no route)
        TimedOut,   // no complete answer within the time-out
        Truncated,  // the connection ended before the whole body arrived
        Cancelled,  // the caller's cancel flag was raised
        Failed      // anything else (TLS, protocol); error says what
    };
    Outcome outcome = Outcome::Failed;
    int status = 0;
    std::string body;
    std::string error;  // the transport's own words when the outcome is not Answered
};

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    // GET url. timeoutSeconds bounds the whole request; cancel (may be null) is polled
    // while waiting and ends the request with Outcome::Cancelled.
    virtual HttpResponse get(const std::string& url, int timeoutSeconds,
                             const std::atomic<bool>* cancel) = 0;
};

// libcurl with certificate and host-name verification on; plain http for loopback tests.
std::unique_ptr<HttpTransport> makeCurlTransport();

}  // namespace kavelo::import
