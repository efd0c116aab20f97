#include "panel/os/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace os {

void Win32Shell::Open(const std::wstring& address, Window owner) {
    // The links only offer a page; a shell that cannot open it leaves nothing for us to do.
    ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace os
