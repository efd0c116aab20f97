#include "tests/win32/tester/UserRegistry.h"

#include <vector>

#include "tests/win32/support/Check.h"

namespace tester_test {

namespace {

class Key {
public:
    Key(const std::wstring& path, bool create) {
        const LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
                                      : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::string Show(const RegistryValue& v) {
    if (!v.exists) return "no value";
    if (v.type == REG_DWORD) return "REG_DWORD " + std::to_string(v.number);
    if (v.type == REG_SZ) return "REG_SZ " + wine_test::Show(v.text);
    return "a value of type " + std::to_string(v.type);
}

bool KeyExists(const std::wstring& path) { return Key(path, false).Get() != nullptr; }

RegistryValue ReadValue(const std::wstring& path, const std::wstring& name) {
    RegistryValue result;
    Key key(path, false);
    if (!key.Get()) return result;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return result;
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return result;
    result.exists = true;
    result.type = type;
    if (type == REG_DWORD && size == sizeof(DWORD)) result.number = *reinterpret_cast<const DWORD*>(data.data());
    if (type == REG_SZ) result.text = reinterpret_cast<const wchar_t*>(data.data());
    return result;
}

bool WriteDword(const std::wstring& path, const std::wstring& name, DWORD value) {
    Key key(path, true);
    return key.Get() && RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                       sizeof value) == ERROR_SUCCESS;
}

bool WriteText(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
    Key key(path, true);
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return key.Get() && RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool DeleteKeyTree(const std::wstring& path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return !KeyExists(path);
}

}  // namespace tester_test
