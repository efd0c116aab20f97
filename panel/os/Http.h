#pragma once
#include <optional>
#include <string>

namespace os {

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // One plain HTTP GET. The body of a 2xx answer, or nothing on any failure
    // (no connection, an error status, the time limit passed).
    virtual std::optional<std::string> Get(const std::wstring& host, int port,
                                           const std::wstring& pathAndQuery,
                                           int timeoutMilliseconds) = 0;
};

}  // namespace os
