#pragma once
// Scripted HTTP answers and a recording shell for the native tests.
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "panel/os/Http.h"
#include "panel/os/Shell.h"

namespace os {

class FakeHttpClient : public HttpClient {
public:
    struct Request {
        std::wstring host;
        int port;
        std::wstring pathAndQuery;
    };
    // Every request gets this answer; nothing means a failed request.
    void SetAnswer(std::optional<std::string> body) {
        std::lock_guard<std::mutex> lock(mutex_);
        answer_ = std::move(body);
    }
    std::optional<std::string> Get(const std::wstring& host, int port, const std::wstring& pathAndQuery,
                                   int /*timeoutMilliseconds*/) override {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back({host, port, pathAndQuery});
        return answer_;
    }
    std::vector<Request> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    mutable std::mutex mutex_;
    std::optional<std::string> answer_;
    std::vector<Request> requests_;
};

class FakeShell : public Shell {
public:
    struct Call {
        std::wstring address;
        Window owner;
    };
    void Open(const std::wstring& address, Window owner) override { calls.push_back({address, owner}); }
    std::vector<Call> calls;
};

}  // namespace os
