#pragma once
// The current user's registry. Paths are relative to HKEY_CURRENT_USER, without a
// leading backslash ("SOFTWARE\\Quorvex_commands").
#include <cstdint>
#include <memory>
#include <string>

namespace os {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // True only for a value of type REG_DWORD; any other type or no value is unreadable.
    virtual bool ReadDword(const std::wstring& name, std::uint32_t& value) = 0;
    virtual bool WriteDword(const std::wstring& name, std::uint32_t value) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // The key, or null when it cannot be opened (or created, with `create`).
    virtual std::unique_ptr<RegistryKey> Open(const std::wstring& path, bool create) = 0;
    // Deletes the key with all its subkeys, deepest first, and their values.
    virtual bool DeleteTree(const std::wstring& path) = 0;
};

}  // namespace os
