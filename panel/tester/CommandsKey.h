#pragma once
// The commands key that the panel shares with the terminal side for the virtual pause. One
// key serves every panel of the current user, whatever chart, terminal or installation.

// Relative to HKEY_CURRENT_USER.
inline constexpr wchar_t kCommandsKeyPath[] = L"SOFTWARE\\Quorvex_commands";
// REG_DWORD 0 or 1, written by the panel: hold the test at the start of each new bar.
inline constexpr wchar_t kNeedVirtualPauseValue[] = L"NeedVirtualPauseByNewBar";
// REG_DWORD, nonzero while the terminal side holds the test; the panel only ever writes 0.
inline constexpr wchar_t kVirtualPausedValue[] = L"VirtualPaused";
