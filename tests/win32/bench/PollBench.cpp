// Times one poll of the order list (Timer1Timer) over the Win32 backend: the slots are real
// edit windows whose texts are read with WM_GETTEXT, the order list a real list box. The
// form runs stand-alone and is never started, so nothing looks for a terminal; its timers
// are stopped, so the only polls are the ones timed here.
//
//   poll_bench [polls]     polls per case, 200 by default
//
// Prints, for 1, 50 and 500 order lines, unchanged and every line changed at every poll,
// the median wall time of a poll and of the repaint that follows it (the messages waiting
// after the poll, WM_PAINT included), each also as a share of the 200 ms period, and the
// thread's processor time per poll (which a busy machine does not inflate). It also prints
// what one read of a slot's text costs, the unit most of an unchanged poll is made of.
// Fails when a poll of unchanged lines writes a list row or the list box does not show the
// lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "panel/core/Unit1.h"
#include "panel/os/win32/Win32Registry.h"
#include "panel/os/win32/Win32Shell.h"
#include "panel/os/win32/Win32WindowSystem.h"
#include "panel/os/win32/WinHttpClient.h"
#include "panel/ui/win32/Win32Backend.h"

namespace {

constexpr double kPeriodMicroseconds = 200000.0;

double Microseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// Processor time of this thread so far, in microseconds.
double ThreadMicroseconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10.0;
    };
    return value(kernel) + value(user);
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

std::wstring OrderLines(int count, int variant) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += std::to_wstring(100000 + i) + L" (buy 0.10 EURUSD at 1.23450, profit " + std::to_wstring(variant) +
                L"." + std::to_wstring(i % 100) + L")\r\n";
    }
    return text;
}

struct Result {
    double poll;
    double pollCpu;
    double repaint;
    double rowsPerPoll;
    bool listMatches;
};

Result Measure(TForm1& form, ui::Win32Backend& backend, int lines, bool changed, int polls) {
    const std::wstring texts[2] = {OrderLines(lines, 1), OrderLines(lines, 2)};
    form.IN_ORDERS.SetText(texts[0]);
    form.Timer1Timer();
    backend.ProcessPendingMessages();

    std::vector<double> pollTimes;
    std::vector<double> repaintTimes;
    const long before = form.ORDERS_LIST_m.RowWrites();
    int next = 1;
    double cpu = 0;
    for (int i = 0; i < polls; ++i) {
        if (changed) {
            form.IN_ORDERS.SetText(texts[next]);
            next ^= 1;
            backend.ProcessPendingMessages();
        }
        const double cpuStart = ThreadMicroseconds();
        const LONGLONG start = Now();
        form.Timer1Timer();
        const LONGLONG polled = Now();
        cpu += ThreadMicroseconds() - cpuStart;
        backend.ProcessPendingMessages();
        const LONGLONG painted = Now();
        pollTimes.push_back(Microseconds(polled - start));
        repaintTimes.push_back(Microseconds(painted - polled));
    }
    const long written = form.ORDERS_LIST_m.RowWrites() - before;

    const HWND list = reinterpret_cast<HWND>(form.ORDERS_LIST_m.NativeHandle());
    bool matches = list && SendMessageW(list, LB_GETCOUNT, 0, 0) == lines;
    if (matches && lines > 0) {
        const std::wstring& last = form.ORDERS_LIST_m.Item(lines - 1);
        std::wstring shown(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, lines - 1, 0)) + 1, L'\0');
        shown.resize(static_cast<std::size_t>(
            SendMessageW(list, LB_GETTEXT, lines - 1, reinterpret_cast<LPARAM>(shown.data()))));
        matches = shown == last;
    }
    return {Median(pollTimes), cpu / polls, Median(repaintTimes), static_cast<double>(written) / polls, matches};
}

}  // namespace

int main(int argc, char** argv) {
    const int polls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    // Figures appear as they are measured, also when the output is a pipe.
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    ui::Win32Backend backend(GetModuleHandleW(nullptr));
    os::Win32WindowSystem windows;
    os::Win32Registry registry;
    os::Win32Shell shell;
    os::WinHttpClient http;

    TForm1 form(Services{windows, registry, http, shell, L""}, {L"100"});
    for (ui::Timer* timer : {&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4, &form.Timer5})
        timer->SetEnabled(false);
    backend.Realize(form);
    form.SetBounds(0, 0, 1000, 800);
    form.Show();
    form.IN_ORDER_PROPERTY.SetText(L"EURUSD;0;1.23450;0;0;0.00001;5;0;0.01;0.10;");
    backend.ProcessPendingMessages();
    if (!form.ORDERS_LIST_m.NativeHandle()) {
        std::printf("the order list has no window\n");
        return 1;
    }

    {
        std::vector<double> reads;
        form.IN_READ_COMMAND.SetText(L"");
        for (int i = 0; i < 200; ++i) {
            const LONGLONG start = Now();
            const std::wstring text = form.IN_READ_COMMAND.Text();
            reads.push_back(Microseconds(Now() - start));
        }
        std::printf("one read of a slot's text (WM_GETTEXTLENGTH + WM_GETTEXT): median %.1f us\n", Median(reads));
    }
    std::printf("one poll over real windows, median of %d polls; share of the 200 ms period\n", polls);
    std::printf("%-10s %6s %12s %9s %12s %12s %9s %10s\n", "case", "lines", "poll us", "poll %", "poll cpu us",
                "repaint us", "repaint %", "rows/poll");
    bool ok = true;
    for (bool changed : {false, true}) {
        for (int lines : {1, 50, 500}) {
            const Result r = Measure(form, backend, lines, changed, polls);
            std::printf("%-10s %6d %12.1f %8.4f%% %12.1f %12.1f %8.4f%% %10.1f\n", changed ? "changed" : "unchanged",
                        lines, r.poll, 100 * r.poll / kPeriodMicroseconds, r.pollCpu, r.repaint,
                        100 * r.repaint / kPeriodMicroseconds, r.rowsPerPoll);
            if (!r.listMatches) {
                std::printf("  expected the list box to show the %d lines, it does not\n", lines);
                ok = false;
            }
            if (!changed && r.rowsPerPoll != 0) {
                std::printf("  expected no row written for unchanged lines, got %.1f per poll\n", r.rowsPerPoll);
                ok = false;
            }
        }
    }
    std::fflush(stdout);
    return ok ? 0 : 1;
}
