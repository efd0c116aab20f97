// The OS layer on real windows: the text search that finds the tester's Stop button, text
// reads, the parent walk, and the raw window operations.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "panel/os/WindowText.h"
#include "panel/os/win32/Win32WindowSystem.h"
#include "tests/win32/os/OsHarness.h"
#include "tests/win32/os/TesterTree.h"

using namespace os_test;

namespace {

// The tester's layout as the search meets it: near misses before the Stop button, and a
// second "Стоп" after it that must never be reached.
void CheckSearch(os::Win32WindowSystem& windows, HWND terminal) {
    const os::Window stop = os::FindDescendantByText(windows, W(terminal), L"Стоп");
    CHECK(stop != 0);
    CHECK_EQ(GetDlgCtrlID(H(stop)), kStopId);
    CHECK_EQ(os::ReadWindowText(windows, stop), std::wstring(L"Стоп"));
    CHECK_EQ(GetDlgCtrlID(H(os::StepsBefore(windows, stop, 3))), kPauseId);
    CHECK_EQ(GetDlgCtrlID(H(os::StepsBefore(windows, stop, 4))), kSliderId);
    CHECK_EQ(os::FindDescendantByText(windows, W(terminal), L"нет такого"), os::Window{0});
}

}  // namespace

OS_TEST(text_search_finds_stop_below_a_tree) {
    InitCommonControls();
    os::Win32WindowSystem windows;
    const TesterTree tree = BuildTesterTree(L"Terminal");
    // New child windows go below their siblings, so creation order is stacking order.
    CHECK_EQ(windows.FirstChild(W(tree.terminal)), W(tree.nearMisses));
    CheckSearch(windows, tree.terminal);
    CHECK_EQ(os::FindDescendantByText(windows, W(tree.terminal), LongText()), W(tree.longEdit));
    DestroyWindow(tree.terminal);
}

OS_TEST(long_texts_are_read_whole) {
    os::Win32WindowSystem windows;
    HWND top = MakeWindow(PlainClass(), L"", nullptr, WS_OVERLAPPEDWINDOW);
    HWND edit = MakeWindow(L"Edit", LongText(), top, ES_AUTOHSCROLL);
    HWND plain = MakeWindow(PlainClass(), LongText() + LongText(), top);
    CHECK_EQ(LongText().size(), std::size_t{5000});
    CHECK_EQ(os::ReadWindowText(windows, W(edit)), LongText());
    CHECK_EQ(os::ReadWindowText(windows, W(plain)), LongText() + LongText());
    // Never past the capacity, however long the text.
    wchar_t buffer[8];
    for (wchar_t& c : buffer) c = L'#';
    CHECK_EQ(windows.GetText(W(edit), buffer, 4), 3);
    CHECK_EQ(std::wstring(buffer), LongText().substr(0, 3));
    CHECK_EQ(buffer[4], L'#');
    CHECK_EQ(os::ReadWindowText(windows, 0), std::wstring());
    DestroyWindow(top);
    CHECK_EQ(os::ReadWindowText(windows, W(edit)), std::wstring());
}

OS_TEST(text_search_in_another_process) {
    os::Win32WindowSystem windows;
    const std::wstring title = L"QuorvexOsTestTree" + std::to_wstring(GetCurrentProcessId());
    TreeServer server(title);
    if (!server.Started()) return;
    CheckSearch(windows, H(server.Terminal()));
    const os::Window longEdit = os::FindDescendantByText(windows, server.Terminal(), LongText());
    CHECK_EQ(GetDlgCtrlID(H(longEdit)), kLongEditId);
    CHECK_EQ(windows.Parent(server.Terminal()), os::Window{0});

    // A terminal whose interface thread is stuck makes the read fail instead of holding the
    // panel for as long as the terminal is stuck.
    const os::Window stop = os::FindDescendantByText(windows, server.Terminal(), L"Стоп");
    if (server.Block()) {
        CHECK_EQ(os::ReadWindowText(windows, stop), std::wstring());
        server.Release();
        CHECK_EQ(os::ReadWindowText(windows, stop), std::wstring(L"Стоп"));
    }
}

