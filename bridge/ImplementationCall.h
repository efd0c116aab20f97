#pragma once

#include <windows.h>

#include <cstdint>

namespace hallorin {

enum class Release { AfterCall, Never };

// One trip to the implementation library: load it from the terminal's data folder, look up
// one function and, on leaving scope, release the library again (unless told otherwise).
class ImplementationCall {
 public:
  ImplementationCall(const wchar_t* dataFolder, const char* functionName, Release release);
  ~ImplementationCall();
  ImplementationCall(const ImplementationCall&) = delete;
  ImplementationCall& operator=(const ImplementationCall&) = delete;

  // The function looked up, or null when the library or the function is missing.
  template <typename Function>
  Function Find() const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function_));
  }

  // The thread's last-error code as it stood right after the load or lookup failed.
  std::uint32_t FailureCode() const { return failureCode_; }

 private:
  HMODULE module_ = nullptr;
  FARPROC function_ = nullptr;
  std::uint32_t failureCode_ = ERROR_SUCCESS;
  Release release_;
};

}  // namespace hallorin
