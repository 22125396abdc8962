#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests of the event-service client: it listens
// on a port the system picks, answers one connection at a time from a handler in its own
// thread, and stops when it goes out of scope. It can also misbehave on purpose: cut a
// body short, or say nothing until the client gives up.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kavelo::test {

struct HttpReply {
    enum class Mode { Whole, Truncated, Silent };
    int status = 200;
    std::string body;
    Mode mode = Mode::Whole;
};

class LoopbackServer {
  public:
    using Handler = std::function<HttpReply(const std::string& target)>;

    explicit LoopbackServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listener_, 8);
        socklen_t len = sizeof a;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string baseUrl() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/fdsnws/event/1/";
    }
    std::vector<std::string> targets() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return targets_;
    }

    // A port on 127.0.0.1 where nothing listens (bound, then closed).
    static int closedPort() {
        int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
        ::close(s);
        return ntohs(a.sin_port);
    }

  private:
    // Waits up to ms for fd to be readable; false on time-out or when the server stops.
    bool readable(int fd, int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!stop_ && std::chrono::steady_clock::now() < until) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }

    void sendAll(int fd, const std::string& s) {
        std::size_t done = 0;
        while (done < s.size()) {
            const ssize_t n = ::send(fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return;
            done += static_cast<std::size_t>(n);
        }
    }

    void serve() {
        while (!stop_) {
            if (!readable(listener_, 50)) continue;
            const int c = ::accept(listener_, nullptr, nullptr);
            if (c < 0) continue;
            std::string request;
            char buf[4096];
            while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 &&
                   readable(c, 5000)) {
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0) break;
                request.append(buf, static_cast<std::size_t>(n));
            }
            const std::size_t a = request.find(' '), b = request.find(' ', a + 1);
            const std::string target =
                a == std::string::npos || b == std::string::npos ? "" : request.substr(a + 1, b - a - 1);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                targets_.push_back(target);
            }
            const HttpReply r = handler_(target);
            if (r.mode == HttpReply::Mode::Silent) {
                // Says nothing until the client hangs up (or 20 s, or the server stops).
                while (readable(c, 20000) && ::recv(c, buf, sizeof buf, 0) > 0) {
                }
                ::close(c);
                continue;
            }
            std::string head = "HTTP/1.1 " + std::to_string(r.status) + " X\r\n";
            if (r.status != 204) head += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
            head += "Content-Type: text/plain\r\nConnection: close\r\n\r\n";
            sendAll(c, head);
            if (r.status != 204)
                sendAll(c, r.mode == HttpReply::Mode::Truncated ? r.body.substr(0, r.body.size() / 2)
                                                                : r.body);
            ::shutdown(c, SHUT_WR);
            ::close(c);
        }
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> targets_;
};

}  // namespace kavelo::test