OS_TEST(parent_is_the_real_parent_never_the_owner) {
    os::Win32WindowSystem windows;
    HWND owner = MakeWindow(PlainClass(), L"owner", nullptr, WS_OVERLAPPEDWINDOW);
    HWND child = MakeWindow(PlainClass(), L"child", owner);
    HWND owned = CreateWindowExW(0, PlainClass(), L"owned", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    CHECK(owned != nullptr);
    CHECK_EQ(GetParent(owned), owner);  // the pitfall
    CHECK_EQ(windows.Parent(W(owned)), os::Window{0});
    CHECK_EQ(windows.Parent(W(owner)), os::Window{0});
    CHECK_EQ(windows.Parent(W(child)), W(owner));
    CHECK_EQ(windows.Parent(0), os::Window{0});

    // Made a child without WS_CHILD, as the panel does with its application window.
    HWND frame = MakeWindow(PlainClass(), L"frame", nullptr, WS_OVERLAPPEDWINDOW);
    HWND popup = MakeWindow(PlainClass(), L"popup", nullptr, WS_POPUP);
    CHECK(windows.SetParent(W(popup), W(frame)));
    CHECK_EQ(windows.Parent(W(popup)), W(frame));
    CHECK_EQ(windows.FirstChild(W(frame)), W(popup));
    CHECK(windows.SetParent(W(popup), 0));
    CHECK_EQ(windows.Parent(W(popup)), os::Window{0});
    CHECK(!windows.SetParent(W(popup), W(popup)));
    for (HWND window : {owned, owner, frame, popup}) DestroyWindow(window);
}

OS_TEST(find_top_level_matches_the_exact_title) {
    os::Win32WindowSystem windows;
    const std::wstring title = L"Dravonel" + std::to_wstring(GetCurrentProcessId());
    HWND top = MakeWindow(PlainClass(), title, nullptr, WS_OVERLAPPEDWINDOW);
    HWND parent = MakeWindow(PlainClass(), L"", nullptr, WS_OVERLAPPEDWINDOW);
    HWND child = MakeWindow(PlainClass(), title + L"7", parent);
    CHECK_EQ(windows.FindTopLevel(title), W(top));
    CHECK_EQ(windows.FindTopLevel(title + L"7"), os::Window{0});  // a child is no top-level window
    CHECK_EQ(windows.FindTopLevel(L"DRAVONEL" + std::to_wstring(GetCurrentProcessId())), os::Window{0});
    CHECK_EQ(windows.FindTopLevel(title.substr(0, title.size() - 1)), os::Window{0});
    SetWindowTextW(top, L"Dravonel");
    CHECK_EQ(windows.FindTopLevel(title), os::Window{0});
    (void)child;
    DestroyWindow(top);
    DestroyWindow(parent);
}

namespace {

int clicks = 0;
LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

OS_TEST(click_is_sent_and_keys_are_posted) {
    os::Win32WindowSystem windows;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = CountingParent;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuorvexOsTestCountingParent";
    CHECK(RegisterClassExW(&windowClass) != 0);
    HWND top = MakeWindow(windowClass.lpszClassName, L"", nullptr, WS_OVERLAPPEDWINDOW);
    HWND button = MakeWindow(L"Button", L"Стоп", top, BS_PUSHBUTTON);
    windows.SendClick(W(button));
    CHECK_EQ(clicks, 1);  // handled before SendClick returned

    HWND slider = MakeWindow(PlainClass(), L"", top);
    windows.PostKey(W(slider), os::kKeyDown, os::kVkHome);
    windows.PostKey(W(slider), os::kKeyUp, os::kVkHome);
    MSG message;
    for (UINT expected : {WM_KEYDOWN, WM_KEYUP}) {
        CHECK(PeekMessageW(&message, slider, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
        CHECK_EQ(message.message, expected);
        CHECK_EQ(message.wParam, WPARAM{VK_HOME});
        CHECK_EQ(message.lParam, LPARAM{0});
    }
    DestroyWindow(top);
}

OS_TEST(styles_placement_and_showing) {
    os::Win32WindowSystem windows;
    HWND top = MakeWindow(PlainClass(), L"", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CHECK(windows.SetStyle(W(top), windows.Style(W(top)) & ~(os::kStyleCaption | os::kStyleThickFrame)));
    CHECK_EQ(windows.Style(W(top)) & (os::kStyleCaption | os::kStyleThickFrame), 0L);
    RECT window;
    RECT client;
    GetWindowRect(top, &window);
    GetClientRect(top, &client);
    // The frame was recomputed: without caption and thick frame the client area fills the window.
    CHECK_EQ(client.bottom - client.top, window.bottom - window.top);
    CHECK(windows.SetExStyle(W(top), windows.ExStyle(W(top)) | os::kExStyleToolWindow));
    CHECK(windows.ExStyle(W(top)) & os::kExStyleToolWindow);

    os::Rect before;
    CHECK(windows.ScreenRect(W(top), before));
    CHECK(windows.Move(W(top), 123, 45));
    os::Rect after;
    CHECK(windows.ScreenRect(W(top), after));
    CHECK_EQ(after.left, 123);
    CHECK_EQ(after.top, 45);
    CHECK_EQ(after.Width(), before.Width());
    CHECK_EQ(after.Height(), before.Height());

    CHECK(windows.SetShown(W(top), false));
    CHECK(!IsWindowVisible(top));
    CHECK(windows.SetShown(W(top), true));
    CHECK(IsWindowVisible(top));
    CHECK(!windows.IsMinimised(W(top)));
    ShowWindow(top, SW_MINIMIZE);
    CHECK(windows.IsMinimised(W(top)));

    DestroyWindow(top);
    // A window that is gone takes nothing.
    CHECK(!windows.Move(W(top), 0, 0));
    CHECK(!windows.SetShown(W(top), true));
    CHECK(!windows.SetStyle(W(top), 0));
    CHECK(!windows.ScreenRect(W(top), after));
}
