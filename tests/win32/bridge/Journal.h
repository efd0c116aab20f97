#pragma once

// One journal of what happened during an export call, in order: the bridge's calls into the
// loader (seen through hooks on its imports) and the implementation library's loads, unloads
// and calls (reported through the probe). Tests compare it with a table of expected lines.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/win32/bridge/Probe.h"

namespace bridge_test {

std::vector<std::wstring>& Journal();
void Note(const std::wstring& line);

// The probe that the test implementation library reports to.
Probe& TheProbe();

// File name of the implementation library as the loader reported it at its last load.
const std::wstring& LastAttachedFrom();

// The journal line of an implementation call, as Note writes it.
std::wstring CallLine(const char* function, unsigned valueCount, const std::uint32_t* values);

// Puts hooks on the bridge's imports of LoadLibraryW, GetProcAddress and FreeLibrary.
bool HookLoaderCalls(HMODULE bridge);

}  // namespace bridge_test
