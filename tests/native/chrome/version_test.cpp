// The new-version check and the two links.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "panel/chrome/SettingsKey.h"
#include "panel/chrome/VersionCheck.h"
#include "tests/native/chrome/version_test_support.h"
#include "tests/native/support/PanelFixture.h"

namespace {

// ---- What counts as an answer, and where the server is.

struct AnswerCase {
    const char* body;
    std::optional<int> version;
};

class VersionAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(VersionAnswerTest, OnlyAWholeDecimalNumberAndNothingElseIsAnAnswer) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(ParseVersionAnswer(c.body), c.version) << "body " << testing::PrintToString(std::string(c.body));
}

INSTANTIATE_TEST_SUITE_P(Bodies, VersionAnswerTest,
                         ::testing::Values(AnswerCase{"115", 115}, AnswerCase{"114", 114}, AnswerCase{"0", 0},
                                           AnswerCase{"0115", 115}, AnswerCase{"2147483647", 2147483647},
                                           AnswerCase{"2147483648", std::nullopt},
                                           AnswerCase{"99999999999999999999", std::nullopt},
                                           AnswerCase{"", std::nullopt}, AnswerCase{"115\r\n", std::nullopt},
                                           AnswerCase{"115\n", std::nullopt}, AnswerCase{" 115", std::nullopt},
                                           AnswerCase{"+115", std::nullopt}, AnswerCase{"-1", std::nullopt},
                                           AnswerCase{"1.1.5", std::nullopt}, AnswerCase{"115abc", std::nullopt},
                                           AnswerCase{"<html>115</html>", std::nullopt}));

TEST(VersionAnswer, ABodyWithAZeroByteIsNoNumber) {
    EXPECT_EQ(ParseVersionAnswer(std::string("115\0", 4)), std::nullopt);
}

struct ServerCase {
    const wchar_t* text;
    std::optional<std::wstring> host;
    int port;
};

class ServerAddressTest : public ::testing::TestWithParam<ServerCase> {};

TEST_P(ServerAddressTest, HostOrHostAndPort) {
    const ServerCase& c = GetParam();
    const std::optional<ServerAddress> address = ParseServerAddress(c.text);
    ASSERT_EQ(address.has_value(), c.host.has_value()) << testing::PrintToString(std::wstring(c.text));
    if (!address) return;
    EXPECT_EQ(address->host, *c.host);
    EXPECT_EQ(address->port, c.port);
}

INSTANTIATE_TEST_SUITE_P(Texts, ServerAddressTest,
                         ::testing::Values(ServerCase{L"127.0.0.1:8123", L"127.0.0.1", 8123},
                                           ServerCase{L"localhost", L"localhost", 80},
                                           ServerCase{L"example.test:65535", L"example.test", 65535},
                                           ServerCase{L"", std::nullopt, 0},
                                           ServerCase{L":8080", std::nullopt, 0},
                                           ServerCase{L"host:", std::nullopt, 0},
                                           ServerCase{L"host:0", std::nullopt, 0},
                                           ServerCase{L"host:65536", std::nullopt, 0},
                                           ServerCase{L"host:80a", std::nullopt, 0},
                                           ServerCase{L"host:-80", std::nullopt, 0}));

TEST(UpdateServer, TheVariableOverridesTheProgramsServerOnlyWhenItIsSound) {
    {
        ScopedEnvironment unset(kUpdateServerVariable, nullptr);
        EXPECT_EQ(UpdateServer().host, kMakersServer);
        EXPECT_EQ(UpdateServer().port, 80);
    }
    {
        ScopedEnvironment set(kUpdateServerVariable, "127.0.0.1:8123");
        EXPECT_EQ(UpdateServer().host, L"127.0.0.1");
        EXPECT_EQ(UpdateServer().port, 8123);
        EXPECT_EQ(UpdateServer().Authority(), L"127.0.0.1:8123");
    }
    for (const char* bad : {"", "host:99999", "bad host"}) {
        ScopedEnvironment set(kUpdateServerVariable, bad);
        EXPECT_EQ(UpdateServer().host, kMakersServer) << "variable \"" << bad << "\"";
    }
}

// ---- The checks, through the form's timer.

class VersionCheckTest : public PanelFixture {
protected:
    VersionCheckTest() : environment_(kUpdateServerVariable, nullptr) {}
    ~VersionCheckTest() override {
        // The workers use the client, which goes with the fixture: none may outlive it.
        held.LetAllThrough();
        if (form) EXPECT_TRUE(WaitForVersionWorkers(*form)) << "a version-check worker did not end";
    }

