#include "tests/win32/settings/CannedHttpServer.h"

#include <ws2tcpip.h>

#include <utility>

namespace settings_test {

namespace {

// Winsock for the life of the test program.
struct WinsockSession {
    WinsockSession() {
        WSADATA data;
        ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (ok) WSACleanup();
    }
    bool ok = false;
};

bool EnsureWinsock() {
    static WinsockSession session;
    return session.ok;
}

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// Waits until `socket` can be read, for `milliseconds` at most.
bool Readable(SOCKET socket, long milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

constexpr DWORD kLongestHoldMs = 10000;

}  // namespace

CannedHttpServer::CannedHttpServer(std::string body, unsigned short port)
    : body_(std::move(body)), released_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
    if (!EnsureWinsock() || !released_) return;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) return;
    sockaddr_in address = Loopback(port);
    int length = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener, SOMAXCONN) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return;
    }
    listener_ = listener;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

CannedHttpServer::~CannedHttpServer() {
    stopping_ = true;
    if (released_) SetEvent(released_);
    if (thread_.joinable()) thread_.join();
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (released_) CloseHandle(released_);
}

void CannedHttpServer::HoldAnswers() { ResetEvent(released_); }
void CannedHttpServer::Release() { SetEvent(released_); }

std::vector<std::string> CannedHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::string CannedHttpServer::FirstRequestHead() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return firstHead_;
}

void CannedHttpServer::Serve() {
    while (!stopping_) {
        if (!Readable(listener_, 100)) continue;
        SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET) continue;
        Answer(connection);
        closesocket(connection);
    }
}

void CannedHttpServer::Answer(SOCKET connection) {
    // The request's head, up to its empty line; a GET has no body.
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
        if (!Readable(connection, 3000)) return;
        const int got = recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (requests_.empty()) firstHead_ = head;
        requests_.push_back(head.substr(0, head.find("\r\n")));
    }
    WaitForSingleObject(released_, kLongestHoldMs);
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                               std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
    std::size_t sent = 0;
    while (sent < answer.size()) {
        const int n = send(connection, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
    shutdown(connection, SD_SEND);
    // Let the client read everything before the connection goes.
    while (Readable(connection, 1000) && recv(connection, buffer, sizeof(buffer), 0) > 0) {
    }
}

unsigned short ClosedPort() {
    if (!EnsureWinsock()) return 0;
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (probe == INVALID_SOCKET) return 0;
    sockaddr_in address = Loopback(0);
    int length = sizeof(address);
    unsigned short port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    closesocket(probe);
    return port;
}

}  // namespace settings_test
