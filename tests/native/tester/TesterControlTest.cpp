#include <stdexcept>
#include <string>
#include <vector>

#include "panel/chrome/SettingsKey.h"
#include "tests/native/tester/TesterFixture.h"

namespace {

const std::wstring kPauseHint = L"Приостановить тестирование";
const std::wstring kContinueHint = L"Продолжить тестирование";

class TesterControl : public TesterFixture {
protected:
    // A started panel, with the start-up's own messages out of the way.
    TForm1& Running() {
        Start();
        EXPECT_TRUE(started);
        windows.ClearLog();
        return *form;
    }
};

// ---- Pause and continue.

struct PauseCase {
    const wchar_t* testerText;     // the tester's pause button
    const wchar_t* captionBefore;  // Button1 before the click
    const wchar_t* captionAfter;
    const std::wstring* hintAfter;  // null: the hint stays as it was
};

class PauseClick : public TesterControl, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PauseClick, FollowsTheTesterAndClicksItsButtonOnce) {
    const PauseCase& c = GetParam();
    TForm1& f = Running();
    windows.SetText(pauseButton, c.testerText);
    f.Button1.SetCaption(c.captionBefore);
    f.Button1.SetHint(L"before");

    f.Button1.Click();

    EXPECT_EQ(f.Button1.Caption(), c.captionAfter);
    EXPECT_EQ(f.Button1.Hint(), c.hintAfter ? *c.hintAfter : L"before");
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(pauseButton)});
}

INSTANTIATE_TEST_SUITE_P(
    TesterStates, PauseClick,
    ::testing::Values(
        // Running: the click pauses, Button1 offers to continue.
        PauseCase{L"| |", L"| |", L">>", &kContinueHint},
        // Paused: the click continues, Button1 offers to pause.
        PauseCase{L">>", L">>", L"| |", &kPauseHint},
        // The marks are parts of the text, not the whole of it.
        PauseCase{L"Пауза | |", L"| |", L">>", &kContinueHint},
        // Paused in the terminal while Button1 still says running: the click brings them in line.
        PauseCase{L">>", L"| |", L"| |", &kPauseHint},
        // Neither mark: Button1 is left alone, the click goes all the same.
        PauseCase{L"Пауза", L"| |", L"| |", nullptr}));

TEST_F(TesterControl, StopClicksTheTestersStopButtonAndLeavesButton1) {
    TForm1& f = Running();
    const std::wstring caption = f.Button1.Caption();

    f.Button2.Click();

    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(stopButton)});
    EXPECT_EQ(f.Button1.Caption(), caption);
}

// ---- Speed.

struct SpeedCase {
    int position;
    int downs;
    const wchar_t* hint;
};

class SpeedChange : public TesterControl, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedChange, PostsHomeThenDownsAndShowsThePosition) {
    const SpeedCase& c = GetParam();
    TForm1& f = Running();
    f.TrackBar1.SetPosition(c.position == 5 ? 6 : 5);
    windows.ClearLog();

    f.TrackBar1.SetPosition(c.position);

    EXPECT_EQ(SentToTerminal(), SpeedSequence(c.downs));
    EXPECT_EQ(f.TrackBar1.Hint(), c.hint);
}

INSTANTIATE_TEST_SUITE_P(Positions, SpeedChange,
                         ::testing::Values(SpeedCase{26, 25, L"26"}, SpeedCase{0, 0, L"0"},
                                           SpeedCase{1, 0, L"1"}, SpeedCase{32, 31, L"32"}),
                         [](const ::testing::TestParamInfo<SpeedCase>& info) {
                             return "At" + std::to_string(info.param.position);
                         });

TEST_F(TesterControl, DraggingPostsOneWholeSequencePerPositionPassed) {
    TForm1& f = Running();
    f.TrackBar1.SetPosition(10);
    windows.ClearLog();

    f.TrackBar1.SetPosition(11);
    f.TrackBar1.SetPosition(12);

    EXPECT_EQ(SentToTerminal(), Then(SpeedSequence(10), SpeedSequence(11)));
    EXPECT_EQ(f.TrackBar1.Hint(), L"12");
}

