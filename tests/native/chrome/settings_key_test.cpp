#include <gtest/gtest.h>

#include <string>

#include "panel/chrome/SettingsKey.h"

namespace {

struct KeyCase {
    const wchar_t* programFile;
    const wchar_t* keyPath;
};

class SettingsKeyPathTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SettingsKeyPathTest, FolderOfTheProgramWithBackslashesTurnedIntoUnderscores) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(SettingsKeyPathFor(c.programFile), c.keyPath)
        << "program file " << testing::PrintToString(std::wstring(c.programFile));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SettingsKeyPathTest,
    ::testing::Values(
        // A drive root keeps its backslash, which then becomes "_" like every other.
        KeyCase{L"C:\\Quorvex.exe", L"SOFTWARE\\QuorvexC:_"},
        KeyCase{L"D:\\Tools\\Panel\\Quorvex.exe", L"SOFTWARE\\QuorvexD:_Tools_Panel"},
        KeyCase{L"C:\\Program Files\\Quorvex\\Quorvex.exe", L"SOFTWARE\\QuorvexC:_Program Files_Quorvex"},
        KeyCase{L"C:\\Программы\\Квор\\Quorvex.exe", L"SOFTWARE\\QuorvexC:_Программы_Квор"},
        // A network share: the leading pair of backslashes belongs to the folder name.
        KeyCase{L"\\\\server\\share\\Quorvex.exe", L"SOFTWARE\\Quorvex__server_share"},
        KeyCase{L"\\\\server\\Quorvex.exe", L"SOFTWARE\\Quorvex__server"},
        // Only the folder counts, never the file's own name.
        KeyCase{L"C:\\a_b\\Other name.exe", L"SOFTWARE\\QuorvexC:_a_b"},
        KeyCase{L"Quorvex.exe", L"SOFTWARE\\Quorvex"}));

TEST(RegistryKeyNameFits, TheLastComponentMayHaveUpTo255Characters) {
    const std::wstring name255 = L"Quorvex" + std::wstring(248, L'a');
    EXPECT_TRUE(RegistryKeyNameFits(L"SOFTWARE\\" + name255));
    EXPECT_FALSE(RegistryKeyNameFits(L"SOFTWARE\\" + name255 + L"a"));
    EXPECT_TRUE(RegistryKeyNameFits(L"SOFTWARE\\QuorvexC:_"));
}

}  // namespace
