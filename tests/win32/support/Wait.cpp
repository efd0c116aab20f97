#include "tests/win32/support/Wait.h"

namespace wine_test {

namespace {
// How long one round of waiting sleeps at most when nothing arrives.
constexpr DWORD kPollStepMs = 10;
}  // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        // Wakes early for any message, so a panel waiting for our answer is not kept waiting.
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollStepMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool WaitForObject(HANDLE object, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        const DWORD result = MsgWaitForMultipleObjectsEx(1, &object, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;  // timed out or failed
        // A steady stream of messages must not stretch the wait past its bound.
        if (left == 0) return WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
    }
}

}  // namespace wine_test