// ---- Start-up.

struct StartUpCase {
    const char* name;
    void (*store)(os::FakeRegistry&, const std::wstring& settingsKey);
    int position;
    // The settings raise the slider's change event before the preset when the stored
    // position differs from the designed 26.
    bool changedBySettings;
};

class StartUpSpeed : public TesterFixture, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUpSpeed, PresetsTheTestersSliderThenSendsThePanelsSpeed) {
    const StartUpCase& c = GetParam();
    c.store(registry, SettingsKeyPathFor(programFile));

    Start();
    ASSERT_TRUE(started);

    EXPECT_EQ(form->TrackBar1.Position(), c.position);
    const std::vector<Message> preset =
        Then(Presses(speedSlider, os::kVkEnd, 1), Presses(speedSlider, os::kVkUp, 6));
    std::vector<Message> expected = Then(preset, SpeedSequence(c.position - 1));
    if (c.changedBySettings) expected = Then(SpeedSequence(c.position - 1), expected);
    EXPECT_EQ(windows.LogFor(speedSlider), expected);
    EXPECT_TRUE(windows.LogFor(pauseButton).empty());
    EXPECT_TRUE(windows.LogFor(stopButton).empty());
}

INSTANTIATE_TEST_SUITE_P(
    StoredPositions, StartUpSpeed,
    ::testing::Values(
        StartUpCase{"Missing", [](os::FakeRegistry&, const std::wstring&) {}, 24, true},
        StartUpCase{"Designed", [](os::FakeRegistry& r, const std::wstring& k) { r.SetDword(k, L"TrackBarPos", 26); },
                    26, false},
        StartUpCase{"AboveTheRange",
                    [](os::FakeRegistry& r, const std::wstring& k) { r.SetDword(k, L"TrackBarPos", 40); }, 32, true},
        StartUpCase{"Text", [](os::FakeRegistry& r, const std::wstring& k) { r.SetString(k, L"TrackBarPos", L"30"); },
                    24, true}),
    [](const ::testing::TestParamInfo<StartUpCase>& info) { return std::string(info.param.name); });

TEST_F(TesterControl, StartUpPutsTheFrameOnTrackBar1) {
    Start();
    ASSERT_TRUE(started);
    const ui::Handle slider = backend.HandleOf(form->TrackBar1);
    ASSERT_NE(slider, 0u);
    EXPECT_EQ(InstalledTrackBarFrames(), std::vector<ui::Handle>{slider});
}

struct SyncCase {
    const wchar_t* testerText;
    const wchar_t* caption;
    const std::wstring* hint;
};

class FirstShow : public TesterControl, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(FirstShow, Button1TakesTheTestersStateWithoutClicking) {
    const SyncCase& c = GetParam();
    windows.SetText(pauseButton, c.testerText);
    Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(form->Button1.Caption(), c.caption);
    EXPECT_EQ(form->Button1.Hint(), *c.hint);
    EXPECT_TRUE(windows.LogFor(pauseButton).empty());
}

INSTANTIATE_TEST_SUITE_P(TesterStates, FirstShow,
                         ::testing::Values(SyncCase{L"| |", L"| |", &kPauseHint},
                                           SyncCase{L">>", L">>", &kContinueHint}));

// ---- The tester's controls cannot be found.

TEST_F(TesterControl, WithoutAStopButtonNothingReachesTheTerminal) {
    TForm1& f = Running();
    // The tester's button shows another text at the moment.
    windows.SetText(stopButton, L"Старт");
    f.CheckBox1.SetChecked(true);
    const std::wstring caption = f.Button1.Caption();
    const std::wstring hint = f.Button1.Hint();

    f.Button1.Click();
    f.Button2.Click();
    f.TrackBar1.SetPosition(f.TrackBar1.Position() == 10 ? 11 : 10);
    f.PauseForEditing(f.Button1);
    f.ResumeAfterEditing(f.Button1);
    f.SyncPauseButton();

    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(f.Button1.Caption(), caption);
    EXPECT_EQ(f.Button1.Hint(), hint);
}

