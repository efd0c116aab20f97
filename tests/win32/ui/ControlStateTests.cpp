// The state of the system controls mirrored both ways: what the program sets shows in the
// window, and what is done to the window reaches the control and its events.
#include "tests/win32/ui/TestForm.h"
// After <windows.h>, which the form brings.
#include <commctrl.h>

#include <algorithm>
#include <cstddef>

namespace {

std::wstring RowText(HWND list, int row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR) return L"<no row>";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) rows.push_back(RowText(list, i));
    return rows;
}

std::string Join(const std::vector<std::wstring>& rows) {
    std::string joined;
    for (const auto& row : rows) joined += "[" + test::Narrow(row) + "]";
    return joined;
}

int Selected(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

std::vector<HWND> RadioButtons(HWND group) {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        buttons.push_back(child);
    // The system lists children topmost first; the items are made first to last.
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return buttons;
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

UI_TEST(list_box_rows_and_selection) {
    test::RecordingBackend backend;
    test::TestForm form;
    int clicks = 0;
    form.list.OnClick = [&](ui::Control&) { ++clicks; };
    form.list.Add(L"before the window");
    backend.Realize(form);
    HWND list = test::WindowOf(form.list);
    CHECK(_wcsicmp(test::ClassName(list).c_str(), L"ListBox") == 0, "the order list is a list box window");
    CHECK_EQ(13, static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)), "row height");
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    CHECK((style & LBS_NOTIFY) && (style & LBS_NOINTEGRALHEIGHT) && !(style & LBS_SORT), "list box styles");

    form.list.Add(L"B");
    form.list.Add(L"C");
    CHECK_EQ(std::string("[before the window][B][C]"), Join(Rows(list)), "rows added");
    form.list.SetItemIndex(1);
    CHECK_EQ(1, Selected(list), "selection set by the program");

    // Rows replaced in place, the selected one too: the selection stays where the control has it.
    form.list.BeginUpdate();
    form.list.SetItem(0, L"A2");
    form.list.SetItem(1, L"B2");
    form.list.SetItem(2, L"C2");
    form.list.EndUpdate();
    CHECK_EQ(std::string("[A2][B2][C2]"), Join(Rows(list)), "rows replaced");
    CHECK_EQ(1, Selected(list), "selection kept across the replacement");
    CHECK_EQ(1, form.list.ItemIndex(), "the control's selection kept");

    form.list.Delete(0);
    CHECK_EQ(std::string("[B2][C2]"), Join(Rows(list)), "row deleted");
    CHECK_EQ(0, Selected(list), "the selection follows its row up");

    // The user picks the second row with the mouse.
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    test::SendMouse(list, WM_LBUTTONDOWN, row.left + 5, row.top + 3, MK_LBUTTON);
    test::SendMouse(list, WM_LBUTTONUP, row.left + 5, row.top + 3);
    test::WaitFor(backend, [&] { return clicks > 0; }, 2000);
    CHECK_EQ(1, clicks, "OnClick of the user's choice");
    CHECK_EQ(1, form.list.ItemIndex(), "the control takes the user's row");

    form.list.Clear();
    CHECK_EQ(0, static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)), "rows after Clear");
    CHECK_EQ(-1, Selected(list), "no selection after Clear");
}

