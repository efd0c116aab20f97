// The settings in the real registry and the new-version check against a real HTTP server,
// seen from outside the panel: this program owns the terminal-like windows, reads and writes
// the current user's registry as another program would, and serves the update endpoint on
// 127.0.0.1 itself.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/settings/CannedHttpServer.h"
#include "tests/win32/support/QuorvexWineSupport.h"

using namespace wine_test;
using namespace settings_test;

namespace {

using Role = TerminalFamily::Role;

// ---- The registry, as another program sees it.

struct StoredValue {
    bool exists = false;
    DWORD type = REG_NONE;
    DWORD number = 0;
    bool operator==(const StoredValue&) const = default;
};

std::string ShowValue(const StoredValue& v) {
    if (!v.exists) return "no value";
    if (v.type == REG_DWORD) return "REG_DWORD " + std::to_string(v.number);
    return "a value of type " + std::to_string(v.type);
}

StoredValue Dword(DWORD number) { return {true, REG_DWORD, number}; }

class UserKey {
public:
    UserKey(const std::wstring& path, bool create) {
        const LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
                                      : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~UserKey() {
        if (key_) RegCloseKey(key_);
    }
    UserKey(const UserKey&) = delete;
    UserKey& operator=(const UserKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The settings key of the panel under test, written out here from the program's folder rather
// than asked of the panel, so that a panel using another key shows as a failure.
std::wstring SettingsKey() {
    const std::wstring program = PanelProcess::Executable();
    std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    for (wchar_t& c : folder)
        if (c == L'\\') c = L'_';
    return L"SOFTWARE\\Quorvex" + folder;
}

StoredValue Read(const std::wstring& name) {
    StoredValue result;
    UserKey key(SettingsKey(), false);
    if (!key.Get()) return result;
    BYTE data[64] = {};
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &result.type, data, &size) != ERROR_SUCCESS) return {};
    result.exists = true;
    if (result.type == REG_DWORD && size == sizeof(DWORD)) result.number = *reinterpret_cast<const DWORD*>(data);
    return result;
}

void Write(const std::wstring& name, DWORD value) {
    UserKey key(SettingsKey(), true);
    REQUIRE(key.Get() && RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                        sizeof(value)) == ERROR_SUCCESS,
            "writing " + Utf8(name) + " into the settings key");
}

void WriteText(const std::wstring& name, const std::wstring& text) {
    UserKey key(SettingsKey(), true);
    REQUIRE(key.Get() && RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS,
            "writing " + Utf8(name) + " as text into the settings key");
}

void ForgetSettings() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey().c_str());
    REQUIRE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND, "the settings key of an earlier run removed");
    REQUIRE(!UserKey(SettingsKey(), false).Get(), "no settings key before the run");
}

void ExpectStored(const std::wstring& name, const StoredValue& expected, const std::string& when) {
    const StoredValue actual = Read(name);
    if (!(actual == expected))
        RecordFailure(when + ": " + Utf8(name) + ": expected " + ShowValue(expected) + ", got " + ShowValue(actual),
                      __FILE__, __LINE__);
}

// ---- The panel, reached from outside.

// Where the panel asks for new versions: a server of this program, or a port on which
// nothing listens, so that no case ever waits for a name lookup.
void PointUpdatesAt(unsigned short port) {
    const std::wstring address = L"127.0.0.1:" + std::to_wstring(port);
    REQUIRE(SetEnvironmentVariableW(L"QUORVEX_UPDATE_SERVER", address.c_str()), "QUORVEX_UPDATE_SERVER set");
    // A proxy of the machine must not stand between the panel and 127.0.0.1.
    SetEnvironmentVariableW(L"http_proxy", nullptr);
    SetEnvironmentVariableW(L"HTTP_PROXY", nullptr);
}

struct FindState {
    const wchar_t* windowClass;
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<FindState*>(data);
    if (_wcsicmp(ClassName(window).c_str(), state->windowClass) != 0) return TRUE;
    if (state->text && WindowText(window) != *state->text) return TRUE;
    state->found = window;
    return FALSE;
}

