// One poll of the order list (Timer1Timer) over the headless backend and the fakes, with
// 1, 50 and 500 order lines, unchanged between polls or every line changed at every poll.
// The poll runs five times a second; its budget is a small share of those 200 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "panel/core/Unit1.h"
#include "panel/os/fake/FakeRegistry.h"
#include "panel/os/fake/FakeServices.h"
#include "panel/os/fake/FakeWindowSystem.h"
#include "panel/ui/headless/HeadlessBackend.h"

namespace {

// A started main form inside a terminal-like window family, as the native tests build it.
struct PanelRig {
    PanelRig() {
        const os::Window terminal = windows.Add(0, L"Terminal");
        const os::Window area = windows.Add(terminal, L"");
        const os::Window frame = windows.Add(area, L"EURUSD,H1");
        chart = windows.Add(frame, L"");
        const os::Window tester = windows.Add(terminal, L"Tester");
        windows.Add(tester, L"");
        windows.Add(tester, L"| |");
        windows.Add(tester, L"Старт");
        windows.Add(tester, L"Настройки");
        windows.Add(tester, L"Стоп");
        windows.SetScreenRect(terminal, {0, 0, 1400, 900});
        windows.SetScreenRect(area, {0, 30, 1400, 700});
        windows.SetScreenRect(frame, {0, 30, 1000, 600});
        windows.SetScreenRect(chart, {4, 50, 996, 596});
        windows.AddWithHandle(backend.ApplicationHandle(), 0, L"Quorvex");
        form = std::make_unique<TForm1>(Services{windows, registry, http, shell, programFile},
                                        std::vector<std::wstring>{std::to_wstring(chart)});
        started = form->Create();
        if (started) form->ShowForm();
    }

    ui::HeadlessBackend backend;
    os::FakeWindowSystem windows;
    os::FakeRegistry registry;
    os::FakeHttpClient http;
    os::FakeShell shell;
    std::wstring programFile = L"C:\\Program Files\\Quorvex\\Quorvex.exe";
    os::Window chart = 0;
    std::unique_ptr<TForm1> form;
    bool started = false;
};

// `count` order lines as the terminal side writes them; `variant` changes every line.
std::wstring OrderLines(int count, int variant) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += std::to_wstring(100000 + i) + L" (buy 0.10 EURUSD at 1.23450, profit " +
                std::to_wstring(variant) + L"." + std::to_wstring(i % 100) + L")\r\n";
    }
    return text;
}

void BM_PollUnchanged(benchmark::State& state) {
    PanelRig rig;
    if (!rig.started) {
        state.SkipWithError("the main form did not start");
        return;
    }
    TForm1& form = *rig.form;
    const int lines = static_cast<int>(state.range(0));
    form.IN_ORDER_PROPERTY.SetText(L"EURUSD;0;1.23450;0;0;0.00001;5;0;0.01;0.10;");
    form.IN_ORDERS.SetText(OrderLines(lines, 0));
    form.Timer1Timer();  // fills the list; the polls measured below find it up to date
    const long before = form.ORDERS_LIST_m.RowWrites();
    for (auto _ : state) form.Timer1Timer();
    const long written = form.ORDERS_LIST_m.RowWrites() - before;
    state.counters["rows_written"] = benchmark::Counter(static_cast<double>(written), benchmark::Counter::kAvgIterations);
    if (written != 0) state.SkipWithError("a poll of unchanged lines wrote list rows");
}

void BM_PollChanged(benchmark::State& state) {
    PanelRig rig;
    if (!rig.started) {
        state.SkipWithError("the main form did not start");
        return;
    }
    TForm1& form = *rig.form;
    const int lines = static_cast<int>(state.range(0));
    // Two texts that differ in every line, written in turn, so that each poll rewrites all rows.
    const std::wstring texts[2] = {OrderLines(lines, 1), OrderLines(lines, 2)};
    form.IN_ORDER_PROPERTY.SetText(L"EURUSD;0;1.23450;0;0;0.00001;5;0;0.01;0.10;");
    form.IN_ORDERS.SetText(texts[0]);
    form.Timer1Timer();
    const long before = form.ORDERS_LIST_m.RowWrites();
    int next = 1;
    for (auto _ : state) {
        // The terminal side's write is not part of the poll.
        state.PauseTiming();
        form.IN_ORDERS.SetText(texts[next]);
        next ^= 1;
        state.ResumeTiming();
        form.Timer1Timer();
    }
    const long written = form.ORDERS_LIST_m.RowWrites() - before;
    state.counters["rows_written"] = benchmark::Counter(static_cast<double>(written), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_PollUnchanged)->Arg(1)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PollChanged)->Arg(1)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
