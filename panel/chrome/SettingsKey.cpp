#include "panel/chrome/SettingsKey.h"

#include <algorithm>

std::wstring ProgramFolderOf(const std::wstring& programFile) {
    const std::size_t last = programFile.find_last_of(L"\\:");
    if (last == std::wstring::npos) return {};
    // A separator right after the drive (or at the very start, or doubled as in "\\server")
    // is part of the folder's name; any other one only separates the file name.
    const bool keepSeparator = programFile[last] == L':' || last == 0 || programFile[last - 1] == L':' ||
                               programFile[last - 1] == L'\\';
    return programFile.substr(0, keepSeparator ? last + 1 : last);
}

std::wstring SettingsKeyPathFor(const std::wstring& programFile) {
    std::wstring suffix = ProgramFolderOf(programFile);
    std::replace(suffix.begin(), suffix.end(), L'\\', L'_');
    return L"SOFTWARE\\Quorvex" + suffix;
}

bool RegistryKeyNameFits(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L'\\');
    const std::size_t nameLength = last == std::wstring::npos ? path.size() : path.size() - last - 1;
    return nameLength <= kMaxRegistryKeyNameLength;
}
