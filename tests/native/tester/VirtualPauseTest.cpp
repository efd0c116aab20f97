#include <cstdint>
#include <string>

#include "panel/tester/CommandsKey.h"
#include "tests/native/tester/TesterFixture.h"

namespace {

using Type = os::FakeRegistry::Type;

class VirtualPause : public TesterFixture {
protected:
    const os::FakeRegistry::Value* Value(const wchar_t* name) const { return registry.Get(kCommandsKeyPath, name); }

    // A REG_DWORD with exactly this number.
    ::testing::AssertionResult IsDword(const wchar_t* name, std::uint32_t expected) const {
        const os::FakeRegistry::Value* v = Value(name);
        if (!v) return ::testing::AssertionFailure() << "no value";
        if (v->type != Type::Dword) return ::testing::AssertionFailure() << "not a REG_DWORD";
        if (v->number != expected)
            return ::testing::AssertionFailure() << "expected " << expected << ", got " << v->number;
        return ::testing::AssertionSuccess();
    }

    // Started and through its first tick, armed.
    TForm1& Armed() {
        Start();
        EXPECT_TRUE(started);
        backend.Advance(500);
        return *form;
    }
};

TEST_F(VirtualPause, FreshStartDeletesTheKeyAndTheFirstTickArmsIt) {
    // Left over from an earlier panel, with a subkey of someone else's below it.
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    registry.SetDword(kCommandsKeyPath, kNeedVirtualPauseValue, 0);
    registry.SetDword(std::wstring(kCommandsKeyPath) + L"\\Other", L"x", 1);

    Start();
    ASSERT_TRUE(started);
    EXPECT_FALSE(registry.KeyExists(kCommandsKeyPath));
    EXPECT_FALSE(registry.KeyExists(std::wstring(kCommandsKeyPath) + L"\\Other"));

    for (int tick = 0; tick < 3; ++tick) {
        backend.Advance(500);
        EXPECT_TRUE(registry.KeyExists(kCommandsKeyPath));
        EXPECT_TRUE(IsDword(kNeedVirtualPauseValue, 1));
        EXPECT_EQ(Value(kVirtualPausedValue), nullptr);
        EXPECT_FALSE(form->ContinueTesting.Visible()) << "tick " << tick;
    }
}

TEST_F(VirtualPause, ShutDownDeletesTheKey) {
    Armed();
    ASSERT_TRUE(registry.KeyExists(kCommandsKeyPath));
    form->DestroyForm();
    EXPECT_FALSE(registry.KeyExists(kCommandsKeyPath));
}

struct HoldCase {
    const char* name;
    void (*write)(os::FakeRegistry&);
    bool held;
};

class HoldValue : public VirtualPause, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(HoldValue, OnlyANonzeroDwordShowsTheButton) {
    TForm1& f = Armed();
    ASSERT_FALSE(f.ContinueTesting.Visible());

    GetParam().write(registry);  // the terminal side, from its own process
    backend.Advance(500);

    EXPECT_EQ(f.ContinueTesting.Visible(), GetParam().held);
    // A checked panel never writes the hold itself.
    backend.Advance(500);
    EXPECT_EQ(f.ContinueTesting.Visible(), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Values, HoldValue,
    ::testing::Values(
        HoldCase{"Dword1", [](os::FakeRegistry& r) { r.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1); }, true},
        HoldCase{"Dword2", [](os::FakeRegistry& r) { r.SetDword(kCommandsKeyPath, kVirtualPausedValue, 2); }, true},
        HoldCase{"Dword0", [](os::FakeRegistry& r) { r.SetDword(kCommandsKeyPath, kVirtualPausedValue, 0); }, false},
        HoldCase{"Text1", [](os::FakeRegistry& r) { r.SetString(kCommandsKeyPath, kVirtualPausedValue, L"1"); },
                 false}),
    [](const ::testing::TestParamInfo<HoldCase>& info) { return std::string(info.param.name); });

TEST_F(VirtualPause, ContinueClearsTheHoldAndHidesTheButtonAtOnce) {
    TForm1& f = Armed();
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    backend.Advance(500);
    ASSERT_TRUE(f.ContinueTesting.Visible());

    f.ContinueTesting.Click();

    EXPECT_TRUE(IsDword(kVirtualPausedValue, 0));
    EXPECT_FALSE(f.ContinueTesting.Visible());
}

TEST_F(VirtualPause, UncheckingEndsAHoldAndKeepsClearingIt) {
    TForm1& f = Armed();
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    backend.Advance(500);
    ASSERT_TRUE(f.ContinueTesting.Visible());

    f.NeedVirtualPauseByNewBar.SetChecked(false);
    backend.Advance(500);
    EXPECT_TRUE(IsDword(kNeedVirtualPauseValue, 0));
    EXPECT_TRUE(IsDword(kVirtualPausedValue, 0));
    EXPECT_FALSE(f.ContinueTesting.Visible());

    // Another panel's terminal starts a hold: this one, switched off, ends it on its next tick.
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    backend.Advance(500);
    EXPECT_TRUE(IsDword(kVirtualPausedValue, 0));
    EXPECT_FALSE(f.ContinueTesting.Visible());

    // Checked again: armed, and the next hold shows the button.
    f.NeedVirtualPauseByNewBar.SetChecked(true);
    backend.Advance(500);
    EXPECT_TRUE(IsDword(kNeedVirtualPauseValue, 1));
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    backend.Advance(500);
    EXPECT_TRUE(f.ContinueTesting.Visible());
}

TEST_F(VirtualPause, AKeyRemovedWhileRunningIsCreatedAgain) {
    Armed();
    registry.DeleteTree(kCommandsKeyPath);
    ASSERT_FALSE(registry.KeyExists(kCommandsKeyPath));
    backend.Advance(500);
    EXPECT_TRUE(IsDword(kNeedVirtualPauseValue, 1));
}

TEST_F(VirtualPause, ABrokenRegistryHidesTheButtonAndTheClickStillHidesIt) {
    TForm1& f = Armed();
    registry.SetDword(kCommandsKeyPath, kVirtualPausedValue, 1);
    backend.Advance(500);
    ASSERT_TRUE(f.ContinueTesting.Visible());

    registry.SetFailing(true);
    backend.Advance(500);
    EXPECT_FALSE(f.ContinueTesting.Visible());

    f.ContinueTesting.Show();
    EXPECT_NO_THROW(f.ContinueTesting.Click());
    EXPECT_FALSE(f.ContinueTesting.Visible());
    registry.SetFailing(false);
    // The hold the registry kept through the failure shows again once it answers.
    backend.Advance(500);
    EXPECT_TRUE(f.ContinueTesting.Visible());
}

}  // namespace
