#include "tests/win32/bridge/BridgeExports.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bridge_test {

const std::array<ExportInfo, 14> kExports = {{
    {"cur_dir", 0, ResultKind::Text, true, 0},
    {"ex_file", 4, ResultKind::None, true, 0},
    {"set_tickets", 2, ResultKind::None, true, 0},
    {"clear_command", 2, ResultKind::None, true, 0},
    {"set_read_command_ok", 2, ResultKind::None, true, 0},
    {"set_ask_n_bid", 2, ResultKind::None, true, 0},
    {"set_order_property", 2, ResultKind::None, true, 0},
    {"close_Quorvex", 1, ResultKind::None, true, 0},
    {"get_selected_order", 1, ResultKind::Text, true, 0},
    {"get_quorvex_command", 1, ResultKind::Text, false, 0},
    {"is_htmp_command_find", 1, ResultKind::Byte, true, 0},
    {"needVirtualPause", 0, ResultKind::Integer, true, 1},
    {"isVirtualPaused", 0, ResultKind::Integer, true, 0},
    {"setVirtualPause", 0, ResultKind::None, true, 0},
}};

const ExportInfo& ExportNamed(const char* name) {
  for (const ExportInfo& info : kExports) {
    if (std::strcmp(info.name, name) == 0) return info;
  }
  std::printf("no export named %s in the test's table\n", name);
  std::abort();
}

std::array<std::uint32_t, 4> ValuesFor(const ExportInfo& info) {
  const auto index = static_cast<std::uint32_t>(&info - kExports.data());
  return {0x80000000u | (index << 8) | 1u, 0xFFFFFFFFu - index, index * 0x01010101u,
          0x7F000000u + index};
}

namespace {

using Value = std::uint32_t;
using NoValuesText = const wchar_t*(__stdcall*)(const wchar_t*);
using NoValuesInteger = std::int32_t(__stdcall*)(const wchar_t*);
using NoValues = void(__stdcall*)(const wchar_t*);
using OneValue = void(__stdcall*)(const wchar_t*, Value);
using OneValueText = const wchar_t*(__stdcall*)(const wchar_t*, Value);
using OneValueByte = std::uint8_t(__stdcall*)(const wchar_t*, Value);
using TwoValues = void(__stdcall*)(const wchar_t*, Value, Value);
using FourValues = void(__stdcall*)(const wchar_t*, Value, Value, Value, Value);

template <typename Function>
Function Find(HMODULE bridge, const char* name) {
  void* address = reinterpret_cast<void*>(GetProcAddress(bridge, name));
  if (address == nullptr) {
    std::printf("Hallorin.dll exports no %s\n", name);
    std::exit(2);
  }
  return reinterpret_cast<Function>(address);
}

}  // namespace

Outcome CallExport(HMODULE bridge, const ExportInfo& info, const wchar_t* path, const Value* v) {
  Outcome outcome;
  const char* name = info.name;
  switch (info.result) {
    case ResultKind::Text:
      if (info.valueCount == 0) outcome.text = Find<NoValuesText>(bridge, name)(path);
      else outcome.text = Find<OneValueText>(bridge, name)(path, v[0]);
      break;
    case ResultKind::Byte:
      outcome.number = Find<OneValueByte>(bridge, name)(path, v[0]);
      break;
    case ResultKind::Integer:
      outcome.number = static_cast<std::uint32_t>(Find<NoValuesInteger>(bridge, name)(path));
      break;
    case ResultKind::None:
      switch (info.valueCount) {
        case 0: Find<NoValues>(bridge, name)(path); break;
        case 1: Find<OneValue>(bridge, name)(path, v[0]); break;
        case 2: Find<TwoValues>(bridge, name)(path, v[0], v[1]); break;
        case 4: Find<FourValues>(bridge, name)(path, v[0], v[1], v[2], v[3]); break;
        default: std::abort();
      }
      break;
  }
  return outcome;
}

}  // namespace bridge_test

// Calls `function` with `count` 32-bit arguments pushed right to left, as a __stdcall caller
// does, and returns how many argument bytes are still on the stack when it comes back. EDI,
// which every function must preserve, holds the stack pointer from before the pushes.
extern "C" std::int32_t __cdecl bridge_test_bytes_left(const void* function, const std::uint32_t* arguments,
                                                        std::uint32_t count);
asm(R"(
    .text
    .globl _bridge_test_bytes_left
_bridge_test_bytes_left:
    pushl %ebp
    movl %esp, %ebp
    pushl %edi
    pushl %esi
    pushl %ebx
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl %edi, %eax
    subl %esp, %eax
    movl %edi, %esp
    popl %ebx
    popl %esi
    popl %edi
    popl %ebp
    ret
)");

namespace bridge_test {

std::int32_t BytesRemovedByExport(HMODULE bridge, const ExportInfo& info, const wchar_t* path,
                                  const std::uint32_t* values) {
  std::uint32_t arguments[5] = {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(path))};
  for (unsigned i = 0; i < info.valueCount; ++i) arguments[i + 1] = values[i];
  const void* function = reinterpret_cast<const void*>(Find<NoValues>(bridge, info.name));
  const std::uint32_t count = info.valueCount + 1;
  return static_cast<std::int32_t>(count * 4) - bridge_test_bytes_left(function, arguments, count);
}

}  // namespace bridge_test
