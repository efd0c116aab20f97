#include "tests/win32/bridge/Journal.h"

#include <cstring>

#include "tests/win32/bridge/Check.h"

namespace bridge_test {
namespace {

std::wstring attachedFrom;
// The handle that the bridge's last LoadLibraryW returned, to tell whether the lookup and
// the release that follow are made on it.
HMODULE lastLoaded = nullptr;

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

void __cdecl Attached(HMODULE library) {
  wchar_t name[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(library, name, sizeof name / sizeof name[0]);
  attachedFrom.assign(name, length);
  Note(L"attach");
}

void __cdecl Detached() { Note(L"detach"); }

void __cdecl Called(const char* function, unsigned valueCount, const std::uint32_t* values) {
  Note(CallLine(function, valueCount, values));
}

HMODULE WINAPI HookedLoadLibraryW(LPCWSTR fileName) {
  Note(std::wstring(L"LoadLibraryW ") + (fileName ? fileName : L"(null)"));
  const HMODULE module = LoadLibraryW(fileName);
  // The hook must not disturb the last-error code the bridge reads after a failed load.
  const DWORD error = GetLastError();
  lastLoaded = module;
  SetLastError(error);
  return module;
}

// The runtime linked into the bridge makes lookups of its own in system DLLs; only what
// touches an implementation library, or no library at all, belongs in the journal.
bool IsImplementationLibrary(HMODULE module) {
  wchar_t name[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(module, name, sizeof name / sizeof name[0]);
  const std::wstring fileName(name, length);
  const std::wstring tail = L"\\quorvex.dll";
  return fileName.size() >= tail.size() &&
         CompareStringOrdinal(fileName.c_str() + fileName.size() - tail.size(), -1, tail.c_str(), -1, TRUE) ==
             CSTR_EQUAL;
}

std::wstring HandleNote(HMODULE module) {
  if (module == nullptr) return L" on a null handle";
  return module == lastLoaded ? L"" : L" on another handle";
}

FARPROC WINAPI HookedGetProcAddress(HMODULE module, LPCSTR name) {
  if (module == lastLoaded || module == nullptr || IsImplementationLibrary(module)) {
    const bool byName = reinterpret_cast<std::uintptr_t>(name) > 0xFFFF;
    Note(L"GetProcAddress " + (byName ? Widen(name) : std::wstring(L"(ordinal)")) + HandleNote(module));
  }
  return GetProcAddress(module, name);
}

BOOL WINAPI HookedFreeLibrary(HMODULE module) {
  if (module == lastLoaded || module == nullptr || IsImplementationLibrary(module)) {
    Note(L"FreeLibrary" + HandleNote(module));
  }
  return FreeLibrary(module);
}

template <typename T>
T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

}  // namespace

std::vector<std::wstring>& Journal() {
  static std::vector<std::wstring> lines;
  return lines;
}

void Note(const std::wstring& line) { Journal().push_back(line); }

Probe& TheProbe() {
  static Probe probe{Attached, Detached, Called, nullptr, nullptr, nullptr, 0, 0, 0};
  return probe;
}

const std::wstring& LastAttachedFrom() { return attachedFrom; }

std::wstring CallLine(const char* function, unsigned valueCount, const std::uint32_t* values) {
  std::wstring line = L"call " + Widen(function);
  for (unsigned i = 0; i < valueCount; ++i) line += L" " + Widen(Hex(values[i]).c_str());
  return line;
}

bool HookLoaderCalls(HMODULE bridge) {
  struct Hook {
    const char* name;
    void* replacement;
    bool done;
  } hooks[] = {{"LoadLibraryW", reinterpret_cast<void*>(HookedLoadLibraryW), false},
               {"GetProcAddress", reinterpret_cast<void*>(HookedGetProcAddress), false},
               {"FreeLibrary", reinterpret_cast<void*>(HookedFreeLibrary), false}};

  const auto* dos = At<IMAGE_DOS_HEADER>(bridge, 0);
  const auto* nt = At<IMAGE_NT_HEADERS32>(bridge, dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return false;

  for (auto* import = At<IMAGE_IMPORT_DESCRIPTOR>(bridge, directory.VirtualAddress); import->Name != 0; ++import) {
    if (lstrcmpiA(At<char>(bridge, import->Name), "kernel32.dll") != 0) continue;
    auto* names = At<IMAGE_THUNK_DATA32>(bridge, import->OriginalFirstThunk);
    auto* slots = At<IMAGE_THUNK_DATA32>(bridge, import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (names->u1.Ordinal & IMAGE_ORDINAL_FLAG32) continue;
      const char* name = At<IMAGE_IMPORT_BY_NAME>(bridge, names->u1.AddressOfData)->Name;
      for (Hook& hook : hooks) {
        if (std::strcmp(name, hook.name) != 0) continue;
        DWORD protection;
        if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection)) {
          return false;
        }
        slots->u1.Function = reinterpret_cast<DWORD>(hook.replacement);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
        hook.done = true;
      }
    }
  }
  for (const Hook& hook : hooks) {
    if (!hook.done) return false;
  }
  return true;
}

}  // namespace bridge_test

// The test implementation library looks for this in the main module.
extern "C" __declspec(dllexport) bridge_test::Probe* __cdecl bridge_test_probe() {
  return &bridge_test::TheProbe();
}
