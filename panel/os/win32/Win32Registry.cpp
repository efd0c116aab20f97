#include "panel/os/win32/Win32Registry.h"

#include <windows.h>

namespace os {

namespace {

// The registry refuses a key name longer than this; Wine is more lenient, so the rule is
// kept here for both.
constexpr std::size_t kMaxKeyNameLength = 255;

// The path without leading or trailing backslashes, or the empty text when the registry would refuse it.
// The empty path would name HKEY_CURRENT_USER itself, which no operation here may touch.
std::wstring CheckedPath(const std::wstring& path) {
    const std::size_t first = path.find_first_not_of(L'\\');
    if (first == std::wstring::npos) return {};
    const std::size_t last = path.find_last_not_of(L'\\');
    std::wstring checked = path.substr(first, last - first + 1);
    for (std::size_t start = 0;;) {
        const std::size_t end = checked.find(L'\\', start);
        const std::size_t length = (end == std::wstring::npos ? checked.size() : end) - start;
        if (length == 0 || length > kMaxKeyNameLength) return {};
        if (end == std::wstring::npos) return checked;
        start = end + 1;
    }
}

// Owns one open key.
class KeyHandle {
public:
    explicit KeyHandle(HKEY key) : key_(key) {}
    ~KeyHandle() {
        if (key_) RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    bool ReadDword(const std::wstring& name, std::uint32_t& value) override {
        DWORD type = REG_NONE;
        DWORD data = 0;
        DWORD size = sizeof(data);
        // A text value of one character is four bytes long too: only the type tells them apart.
        if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(data))
            return false;
        value = data;
        return true;
    }

    bool WriteDword(const std::wstring& name, std::uint32_t value) override {
        const DWORD data = value;
        return RegSetValueExW(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof(data)) == ERROR_SUCCESS;
    }

private:
    KeyHandle key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(const std::wstring& path, bool create) {
    const std::wstring checked = CheckedPath(path);
    if (checked.empty()) return nullptr;
    HKEY key = nullptr;
    const LONG result =
        create ? RegCreateKeyExW(HKEY_CURRENT_USER, checked.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
               : RegOpenKeyExW(HKEY_CURRENT_USER, checked.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (result != ERROR_SUCCESS || !key) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

bool Win32Registry::DeleteTree(const std::wstring& path) {
    const std::wstring checked = CheckedPath(path);
    if (checked.empty()) return false;
    // With a subkey named, RegDeleteTree removes that key too, after everything below it.
    return RegDeleteTreeW(HKEY_CURRENT_USER, checked.c_str()) == ERROR_SUCCESS;
}

}  // namespace os
