#pragma once
#include <string>

#include "panel/os/Http.h"
#include "panel/os/Registry.h"
#include "panel/os/Shell.h"
#include "panel/os/WindowSystem.h"

// Everything the panel does outside its own windows goes through these.
struct Services {
    os::WindowSystem& windows;
    os::Registry& registry;
    os::HttpClient& http;
    os::Shell& shell;
    // Full path of the running program file, as the platform reports it.
    std::wstring programFile;
};