UI_TEST(buttons_and_checks_mirrored) {
    test::RecordingBackend backend;
    test::TestForm form;
    int buttonClicks = 0, checkClicks = 0, radioClicks = 0, trackChanges = 0, comboChanges = 0;
    std::vector<int> trackKeys;
    form.button.OnClick = [&](ui::Control&) { ++buttonClicks; };
    form.check.OnClick = [&](ui::Control&) { ++checkClicks; };
    form.radios.OnClick = [&](ui::Control&) { ++radioClicks; };
    form.track.OnChange = [&](ui::Control&) { ++trackChanges; };
    form.track.OnKeyDown = [&](ui::Control&, int key) { trackKeys.push_back(key); };
    form.combo.OnChange = [&](ui::Control&) { ++comboChanges; };
    form.radios.SetItems({L"Первый", L"Второй", L"Третий"});
    form.combo.SetItems({L"Немедленное исполнение", L"Отложенный ордер"});
    form.combo.SetItemIndex(0);
    form.track.SetRange(1, 10);
    form.track.SetPosition(4);
    trackChanges = 0;
    backend.Realize(form);

    // Push button.
    HWND button = test::WindowOf(form.button);
    CHECK(_wcsicmp(test::ClassName(button).c_str(), L"Button") == 0, "push button class");
    CHECK_EQ(static_cast<LONG_PTR>(BS_PUSHBUTTON), GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, "push button style");
    SendMessageW(button, BM_CLICK, 0, 0);
    CHECK_EQ(1, buttonClicks, "BM_CLICK on the push button");

    // Check box: the control owns the state, the window shows it.
    HWND check = test::WindowOf(form.check);
    CHECK_EQ(static_cast<LONG_PTR>(BS_CHECKBOX), GetWindowLongPtrW(check, GWL_STYLE) & BS_TYPEMASK, "check box style");
    form.check.SetChecked(true);
    CHECK(IsChecked(check), "SetChecked(true) shows");
    SendMessageW(check, BM_CLICK, 0, 0);
    CHECK_EQ(false, form.check.Checked(), "a click toggles the control");
    CHECK(!IsChecked(check), "and the window follows");
    CHECK_EQ(2, checkClicks, "OnClick for SetChecked and for the click");

    // Radio group.
    std::vector<HWND> radios = RadioButtons(test::WindowOf(form.radios));
    CHECK_EQ(std::size_t{3}, radios.size(), "one radio button per item");
    if (radios.size() == 3) {
        CHECK_EQ(std::wstring(L"Второй"), test::WindowText(radios[1]), "caption of the second item");
        form.radios.SetItemIndex(1);
        CHECK(!IsChecked(radios[0]) && IsChecked(radios[1]) && !IsChecked(radios[2]), "ItemIndex 1 shows as checks");
        SendMessageW(radios[2], BM_CLICK, 0, 0);
        CHECK_EQ(2, form.radios.ItemIndex(), "the user's radio button selects its item");
        CHECK(!IsChecked(radios[1]) && IsChecked(radios[2]), "checks follow the user's choice");
        SendMessageW(radios[2], BM_CLICK, 0, 0);
        CHECK_EQ(1, radioClicks, "OnClick once: a click on the checked item changes nothing");
        form.radios.SetItems({L"A", L"B"});
        CHECK_EQ(std::size_t{2}, RadioButtons(test::WindowOf(form.radios)).size(), "buttons rebuilt with the items");
    }

    // Track bar.
    HWND track = test::WindowOf(form.track);
    CHECK(_wcsicmp(test::ClassName(track).c_str(), TRACKBAR_CLASSW) == 0, "track bar class");
    CHECK_EQ(4, static_cast<int>(SendMessageW(track, TBM_GETPOS, 0, 0)), "position mirrored");
    CHECK_EQ(10, static_cast<int>(SendMessageW(track, TBM_GETRANGEMAX, 0, 0)), "range mirrored");
    CHECK_EQ(20, static_cast<int>(SendMessageW(track, TBM_GETTHUMBLENGTH, 0, 0)), "thumb length");
    form.track.SetPosition(7);
    CHECK_EQ(7, static_cast<int>(SendMessageW(track, TBM_GETPOS, 0, 0)), "SetPosition moves the thumb");
    trackChanges = 0;
    SetFocus(track);
    SendMessageW(track, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track, WM_KEYUP, VK_RIGHT, 0);
    test::WaitFor(backend, [&] { return form.track.Position() == 8; }, 2000);
    CHECK_EQ(8, form.track.Position(), "the user's move reaches the control");
    CHECK_EQ(1, trackChanges, "OnChange of the user's move");
    CHECK(!trackKeys.empty() && trackKeys.front() == VK_RIGHT, "OnKeyDown sees the key in the window");

    // Drop-down list.
    HWND combo = test::WindowOf(form.combo);
    CHECK_EQ(static_cast<LONG_PTR>(CBS_DROPDOWNLIST), GetWindowLongPtrW(combo, GWL_STYLE) & 3, "drop-down list style");
    CHECK_EQ(0, static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)), "selection mirrored");
    SetFocus(combo);
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    test::WaitFor(backend, [&] { return comboChanges > 0; }, 2000);
    CHECK_EQ(1, form.combo.ItemIndex(), "the user's choice reaches the control");
    CHECK_EQ(1, comboChanges, "OnChange of the user's choice");
}