    TForm1& StartWith(os::HttpClient& client) {
        form = std::make_unique<TForm1>(Services{windows, registry, client, shell, programFile},
                                        std::vector<std::wstring>{std::to_wstring(chart)});
        started = form->Create();
        if (started) form->ShowForm();
        EXPECT_TRUE(started);
        return *form;
    }
    TForm1& StartHeld() { return StartWith(held); }

    std::int64_t UntilTimer3() const { return backend.DueTime(form->Timer3) - backend.Now(); }
    // Runs the clock to the next tick of Timer3.
    void TickTimer3() {
        const std::int64_t wait = UntilTimer3();
        ASSERT_GE(wait, 0) << "Timer3 is stopped";
        backend.Advance(wait);
    }
    void AllChecksEnded() { ASSERT_TRUE(WaitForVersionWorkers(*form)) << "a version-check worker did not end"; }

    HeldHttpClient held;

private:
    ScopedEnvironment environment_;
};

TEST_F(VersionCheckTest, TheFirstCheckStartsOneSecondAfterStartAndAsksTheUpdateEndpoint) {
    held.Hold();
    TForm1& f = StartHeld();
    EXPECT_EQ(UntilTimer3(), 1000);
    EXPECT_FALSE(f.Label14.Visible());
    TickTimer3();
    ASSERT_TRUE(held.WaitForRequests(1));
    const auto requests = held.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].host, L"update.quorvex.example");
    EXPECT_EQ(requests[0].port, 80);
    EXPECT_EQ(requests[0].pathAndQuery, L"/products/update.php?name=quorvex");
    EXPECT_EQ(requests[0].timeoutMilliseconds, kUpdateRequestTimeoutMilliseconds);
}

TEST_F(VersionCheckTest, TheVariablePointsTheCheckAtAServerOfTheTestsOwn) {
    ScopedEnvironment server(kUpdateServerVariable, "127.0.0.1:8123");
    TForm1& f = StartHeld();
    TickTimer3();
    ASSERT_TRUE(held.WaitForRequests(1));
    AllChecksEnded();
    EXPECT_EQ(held.Requests()[0].host, L"127.0.0.1");
    EXPECT_EQ(held.Requests()[0].port, 8123);
    (void)f;
}

struct CheckCase {
    const char* what;
    std::optional<std::string> answer;
    bool newer;
    bool valid;
};

class CheckOutcomeTest : public VersionCheckTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckOutcomeTest, TheTickAfterACheckEndsShowsItsOutcome) {
    const CheckCase& c = GetParam();
    held.Hold();
    held.SetAnswer(c.answer);
    TForm1& f = StartHeld();

    TickTimer3();
    ASSERT_TRUE(held.WaitForRequests(1));
    // The check is still waiting for its answer.
    EXPECT_FALSE(f.Label14.Visible());
    EXPECT_EQ(UntilTimer3(), 2000);

    held.LetThrough(1);
    AllChecksEnded();
    EXPECT_EQ(f.VersionCheck->NewVersionFound.load(), c.newer);
    EXPECT_EQ(f.VersionCheck->VersionCheckDone.load(), c.valid);
    EXPECT_FALSE(f.Label14.Visible()) << "only a tick shows the link";

    TickTimer3();
    EXPECT_EQ(f.Label14.Visible(), c.newer);
    EXPECT_EQ(f.Timer3.Interval(), c.valid ? 90000 : 2000);
    EXPECT_EQ(UntilTimer3(), c.valid ? 90000 : 2000);
    EXPECT_TRUE(held.WaitForRequests(2)) << "every tick starts a check";
}

