#include "tests/win32/tester/PanelReach.h"

#include <commctrl.h>


namespace tester_test {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct Search {
    std::wstring windowClass;
    const std::wstring* text;  // null: any text
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (_wcsicmp(wine_test::ClassName(window).c_str(), search->windowClass.c_str()) != 0) return TRUE;
    if (search->text && wine_test::WindowText(window) != *search->text) return TRUE;
    search->found = window;
    return FALSE;
}

HWND TooltipOf(const wine_test::PanelProcess& panel) {
    for (const wine_test::TopLevelWindow& w : panel.TopLevelWindows())
        if (_wcsicmp(w.windowClass.c_str(), TOOLTIPS_CLASSW) == 0 && GetWindow(w.window, GW_OWNER) == panel.MainWindow())
            return w.window;
    return nullptr;
}

}  // namespace

HWND FindControl(HWND root, const std::wstring& windowClass, const std::wstring& text) {
    Search search{windowClass, &text, nullptr};
    EnumChildWindows(root, Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindControlOfClass(HWND root, const std::wstring& windowClass) {
    Search search{windowClass, nullptr, nullptr};
    EnumChildWindows(root, Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring HintOf(const wine_test::PanelProcess& panel, HWND control) {
    HWND tooltip = TooltipOf(panel);
    if (!tooltip) return L"<the panel has no tooltip>";
    // Away from every tool first, so that the tip comes up afresh with the current hint.
    SetCursorPos(0, 0);
    if (!wine_test::WaitFor([&] { return !IsWindowVisible(tooltip); })) return L"<the tooltip stays up>";
    RECT bounds{};
    if (!GetWindowRect(control, &bounds)) return L"<no such control>";
    const POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    // The tooltip learns of the mouse from the control's own messages.
    PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x - bounds.left, centre.y - bounds.top));
    std::wstring text;
    const bool shown = wine_test::WaitFor([&] {
        if (!IsWindowVisible(tooltip)) return false;
        text = wine_test::WindowText(tooltip);
        return !text.empty();
    });
    SetCursorPos(0, 0);
    return shown ? text : L"<no tip came up over the control>";
}

bool SendClick(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result) != 0;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace tester_test
