// Timers on the message window, and what happens to an exception thrown by a handler.
#include <memory>
#include <stdexcept>

#include "tests/win32/ui/TestForm.h"

UI_TEST(timers_fire_and_stop) {
    test::RecordingBackend backend;
    int clock = 0, watched = 0, once = 0;
    // `clock` measures time in ticks, so no check depends on the machine's speed.
    ui::Timer clockTimer(L"clock", 20, true);
    clockTimer.OnTimer = [&] { ++clock; };
    auto watchedTimer = std::make_unique<ui::Timer>(L"watched", 20, true);
    watchedTimer->OnTimer = [&] { ++watched; };
    ui::Timer oneShot(L"oneShot", 20, true);
    oneShot.OnTimer = [&] {
        ++once;
        oneShot.SetEnabled(false);
    };

    CHECK(test::WaitFor(backend, [&] { return watched >= 3; }), "an enabled timer fires repeatedly");

    watchedTimer->SetEnabled(false);
    const int stoppedAt = watched;
    int until = clock + 6;
    test::WaitFor(backend, [&] { return clock >= until; });
    CHECK_EQ(stoppedAt, watched, "a disabled timer stays quiet");

    watchedTimer->SetInterval(10);
    until = clock + 6;
    test::WaitFor(backend, [&] { return clock >= until; });
    CHECK_EQ(stoppedAt, watched, "a new interval does not enable it");

    watchedTimer->SetEnabled(true);
    CHECK(test::WaitFor(backend, [&] { return watched >= stoppedAt + 3; }), "enabled again, it fires again");

    CHECK_EQ(1, once, "a handler that stops its own timer ran once");

    // A timer destroyed while running leaves nothing behind that fires.
    watchedTimer.reset();
    until = clock + 6;
    CHECK(test::WaitFor(backend, [&] { return clock >= until; }), "the other timers go on");
}

UI_TEST(exceptions_reach_the_general_handler) {
    test::RecordingBackend backend;
    test::TestForm form;
    int clicks = 0;
    bool throwing = true;
    form.button.OnClick = [&](ui::Control&) {
        ++clicks;
        if (throwing) throw std::runtime_error("сбой в обработчике");
    };
    form.list.OnClick = [](ui::Control&) { throw 42; };
    int ticks = 0;
    ui::Timer timer(L"failing", 20, true);
    timer.OnTimer = [&] {
        if (++ticks == 1) throw std::logic_error("timer failure");
    };
    backend.Realize(form);

    SendMessageW(test::WindowOf(form.button), BM_CLICK, 0, 0);
    CHECK_EQ(std::size_t{1}, backend.errors.size(), "the click's exception was caught");
    if (!backend.errors.empty())
        CHECK_EQ(std::wstring(L"сбой в обработчике"), backend.errors[0], "the exception's text, in UTF-16");

    CHECK(test::WaitFor(backend, [&] { return ticks >= 3; }), "the timer goes on after its exception");
    CHECK_EQ(std::size_t{2}, backend.errors.size(), "the timer's exception was caught once");
    if (backend.errors.size() >= 2) CHECK_EQ(std::wstring(L"timer failure"), backend.errors[1], "the timer's text");

    // Not a std::exception: still caught, with a text of its own.
    form.list.Add(L"row");
    SendMessageW(test::WindowOf(form.list), LB_SETCURSEL, 0, 0);
    SendMessageW(test::WindowOf(form.panel), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(test::WindowOf(form.list)));
    CHECK_EQ(std::size_t{3}, backend.errors.size(), "an exception of any type was caught");
    if (backend.errors.size() >= 3) CHECK(!backend.errors[2].empty(), "it has a text");

    // And the program goes on.
    throwing = false;
    SendMessageW(test::WindowOf(form.button), BM_CLICK, 0, 0);
    CHECK_EQ(2, clicks, "the button works after the exception");
    CHECK_EQ(std::size_t{3}, backend.errors.size(), "no further error");
}

UI_TEST(default_error_handler_shows_message_box) {
    ui::Win32Backend backend(GetModuleHandleW(nullptr));
    test::TestForm form;
    form.button.OnClick = [](ui::Control&) { throw std::runtime_error("Неожиданная ошибка"); };
    backend.Realize(form);

    // The box is modal: a timer, running in its loop, reads it and closes it.
    std::wstring shownText;
    bool seen = false;
    ui::Timer watcher(L"watcher", 30, true);
    watcher.OnTimer = [&] {
        HWND box = FindWindowW(L"#32770", L"Quorvex");
        if (!box) return;
        seen = true;
        wchar_t text[200] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 200);
        shownText = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    ui::Timer giveUp(L"giveUp", 8000, true);
    giveUp.OnTimer = [&] {
        // Should the box never be found, close whatever box there is so the test ends.
        if (HWND box = FindWindowW(L"#32770", nullptr)) PostMessageW(box, WM_COMMAND, IDOK, 0);
    };

    SendMessageW(test::WindowOf(form.button), BM_CLICK, 0, 0);
    CHECK(seen, "a message box titled Quorvex came up");
    CHECK_EQ(std::wstring(L"Неожиданная ошибка"), shownText, "it shows the exception's text");
    CHECK(IsWindow(test::WindowOf(form)), "the program goes on");
}
