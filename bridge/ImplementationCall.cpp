#include "bridge/ImplementationCall.h"

#include <cstddef>
#include <cwchar>
#include <memory>
#include <new>

namespace hallorin {
namespace {

// Appended as it stands: no separator is added or removed; the loader takes the doubled
// forward slashes as separators.
constexpr wchar_t kLibraryInDataFolder[] = L"//MQL4//Libraries//quorvex.dll";
constexpr std::size_t kLibraryInDataFolderLength = sizeof(kLibraryInDataFolder) / sizeof(wchar_t) - 1;

// A call that gives up before the loader leaves its reason as the thread's last error too,
// as a failed load would.
void Fail(std::uint32_t& failureCode, DWORD code) {
  SetLastError(code);
  failureCode = code;
}

}  // namespace

ImplementationCall::ImplementationCall(const wchar_t* dataFolder, const char* functionName,
                                       Release release)
    : release_(release) {
  // With no folder the name would begin with "//", which the loader reads as a network
  // share: the terminal would go looking for a host called "MQL4". Such a call never
  // reaches the loader.
  if (dataFolder == nullptr || dataFolder[0] == L'\0') {
    Fail(failureCode_, ERROR_INVALID_PARAMETER);
    return;
  }

  const std::size_t folderLength = std::wcslen(dataFolder);
  std::unique_ptr<wchar_t[]> fileName(new (std::nothrow) wchar_t[folderLength + kLibraryInDataFolderLength + 1]);
  if (!fileName) {
    Fail(failureCode_, ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  std::wmemcpy(fileName.get(), dataFolder, folderLength);
  std::wmemcpy(fileName.get() + folderLength, kLibraryInDataFolder, kLibraryInDataFolderLength + 1);

  module_ = LoadLibraryW(fileName.get());
  if (module_ == nullptr) {
    // No lookup without a library: GetProcAddress on a null handle would search the
    // terminal's own program for the function and call whatever it found there.
    failureCode_ = GetLastError();
    return;
  }
  function_ = GetProcAddress(module_, functionName);
  if (function_ == nullptr) failureCode_ = GetLastError();
}

ImplementationCall::~ImplementationCall() {
  // get_quorvex_command keeps its reference for good, so that from its first call on the
  // implementation library and its state stay in the terminal's process.
  if (module_ != nullptr && release_ == Release::AfterCall) FreeLibrary(module_);
}

}  // namespace hallorin
