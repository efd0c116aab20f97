#pragma once
#include <string>

#include "panel/os/WindowSystem.h"

namespace os {

class Shell {
public:
    virtual ~Shell() = default;
    // The verb "open" on a web address; the result is not checked.
    virtual void Open(const std::wstring& address, Window owner) = 0;
};

}  // namespace os
