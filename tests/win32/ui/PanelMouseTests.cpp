// The mouse on a smooth panel: hit-testing of its graphic children, the picture buttons'
// states and click, double click, the context menu, and the arrow buttons' repeat.
#include "tests/win32/ui/TestForm.h"

namespace {

struct MouseLog {
    std::vector<std::string> events;
    void Bind(ui::Control& control) {
        const std::string name = test::Narrow(control.Name());
        auto button = [](ui::MouseButton b) {
            return b == ui::MouseButton::Left ? "L" : b == ui::MouseButton::Right ? "R" : "M";
        };
        control.OnMouseDown = [this, name, button](ui::Control&, ui::MouseButton b, int x, int y) {
            events.push_back(name + " down " + button(b) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        control.OnMouseUp = [this, name, button](ui::Control&, ui::MouseButton b, int x, int y) {
            events.push_back(name + " up " + button(b) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        control.OnClick = [this, name](ui::Control&) { events.push_back(name + " click"); };
        control.OnDblClick = [this, name](ui::Control&) { events.push_back(name + " dblclick"); };
    }
    std::string Take() {
        std::string joined;
        for (const auto& e : events) joined += (joined.empty() ? "" : "; ") + e;
        events.clear();
        return joined;
    }
};

}  // namespace

UI_TEST(panel_mouse_routing) {
    test::RecordingBackend backend;
    test::TestForm form;
    MouseLog log;
    log.Bind(form.panel);
    log.Bind(form.sell);
    log.Bind(form.caption);
    backend.Realize(form);
    HWND panel = test::WindowOf(form.panel);

    // Press and release on the sell button (16, 47, 80 x 25).
    test::SendMouse(panel, WM_LBUTTONDOWN, 20, 50, MK_LBUTTON);
    CHECK(form.sell.Pressed() && form.sell.Hover(), "pressed and hovered while the button is held");
    CHECK_EQ(panel, GetCapture(), "the panel holds the mouse during a press");
    test::SendMouse(panel, WM_LBUTTONUP, 21, 51);
    CHECK_EQ(std::string("sell down L 4,3; sell click; sell up L 5,4"), log.Take(), "a click on the picture button");
    CHECK(!form.sell.Pressed() && form.sell.Hover(), "released over it: hovered, not pressed");
    CHECK(GetCapture() != panel, "the mouse is free again");

    // Dragged off with the button held, released outside: no click.
    test::SendMouse(panel, WM_LBUTTONDOWN, 20, 50, MK_LBUTTON);
    test::SendMouse(panel, WM_MOUSEMOVE, 150, 200, MK_LBUTTON);
    CHECK(form.sell.Pressed() && !form.sell.Hover(), "dragged off: pressed but not hovered");
    test::SendMouse(panel, WM_MOUSEMOVE, 30, 60, MK_LBUTTON);
    CHECK(form.sell.Pressed() && form.sell.Hover(), "back over it: pressed again");
    test::SendMouse(panel, WM_MOUSEMOVE, 150, 200, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 150, 200);
    CHECK_EQ(std::string("sell down L 4,3; sell up L 134,153"), log.Take(), "released outside the button");
    CHECK(!form.sell.Pressed(), "not pressed after the release");

    // A label gets its own coordinates; the free surface goes to the panel.
    test::SendMouse(panel, WM_LBUTTONDOWN, 53, 125, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 53, 125);
    test::SendMouse(panel, WM_LBUTTONDOWN, 250, 35, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 252, 37);
    CHECK_EQ(std::string("caption down L 5,7; caption click; caption up L 5,7; "
                         "panel down L 250,35; panel click; panel up L 252,37"),
             log.Take(), "label and free surface");

    // A double click on the free surface.
    test::SendMouse(panel, WM_LBUTTONDOWN, 250, 35, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 250, 35);
    test::SendMouse(panel, WM_LBUTTONDBLCLK, 250, 35, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 250, 35);
    CHECK_EQ(std::string("panel down L 250,35; panel click; panel up L 250,35; "
                         "panel dblclick; panel down L 250,35; panel up L 250,35"),
             log.Take(), "double click on the panel");

    // A right click on the label opens its panel's menu, with the label as the owner.
    test::SendMouse(panel, WM_RBUTTONDOWN, 53, 125, MK_RBUTTON);
    test::SendMouse(panel, WM_RBUTTONUP, 53, 125);
    CHECK_EQ(std::string("caption down R 5,7; caption up R 5,7"), log.Take(), "right click on the label");
    CHECK_EQ(std::size_t{1}, backend.popups.size(), "one context menu");
    if (!backend.popups.empty()) {
        POINT screen{53, 125};
        ClientToScreen(panel, &screen);
        CHECK_EQ(&form.menu, backend.popups[0].menu, "the panel's menu");
        CHECK_EQ(static_cast<ui::Control*>(&form.caption), backend.popups[0].owner, "owned by the label clicked");
        CHECK(backend.popups[0].x == screen.x && backend.popups[0].y == screen.y, "at the pointer");
    }

    // A disabled picture button lets the press through to the panel.
    form.sell.SetEnabled(false);
    test::SendMouse(panel, WM_LBUTTONDOWN, 20, 50, MK_LBUTTON);
    test::SendMouse(panel, WM_LBUTTONUP, 20, 50);
    CHECK_EQ(std::string("panel down L 20,50; panel click; panel up L 20,50"), log.Take(), "disabled button");
    CHECK(!form.sell.Pressed(), "a disabled button is never pressed");

    // Graphic children inside a group box take the mouse too.
    HWND group = test::WindowOf(form.group);
    int groupLabelDowns = 0;
    form.groupLabel.OnMouseDown = [&](ui::Control&, ui::MouseButton, int, int) { ++groupLabelDowns; };
    POINT onLabel{20, 30};
    ClientToScreen(group, &onLabel);
    CHECK_EQ(static_cast<LRESULT>(HTCLIENT),
             SendMessageW(group, WM_NCHITTEST, 0, MAKELPARAM(onLabel.x, onLabel.y)), "the group keeps the mouse over its label");
    test::SendMouse(group, WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
    test::SendMouse(group, WM_LBUTTONUP, 20, 30);
    CHECK_EQ(1, groupLabelDowns, "the label in the group box gets the press");
}

UI_TEST(spin_buttons_repeat) {
    test::RecordingBackend backend;
    test::TestForm form;
    int ups = 0, downs = 0, clock = 0;
    form.spin.OnUpRightClick = [&](ui::Control&) { ++ups; };
    form.spin.OnDownLeftClick = [&](ui::Control&) { ++downs; };
    form.spin.SetFocusControl(&form.lot);
    ui::Timer clockTimer(L"clock", 20, true);
    clockTimer.OnTimer = [&] { ++clock; };
    backend.Realize(form);
    HWND panel = test::WindowOf(form.panel);

    // The pair lies over the end of the lot field and must be the window on top there.
    POINT onPair{form.spin.Left() + 9, form.spin.Top() + 4};
    HWND top = ChildWindowFromPointEx(panel, onPair, CWP_SKIPINVISIBLE);
    CHECK(top != nullptr && top != test::WindowOf(form.lot) && top != panel, "the arrow pair lies above the edit");
    if (!top || top == panel) return;
    CHECK_EQ(std::wstring(ui::Win32Backend::kSpinClass), test::ClassName(top), "the arrow pair's own window");

    // Held on the up arrow: one click at once, more after the delay.
    POINT screen{9, 4};
    ClientToScreen(top, &screen);
    SetCursorPos(screen.x, screen.y);
    test::SendMouse(top, WM_LBUTTONDOWN, 9, 4, MK_LBUTTON);
    CHECK_EQ(1, ups, "one up click at the press");
    CHECK_EQ(test::WindowOf(form.lot), GetFocus(), "the press moves the focus to the focus control");
    CHECK(test::WaitFor(backend, [&] { return ups >= 4; }, 3000), "auto-repeat while held, got " + std::to_string(ups));
    test::SendMouse(top, WM_LBUTTONUP, 9, 4);
    const int released = ups;
    const int until = clock + 15;
    test::WaitFor(backend, [&] { return clock >= until; });
    CHECK_EQ(released, ups, "no repeat after the release");
    CHECK_EQ(0, downs, "no down click meanwhile");

    // The lower half is the down arrow.
    test::SendMouse(top, WM_LBUTTONDOWN, 9, 14, MK_LBUTTON);
    test::SendMouse(top, WM_LBUTTONUP, 9, 14);
    CHECK_EQ(1, downs, "one down click");

    form.spin.SetEnabled(false);
    test::SendMouse(top, WM_LBUTTONDOWN, 9, 4, MK_LBUTTON);
    test::SendMouse(top, WM_LBUTTONUP, 9, 4);
    CHECK_EQ(released, ups, "a disabled pair does nothing");
}
