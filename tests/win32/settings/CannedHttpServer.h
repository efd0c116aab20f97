#pragma once
// A plain HTTP server on 127.0.0.1 inside the test program: one thread that accepts one
// connection at a time, records the request and answers every one with the same body.
//
//   CannedHttpServer server("115");
//   server.HoldAnswers();              // requests wait until Release()
//   ... server.Requests().size() ...
//   server.Release();
//
// The panel is pointed at it through QUORVEX_UPDATE_SERVER = "127.0.0.1:<Port()>".
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace settings_test {

class CannedHttpServer {
public:
    // Listens on `port` of 127.0.0.1, or on a free port chosen by the system when it is 0.
    explicit CannedHttpServer(std::string body, unsigned short port = 0);
    ~CannedHttpServer();
    CannedHttpServer(const CannedHttpServer&) = delete;
    CannedHttpServer& operator=(const CannedHttpServer&) = delete;

    bool Listening() const { return listener_ != INVALID_SOCKET; }
    unsigned short Port() const { return port_; }

    // From now on each answer waits until Release (for ten seconds at most, so that a
    // failing test cannot hang the panel for good).
    void HoldAnswers();
    void Release();

    // The request lines received so far ("GET /products/update.php?name=quorvex HTTP/1.1").
    std::vector<std::string> Requests() const;
    // The whole head of the first request, for its headers.
    std::string FirstRequestHead() const;

private:
    void Serve();
    void Answer(SOCKET connection);

    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    HANDLE released_ = nullptr;  // manual-reset event, set while answers go out at once
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::string firstHead_;
    std::thread thread_;
};

// A port of 127.0.0.1 on which nothing listens: bound for a moment, then given back.
unsigned short ClosedPort();

}  // namespace settings_test
