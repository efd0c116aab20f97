#pragma once
// Waiting without blocking the test's own windows. The panel sends WM_GETTEXT and BM_CLICK to
// the terminal-like windows of the test process and waits for the answer, so the test thread
// must keep dispatching its messages whenever it waits; these helpers do that.
#include <windows.h>

#include <functional>

namespace wine_test {

// Default bound of a wait for the panel: generous for a small shared machine under Wine,
// still short enough that a hang shows as a failure and not as a ctest timeout.
constexpr DWORD kWaitTimeoutMs = 8000;

// Dispatches every message waiting for this thread, sent and posted.
void PumpMessages();

// Polls `condition` until it holds or `timeoutMs` has passed, dispatching this thread's
// messages in between. True when the condition held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitTimeoutMs);

// Waits for a kernel object (a process, say) the same way. True when it was signalled.
bool WaitForObject(HANDLE object, DWORD timeoutMs = kWaitTimeoutMs);

}  // namespace wine_test
