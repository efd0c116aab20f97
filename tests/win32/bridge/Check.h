#pragma once

// Checks that say what was expected and what came, and go on, so that one run shows every
// difference at once.

#include <cstdint>
#include <string>
#include <vector>

namespace bridge_test {

std::string Utf8(const std::wstring& text);
std::string Hex(std::uint32_t value);

void Fail(const std::string& what);
int FailureCount();

bool ExpectTrue(bool condition, const std::string& what);
bool ExpectEqual(const std::string& what, std::uint32_t expected, std::uint32_t got);
bool ExpectEqual(const std::string& what, const std::wstring& expected, const std::wstring& got);
bool ExpectEqual(const std::string& what, const void* expected, const void* got);
bool ExpectEqual(const std::string& what, const std::vector<std::wstring>& expected,
                 const std::vector<std::wstring>& got);

}  // namespace bridge_test