TEST_F(TesterControl, StartUpWithoutAStopButtonPostsNoKeyAndGoesOn) {
    windows.SetText(stopButton, L"");
    Start();
    EXPECT_TRUE(started);
    EXPECT_TRUE(backend.MessageBoxes().empty());
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(InstalledTrackBarFrames().size(), 1u);
}

TEST_F(TesterControl, TooFewSiblingsBeforeTheStopButtonSendNothingToAnyWindow) {
    // Only the pause button's place is left: the slider's step runs off the strip.
    windows.Remove(speedSlider);
    TForm1& f = Running();
    f.TrackBar1.SetPosition(f.TrackBar1.Position() == 10 ? 11 : 10);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});

    // Now not even the pause button's.
    windows.Remove(pauseButton);
    const std::wstring caption = f.Button1.Caption();
    f.Button1.Click();
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(f.Button1.Caption(), caption);
    // The Stop button itself is still there to be clicked.
    f.Button2.Click();
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(stopButton)});
}

// ---- Pause while editing.

TEST_F(TesterControl, UncheckedCheckBox1KeepsTheEditorsAwayFromTheTest) {
    TForm1& f = Running();
    f.CheckBox1.SetChecked(false);
    for (const wchar_t* state : {L"| |", L">>"}) {
        windows.SetText(pauseButton, state);
        f.Button1.SetCaption(state);
        f.PauseForEditing(f.Button1);
        f.ResumeAfterEditing(f.Button1);
        EXPECT_EQ(f.Button1.Caption(), state);
    }
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
}

TEST_F(TesterControl, EditingPausesARunningTestAndContinuesItAfterwards) {
    TForm1& f = Running();
    f.CheckBox1.SetChecked(true);
    ASSERT_EQ(f.Button1.Caption(), L"| |");

    f.PauseForEditing(f.Button1);
    EXPECT_EQ(f.Button1.Caption(), L">>");
    EXPECT_EQ(f.Button1.Hint(), kContinueHint);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(pauseButton)});

    windows.SetText(pauseButton, L">>");  // as the tester shows it after the click
    windows.ClearLog();
    f.ResumeAfterEditing(f.Button1);
    EXPECT_EQ(f.Button1.Caption(), L"| |");
    EXPECT_EQ(f.Button1.Hint(), kPauseHint);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(pauseButton)});
}

TEST_F(TesterControl, ATestTheUserPausedIsContinuedWhenTheEditorCloses) {
    TForm1& f = Running();
    f.CheckBox1.SetChecked(true);
    f.Button1.Click();
    windows.SetText(pauseButton, L">>");
    windows.ClearLog();

    f.PauseForEditing(f.Button1);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(f.Button1.Caption(), L">>");

    f.ResumeAfterEditing(f.Button1);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{Click(pauseButton)});
    EXPECT_EQ(f.Button1.Caption(), L"| |");
}

TEST_F(TesterControl, EditorsLeaveTheTestAloneWhileButton1AndTheTesterDisagree) {
    TForm1& f = Running();
    f.CheckBox1.SetChecked(true);
    // Paused in the terminal itself; Button1 still says the test runs.
    windows.SetText(pauseButton, L">>");
    ASSERT_EQ(f.Button1.Caption(), L"| |");

    f.PauseForEditing(f.Button1);
    f.ResumeAfterEditing(f.Button1);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(f.Button1.Caption(), L"| |");

    // The other way round: Button1 says paused, the tester runs.
    windows.SetText(pauseButton, L"| |");
    f.Button1.SetCaption(L">>");
    f.PauseForEditing(f.Button1);
    f.ResumeAfterEditing(f.Button1);
    EXPECT_EQ(SentToTerminal(), std::vector<Message>{});
    EXPECT_EQ(f.Button1.Caption(), L">>");
}

// ---- Failures on the way to the terminal.

