#pragma once
// What the tests of the new-version check need beyond the panel fixture: an HTTP client that
// holds each request until the test lets it through, so that the moment a check ends is the
// test's choice, and a bounded wait for the detached workers to end.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "panel/core/Unit1.h"
#include "panel/os/Http.h"

class HeldHttpClient : public os::HttpClient {
public:
    struct Request {
        std::wstring host;
        int port;
        std::wstring pathAndQuery;
        int timeoutMilliseconds;
    };

    // The answer of every request let through from now on; nothing means a failed request.
    void SetAnswer(std::optional<std::string> body) {
        std::lock_guard<std::mutex> lock(mutex_);
        answer_ = std::move(body);
    }
    // From now on each request waits until LetThrough counts it in.
    void Hold() {
        std::lock_guard<std::mutex> lock(mutex_);
        holding_ = true;
    }
    // Lets the requests through up to the `count`-th one since the start (in arrival order).
    void LetThrough(std::size_t count) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (count > passed_) passed_ = count;
        changed_.notify_all();
    }
    void LetAllThrough() {
        std::lock_guard<std::mutex> lock(mutex_);
        holding_ = false;
        changed_.notify_all();
    }
    std::vector<Request> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    // True once `count` requests have arrived; false after a few seconds without them.
    bool WaitForRequests(std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return requests_.size() >= count; });
    }

    std::optional<std::string> Get(const std::wstring& host, int port, const std::wstring& pathAndQuery,
                                   int timeoutMilliseconds) override {
        std::unique_lock<std::mutex> lock(mutex_);
        requests_.push_back({host, port, pathAndQuery, timeoutMilliseconds});
        const std::size_t number = requests_.size();
        changed_.notify_all();
        changed_.wait(lock, [&] { return !holding_ || number <= passed_; });
        return answer_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::string> answer_;
    std::vector<Request> requests_;
    bool holding_ = false;
    std::size_t passed_ = 0;
};

// Every worker holds a share of the form's VersionCheck until it has ended, so the form's
// share alone means that none is left. Polled, for a few seconds at most.
inline bool WaitForVersionWorkers(const TForm1& form) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (form.VersionCheck.use_count() > 1) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};
