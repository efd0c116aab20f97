// Quorvex: the manual-trading panel laid over the strategy tester's chart.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "panel/core/Unit1.h"
#include "panel/os/win32/Win32Registry.h"
#include "panel/os/win32/Win32Shell.h"
#include "panel/os/win32/Win32WindowSystem.h"
#include "panel/os/win32/WinHttpClient.h"
#include "panel/ui/win32/Win32Backend.h"

namespace {

std::vector<std::wstring> ProgramArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return arguments;
}

std::wstring ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The version-check workers are detached and may still wait for the network when the
// program ends, so the client they share lives as long as the process.
os::WinHttpClient httpClient;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ui::Win32Backend backend(instance);
    os::Win32WindowSystem windows;
    os::Win32Registry registry;
    os::Win32Shell shell;

    TForm1 form(Services{windows, registry, httpClient, shell, ProgramFile()}, ProgramArguments());
    form.OnClose = [&form] { form.CloseForm(); };
    if (form.Create()) {
        form.ShowForm();
        backend.Run();
    }
    form.DestroyForm();
    return 0;
}
