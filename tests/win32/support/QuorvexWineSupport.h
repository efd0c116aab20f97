#pragma once
// quorvex_wine_support: what every Wine test of the panel needs, in one include.
//
//   #include "tests/win32/support/QuorvexWineSupport.h"
//   using namespace wine_test;
//
//   int main(int argc, char** argv) {
//       return RunTestCases(argc, argv, {
//           {"title", [] {
//                TerminalFamily family;                          // terminal-like windows
//                PanelProcess panel(family.ChartHandleText());   // Quorvex.exe <chart handle>
//                REQUIRE(panel.WaitForMainWindow(), "the panel's main window");
//                EXPECT_EQ(L"_", panel.ReadSlot(slot::OUT_COMMAND), "OUT_COMMAND at start");
//            }},
//       });
//   }
//
// CMake: link the test to quorvex_wine_support, make it depend on Quorvex (the build's
// Quorvex.exe is the program PanelProcess starts), and add one ctest per case:
//   include(${CMAKE_SOURCE_DIR}/tests/win32/support/WineCase.cmake)
//   quorvex_add_wine_case(<group> <test target> title)      # ctest "<group>.title"
// ctest runs it under Wine through the toolchain's emulator and judges it by its output line
// "case title: passed" (see WineCase.cmake for why not by the exit status).
//
// Rules the pieces follow (see each header):
//   * Waiting always dispatches the test thread's messages: use WaitFor / WaitForObject /
//     PanelProcess::WaitFor... and never Sleep, or the panel blocks on the test's windows.
//   * TerminalFamily logs BM_CLICK, WM_KEYDOWN, WM_KEYUP and WM_GETTEXT of the tester's pause
//     button, Stop button, speed slider and of both chart frames. The chart frame's title is
//     read by the panel every 500 ms, so Count(Role::ChartFrame, WM_GETTEXT) growing is proof
//     that its chart-following timer has ticked: use it as a barrier where a test must show
//     that something did not happen.
//   * Failure messages read "what: expected X, got Y".
#include "tests/win32/support/Check.h"
#include "tests/win32/support/PanelProcess.h"
#include "tests/win32/support/TerminalFamily.h"
#include "tests/win32/support/Wait.h"
