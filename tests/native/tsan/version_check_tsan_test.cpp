// The version-check workers against the user-interface thread, under ThreadSanitizer: many
// checks at once, slow and fast answers mixed, while the timer ticks and the notices are
// switched on and off through the settings panel.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tests/native/chrome/version_test_support.h"
#include "tests/native/support/PanelFixture.h"

namespace {

// Answers in turn a newer version, the same version, a failure and an invalid body, each
// after a short wait of its own, so that checks overlap and end out of order.
class MixedHttpClient : public os::HttpClient {
public:
    std::optional<std::string> Get(const std::wstring&, int, const std::wstring&, int) override {
        const int n = calls.fetch_add(1);
        std::this_thread::sleep_for(std::chrono::microseconds((n * 7919) % 2000));
        switch (n % 4) {
            case 0: return "115";
            case 1: return "114";
            case 2: return std::nullopt;
            default: return "115\r\n";
        }
    }
    std::atomic<int> calls{0};
};

class VersionCheckRaceTest : public PanelFixture {
protected:
    ~VersionCheckRaceTest() override {
        if (form) EXPECT_TRUE(WaitForVersionWorkers(*form));
    }
    TForm1& StartWith(os::HttpClient& client) {
        form = std::make_unique<TForm1>(Services{windows, registry, client, shell, programFile},
                                        std::vector<std::wstring>{std::to_wstring(chart)});
        started = form->Create();
        if (started) form->ShowForm();
        EXPECT_TRUE(started);
        return *form;
    }
    void SetNotices(TForm1& f, bool on) {
        f.N3.Click(f.main);
        f.RadioGroup4.UserSelect(on ? 0 : 1);
        f.Button13.Click();
    }
    MixedHttpClient mixed;
};

TEST_F(VersionCheckRaceTest, OverlappingChecksShareOnlyTheFlags) {
    TForm1& f = StartWith(mixed);
    bool noticesOn = true;
    for (int tick = 0; tick < 300; ++tick) {
        if (tick % 25 == 24) {
            noticesOn = !noticesOn;
            SetNotices(f, noticesOn);
        }
        f.Timer3.Fire();
        (void)f.Label14.Visible();
    }
    ASSERT_TRUE(WaitForVersionWorkers(f));
    EXPECT_GT(mixed.calls.load(), 0);
    EXPECT_TRUE(f.VersionCheck->VersionCheckDone.load());

    // With the notices off the next check ends with nothing found, and the tick after it
    // hides the link whatever the checks before had found.
    SetNotices(f, false);
    const int asked = mixed.calls.load();
    f.Timer3.Fire();
    ASSERT_TRUE(WaitForVersionWorkers(f));
    f.Timer3.Fire();
    EXPECT_FALSE(f.Label14.Visible());
    ASSERT_TRUE(WaitForVersionWorkers(f));
    EXPECT_EQ(mixed.calls.load(), asked);
}

TEST_F(VersionCheckRaceTest, WorkersStillWaitingWhenTheFormGoesWriteIntoNothingThatIsGone) {
    HeldHttpClient held;
    held.Hold();
    held.SetAnswer("115");
    TForm1& f = StartWith(held);
    for (int tick = 0; tick < 20; ++tick) f.Timer3.Fire();
    ASSERT_TRUE(held.WaitForRequests(20));
    const std::weak_ptr<VersionCheckShared> shared = f.VersionCheck;
    f.DestroyForm();
    form.reset();
    ASSERT_FALSE(shared.expired()) << "the waiting workers keep the flags alive";
    held.LetAllThrough();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!shared.expired() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(shared.expired()) << "a worker did not end";
    // The client goes with this test: it must see no worker after this point.
    (void)held.Requests();
}

}  // namespace
