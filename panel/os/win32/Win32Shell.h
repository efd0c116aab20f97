#pragma once
#include "panel/os/Shell.h"

namespace os {

class Win32Shell : public Shell {
public:
    void Open(const std::wstring& address, Window owner) override;
};

}  // namespace os
