#include "panel/os/win32/WinHttpClient.h"

#include <windows.h>
#include <winhttp.h>

namespace os {

namespace {

// Owns one WinHTTP handle (session, connection or request).
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_) WinHttpCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

}  // namespace

std::optional<std::string> WinHttpClient::Get(const std::wstring& host, int port, const std::wstring& pathAndQuery,
                                              int timeoutMilliseconds) {
    if (host.empty() || port <= 0 || port > 65535) return std::nullopt;

    // The default proxy settings of WinHTTP: a direct connection unless the machine's
    // WinHTTP configuration names a proxy. No user agent header of our own.
    InternetHandle session(WinHttpOpen(L"Quorvex", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                       WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return std::nullopt;
    if (!WinHttpSetTimeouts(session.get(), timeoutMilliseconds, timeoutMilliseconds, timeoutMilliseconds,
                            timeoutMilliseconds))
        return std::nullopt;

    InternetHandle connection(WinHttpConnect(session.get(), host.c_str(), static_cast<INTERNET_PORT>(port), 0));
    if (!connection) return std::nullopt;

    InternetHandle request(WinHttpOpenRequest(connection.get(), L"GET", pathAndQuery.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request) return std::nullopt;

    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
        return std::nullopt;
    if (!WinHttpReceiveResponse(request.get(), nullptr)) return std::nullopt;

    DWORD status = 0;
    DWORD statusSize = sizeof(status);
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    if (status < 200 || status > 299) return std::nullopt;

    std::string body;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), buffer, sizeof(buffer), &read)) return std::nullopt;
        if (read == 0) break;  // the whole body has arrived
        if (body.size() + read > kMaxBodyBytes) return std::nullopt;
        body.append(buffer, read);
    }
    return body;
}

}  // namespace os
