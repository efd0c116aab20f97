#include <windows.h>

// The bridge keeps nothing between calls, so there is nothing to set up or tear down.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