// The fixture's window family, with every message to the terminal and every text read failing
// once armed, as a terminal that has gone away mid-call might make them.
class FailingWindows : public os::WindowSystem {
public:
    explicit FailingWindows(os::FakeWindowSystem& inner) : inner_(inner) {}
    bool armed = false;

    os::Window Parent(os::Window w) override { return inner_.Parent(w); }
    os::Window FirstChild(os::Window w) override { return inner_.FirstChild(w); }
    os::Window NextSibling(os::Window w) override { return inner_.NextSibling(w); }
    os::Window PreviousSibling(os::Window w) override { return inner_.PreviousSibling(w); }
    int TextLength(os::Window w) override { return inner_.TextLength(w); }
    int GetText(os::Window w, wchar_t* buffer, int capacity) override {
        Fail();
        return inner_.GetText(w, buffer, capacity);
    }
    bool ScreenRect(os::Window w, os::Rect& r) override { return inner_.ScreenRect(w, r); }
    bool IsMinimised(os::Window w) override { return inner_.IsMinimised(w); }
    os::Window ForegroundWindow() override { return inner_.ForegroundWindow(); }
    short AsyncKeyState(int key) override { return inner_.AsyncKeyState(key); }
    os::Window FindTopLevel(const std::wstring& title) override { return inner_.FindTopLevel(title); }
    void SendClick(os::Window w) override {
        Fail();
        inner_.SendClick(w);
    }
    void PostKey(os::Window w, unsigned message, unsigned key) override {
        Fail();
        inner_.PostKey(w, message, key);
    }
    long Style(os::Window w) override { return inner_.Style(w); }
    bool SetStyle(os::Window w, long style) override { return inner_.SetStyle(w, style); }
    long ExStyle(os::Window w) override { return inner_.ExStyle(w); }
    bool SetExStyle(os::Window w, long exStyle) override { return inner_.SetExStyle(w, exStyle); }
    bool SetParent(os::Window child, os::Window parent) override { return inner_.SetParent(child, parent); }
    bool Move(os::Window w, int x, int y) override { return inner_.Move(w, x, y); }
    bool SetShown(os::Window w, bool shown) override { return inner_.SetShown(w, shown); }

private:
    void Fail() const {
        if (armed) throw std::runtime_error("the terminal does not answer");
    }
    os::FakeWindowSystem& inner_;
};

struct FailureCase {
    const char* name;
    void (*run)(TForm1&);
    bool passesOn;
};

class TesterFailure : public TesterFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TesterFailure, OnlyTheSwallowingOperationsKeepTheFailure) {
    const FailureCase& c = GetParam();
    FailingWindows failing(windows);
    form = std::make_unique<TForm1>(Services{failing, registry, http, shell, programFile},
                                    std::vector<std::wstring>{std::to_wstring(chart)});
    ASSERT_TRUE(form->Create());
    form->ShowForm();
    form->CheckBox1.SetChecked(true);
    form->Button1.SetCaption(L">>");
    windows.SetText(pauseButton, L">>");
    failing.armed = true;

    if (c.passesOn)
        EXPECT_THROW(c.run(*form), std::runtime_error) << c.name;
    else
        EXPECT_NO_THROW(c.run(*form)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, TesterFailure,
    ::testing::Values(
        FailureCase{"Button1Click", [](TForm1& f) { f.Button1Click(f.Button1); }, true},
        FailureCase{"TrackBar1Change", [](TForm1& f) { f.TrackBar1Change(f.TrackBar1); }, true},
        FailureCase{"ResumeAfterEditing", [](TForm1& f) { f.ResumeAfterEditing(f.Button1); }, true},
        FailureCase{"Button2Click", [](TForm1& f) { f.Button2Click(f.Button2); }, false},
        FailureCase{"PauseForEditing",
                    [](TForm1& f) {
                        f.Button1.SetCaption(L"| |");
                        f.PauseForEditing(f.Button1);
                    },
                    false},
        FailureCase{"SyncPauseButton", [](TForm1& f) { f.SyncPauseButton(); }, false}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
