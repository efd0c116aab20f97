#pragma once
// A main form over the headless backend and the fakes, inside a terminal-like window family:
//
//   terminal main window
//   ├── chart area
//   │   └── chart frame "EURUSD,H1"
//   │       └── chart window            (the handle on the command line)
//   └── tester strip
//       ├── speed slider   ─┐
//       ├── pause button "| |"  │ the Stop button's previous siblings,
//       ├── "Старт"             │ topmost first
//       ├── "Настройки"        ─┘
//       └── Stop button "Стоп"
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "panel/core/Unit1.h"
#include "panel/os/fake/FakeRegistry.h"
#include "panel/os/fake/FakeServices.h"
#include "panel/os/fake/FakeWindowSystem.h"
#include "panel/ui/headless/HeadlessBackend.h"

class PanelFixture : public ::testing::Test {
protected:
    PanelFixture() {
        terminal = windows.Add(0, L"Terminal");
        area = windows.Add(terminal, L"");
        frame = windows.Add(area, L"EURUSD,H1");
        chart = windows.Add(frame, L"");
        tester = windows.Add(terminal, L"Tester");
        speedSlider = windows.Add(tester, L"");
        pauseButton = windows.Add(tester, L"| |");
        windows.Add(tester, L"Старт");
        windows.Add(tester, L"Настройки");
        stopButton = windows.Add(tester, L"Стоп");
        windows.SetScreenRect(terminal, {0, 0, 1400, 900});
        windows.SetScreenRect(area, {0, 30, 1400, 700});
        windows.SetScreenRect(frame, {0, 30, 1000, 600});
        windows.SetScreenRect(chart, {4, 50, 996, 596});
        windows.AddWithHandle(backend.ApplicationHandle(), 0, L"Quorvex");
    }

    // Version-check workers are detached and use the fake HTTP client: each holds a share of
    // the form's VersionCheck, so wait until the last one has let go before the fakes die.
    ~PanelFixture() override {
        if (!form) return;
        std::shared_ptr<VersionCheckShared> shared = form->VersionCheck;
        form.reset();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (shared.use_count() > 1 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    Services MakeServices() { return Services{windows, registry, http, shell, programFile}; }

    // Builds the form with the chart handle (or the given arguments) without starting it.
    TForm1& Build(std::vector<std::wstring> arguments) {
        form = std::make_unique<TForm1>(MakeServices(), std::move(arguments));
        return *form;
    }
    TForm1& Build() { return Build({std::to_wstring(chart)}); }

    // The program's start: creation, then the first show.
    TForm1& Start(std::vector<std::wstring> arguments) {
        Build(std::move(arguments));
        started = form->Create();
        if (started) form->ShowForm();
        return *form;
    }
    TForm1& Start() { return Start({std::to_wstring(chart)}); }

    // Every key posted to `window`, as (message, key) pairs in order.
    std::vector<os::FakeWindowSystem::Message> PostedTo(os::Window window) const {
        return windows.LogFor(window);
    }

    ui::HeadlessBackend backend;
    os::FakeWindowSystem windows;
    os::FakeRegistry registry;
    os::FakeHttpClient http;
    os::FakeShell shell;
    std::wstring programFile = L"C:\\Program Files\\Quorvex\\Quorvex.exe";
    os::Window terminal = 0, area = 0, frame = 0, chart = 0, tester = 0;
    os::Window speedSlider = 0, pauseButton = 0, stopButton = 0;
    std::unique_ptr<TForm1> form;
    bool started = false;
};
