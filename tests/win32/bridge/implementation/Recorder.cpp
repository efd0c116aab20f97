// A stand-in for the terminal side's implementation library: every function reports what it
// received to the test program's probe and returns what the probe says.

#include <cstdint>
#include <initializer_list>

#include "tests/win32/bridge/Probe.h"

namespace {

using Value = std::uint32_t;

bridge_test::Probe* TheProbe() {
  auto get = reinterpret_cast<bridge_test::GetProbe>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(nullptr), bridge_test::kGetProbeName)));
  return get ? get() : nullptr;
}

bridge_test::Probe& Record(const char* function, std::initializer_list<Value> values) {
  static bridge_test::Probe noProbe{};
  bridge_test::Probe* probe = TheProbe();
  if (probe == nullptr) return noProbe;
  probe->called(function, static_cast<unsigned>(values.size()), values.begin());
  return *probe;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  bridge_test::Probe* probe = TheProbe();
  if (probe != nullptr) {
    if (reason == DLL_PROCESS_ATTACH) probe->attached(instance);
    if (reason == DLL_PROCESS_DETACH) probe->detached();
  }
  return TRUE;
}

const wchar_t* __stdcall cur_dir() { return Record("cur_dir", {}).curDirText; }

void __stdcall ex_file(Value value1, Value value2, Value value3, Value value4) {
  Record("ex_file", {value1, value2, value3, value4});
}

void __stdcall set_tickets(Value value1, Value value2) { Record("set_tickets", {value1, value2}); }

void __stdcall clear_command(Value value1, Value value2) {
  Record("clear_command", {value1, value2});
}

void __stdcall set_read_command_ok(Value value1, Value value2) {
  Record("set_read_command_ok", {value1, value2});
}

void __stdcall set_ask_n_bid(Value value1, Value value2) {
  Record("set_ask_n_bid", {value1, value2});
}

void __stdcall set_order_property(Value value1, Value value2) {
  Record("set_order_property", {value1, value2});
}

void __stdcall close_Quorvex(Value value1) { Record("close_Quorvex", {value1}); }

const wchar_t* __stdcall get_selected_order(Value value1) {
  return Record("get_selected_order", {value1}).selectedOrderText;
}

const wchar_t* __stdcall get_quorvex_command(Value value1) {
  return Record("get_quorvex_command", {value1}).commandText;
}

std::uint32_t __stdcall is_htmp_command_find(Value value1) {
  return Record("is_htmp_command_find", {value1}).htmpCommandFindEax;
}

std::uint32_t __stdcall needVirtualPause() { return Record("needVirtualPause", {}).needVirtualPauseEax; }

std::uint32_t __stdcall isVirtualPaused() { return Record("isVirtualPaused", {}).isVirtualPausedEax; }

void __stdcall setVirtualPause() { Record("setVirtualPause", {}); }

}  // extern "C"
