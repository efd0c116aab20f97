#pragma once
// Plain HTTP GET through WinHTTP. The client keeps no state between requests: every Get
// opens a session of its own, so any number of threads may use one client at once.
#include <cstddef>

#include "panel/os/Http.h"

namespace os {

class WinHttpClient : public HttpClient {
public:
    // The largest body accepted; a longer answer counts as a failure rather than filling
    // the memory of the panel with whatever a server sends.
    static constexpr std::size_t kMaxBodyBytes = 64 * 1024;

    // One client for the whole process that is never destroyed: the version-check workers
    // are detached and may still be starting their request while the program's static
    // objects are torn down at exit.
    static WinHttpClient& ForProcess() {
        static WinHttpClient* const client = new WinHttpClient;
        return *client;
    }

    // `timeoutMilliseconds` applies to each of resolving, connecting, sending and receiving.
    std::optional<std::string> Get(const std::wstring& host, int port, const std::wstring& pathAndQuery,
                                   int timeoutMilliseconds) override;
};

}  // namespace os
