// The fourteen functions the expert program calls. Each one hands its values on, untouched
// and in order, to the function of the same name in the implementation library found in the
// terminal's data folder, and hands its result back.

#include <cstdint>

#include "bridge/ErrorText.h"
#include "bridge/ImplementationCall.h"

namespace hallorin {
namespace {

// The bridge never looks at these: they are whatever 32-bit value the expert program passed.
using Value = std::uint32_t;
// The implementation library's booleans are one byte; what else is in EAX is not ours to read.
using Boolean = std::uint8_t;

static_assert(sizeof(Value) == 4 && sizeof(const wchar_t*) == 4, "the exports are 32-bit x86");

template <typename... Values>
void ForwardCall(const wchar_t* dataFolder, const char* name, Values... values) {
  ImplementationCall call(dataFolder, name, Release::AfterCall);
  if (auto function = call.Find<void(__stdcall*)(Values...)>()) function(values...);
}

template <typename... Values>
Boolean ForwardBoolean(const wchar_t* dataFolder, const char* name, Boolean whenMissing,
                       Values... values) {
  ImplementationCall call(dataFolder, name, Release::AfterCall);
  auto function = call.Find<Boolean(__stdcall*)(Values...)>();
  return function ? function(values...) : whenMissing;
}

template <typename... Values>
const wchar_t* ForwardText(const wchar_t* dataFolder, const char* name, Release release,
                           ErrorTextBuffer& errorText, Values... values) {
  const wchar_t* text;
  {
    ImplementationCall call(dataFolder, name, release);
    if (auto function = call.Find<const wchar_t*(__stdcall*)(Values...)>()) {
      text = function(values...);
    } else {
      text = FormatErrorText(call.FailureCode(), errorText);
    }
  }
  // The library is released by now; a text of its own stays readable, as the terminal side
  // promises, and the error text is ours.
  return text;
}

}  // namespace
}  // namespace hallorin

using hallorin::Boolean;
using hallorin::ErrorTextBuffer;
using hallorin::ForwardBoolean;
using hallorin::ForwardCall;
using hallorin::ForwardText;
using hallorin::Release;
using hallorin::Value;

extern "C" {

// One error text per export and per thread: a text handed out stays as it is until the same
// export is called again on the same thread.

const wchar_t* __stdcall cur_dir(const wchar_t* dataFolder) {
  thread_local ErrorTextBuffer errorText;
  return ForwardText(dataFolder, "cur_dir", Release::AfterCall, errorText);
}

void __stdcall ex_file(const wchar_t* dataFolder, Value value1, Value value2, Value value3,
                       Value value4) {
  ForwardCall(dataFolder, "ex_file", value1, value2, value3, value4);
}

void __stdcall set_tickets(const wchar_t* dataFolder, Value value1, Value value2) {
  ForwardCall(dataFolder, "set_tickets", value1, value2);
}

void __stdcall clear_command(const wchar_t* dataFolder, Value value1, Value value2) {
  ForwardCall(dataFolder, "clear_command", value1, value2);
}

void __stdcall set_read_command_ok(const wchar_t* dataFolder, Value value1, Value value2) {
  ForwardCall(dataFolder, "set_read_command_ok", value1, value2);
}

void __stdcall set_ask_n_bid(const wchar_t* dataFolder, Value value1, Value value2) {
  ForwardCall(dataFolder, "set_ask_n_bid", value1, value2);
}

void __stdcall set_order_property(const wchar_t* dataFolder, Value value1, Value value2) {
  ForwardCall(dataFolder, "set_order_property", value1, value2);
}

void __stdcall close_Quorvex(const wchar_t* dataFolder, Value value1) {
  ForwardCall(dataFolder, "close_Quorvex", value1);
}

const wchar_t* __stdcall get_selected_order(const wchar_t* dataFolder, Value value1) {
  thread_local ErrorTextBuffer errorText;
  return ForwardText(dataFolder, "get_selected_order", Release::AfterCall, errorText, value1);
}

const wchar_t* __stdcall get_quorvex_command(const wchar_t* dataFolder, Value value1) {
  thread_local ErrorTextBuffer errorText;
  return ForwardText(dataFolder, "get_quorvex_command", Release::Never, errorText, value1);
}

Boolean __stdcall is_htmp_command_find(const wchar_t* dataFolder, Value value1) {
  return ForwardBoolean(dataFolder, "is_htmp_command_find", 0, value1);
}

std::int32_t __stdcall needVirtualPause(const wchar_t* dataFolder) {
  return ForwardBoolean(dataFolder, "needVirtualPause", 1);
}

std::int32_t __stdcall isVirtualPaused(const wchar_t* dataFolder) {
  return ForwardBoolean(dataFolder, "isVirtualPaused", 0);
}

void __stdcall setVirtualPause(const wchar_t* dataFolder) {
  ForwardCall(dataFolder, "setVirtualPause");
}

}  // extern "C"