HWND FindButton(HWND root, const std::wstring& text) {
    FindState state{L"Button", &text, nullptr};
    EnumChildWindows(root, FindChild, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

bool Checked(HWND button) { return SendTo(button, BM_GETCHECK, 0, 0, BST_INDETERMINATE) == BST_CHECKED; }

// The panel started over the family's chart and settled there.
struct Session {
    TerminalFamily family;
    std::unique_ptr<PanelProcess> panel;
    HWND window = nullptr;
    HWND mainPanel = nullptr;  // the floating panel `main`: the one that holds the speed slider
    HWND slider = nullptr;

    Session() {
        panel = std::make_unique<PanelProcess>(family.ChartHandleText());
        window = panel->WaitForMainWindow();
        REQUIRE(window, "the panel's main window \"Quorvex<handle>\"");
        slider = FindDescendantByClass(window, TRACKBAR_CLASSW);
        REQUIRE(slider, "the panel's speed slider");
        mainPanel = GetParent(slider);
        REQUIRE(mainPanel && mainPanel != window, "the panel main around the speed slider");
        REQUIRE(WaitFor([&] { return IsWindowVisible(window) && IsWindowVisible(mainPanel); }),
                "the panel shown over the chart");
    }

    // main's place in the form's client coordinates, as the settings store it.
    POINT MainPlace() const {
        RECT r{};
        GetWindowRect(mainPanel, &r);
        POINT p{r.left, r.top};
        ScreenToClient(window, &p);
        return p;
    }

    // Further reads of the chart frame's title: the panel's 500 ms tick has run that often.
    // The bound grows with the count, so that a slow machine still gets the rig's margin.
    bool Ticks(std::size_t count) const {
        const std::size_t start = family.Count(Role::ChartFrame, WM_GETTEXT);
        return WaitFor([&] { return family.Count(Role::ChartFrame, WM_GETTEXT) >= start + count; },
                       kWaitTimeoutMs + static_cast<DWORD>(count) * 500);
    }

    // Closing the chart ends the panel, which saves on its way out.
    void CloseChart() {
        SetWindowTextW(family.ChartFrame(), L"");
        REQUIRE(panel->WaitForExit(), "the panel ends once its chart is closed");
    }
};

// ---- The download link, seen on the screen.

// Pixels of the link's red among the screen pixels of `rect` (screen coordinates). The link is
// a label drawn by main, not a window, so the screen is where it shows.
int RedPixels(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    if (!screen) return -1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    int count = -1;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
            GdiFlush();
            count = 0;
            const auto* pixel = static_cast<const std::uint32_t*>(bits);
            for (int i = 0; i < width * height; ++i) {
                const int r = (pixel[i] >> 16) & 0xFF, g = (pixel[i] >> 8) & 0xFF, b = pixel[i] & 0xFF;
                if (r >= 160 && g <= 90 && b <= 90) ++count;
            }
        }
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    return count;
}

// Where "Скачать новую версию" stands on main: 144, 4, 135 x 15.
RECT LinkRect(const Session& session) {
    POINT topLeft{144, 4};
    ClientToScreen(session.mainPanel, &topLeft);
    return {topLeft.x, topLeft.y, topLeft.x + 135, topLeft.y + 15};
}

// Enough red for a word of bold text; none at all where the link is hidden.
constexpr int kLinkRedPixels = 40;
bool LinkShown(const Session& s) { return RedPixels(LinkRect(s)) >= kLinkRedPixels; }

// ---- Cases.

void RegistryAfterFirstRun() {
    ForgetSettings();
    PointUpdatesAt(ClosedPort());
    Session s;
    EXPECT_EQ(LRESULT{24}, SendTo(s.slider, TBM_GETPOS, 0, 0), "the speed slider at the first start");
    REQUIRE(s.Ticks(2), "the panel's chart-following tick");
    const POINT place = s.MainPlace();
    s.CloseChart();

    const std::string when = "after the first run";
    ExpectStored(L"SL_TP_Set_Type", Dword(0), when);
    ExpectStored(L"WND_POS_Type", Dword(0), when);
    ExpectStored(L"TrackBarPos_Type", Dword(0), when);
    ExpectStored(L"NewVersion_Type", Dword(0), when);
    ExpectStored(L"WND_X", Dword(static_cast<DWORD>(place.y)), when);
    ExpectStored(L"WND_Y", Dword(static_cast<DWORD>(place.x)), when);
    ExpectStored(L"TrackBarPos", Dword(24), when);
    ExpectStored(L"pos_X", Dword(static_cast<DWORD>(place.x)), when);
    ExpectStored(L"pos_Y", Dword(static_cast<DWORD>(place.y)), when);
}

void StoredChoicesRoundTrip() {
    ForgetSettings();
    PointUpdatesAt(ClosedPort());
    Write(L"SL_TP_Set_Type", static_cast<DWORD>(-5));
    Write(L"WND_POS_Type", 1);
    Write(L"TrackBarPos_Type", 1);
    Write(L"NewVersion_Type", 7);
    Write(L"TrackBarPos", 10);
    Write(L"WND_X", 200);  // main's top
    Write(L"WND_Y", 500);  // main's left
    Write(L"pos_X", 420);
    Write(L"pos_Y", 310);
    Session s;

    EXPECT_EQ(LRESULT{10}, SendTo(s.slider, TBM_GETPOS, 0, 0), "the speed slider from \"TrackBarPos\"");
    // With the position not remembered main stays where "WND_X"/"WND_Y" put it.
    const POINT place = s.MainPlace();
    EXPECT_EQ(500L, place.x, "main's left with \"не запоминать позицию\"");
    EXPECT_EQ(200L, place.y, "main's top with \"не запоминать позицию\"");
    struct Item {
        const wchar_t* text;
        bool checked;
    };
    const Item items[] = {
        {L"высчитывать по конкретной сделке", false},  // -5: nothing selected
        {L"использовать предыдущее значение", false},
        {L"запоминать позицию окна программы", false},
        {L"не запоминать позицию окна программы", true},
        {L"начинать всегда со стандартной", true},
        {L"сообщать о выходе новых версий", false},
        {L"не сообщать о выходе новых версий", true},  // 7: the last item
    };
    for (const Item& item : items) {
        HWND button = FindButton(s.window, item.text);
        if (!EXPECT(button != nullptr, "the radio button \"" + Utf8(item.text) + "\"")) continue;
        EXPECT_EQ(item.checked, Checked(button), "\"" + Utf8(item.text) + "\" checked");
    }
    s.CloseChart();

    const std::string when = "after a run with stored choices";
    ExpectStored(L"SL_TP_Set_Type", Dword(0xFFFFFFFFu), when);
    ExpectStored(L"WND_POS_Type", Dword(1), when);
    ExpectStored(L"TrackBarPos_Type", Dword(1), when);
    ExpectStored(L"NewVersion_Type", Dword(1), when);
    ExpectStored(L"WND_X", Dword(15), when);
    ExpectStored(L"WND_Y", Dword(15), when);
    ExpectStored(L"TrackBarPos", Dword(24), when);
    ExpectStored(L"pos_X", Dword(500), when);
    ExpectStored(L"pos_Y", Dword(200), when);
}

void TextValuesTakeDefaults() {
    ForgetSettings();
    PointUpdatesAt(ClosedPort());
    WriteText(L"NewVersion_Type", L"1");
    WriteText(L"WND_POS_Type", L"1");
    WriteText(L"TrackBarPos", L"10");
    Session s;
    EXPECT_EQ(LRESULT{24}, SendTo(s.slider, TBM_GETPOS, 0, 0), "the speed slider with \"TrackBarPos\" as text");
    HWND remember = FindButton(s.window, L"запоминать позицию окна программы");
    HWND report = FindButton(s.window, L"сообщать о выходе новых версий");
    REQUIRE(remember && report, "the radio buttons of the settings panel");
    EXPECT(Checked(remember), "\"запоминать позицию окна программы\" checked");
    EXPECT(Checked(report), "\"сообщать о выходе новых версий\" checked");
    s.CloseChart();
    // Saved over as numbers.
    ExpectStored(L"NewVersion_Type", Dword(0), "after a run with text values");
    ExpectStored(L"WND_POS_Type", Dword(0), "after a run with text values");
}

// Still running, and no message box of its own on the screen.
bool PanelAlive(const Session& s) { return s.panel->Running() && !s.panel->FindMessageBox(); }

// The first answer is held back so that the link is seen hidden first; then the answer goes
// out and the rest follows from it.
enum class Outcome { Newer, NotNewer, Invalid };

void VersionCheckAgainst(const std::string& body, Outcome outcome) {
    ForgetSettings();
    CannedHttpServer server(body);
    REQUIRE(server.Listening(), "the test's HTTP server listens on 127.0.0.1");
    server.HoldAnswers();
    PointUpdatesAt(server.Port());
    Session s;

    REQUIRE(WaitFor([&] { return !server.Requests().empty(); }), "the panel's first update request");
    const std::vector<std::string> first = server.Requests();
    EXPECT_EQ(std::string("GET /products/update.php?name=quorvex HTTP/1.1"), first[0], "the request line");
    const std::string head = server.FirstRequestHead();
    EXPECT(head.find("\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n") != std::string::npos,
           "the request's Host header names the server: " + head);
    REQUIRE(s.Ticks(2), "the panel's chart-following tick");
    EXPECT_EQ(0, RedPixels(LinkRect(s)), "red pixels of the link while the check waits");

    server.Release();
    if (outcome == Outcome::Newer) {
        EXPECT(WaitFor([&] { return LinkShown(s); }), "the link \"Скачать новую версию\" shown");
    } else {
        // A tick of the version timer has passed since the answer: 2 s at most.
        REQUIRE(s.Ticks(6), "the panel's chart-following tick");
        EXPECT_EQ(0, RedPixels(LinkRect(s)), "red pixels of the link after the answer");
    }

    if (outcome == Outcome::Invalid) {
        // No valid answer yet: asked again every 2 s.
        const std::size_t asked = server.Requests().size();
        EXPECT(WaitFor([&] { return server.Requests().size() >= asked + 2; }, kWaitTimeoutMs + 4000),
               "the panel asks again");
    } else {
        // A valid answer: the next check is 90 s away. The tick that took the answer started one
        // more check, which may arrive a moment later; after that, nothing for ten ticks (5 s,
        // more than two of the 2 s intervals).
        REQUIRE(s.Ticks(2), "the panel's chart-following tick");
        const std::size_t asked = server.Requests().size();
        REQUIRE(s.Ticks(10), "the panel's chart-following tick");
        EXPECT_EQ(asked, server.Requests().size(), "update requests once a valid answer came");
    }
    EXPECT_EQ(outcome == Outcome::Newer, LinkShown(s), "the link at the end");
    EXPECT(PanelAlive(s), "the panel runs on");
}

void NoServer() {
    ForgetSettings();
    const unsigned short port = ClosedPort();
    REQUIRE(port != 0, "a free port of 127.0.0.1");
    PointUpdatesAt(port);
    Session s;
    // Several failed checks: 1 s after start, then every 2 s.
    REQUIRE(s.Ticks(8), "the panel's chart-following tick");
    EXPECT(PanelAlive(s), "the panel runs on, with no message");
    EXPECT_EQ(0, RedPixels(LinkRect(s)), "red pixels of the link without a server");

    // The checks go on: a server that comes up later is asked.
    CannedHttpServer server("115", port);
    REQUIRE(server.Listening(), "the test's HTTP server on the port the panel asks");
    EXPECT(WaitFor([&] { return !server.Requests().empty(); }), "an update request once the server is up");
    EXPECT(WaitFor([&] { return LinkShown(s); }), "the link once the late server answered 115");
}

void NoticesOffSendNothing() {
    ForgetSettings();
    CannedHttpServer server("115");
    REQUIRE(server.Listening(), "the test's HTTP server listens on 127.0.0.1");
    PointUpdatesAt(server.Port());
    Write(L"NewVersion_Type", 1);
    Session s;
    REQUIRE(s.Ticks(8), "the panel's chart-following tick");
    EXPECT_EQ(std::size_t{0}, server.Requests().size(), "update requests with the notices off");
    EXPECT_EQ(0, RedPixels(LinkRect(s)), "red pixels of the link with the notices off");
    EXPECT(PanelAlive(s), "the panel runs on");
}

}  // namespace

int main(int argc, char** argv) {
    return RunTestCases(argc, argv,
                        {
                            {"registry_after_first_run", RegistryAfterFirstRun},
                            {"stored_choices_round_trip", StoredChoicesRoundTrip},
                            {"text_values_take_defaults", TextValuesTakeDefaults},
                            {"version_115_shows_link", [] { VersionCheckAgainst("115", Outcome::Newer); }},
                            {"version_114_no_link", [] { VersionCheckAgainst("114", Outcome::NotNewer); }},
                            {"version_line_break_invalid", [] { VersionCheckAgainst("115\r\n", Outcome::Invalid); }},
                            {"version_no_server", NoServer},
                            {"version_notices_off", NoticesOffSendNothing},
                        });
}
