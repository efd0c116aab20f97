// Tests of Hallorin.dll against the test implementation libraries:
//   bridge_test CASE[,CASE...] HALLORIN_DLL ROOTS_FOLDER
// ROOTS_FOLDER holds the terminal data folders full/, partial/ and missing/, each with
// MQL4/Libraries/ below it; full/ and partial/ have a quorvex.dll there, missing/ has none.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "bridge/ErrorText.h"
#include "tests/win32/bridge/BridgeExports.h"
#include "tests/win32/bridge/Check.h"
#include "tests/win32/bridge/Journal.h"
#include "tests/win32/bridge/PeFile.h"

using namespace bridge_test;

namespace {

struct Setup {
  HMODULE bridge = nullptr;
  std::wstring bridgeFile;
  std::wstring fullRoot;
  std::wstring partialRoot;
  std::wstring missingRoot;
};

const wchar_t kCurDirText[] = L"C:\\Terminal\\Данные";
const wchar_t kSelectedOrderText[] = L"48213 ";
const wchar_t kCommandText[] = L"OPEN_POS;0;0.10;0;0;0;";
const std::wstring kErrorPrefix = L"error of call functon: ";

std::wstring LibraryFileIn(const std::wstring& root) { return root + L"//MQL4//Libraries//quorvex.dll"; }

std::wstring FullPathOf(const std::wstring& fileName) {
  wchar_t full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(fileName.c_str(), sizeof full / sizeof full[0], full, nullptr);
  return std::wstring(full, length);
}

bool SameFile(const std::wstring& left, const std::wstring& right) {
  return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool ImplementationLoaded() { return GetModuleHandleW(L"quorvex.dll") != nullptr; }

std::string Name(const ExportInfo& info) { return info.name; }

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

std::wstring ErrorText(DWORD code) { return kErrorPrefix + std::to_wstring(code); }

// The journal of a call that finds its function: load, look up, call, and release unless
// the export keeps the library. `attaches` is false when the library is loaded already.
std::vector<std::wstring> FoundJournal(const ExportInfo& info, const std::wstring& fileName,
                                       const std::uint32_t* values, bool attaches = true) {
  std::vector<std::wstring> lines = {L"LoadLibraryW " + fileName};
  if (attaches) lines.push_back(L"attach");
  lines.push_back(L"GetProcAddress " + Widen(info.name));
  lines.push_back(CallLine(info.name, info.valueCount, values));
  if (info.releasesLibrary) {
    lines.push_back(L"FreeLibrary");
    if (attaches) lines.push_back(L"detach");
  }
  return lines;
}

std::vector<std::wstring> FunctionMissingJournal(const ExportInfo& info, const std::wstring& fileName) {
  std::vector<std::wstring> lines = {L"LoadLibraryW " + fileName, L"attach", L"GetProcAddress " + Widen(info.name)};
  if (info.releasesLibrary) {
    lines.push_back(L"FreeLibrary");
    lines.push_back(L"detach");
  }
  return lines;
}

void SetProbeResults(std::uint32_t htmpCommandFindEax, std::uint32_t needVirtualPauseEax,
                     std::uint32_t isVirtualPausedEax) {
  Probe& probe = TheProbe();
  probe.curDirText = kCurDirText;
  probe.selectedOrderText = kSelectedOrderText;
  probe.commandText = kCommandText;
  probe.htmpCommandFindEax = htmpCommandFindEax;
  probe.needVirtualPauseEax = needVirtualPauseEax;
  probe.isVirtualPausedEax = isVirtualPausedEax;
}

const wchar_t* ProbeTextOf(const ExportInfo& info) {
  const std::string name = info.name;
  if (name == "cur_dir") return kCurDirText;
  if (name == "get_selected_order") return kSelectedOrderText;
  return kCommandText;
}

std::uint32_t ProbeEaxOf(const ExportInfo& info) {
  const std::string name = info.name;
  if (name == "is_htmp_command_find") return TheProbe().htmpCommandFindEax;
  if (name == "needVirtualPause") return TheProbe().needVirtualPauseEax;
  return TheProbe().isVirtualPausedEax;
}

void ExpectForwardedResult(const ExportInfo& info, const Outcome& outcome) {
  switch (info.result) {
    case ResultKind::Text:
      // The very pointer the implementation returned, readable after the release.
      if (ExpectEqual(Name(info) + " text pointer", ProbeTextOf(info), outcome.text)) {
        ExpectEqual(Name(info) + " text", ProbeTextOf(info), outcome.text);
      }
      break;
    case ResultKind::Byte:
    case ResultKind::Integer:
      // Only AL counts; a byte result widens with zeros.
      ExpectEqual(Name(info) + " result", ProbeEaxOf(info) & 0xFFu, outcome.number);
      break;
    case ResultKind::None:
      break;
  }
}

void ExpectMissingResult(const ExportInfo& info, const Outcome& outcome, DWORD code) {
  switch (info.result) {
    case ResultKind::Text:
      if (ExpectTrue(outcome.text != nullptr, Name(info) + " gave a null text")) {
        ExpectEqual(Name(info) + " error text", ErrorText(code), outcome.text);
      }
      break;
    case ResultKind::Byte:
    case ResultKind::Integer:
      ExpectEqual(Name(info) + " result", info.missingResult, outcome.number);
      break;
    case ResultKind::None:
      break;
  }
}

// Exports that release the library first, get_quorvex_command last: after it the library
// stays in the process.
std::vector<const ExportInfo*> ReleasingFirst() {
  std::vector<const ExportInfo*> order;
  for (const ExportInfo& info : kExports) {
    if (info.releasesLibrary) order.push_back(&info);
  }
  for (const ExportInfo& info : kExports) {
    if (!info.releasesLibrary) order.push_back(&info);
  }
  return order;
}

void ExpectLoadedState(const ExportInfo& info) {
  if (info.releasesLibrary) {
    ExpectTrue(!ImplementationLoaded(), Name(info) + " left the implementation library loaded");
  } else {
    ExpectTrue(ImplementationLoaded(), Name(info) + " released the implementation library");
  }
}

// Gives back the one reference that a get_quorvex_command call kept, so that the next case
// starts with no implementation library loaded; it must be the only one left.
void ReleaseReferenceOfCommand(const std::string& after) {
  const HMODULE library = GetModuleHandleW(L"quorvex.dll");
  if (!ExpectTrue(library != nullptr, "no library loaded after " + after)) return;
  Journal().clear();
  FreeLibrary(library);
  ExpectTrue(!ImplementationLoaded(), "more than one reference left after " + after);
  ExpectEqual("journal of releasing what " + after + " kept", std::vector<std::wstring>{L"detach"}, Journal());
}

// ---- cases

void ExportTable(const Setup& setup) {
  const PeFacts facts = ReadPeFile(setup.bridgeFile);
  if (!ExpectTrue(facts.readable, "Hallorin.dll unreadable: " + facts.problem)) return;
  ExpectEqual("machine", IMAGE_FILE_MACHINE_I386, facts.machine);
  ExpectTrue((facts.characteristics & IMAGE_FILE_DLL) != 0, "the file is not marked as a DLL");

  std::vector<std::wstring> expected;
  for (const ExportInfo& info : kExports) expected.push_back(Widen(info.name));
  std::vector<std::wstring> got;
  for (const std::string& name : facts.exportedNames) got.push_back(Widen(name.c_str()));
  std::sort(expected.begin(), expected.end());
  std::sort(got.begin(), got.end());
  ExpectEqual("exported names in the file", expected, got);
  ExpectEqual("entries of the export address table", static_cast<std::uint32_t>(kExports.size()),
              facts.exportedFunctionCount);

  for (const ExportInfo& info : kExports) {
    ExpectTrue(GetProcAddress(setup.bridge, info.name) != nullptr, Name(info) + " not found by its plain name");
    const std::string bytes = std::to_string(4 * (info.valueCount + 1));
    const std::string decoratedNames[] = {std::string(info.name).append("@").append(bytes),
                                          std::string("_").append(info.name).append("@").append(bytes),
                                          std::string("_").append(info.name)};
    for (const std::string& decorated : decoratedNames) {
      ExpectTrue(GetProcAddress(setup.bridge, decorated.c_str()) == nullptr, decorated + " is exported");
    }
  }
}

BOOL CALLBACK CollectResourceName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  auto* list = reinterpret_cast<std::vector<std::wstring>*>(names);
  list->push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name)) : name);
  return TRUE;
}