UI_TEST(properties_reach_windows) {
    test::RecordingBackend backend;
    test::TestForm form;
    form.check.SetTabStop(false);
    form.button.SetHint(L"Подсказка");
    backend.Realize(form);

    HWND lot = test::WindowOf(form.lot);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(lot, WM_GETFONT, 0, 0)), sizeof(font), &font);
    CHECK_EQ(-11, static_cast<int>(font.lfHeight), "default font height");
    CHECK_EQ(static_cast<int>(RUSSIAN_CHARSET), static_cast<int>(font.lfCharSet), "default font character set");
    CHECK_EQ(std::wstring(L"Tahoma"), std::wstring(font.lfFaceName), "default font face");
    CHECK_EQ(SendMessageW(lot, WM_GETFONT, 0, 0), SendMessageW(test::WindowOf(form.button), WM_GETFONT, 0, 0),
             "equal fonts share one handle");
    form.button.SetFont(ui::Font{L"Arial", 13, true});
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(test::WindowOf(form.button), WM_GETFONT, 0, 0)), sizeof(font), &font);
    CHECK_EQ(-13, static_cast<int>(font.lfHeight), "new font height");
    CHECK_EQ(static_cast<int>(FW_BOLD), static_cast<int>(font.lfWeight), "new font weight");

    // Bounds relative to the parent window.
    form.button.SetBounds(20, 90, 100, 30);
    RECT r{};
    GetWindowRect(test::WindowOf(form.button), &r);
    MapWindowPoints(nullptr, test::WindowOf(form.panel), reinterpret_cast<POINT*>(&r), 2);
    CHECK_EQ(20, static_cast<int>(r.left), "left");
    CHECK_EQ(90, static_cast<int>(r.top), "top");
    CHECK_EQ(100, static_cast<int>(r.right - r.left), "width");
    CHECK_EQ(30, static_cast<int>(r.bottom - r.top), "height");

    form.button.SetEnabled(false);
    CHECK(!IsWindowEnabled(test::WindowOf(form.button)), "disabled");
    form.button.SetVisible(false);
    CHECK(!IsWindowVisible(test::WindowOf(form.button)), "hidden");
    form.button.SetVisible(true);
    CHECK(IsWindowVisible(test::WindowOf(form.button)), "shown again");

    CHECK((GetWindowLongPtrW(lot, GWL_STYLE) & WS_TABSTOP) != 0, "a tab stop by default");
    CHECK((GetWindowLongPtrW(test::WindowOf(form.check), GWL_STYLE) & WS_TABSTOP) == 0, "TabStop false");

    // Graphic controls have no handle of their own; the windowed ones do.
    for (const ui::Control* graphic : {static_cast<const ui::Control*>(&form.title), static_cast<const ui::Control*>(&form.sell),
                                       static_cast<const ui::Control*>(&form.rule), static_cast<const ui::Control*>(&form.spin)})
        CHECK_EQ(ui::Handle{0}, graphic->NativeHandle(), "no handle for " + test::Narrow(graphic->Name()));
    CHECK(IsWindow(test::WindowOf(form.panel)), "the panel is a window");
    CHECK_EQ(std::wstring(ui::Win32Backend::kPanelClass), test::ClassName(test::WindowOf(form.panel)), "panel class");

    // The hint is a tool of the form's tooltip.
    HWND tooltip = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(w, GW_OWNER) == test::WindowOf(form)) tooltip = w;
    CHECK(tooltip != nullptr, "the form has a tooltip");
    if (tooltip) {
        wchar_t text[80] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);
        tool.hwnd = test::WindowOf(form.panel);
        tool.uId = reinterpret_cast<UINT_PTR>(test::WindowOf(form.button));
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        CHECK_EQ(std::wstring(L"Подсказка"), std::wstring(text), "the button's hint");
        form.sell.SetHint(L"Открыть рыночную продажу");
        const int tools = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        form.sell.SetVisible(false);
        CHECK_EQ(tools - 1, static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)),
                 "a hidden picture button's hint goes");
    }
}
