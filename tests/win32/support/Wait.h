#pragma once
// Waiting without blocking the test's own windows. The panel sends WM_GETTEXT and BM_CLICK to
// the terminal-like windows of the test process and waits for the answer, so the test thread
// must keep dispatching its messages whenever it waits; these helpers do that.
#include <windows.h>

#include <functional>

namespace wine_test {

// Bounds of the waits. Only a failing check ever waits that long, so they are generous: on a
// machine whose kernel cannot run i386 code Wine runs under QEMU, and a process start alone
// costs about a minute of processor time.
// A reaction of a running panel (a slot emptied, the window moved or hidden).
constexpr DWORD kWaitTimeoutMs = 30000;
// A new process's first window or message box, or its end right after start-up.
constexpr DWORD kStartTimeoutMs = 600000;

// Dispatches every message waiting for this thread, sent and posted.
void PumpMessages();

// Polls `condition` until it holds or `timeoutMs` has passed, dispatching this thread's
// messages in between. True when the condition held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitTimeoutMs);

// Waits for a kernel object (a process, say) the same way. True when it was signalled.
bool WaitForObject(HANDLE object, DWORD timeoutMs = kWaitTimeoutMs);

}  // namespace wine_test
