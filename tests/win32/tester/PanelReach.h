#pragma once
// Reaching the panel's controls from another process, as the terminal side or a user's
// automation would: by class and text among the main window's descendants.
#include <windows.h>

#include <string>

#include "tests/win32/support/PanelProcess.h"

namespace tester_test {

// The first descendant of `root` of this window class (compared without case) whose text is
// exactly `text`; 0 when there is none.
HWND FindControl(HWND root, const std::wstring& windowClass, const std::wstring& text);
// The first descendant of this class whatever its text.
HWND FindControlOfClass(HWND root, const std::wstring& windowClass);

// The control's hint as the panel's tooltip shows it: the mouse is put over the control until
// the tip comes up, and the tip's text is read. (Asking the tooltip for a tool's text would
// need memory of the panel's process, which Wine under an emulator cannot share.)
std::wstring HintOf(const wine_test::PanelProcess& panel, HWND control);

// BM_CLICK, sent: returns once the panel has handled the click, false when it did not answer.
bool SendClick(HWND button);

// The window's own WS_VISIBLE, whatever its parents: the overlay itself may be hidden while
// its chart is covered.
bool HasVisibleStyle(HWND window);

}  // namespace tester_test
