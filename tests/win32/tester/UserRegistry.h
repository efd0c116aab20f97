#pragma once
// The current user's registry as another program on the machine sees it: the terminal side
// writing "VirtualPaused", an earlier run having stored the settings.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tester_test {

struct RegistryValue {
    bool exists = false;
    DWORD type = REG_NONE;
    DWORD number = 0;     // a REG_DWORD's value
    std::wstring text;    // a REG_SZ's value
};

std::string Show(const RegistryValue& value);

bool KeyExists(const std::wstring& path);
RegistryValue ReadValue(const std::wstring& path, const std::wstring& name);
// Each creates the key when it is missing; false when the registry refused.
bool WriteDword(const std::wstring& path, const std::wstring& name, DWORD value);
bool WriteText(const std::wstring& path, const std::wstring& name, const std::wstring& value);
// The key with everything below it; true when it is gone afterwards.
bool DeleteKeyTree(const std::wstring& path);

// A REG_DWORD holding exactly `value`.
inline bool IsDword(const RegistryValue& v, DWORD value) { return v.exists && v.type == REG_DWORD && v.number == value; }

}  // namespace tester_test