std::vector<std::wstring> ResourceNames(HMODULE module, LPCWSTR type) {
  std::vector<std::wstring> names;
  EnumResourceNamesW(module, type, CollectResourceName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

void BuildSettings(const Setup& setup) {
  ExpectEqual("manifest resources", std::vector<std::wstring>{L"#2"}, ResourceNames(setup.bridge, RT_MANIFEST));
  if (HRSRC found = FindResourceW(setup.bridge, MAKEINTRESOURCEW(2), RT_MANIFEST)) {
    const char* text = static_cast<const char*>(LockResource(LoadResource(setup.bridge, found)));
    const std::string manifest(text, SizeofResource(setup.bridge, found));
    ExpectTrue(manifest.find("<requestedExecutionLevel level=\"asInvoker\"") != std::string::npos,
               "the manifest does not request asInvoker:\n" + manifest);
  }
  ExpectEqual("version resources", std::vector<std::wstring>{}, ResourceNames(setup.bridge, RT_VERSION));

  // Everything the DLL imports must come with Windows: no compiler runtime DLLs.
  const PeFacts facts = ReadPeFile(setup.bridgeFile);
  if (!ExpectTrue(facts.readable, "Hallorin.dll unreadable: " + facts.problem)) return;
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  for (const std::string& library : facts.importedLibraries) {
    const std::wstring path = std::wstring(system, length) + L"\\" + Widen(library.c_str());
    ExpectTrue(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES,
               "Hallorin.dll imports " + library + ", which is no system DLL");
  }
  ExpectTrue(!facts.importedLibraries.empty(), "no imports read from Hallorin.dll");
}

void Forwarding(const Setup& setup) {
  SetProbeResults(0xABCDEF80u, 0xFFFFFF00u, 0x123456C8u);
  const std::wstring fileName = LibraryFileIn(setup.fullRoot);
  for (const ExportInfo* info : ReleasingFirst()) {
    Journal().clear();
    const auto values = ValuesFor(*info);
    const Outcome outcome = CallExport(setup.bridge, *info, setup.fullRoot.c_str(), values.data());
    ExpectEqual(Name(*info) + " journal", FoundJournal(*info, fileName, values.data()), Journal());
    ExpectForwardedResult(*info, outcome);
    ExpectLoadedState(*info);
    ExpectTrue(SameFile(FullPathOf(fileName), LastAttachedFrom()),
               Name(*info) + " loaded " + Utf8(LastAttachedFrom()));
  }
  ReleaseReferenceOfCommand("get_quorvex_command");
}

void BooleanResults(const Setup& setup) {
  const std::uint32_t bytes[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  const std::uint32_t rest[] = {0x00000000u, 0xFFFFFF00u, 0x5A5A5A00u};
  for (const std::uint32_t byte : bytes) {
    for (const std::uint32_t upper : rest) {
      SetProbeResults(upper | byte, upper | byte, upper | byte);
      for (const char* name : {"is_htmp_command_find", "needVirtualPause", "isVirtualPaused"}) {
        const ExportInfo& info = ExportNamed(name);
        const auto values = ValuesFor(info);
        const Outcome outcome = CallExport(setup.bridge, info, setup.fullRoot.c_str(), values.data());
        ExpectEqual(Name(info) + " for EAX " + Hex(upper | byte), byte, outcome.number);
      }
    }
  }
}

void MissingFunction(const Setup& setup) {
  SetProbeResults(0x1u, 0x0u, 0x2u);
  const std::set<std::string> present = {"set_tickets", "close_Quorvex", "isVirtualPaused"};
  const std::wstring fileName = LibraryFileIn(setup.partialRoot);
  for (const ExportInfo* info : ReleasingFirst()) {
    Journal().clear();
    const auto values = ValuesFor(*info);
    const Outcome outcome = CallExport(setup.bridge, *info, setup.partialRoot.c_str(), values.data());
    if (present.count(info->name)) {
      ExpectEqual(Name(*info) + " journal", FoundJournal(*info, fileName, values.data()), Journal());
      ExpectForwardedResult(*info, outcome);
    } else {
      ExpectEqual(Name(*info) + " journal", FunctionMissingJournal(*info, fileName), Journal());
      ExpectMissingResult(*info, outcome, ERROR_PROC_NOT_FOUND);
    }
    ExpectLoadedState(*info);
  }
  ReleaseReferenceOfCommand("get_quorvex_command without its function");
}

void MissingLibrary(const Setup& setup) {
  const std::wstring fileName = LibraryFileIn(setup.missingRoot);
  for (const ExportInfo& info : kExports) {
    Journal().clear();
    const auto values = ValuesFor(info);
    const Outcome outcome = CallExport(setup.bridge, info, setup.missingRoot.c_str(), values.data());
    // No lookup without a library; the text carries the loader's own reason.
    ExpectEqual(Name(info) + " journal", std::vector<std::wstring>{L"LoadLibraryW " + fileName}, Journal());
    ExpectMissingResult(info, outcome, ERROR_MOD_NOT_FOUND);
    ExpectTrue(!ImplementationLoaded(), Name(info) + " left a library loaded");
  }
}

void NoFolder(const Setup& setup) {
  SetProbeResults(0x1u, 0x0u, 0x2u);
  const std::pair<const char*, const wchar_t*> paths[] = {{"empty path", L""}, {"null path", nullptr}};
  for (const auto& [label, path] : paths) {
    for (const ExportInfo& info : kExports) {
      Journal().clear();
      SetLastError(ERROR_SUCCESS);
      const auto values = ValuesFor(info);
      const Outcome outcome = CallExport(setup.bridge, info, path, values.data());
      const DWORD lastError = GetLastError();
      const std::string what = Name(info) + " with " + label;
      ExpectEqual(what + ": loader calls", std::vector<std::wstring>{}, Journal());
      ExpectMissingResult(info, outcome, ERROR_INVALID_PARAMETER);
      ExpectEqual(what + ": last error", ERROR_INVALID_PARAMETER, lastError);
    }
  }
}

void TrailingBackslash(const Setup& setup) {
  SetProbeResults(0x1u, 0x0u, 0x2u);
  const std::wstring root = setup.fullRoot + L"\\";
  const std::wstring fileName = root + L"//MQL4//Libraries//quorvex.dll";
  for (const char* name : {"set_tickets", "get_selected_order", "isVirtualPaused"}) {
    const ExportInfo& info = ExportNamed(name);
    Journal().clear();
    const auto values = ValuesFor(info);
    const Outcome outcome = CallExport(setup.bridge, info, root.c_str(), values.data());
    ExpectEqual(Name(info) + " journal", FoundJournal(info, fileName, values.data()), Journal());
    ExpectForwardedResult(info, outcome);
    ExpectTrue(SameFile(FullPathOf(LibraryFileIn(setup.fullRoot)), LastAttachedFrom()),
               Name(info) + " loaded " + Utf8(LastAttachedFrom()));
  }
}

void StackBalance(const Setup& setup) {
  SetProbeResults(0x1u, 0x0u, 0x2u);
  const std::pair<const char*, const wchar_t*> situations[] = {
      {"function found", setup.fullRoot.c_str()},
      {"function missing", setup.partialRoot.c_str()},
      {"library missing", setup.missingRoot.c_str()},
      {"empty path", L""},
      {"null path", nullptr},
  };
  for (const auto& [label, path] : situations) {
    for (const ExportInfo& info : kExports) {
      const auto values = ValuesFor(info);
      ExpectEqual(Name(info) + " (" + label + ") argument bytes removed", 4 * (info.valueCount + 1),
                  static_cast<std::uint32_t>(BytesRemovedByExport(setup.bridge, info, path, values.data())));
    }
    if (ImplementationLoaded()) ReleaseReferenceOfCommand(std::string("get_quorvex_command, ") + label);
  }
}

void CommandKeepsLibrary(const Setup& setup) {
  SetProbeResults(0x1u, 0x0u, 0x2u);
  const std::wstring fileName = LibraryFileIn(setup.fullRoot);
  const ExportInfo& command = ExportNamed("get_quorvex_command");
  const auto commandValues = ValuesFor(command);

  Journal().clear();
  CallExport(setup.bridge, command, setup.fullRoot.c_str(), commandValues.data());
  CallExport(setup.bridge, command, setup.fullRoot.c_str(), commandValues.data());
  std::vector<std::wstring> expected = FoundJournal(command, fileName, commandValues.data());
  const auto again = FoundJournal(command, fileName, commandValues.data(), false);
  expected.insert(expected.end(), again.begin(), again.end());
  ExpectEqual("two get_quorvex_command calls", expected, Journal());
  ExpectTrue(ImplementationLoaded(), "get_quorvex_command released the library");

  // Every other export takes one reference and gives it back, without unloading.
  for (const ExportInfo& info : kExports) {
    if (!info.releasesLibrary) continue;
    Journal().clear();
    const auto values = ValuesFor(info);
    CallExport(setup.bridge, info, setup.fullRoot.c_str(), values.data());
    ExpectEqual(Name(info) + " journal", FoundJournal(info, fileName, values.data(), false), Journal());
    ExpectTrue(ImplementationLoaded(), Name(info) + " unloaded the library that get_quorvex_command holds");
  }

  // Exactly the two references of the two get_quorvex_command calls are left.
  const HMODULE library = GetModuleHandleW(L"quorvex.dll");
  Journal().clear();
  FreeLibrary(library);
  ExpectTrue(ImplementationLoaded(), "one FreeLibrary unloaded what two get_quorvex_command calls hold");
  FreeLibrary(library);
  ExpectTrue(!ImplementationLoaded(), "references left beyond those of get_quorvex_command");
  ExpectEqual("journal of the two releases", std::vector<std::wstring>{L"detach"}, Journal());
}

void ErrorTextFormat(const Setup& setup) {
  // The formatting code that is linked into Hallorin.dll, over the whole unsigned range.
  const std::pair<std::uint32_t, const wchar_t*> table[] = {
      {0u, L"0"},
      {87u, L"87"},
      {127u, L"127"},
      {999999u, L"999999"},
      {1000000u, L"1e+06"},
      {1234567u, L"1.23457e+06"},
      {2147483647u, L"2.14748e+09"},
      {2147483648u, L"2.14748e+09"},
      {3221225477u, L"3.22123e+09"},
      {4294967295u, L"4.29497e+09"},
  };
  for (const auto& [code, number] : table) {
    hallorin::ErrorTextBuffer buffer;
    std::wmemset(buffer, L'#', hallorin::kErrorTextCapacity);
    const wchar_t* text = hallorin::FormatErrorText(code, buffer);
    ExpectEqual("error text for " + std::to_string(code), kErrorPrefix + number, text);
  }

  // Through the DLL: each text export's text stays as it was while other exports run and
  // the thread's last error changes.
  const ExportInfo& selectedOrder = ExportNamed("get_selected_order");
  const ExportInfo& curDir = ExportNamed("cur_dir");
  const ExportInfo& command = ExportNamed("get_quorvex_command");
  const auto values = ValuesFor(selectedOrder);
  const wchar_t* selectedText = CallExport(setup.bridge, selectedOrder, setup.partialRoot.c_str(), values.data()).text;
  const wchar_t* curDirText = CallExport(setup.bridge, curDir, setup.missingRoot.c_str(), values.data()).text;
  const wchar_t* commandText = CallExport(setup.bridge, command, L"", values.data()).text;
  for (const ExportInfo& info : kExports) {
    if (info.result == ResultKind::Text) continue;
    for (const std::wstring& root : {setup.missingRoot, setup.partialRoot, std::wstring()}) {
      SetLastError(ERROR_ACCESS_DENIED);
      CallExport(setup.bridge, info, root.c_str(), ValuesFor(info).data());
    }
  }
  ExpectEqual("get_selected_order text afterwards", ErrorText(ERROR_PROC_NOT_FOUND), selectedText);
  ExpectEqual("cur_dir text afterwards", ErrorText(ERROR_MOD_NOT_FOUND), curDirText);
  ExpectEqual("get_quorvex_command text afterwards", ErrorText(ERROR_INVALID_PARAMETER), commandText);
}

void ErrorTextPerThread(const Setup& setup) {
  const ExportInfo& selectedOrder = ExportNamed("get_selected_order");
  const auto values = ValuesFor(selectedOrder);
  const wchar_t* mainText = CallExport(setup.bridge, selectedOrder, setup.partialRoot.c_str(), values.data()).text;

  const wchar_t* otherText = nullptr;
  std::wstring otherContent;
  std::thread other([&] {
    otherText = CallExport(setup.bridge, selectedOrder, setup.missingRoot.c_str(), values.data()).text;
    otherContent = otherText;
  });
  other.join();

  ExpectEqual("text of the other thread", ErrorText(ERROR_MOD_NOT_FOUND), otherContent);
  ExpectTrue(otherText != mainText, "both threads got the same error text buffer");
  ExpectEqual("main thread's text after the other thread's call", ErrorText(ERROR_PROC_NOT_FOUND), mainText);
}

// Arguments come as file names of the build machine; Wine names them for Windows.
std::wstring WindowsFileName(const char* name) {
  using ToDos = LPWSTR(CDECL*)(LPCSTR);
  if (name[0] == '/') {
    if (auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")))) {
      if (LPWSTR dos = toDos(name)) {
        std::wstring result = dos;
        HeapFree(GetProcessHeap(), 0, dos);
        return result;
      }
    }
  }
  return Widen(name);
}

}  // namespace

int main(int argc, char** argv) {
  const std::map<std::string, std::function<void(const Setup&)>> cases = {
      {"export_table", ExportTable},
      {"build_settings", BuildSettings},
      {"forwarding", Forwarding},
      {"boolean_results", BooleanResults},
      {"missing_function", MissingFunction},
      {"missing_library", MissingLibrary},
      {"no_folder", NoFolder},
      {"trailing_backslash", TrailingBackslash},
      {"stack_balance", StackBalance},
      {"command_keeps_library", CommandKeepsLibrary},
      {"error_text", ErrorTextFormat},
      {"error_text_per_thread", ErrorTextPerThread},
  };
  std::vector<std::string> chosen;
  if (argc == 4) {
    std::string list = argv[1];
    for (std::size_t start = 0, end; start <= list.size(); start = end + 1) {
      end = std::min(list.find(',', start), list.size());
      chosen.push_back(list.substr(start, end - start));
    }
  }
  const bool known = !chosen.empty() && std::all_of(chosen.begin(), chosen.end(),
                                                    [&](const std::string& name) { return cases.count(name) > 0; });
  if (!known) {
    std::printf("usage: bridge_test CASE[,CASE...] HALLORIN_DLL ROOTS_FOLDER\ncases:");
    for (const auto& entry : cases) std::printf(" %s", entry.first.c_str());
    std::printf("\n");
    return 2;
  }

  Setup setup;
  setup.bridgeFile = WindowsFileName(argv[2]);
  const std::wstring roots = WindowsFileName(argv[3]);
  setup.fullRoot = roots + L"\\full";
  setup.partialRoot = roots + L"\\partial";
  setup.missingRoot = roots + L"\\missing";

  setup.bridge = LoadLibraryW(setup.bridgeFile.c_str());
  if (setup.bridge == nullptr) {
    std::printf("cannot load %s: error %lu\n", Utf8(setup.bridgeFile).c_str(), GetLastError());
    return 2;
  }
  if (!HookLoaderCalls(setup.bridge)) {
    std::printf("cannot hook the loader calls of Hallorin.dll\n");
    return 2;
  }
  // Each case starts and ends with no implementation library in the process, so that
  // several can share one process (a Wine process is slow to start).
  for (const std::string& name : chosen) {
    const int failuresBefore = FailureCount();
    if (ExpectTrue(!ImplementationLoaded(), "an implementation library is loaded before " + name)) {
      Journal().clear();
      cases.at(name)(setup);
      ExpectTrue(!ImplementationLoaded(), "an implementation library is left loaded by " + name);
    }
    std::printf("%s: %s\n", name.c_str(), FailureCount() == failuresBefore ? "passed" : "FAILED");
    std::fflush(stdout);
  }
  return FailureCount() ? 1 : 0;
}
