#include "tests/win32/bridge/Check.h"

#include <windows.h>

#include <cstdio>

namespace bridge_test {
namespace {
int failures = 0;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
  return text;
}

void Fail(const std::string& what) {
  ++failures;
  std::printf("FAIL: %s\n", what.c_str());
  std::fflush(stdout);
}

int FailureCount() { return failures; }

bool ExpectTrue(bool condition, const std::string& what) {
  if (!condition) Fail(what);
  return condition;
}

bool ExpectEqual(const std::string& what, std::uint32_t expected, std::uint32_t got) {
  if (expected == got) return true;
  Fail(what + ": expected " + std::to_string(expected) + " (" + Hex(expected) + "), got " +
       std::to_string(got) + " (" + Hex(got) + ")");
  return false;
}

bool ExpectEqual(const std::string& what, const std::wstring& expected, const std::wstring& got) {
  if (expected == got) return true;
  Fail(what + ": expected \"" + Utf8(expected) + "\", got \"" + Utf8(got) + "\"");
  return false;
}

bool ExpectEqual(const std::string& what, const void* expected, const void* got) {
  if (expected == got) return true;
  char text[96];
  std::snprintf(text, sizeof text, ": expected pointer %p, got %p", expected, got);
  Fail(what + text);
  return false;
}

bool ExpectEqual(const std::string& what, const std::vector<std::wstring>& expected,
                 const std::vector<std::wstring>& got) {
  if (expected == got) return true;
  std::string message = what + ": expected\n";
  for (const auto& line : expected) message += "    " + Utf8(line) + "\n";
  message += "  got\n";
  for (const auto& line : got) message += "    " + Utf8(line) + "\n";
  Fail(message);
  return false;
}

}  // namespace bridge_test
