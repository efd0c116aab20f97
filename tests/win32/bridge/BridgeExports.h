#pragma once

// The fourteen exports of Hallorin.dll as the expert program sees them, and calls through
// pointers of their exact types.

#include <windows.h>

#include <array>
#include <cstdint>

namespace bridge_test {

enum class ResultKind { None, Text, Byte, Integer };

struct ExportInfo {
  const char* name;
  unsigned valueCount;  // 32-bit values after the path
  ResultKind result;
  bool releasesLibrary;
  std::uint32_t missingResult;  // for Byte and Integer results when the function is missing
};

extern const std::array<ExportInfo, 14> kExports;

const ExportInfo& ExportNamed(const char* name);

// Distinct values for every export and position, with the top bit set, all bits set and
// none set among them.
std::array<std::uint32_t, 4> ValuesFor(const ExportInfo& info);

struct Outcome {
  const wchar_t* text = nullptr;  // ResultKind::Text
  std::uint32_t number = 0;       // ResultKind::Byte and ResultKind::Integer
};

// Calls the export through a correctly typed __stdcall pointer found by its plain name.
Outcome CallExport(HMODULE bridge, const ExportInfo& info, const wchar_t* path,
                   const std::uint32_t* values);

// Pushes the path and values, calls the export and tells how many bytes of arguments it
// removed from the stack.
std::int32_t BytesRemovedByExport(HMODULE bridge, const ExportInfo& info, const wchar_t* path,
                                  const std::uint32_t* values);

}  // namespace bridge_test
