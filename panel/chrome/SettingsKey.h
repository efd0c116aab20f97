#pragma once
// Where the settings live: one registry key per program folder, so that two copies of the
// panel installed side by side keep settings of their own.
#include <cstddef>
#include <string>

// The longest key name the registry accepts for one key (one path component).
constexpr std::size_t kMaxRegistryKeyNameLength = 255;

// "SOFTWARE\Quorvex" followed at once by the folder of `programFile` with every "\" turned
// into "_"; the folder has no trailing "\" except a drive root's ("C:\" gives "C:_").
// Relative to HKEY_CURRENT_USER.
std::wstring SettingsKeyPathFor(const std::wstring& programFile);

// The folder part of a full file path, as the settings key takes it: "D:\Tools" for
// "D:\Tools\Quorvex.exe", "C:\" for "C:\Quorvex.exe", empty for a bare file name.
std::wstring ProgramFolderOf(const std::wstring& programFile);

// False when the last component of `path` is longer than the registry allows, so that the
// key can neither be opened nor created.
bool RegistryKeyNameFits(const std::wstring& path);