INSTANTIATE_TEST_SUITE_P(Answers, CheckOutcomeTest,
                         ::testing::Values(CheckCase{"newer", "115", true, true},
                                           CheckCase{"same", "114", false, true},
                                           CheckCase{"older", "99", false, true},
                                           CheckCase{"line_break", "115\r\n", false, false},
                                           CheckCase{"too_large", "4294967411", false, false},
                                           CheckCase{"empty", "", false, false},
                                           CheckCase{"failed", std::nullopt, false, false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(VersionCheckTest, ATickStartsItsCheckWhileEarlierOnesStillWait) {
    held.Hold();
    held.SetAnswer("115");
    TForm1& f = StartHeld();
    TickTimer3();
    TickTimer3();
    TickTimer3();
    ASSERT_TRUE(held.WaitForRequests(3));
    EXPECT_FALSE(f.Label14.Visible());
    EXPECT_EQ(UntilTimer3(), 2000);
    held.LetThrough(3);
    AllChecksEnded();
    TickTimer3();
    EXPECT_TRUE(f.Label14.Visible());
    EXPECT_EQ(UntilTimer3(), 90000);
}

TEST_F(VersionCheckTest, OnceAnsweredTheTimerStaysSlowAndTheLinkFollowsTheLastCheck) {
    held.SetAnswer("115");
    TForm1& f = StartHeld();
    TickTimer3();
    AllChecksEnded();
    TickTimer3();
    ASSERT_TRUE(f.Label14.Visible());
    AllChecksEnded();

    held.SetAnswer(std::nullopt);
    TickTimer3();  // its check started with the new answer, a failure
    AllChecksEnded();
    TickTimer3();
    EXPECT_FALSE(f.Label14.Visible());
    EXPECT_TRUE(f.VersionCheck->VersionCheckDone.load());
    EXPECT_EQ(UntilTimer3(), 90000);
}

TEST_F(VersionCheckTest, NoticesOffAtStartUpSendNoRequestAndKeepTheTwoSecondTick) {
    registry.SetDword(SettingsKeyPathFor(programFile), L"NewVersion_Type", 1);
    TForm1& f = StartWith(http);
    for (int tick = 0; tick < 5; ++tick) {
        TickTimer3();
        AllChecksEnded();
        EXPECT_EQ(UntilTimer3(), 2000);
    }
    EXPECT_TRUE(http.Requests().empty());
    EXPECT_FALSE(f.Label14.Visible());
}

TEST_F(VersionCheckTest, SwitchingNoticesOffHidesTheLinkAtTheTickAfterTheNextCheck) {
    held.SetAnswer("115");
    TForm1& f = StartHeld();
    TickTimer3();
    AllChecksEnded();
    TickTimer3();
    AllChecksEnded();
    ASSERT_TRUE(f.Label14.Visible());
    const std::size_t asked = held.Requests().size();

    f.N3.Click(f.main);
    f.RadioGroup4.UserSelect(1);
    f.Button13.Click();
    ASSERT_EQ(f.VersionCheck->NewVersionType.load(), 1);

    TickTimer3();  // its check sees the notices off and ends without asking
    AllChecksEnded();
    TickTimer3();
    EXPECT_FALSE(f.Label14.Visible());
    AllChecksEnded();
    EXPECT_EQ(held.Requests().size(), asked);
}

TEST_F(VersionCheckTest, WorkersStillWaitingWhenTheFormGoesKeepTheirFlagsAlive) {
    held.Hold();
    held.SetAnswer("115");
    TForm1& f = StartHeld();
    TickTimer3();
    TickTimer3();
    ASSERT_TRUE(held.WaitForRequests(2));
    const std::weak_ptr<VersionCheckShared> shared = f.VersionCheck;
    f.DestroyForm();
    form.reset();
    ASSERT_FALSE(shared.expired());
    held.LetAllThrough();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!shared.expired() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(shared.expired()) << "a worker did not end";
}

// ---- The links.

struct LinkCase {
    const char* what;
    bool downloadLink;  // Label14, else Label11
    ui::MouseButton button;
    bool opens;
};

class LinkTest : public VersionCheckTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTest, OnlyTheLeftButtonOpensThePage) {
    const LinkCase& c = GetParam();
    TForm1& f = StartWith(http);
    ui::Label& label = c.downloadLink ? f.Label14 : f.Label11;
    label.MouseUp(c.button, 3, 4);
    if (!c.opens) {
        EXPECT_TRUE(shell.calls.empty());
        return;
    }
    ASSERT_EQ(shell.calls.size(), 1u);
    if (c.downloadLink) {
        EXPECT_EQ(shell.calls[0].address, L"http://update.quorvex.example/quorvex.php");
        EXPECT_EQ(shell.calls[0].owner, f.NativeHandle());
        EXPECT_NE(shell.calls[0].owner, 0u);
    } else {
        EXPECT_EQ(shell.calls[0].address, kMakersPage);
        EXPECT_EQ(shell.calls[0].owner, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, LinkTest,
                         ::testing::Values(LinkCase{"download_left", true, ui::MouseButton::Left, true},
                                           LinkCase{"download_right", true, ui::MouseButton::Right, false},
                                           LinkCase{"download_middle", true, ui::MouseButton::Middle, false},
                                           LinkCase{"makers_left", false, ui::MouseButton::Left, true},
                                           LinkCase{"makers_right", false, ui::MouseButton::Right, false},
                                           LinkCase{"makers_middle", false, ui::MouseButton::Middle, false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(VersionCheckTest, TheDownloadLinkFollowsTheServerOfTheVariable) {
    ScopedEnvironment server(kUpdateServerVariable, "127.0.0.1:8123");
    TForm1& f = StartWith(http);
    f.Label14.MouseUp(ui::MouseButton::Left, 0, 0);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].address, L"http://127.0.0.1:8123/quorvex.php");
}

}  // namespace
