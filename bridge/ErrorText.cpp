#include "bridge/ErrorText.h"

#include <cstdio>
#include <cwchar>

namespace hallorin {

const wchar_t* FormatErrorText(std::uint32_t code, ErrorTextBuffer& buffer) {
  // MinGW's own printf, not msvcrt's: msvcrt knows no 80-bit long double and prints
  // three exponent digits ("1e+006"), which is not what "%Lg" gives.
  const long double number = static_cast<double>(code);
  if (__mingw_snwprintf(buffer, kErrorTextCapacity, L"error of call functon: %Lg", number) < 0) {
    buffer[0] = L'\0';
  }
  return buffer;
}

}  // namespace hallorin
