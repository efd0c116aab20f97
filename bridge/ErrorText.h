#pragma once

#include <cstddef>
#include <cstdint>

namespace hallorin {

// The terminal reads an error text only after the export has returned, so it lives in a
// buffer of the bridge's own; 108 characters is the size the expert program was written for.
constexpr std::size_t kErrorTextCapacity = 108;
using ErrorTextBuffer = wchar_t[kErrorTextCapacity];

// Writes "error of call functon: " followed by `code` printed as "%Lg" prints a long double
// (six significant digits; "1e+06", "4.29497e+09" from 1000000 on) and returns `buffer`.
const wchar_t* FormatErrorText(std::uint32_t code, ErrorTextBuffer& buffer);

}  // namespace hallorin
