#pragma once

// What the test implementation library and the test program share. The probe lives in the
// test program, which outlives every load of the implementation library, so what the
// library records and the texts it hands out survive the bridge's FreeLibrary.

#include <windows.h>

#include <cstdint>

namespace bridge_test {

struct Probe {
  // Called by the implementation library.
  void(__cdecl* attached)(HMODULE library);
  void(__cdecl* detached)();
  void(__cdecl* called)(const char* function, unsigned valueCount, const std::uint32_t* values);

  // Set by the test program: what the implementation library's functions return. The
  // boolean functions return all of EAX so that the bridge is seen to read only AL.
  const wchar_t* curDirText;
  const wchar_t* selectedOrderText;
  const wchar_t* commandText;
  std::uint32_t htmpCommandFindEax;
  std::uint32_t needVirtualPauseEax;
  std::uint32_t isVirtualPausedEax;
};

// Exported by the test program under this name; the library finds it in the process's
// main module.
using GetProbe = Probe*(__cdecl*)();
constexpr char kGetProbeName[] = "bridge_test_probe";

}  // namespace bridge_test
