// The new-version check: a timer on the user-interface thread starts short-lived workers
// that ask the makers' update endpoint; the two links open the makers' pages.
#include "panel/chrome/VersionCheck.h"

#include <cstdlib>
#include <memory>
#include <thread>

#include "panel/core/Unit1.h"
#include "panel/ui/Backend.h"

namespace {

// Until a check has had a valid answer the timer asks again soon; after that, rarely.
constexpr int kRetryInterval = 2000;
constexpr int kQuietInterval = 90000;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring ServerAddress::Authority() const {
    return port == kDefaultHttpPort ? host : host + L":" + std::to_wstring(port);
}

std::optional<ServerAddress> ParseServerAddress(const std::wstring& text) {
    const std::size_t colon = text.rfind(L':');
    ServerAddress address;
    address.host = text.substr(0, colon);
    if (address.host.empty()) return std::nullopt;
    if (colon == std::wstring::npos) return address;
    const std::wstring port = text.substr(colon + 1);
    if (port.empty() || port.size() > 5) return std::nullopt;
    int number = 0;
    for (wchar_t c : port) {
        if (!IsDigit(c)) return std::nullopt;
        number = number * 10 + (c - L'0');
    }
    if (number < 1 || number > 65535) return std::nullopt;
    address.port = number;
    return address;
}

ServerAddress UpdateServer() {
    if (const char* value = std::getenv(kUpdateServerVariable)) {
        // A host name or an address is plain ASCII; anything else is no address of ours.
        std::wstring text;
        bool ascii = true;
        for (const char* p = value; *p; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c < 0x21 || c > 0x7E) ascii = false;
            text.push_back(static_cast<wchar_t>(c));
        }
        if (ascii)
            if (auto address = ParseServerAddress(text)) return *address;
    }
    return ServerAddress{kMakersServer, kDefaultHttpPort};
}

std::optional<std::int32_t> ParseVersionAnswer(const std::string& body) {
    if (body.empty()) return std::nullopt;
    std::int64_t number = 0;
    for (char c : body) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > INT32_MAX) return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

void TForm1::Timer3Timer() {
    try {
        // The worker holds its own share of the flags, so a check still waiting for the
        // network when the program ends writes into nothing that is gone. The HTTP client
        // lives for the whole process.
        const ServerAddress server = UpdateServer();
        std::thread([shared = VersionCheck, &http = services_.http, server] {
            CheckNewVersion(*shared, http, server.host, server.port);
        }).detach();
    } catch (...) {
        // No thread could be started: this tick checks nothing, the next one tries again.
    }
    try {
        // The outcome of the last check that has ended by now.
        Label14.SetVisible(VersionCheck->NewVersionFound.load());
        Timer3.SetInterval(VersionCheck->VersionCheckDone.load() ? kQuietInterval : kRetryInterval);
    } catch (...) {
    }
}

void TForm1::CheckNewVersion(VersionCheckShared& shared, os::HttpClient& http, const std::wstring& host,
                             int port) {
    bool newer = false;
    try {
        if (shared.NewVersionType.load() == 0) {
            if (const auto body = http.Get(host, port, kUpdatePath, kUpdateRequestTimeoutMilliseconds)) {
                if (const auto version = ParseVersionAnswer(*body)) {
                    newer = *version > kRunningVersion;
                    shared.VersionCheckDone = true;
                }
            }
        }
    } catch (...) {
        // A failed check is no newer version; the next tick tries again.
        newer = false;
    }
    shared.NewVersionFound = newer;
}

void TForm1::Label14MouseUp(ui::Control&, ui::MouseButton button, int, int) {
    if (button != ui::MouseButton::Left) return;
    try {
        services_.shell.Open(L"http://" + UpdateServer().Authority() + kDownloadPath, NativeHandle());
    } catch (...) {
    }
}

void TForm1::Label11MouseUp(ui::Control&, ui::MouseButton button, int, int) {
    if (button != ui::MouseButton::Left) return;
    try {
        services_.shell.Open(kMakersPage, 0);
    } catch (...) {
    }
}
