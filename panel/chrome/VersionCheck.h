#pragma once
// The pure parts of the new-version check: where the makers' server is, and what counts as
// an answer of the update endpoint.
#include <cstdint>
#include <optional>
#include <string>

// The number of this program's version, 1.1.4 without the points; the title label of main
// names the same version.
constexpr std::int32_t kRunningVersion = 114;

// The makers' web server. The environment variable overrides it, as host or host:port, so
// that a test can point the panel at a server of its own.
constexpr wchar_t kMakersServer[] = L"update.quorvex.example";
constexpr char kUpdateServerVariable[] = "QUORVEX_UPDATE_SERVER";
constexpr int kDefaultHttpPort = 80;

constexpr wchar_t kUpdatePath[] = L"/products/update.php?name=quorvex";
constexpr wchar_t kDownloadPath[] = L"/quorvex.php";
// The makers' own page, opened by the credit label.
constexpr wchar_t kMakersPage[] = L"http://www.quorvex.example/";

// How long one update request may take, for each of resolving, connecting, sending and
// receiving, before it counts as failed.
constexpr int kUpdateRequestTimeoutMilliseconds = 5000;

struct ServerAddress {
    std::wstring host;
    int port = kDefaultHttpPort;
    // As written in a web address: the host, with ":port" unless the port is 80.
    std::wstring Authority() const;
};

// "host" or "host:port" (port 1 to 65535). Nothing for an empty host or a bad port.
std::optional<ServerAddress> ParseServerAddress(const std::wstring& text);

// The variable's value when it is set and sound, the makers' server otherwise.
ServerAddress UpdateServer();

// The version number in an answer body: one or more decimal digits and nothing else (no
// sign, no blank, no line break), small enough for a 32-bit signed number.
std::optional<std::int32_t> ParseVersionAnswer(const std::string& body);
