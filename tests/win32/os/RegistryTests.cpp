// The OS layer's registry on the real registry of the current user.
#include <windows.h>

#include <string>

#include "panel/os/win32/Win32Registry.h"
#include "tests/win32/os/OsHarness.h"

using namespace os_test;

namespace {

// A key of this run only, removed again whatever the test did.
struct ScratchKey {
    std::wstring path = L"SOFTWARE\\QuorvexOsTest" + std::to_wstring(GetCurrentProcessId());
    ~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
};

bool RawKeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Writes a value of any type the way another program would.
bool RawSet(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

}  // namespace

OS_TEST(registry_dword_round_trip) {
    os::Win32Registry registry;
    ScratchKey scratch;
    CHECK(!registry.Open(scratch.path, false));
    CHECK(!RawKeyExists(scratch.path));  // opening without creation created nothing

    auto key = registry.Open(L"\\" + scratch.path, true);  // a leading backslash, as the key paths are written
    CHECK(key != nullptr);
    if (!key) return;
    CHECK(RawKeyExists(scratch.path));
    CHECK(key->WriteDword(L"NeedVirtualPauseByNewBar", 1));
    CHECK(key->WriteDword(L"Minus", 0xFFFFFFFFu));
    std::uint32_t value = 0;
    CHECK(key->ReadDword(L"NeedVirtualPauseByNewBar", value));
    CHECK_EQ(value, 1u);
    CHECK(key->ReadDword(L"minus", value));  // value names ignore case
    CHECK_EQ(value, 0xFFFFFFFFu);

    // Types other than REG_DWORD never read as a number, not even when they are four bytes long.
    const wchar_t one[] = L"1";
    const DWORD binary = 1;
    const unsigned long long qword = 1;
    CHECK(RawSet(scratch.path, L"VirtualPaused", REG_SZ, one, sizeof one));
    CHECK_EQ(sizeof one, std::size_t{4});
    CHECK(RawSet(scratch.path, L"Binary", REG_BINARY, &binary, sizeof binary));
    CHECK(RawSet(scratch.path, L"Qword", REG_QWORD, &qword, sizeof qword));
    for (const wchar_t* name : {L"VirtualPaused", L"Binary", L"Qword", L"Missing"}) {
        value = 42;
        CHECK(!key->ReadDword(name, value));
        CHECK_EQ(value, 42u);
    }
    // Another program's REG_DWORD reads through the key that is already open.
    const DWORD two = 2;
    CHECK(RawSet(scratch.path, L"VirtualPaused", REG_DWORD, &two, sizeof two));
    CHECK(key->ReadDword(L"VirtualPaused", value));
    CHECK_EQ(value, 2u);

    auto again = registry.Open(scratch.path, false);
    CHECK(again != nullptr);
    if (again) CHECK(again->ReadDword(L"NeedVirtualPauseByNewBar", value));
}

OS_TEST(registry_delete_tree_with_subkeys) {
    os::Win32Registry registry;
    ScratchKey scratch;
    const std::wstring neighbour = scratch.path + L"x";
    ScratchKey neighbourKey{neighbour};
    for (const std::wstring& path : {scratch.path + L"\\Sub\\Deeper", scratch.path + L"\\Other", neighbour}) {
        auto key = registry.Open(path, true);
        CHECK(key != nullptr);
        if (key) CHECK(key->WriteDword(L"value", 1));
    }
    auto top = registry.Open(scratch.path, false);
    CHECK(top != nullptr);
    if (top) CHECK(top->WriteDword(L"VirtualPaused", 1));
    top.reset();

    CHECK(registry.DeleteTree(L"\\" + scratch.path));
    CHECK(!RawKeyExists(scratch.path));
    CHECK(!RawKeyExists(scratch.path + L"\\Sub"));
    CHECK(RawKeyExists(neighbour));
    CHECK(!registry.DeleteTree(scratch.path));  // nothing left

    // Created again after the deletion, the key starts empty.
    auto fresh = registry.Open(scratch.path, true);
    std::uint32_t value = 0;
    CHECK(fresh != nullptr);
    if (fresh) CHECK(!fresh->ReadDword(L"VirtualPaused", value));
    // Never the whole of HKEY_CURRENT_USER.
    CHECK(!registry.DeleteTree(L""));
    CHECK(!registry.DeleteTree(L"\\"));
    CHECK(RawKeyExists(L"SOFTWARE"));
}

OS_TEST(registry_refuses_key_names_over_255_characters) {
    os::Win32Registry registry;
    ScratchKey scratch;
    const std::wstring longest = scratch.path + L"\\" + std::wstring(255, L'k');
    auto key = registry.Open(longest, true);
    CHECK(key != nullptr);
    CHECK(RawKeyExists(longest));

    for (std::size_t length : {std::size_t{256}, std::size_t{300}}) {
        const std::wstring tooLong = scratch.path + L"\\" + std::wstring(length, L'k');
        CHECK(!registry.Open(tooLong, true));
        CHECK(!registry.Open(tooLong, false));
        CHECK(!registry.DeleteTree(tooLong));
        CHECK(!RawKeyExists(tooLong));
    }
    // Wherever the long name stands.
    CHECK(!registry.Open(scratch.path + L"\\" + std::wstring(300, L'k') + L"\\Sub", true));
    CHECK(!registry.Open(L"SOFTWARE\\\\QuorvexOsTest", true));  // an empty name
}
