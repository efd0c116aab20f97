// The in-memory registry keeps the rules of the real one that the panel depends on.
#include <gtest/gtest.h>

#include <string>

#include "panel/os/fake/FakeRegistry.h"

namespace {

using os::FakeRegistry;

const std::wstring kCommands = L"SOFTWARE\\Quorvex_commands";

TEST(FakeRegistry, OnlyADwordReadsAsADword) {
    FakeRegistry registry;
    registry.SetString(kCommands, L"VirtualPaused", L"1");
    registry.SetDword(kCommands, L"NeedVirtualPauseByNewBar", 7);
    auto key = registry.Open(kCommands, false);
    ASSERT_TRUE(key);
    std::uint32_t value = 42;
    EXPECT_FALSE(key->ReadDword(L"VirtualPaused", value)) << "the text \"1\" must not read as a number";
    EXPECT_EQ(value, 42u) << "a failed read leaves the value alone";
    EXPECT_FALSE(key->ReadDword(L"Missing", value));
    ASSERT_TRUE(key->ReadDword(L"NeedVirtualPauseByNewBar", value));
    EXPECT_EQ(value, 7u);
}

TEST(FakeRegistry, AWriteReplacesTheValueAndItsType) {
    FakeRegistry registry;
    registry.SetString(kCommands, L"VirtualPaused", L"1");
    auto key = registry.Open(kCommands, false);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteDword(L"virtualpaused", 0));
    const FakeRegistry::Value* stored = registry.Get(kCommands, L"VirtualPaused");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->type, FakeRegistry::Type::Dword) << "value names ignore case, as the registry's do";
    EXPECT_EQ(stored->number, 0u);
}

TEST(FakeRegistry, OpenCreatesOnlyWhenAsked) {
    FakeRegistry registry;
    EXPECT_FALSE(registry.Open(kCommands, false));
    EXPECT_FALSE(registry.KeyExists(kCommands)) << "a failed open must not create the key";
    EXPECT_TRUE(registry.Open(L"\\SOFTWARE\\Quorvex_commands", true)) << "a leading backslash is ignored";
    EXPECT_TRUE(registry.KeyExists(L"software\\QUORVEX_COMMANDS")) << "paths ignore case";
    EXPECT_TRUE(registry.KeyExists(L"SOFTWARE")) << "the parent is created with the key";
    EXPECT_TRUE(registry.Open(kCommands, false));
}

TEST(FakeRegistry, DeleteTreeTakesSubkeysAndValuesButNotNeighbours) {
    FakeRegistry registry;
    registry.SetDword(kCommands, L"VirtualPaused", 1);
    registry.SetDword(kCommands + L"\\Sub\\Deeper", L"x", 1);
    registry.SetDword(L"SOFTWARE\\Quorvex_commands2", L"x", 1);
    registry.SetDword(L"SOFTWARE\\Quorvex_commands x", L"x", 1);
    ASSERT_TRUE(registry.DeleteTree(L"\\software\\quorvex_commands"));
    EXPECT_FALSE(registry.KeyExists(kCommands));
    EXPECT_FALSE(registry.KeyExists(kCommands + L"\\Sub"));
    EXPECT_FALSE(registry.KeyExists(kCommands + L"\\Sub\\Deeper"));
    EXPECT_EQ(registry.Get(kCommands, L"VirtualPaused"), nullptr);
    EXPECT_TRUE(registry.KeyExists(L"SOFTWARE\\Quorvex_commands2"));
    EXPECT_TRUE(registry.KeyExists(L"SOFTWARE\\Quorvex_commands x"));
    EXPECT_TRUE(registry.KeyExists(L"SOFTWARE"));
    EXPECT_FALSE(registry.DeleteTree(kCommands)) << "nothing left to delete";
    // Re-created after the deletion, the key starts empty.
    ASSERT_TRUE(registry.Open(kCommands, true));
    EXPECT_EQ(registry.Get(kCommands, L"VirtualPaused"), nullptr);
}

TEST(FakeRegistry, AKeyDeletedWhileOpenTakesNoMoreReadsOrWrites) {
    FakeRegistry registry;
    auto key = registry.Open(kCommands, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(registry.DeleteTree(kCommands));
    std::uint32_t value = 0;
    EXPECT_FALSE(key->WriteDword(L"VirtualPaused", 0));
    EXPECT_FALSE(key->ReadDword(L"VirtualPaused", value));
    EXPECT_FALSE(registry.KeyExists(kCommands)) << "a write through a stale key must not revive it";
}

TEST(FakeRegistry, RefusesKeyNamesLongerThan255Characters) {
    struct Case {
        std::wstring path;
        bool accepted;
    };
    const std::wstring settings = L"SOFTWARE\\Quorvex";
    const Case cases[] = {
        {settings + std::wstring(255 - 7, L'_'), true},  // "Quorvex" + suffix: exactly 255
        {settings + std::wstring(256 - 7, L'_'), false},
        {std::wstring(256, L'k') + L"\\Sub", false},     // a long name anywhere in the path
        {L"SOFTWARE\\\\Quorvex", false},                 // an empty name
        {L"", false},
        {L"\\", false},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        EXPECT_EQ(registry.Open(c.path, true) != nullptr, c.accepted) << "path of " << c.path.size() << " characters";
        EXPECT_EQ(registry.Open(c.path, false) != nullptr, c.accepted);
        if (!c.accepted) {
            EXPECT_FALSE(registry.DeleteTree(c.path));
        }
    }
}

TEST(FakeRegistry, AFailingRegistryRefusesEverything) {
    FakeRegistry registry;
    auto key = registry.Open(kCommands, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteDword(L"VirtualPaused", 1));
    registry.SetFailing(true);
    std::uint32_t value = 0;
    EXPECT_FALSE(key->ReadDword(L"VirtualPaused", value));
    EXPECT_FALSE(key->WriteDword(L"VirtualPaused", 0));
    EXPECT_FALSE(registry.Open(kCommands, false));
    EXPECT_FALSE(registry.Open(L"SOFTWARE\\Other", true));
    EXPECT_FALSE(registry.DeleteTree(kCommands));
    EXPECT_TRUE(registry.KeyExists(kCommands));
    EXPECT_EQ(registry.Get(kCommands, L"VirtualPaused")->number, 1u) << "the failed write changed nothing";
    registry.SetFailing(false);
    ASSERT_TRUE(key->ReadDword(L"VirtualPaused", value));
    EXPECT_EQ(value, 1u);
}

}  // namespace
