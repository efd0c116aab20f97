#pragma once
// The current user's registry (HKEY_CURRENT_USER). Every key is closed when its object goes.
#include "panel/os/Registry.h"

namespace os {

class Win32Registry : public Registry {
public:
    std::unique_ptr<RegistryKey> Open(const std::wstring& path, bool create) override;
    bool DeleteTree(const std::wstring& path) override;
};

}  // namespace os
