// The form's own window: styles, colour key, region, title, owner, focus and modal show.
#include "tests/win32/ui/TestForm.h"

namespace {

struct RegionCase {
    std::vector<ui::Rect> rectangles;
    int expectedKind;
    RECT expectedBox;
    std::vector<POINT> inside;
    std::vector<POINT> outside;
};

}  // namespace

UI_TEST(region_from_rectangles) {
    test::RecordingBackend backend;
    test::TestForm form;
    backend.Realize(form);
    HWND window = test::WindowOf(form);

    const RegionCase cases[] = {
        {{{8, 0, 321, 329}}, SIMPLEREGION, RECT{8, 0, 321, 329}, {{8, 0}, {320, 328}}, {{7, 0}, {321, 10}, {100, 329}}},
        {{{10, 10, 60, 40}, {100, 20, 150, 80}},
         COMPLEXREGION,
         RECT{10, 10, 150, 80},
         {{10, 10}, {59, 39}, {100, 20}, {149, 79}},
         {{80, 30}, {60, 40}, {30, 60}, {150, 80}}},
        // Overlapping panels: a union, not a toggle.
        {{{0, 0, 100, 100}, {50, 50, 150, 150}}, COMPLEXREGION, RECT{0, 0, 150, 150}, {{75, 75}, {10, 10}, {140, 140}},
         {{120, 20}, {20, 120}}},
    };
    for (const RegionCase& c : cases) {
        form.SetRegion(c.rectangles);
        ui::win32::Region region(CreateRectRgn(0, 0, 0, 0));
        const int kind = GetWindowRgn(window, region.Get());
        CHECK_EQ(c.expectedKind, kind, "kind of the window region");
        RECT box{};
        GetRgnBox(region.Get(), &box);
        CHECK(EqualRect(&box, &c.expectedBox), "bounding box of the region");
        for (POINT p : c.inside)
            CHECK(PtInRegion(region.Get(), p.x, p.y), "inside: " + std::to_string(p.x) + "," + std::to_string(p.y));
        for (POINT p : c.outside)
            CHECK(!PtInRegion(region.Get(), p.x, p.y), "outside: " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    form.SetRegion({});
    ui::win32::Region none(CreateRectRgn(0, 0, 0, 0));
    CHECK_EQ(ERROR, GetWindowRgn(window, none.Get()), "an empty list takes the region away");
}

UI_TEST(form_window_styles) {
    test::RecordingBackend backend;
    test::TestForm form;
    backend.Realize(form);
    HWND window = test::WindowOf(form);

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    CHECK((style & WS_POPUP) && !(style & WS_CAPTION) && !(style & WS_THICKFRAME), "borderless pop-up");
    CHECK_EQ(reinterpret_cast<HWND>(backend.ApplicationHandle()), GetWindow(window, GW_OWNER),
             "owned by the application window");
    CHECK(!IsWindowVisible(reinterpret_cast<HWND>(backend.ApplicationHandle())), "the application window is hidden");
    RECT client{};
    GetClientRect(window, &client);
    CHECK_EQ(640, static_cast<int>(client.right), "the client area is the whole window");
    CHECK(IsWindowVisible(window), "a visible form is shown once realized");
    CHECK(GetActiveWindow() != window, "shown without taking the activation");

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    CHECK((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, "layered for its colour key");
    CHECK(GetLayeredWindowAttributes(window, &key, &alpha, &flags), "layered attributes");
    CHECK_EQ(static_cast<COLORREF>(RGB(74, 66, 55)), key, "colour key");
    CHECK((flags & LWA_COLORKEY) != 0, "colour key in use");

    CHECK((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0, "no tool window at first");
    form.SetToolWindow(true);
    CHECK((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, "tool window applied");
    form.SetToolWindow(false);
    CHECK((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0, "tool window taken away");

    // The terminal side finds the main window by its title.
    form.SetText(L"Quorvex4711");
    CHECK_EQ(window, FindWindowW(nullptr, L"Quorvex4711"), "found by its title");

    form.SetBounds(150, 120, 500, 300);
    RECT r{};
    GetWindowRect(window, &r);
    CHECK(r.left == 150 && r.top == 120 && r.right == 650 && r.bottom == 420, "bounds on the screen");
    // Moved by the system: the form takes its new place.
    SetWindowPos(window, nullptr, 200, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CHECK_EQ(200, form.Left(), "left taken from the window");
    CHECK_EQ(160, form.Top(), "top taken from the window");
    CHECK_EQ(500, form.Width(), "width unchanged");

    form.Hide();
    CHECK(!IsWindowVisible(window), "hidden");
    form.Show();
    CHECK(IsWindowVisible(window), "shown");

    // WM_CLOSE asks; the form decides.
    int closes = 0;
    form.OnClose = [&] { ++closes; };
    SendMessageW(window, WM_CLOSE, 0, 0);
    CHECK_EQ(1, closes, "OnClose for WM_CLOSE");
    CHECK(IsWindow(window) && IsWindowVisible(window), "the form stays until it decides");
}

UI_TEST(focus_and_modal) {
    test::RecordingBackend backend;
    test::TestForm form;
    backend.Realize(form);

    backend.SetFocus(&form.lot);
    CHECK_EQ(test::WindowOf(form.lot), GetFocus(), "focus set to the lot field");
    CHECK_EQ(static_cast<ui::Control*>(&form.lot), backend.Focused(), "Focused() names the field");
    backend.SetFocus(&form.sell);
    CHECK_EQ(static_cast<ui::Control*>(&form.sell), backend.Focused(), "a graphic control holds the focus by its parent");
    backend.SetFocus(&form.list);
    CHECK_EQ(static_cast<ui::Control*>(&form.list), backend.Focused(), "focus moved on");

    ui::Form dialog(L"Dialog");
    dialog.SetBounds(200, 200, 300, 200);
    dialog.SetVisible(false);
    ui::Button ok(&dialog, L"ok");
    ok.SetBounds(10, 10, 80, 25);
    ok.SetText(L"OK");
    backend.Realize(dialog);
    CHECK(!IsWindowVisible(test::WindowOf(dialog)), "a hidden form stays hidden when realized");

    bool ownerDisabledMeanwhile = false;
    int ticks = 0;
    ui::Timer timer(L"modal", 30, true);
    timer.OnTimer = [&] {
        // The program's timers keep running inside the modal loop.
        if (++ticks == 2) {
            ownerDisabledMeanwhile = !IsWindowEnabled(test::WindowOf(form)) && IsWindowVisible(test::WindowOf(dialog));
            backend.EndModal(dialog, 7);
        }
    };
    const int result = backend.ShowModal(dialog);
    timer.SetEnabled(false);
    CHECK_EQ(7, result, "ShowModal returns what EndModal gave");
    CHECK(ownerDisabledMeanwhile, "the other form takes no input while the dialog is up");
    CHECK(IsWindowEnabled(test::WindowOf(form)), "and takes it again after");
    CHECK(!IsWindowVisible(test::WindowOf(dialog)) && !dialog.Visible(), "the dialog is hidden after");

    // The close box of a modal form answers "cancel".
    int closes = 0;
    dialog.OnClose = [&] { ++closes; };
    ui::Timer closer(L"closer", 30, true);
    closer.OnTimer = [&] {
        closer.SetEnabled(false);
        PostMessageW(test::WindowOf(dialog), WM_CLOSE, 0, 0);
    };
    CHECK_EQ(2, backend.ShowModal(dialog), "result of closing a modal form");
    CHECK_EQ(1, closes, "OnClose ran once");
}
