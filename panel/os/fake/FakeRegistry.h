#pragma once
// An in-memory registry of the current user that keeps value types, so that a value stored
// as text is told apart from a REG_DWORD, and that refuses key names the registry refuses.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "panel/os/Registry.h"

namespace os {

class FakeRegistry : public Registry {
public:
    enum class Type { Dword, String };
    struct Value {
        Type type;
        std::uint32_t number = 0;
        std::wstring text;
    };

    std::unique_ptr<RegistryKey> Open(const std::wstring& path, bool create) override;
    bool DeleteTree(const std::wstring& path) override;

    // Direct access for tests (as another process would write).
    bool KeyExists(const std::wstring& path) const;
    void SetDword(const std::wstring& path, const std::wstring& name, std::uint32_t value);
    void SetString(const std::wstring& path, const std::wstring& name, const std::wstring& value);
    void DeleteValue(const std::wstring& path, const std::wstring& name);
    const Value* Get(const std::wstring& path, const std::wstring& name) const;
    // Makes every Open, write and delete fail, as a broken registry would.
    void SetFailing(bool failing) { failing_ = failing; }

private:
    friend class FakeRegistryKey;
    static std::wstring Normalise(const std::wstring& path);
    std::map<std::wstring, std::map<std::wstring, Value>> keys_;  // by lower-case path
    bool failing_ = false;
};

}  // namespace os
