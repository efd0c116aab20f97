#pragma once
// The main form: the overlay over the terminal's chart with its floating panels, the six
// channel slots and the timers. Declared here once; each subsystem defines the handlers it
// owns in its own folder (panel/chrome/..., panel/tester/...).
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "panel/core/OrderProperties.h"
#include "panel/core/Services.h"
#include "panel/ui/Controls.h"
#include "panel/ui/Timer.h"

// What the version-check workers share with the user-interface thread. Held through a
// shared pointer so that a worker still waiting for the network when the program ends
// never writes into a destroyed form.
struct VersionCheckShared {
    std::atomic<bool> NewVersionFound{false};
    std::atomic<bool> VersionCheckDone{false};
    std::atomic<std::int32_t> NewVersionType{0};
};

class TForm1 : public ui::Form {
public:
    TForm1(Services services, std::vector<std::wstring> arguments);
    ~TForm1() override;

    // ---- Life of the program, in the order the program runs it.
    // Creates the windows and runs FormCreate. False when start-up failed: the failure
    // message has been shown and the program is to end.
    bool Create();
    // Shows the form; the first show runs the one-time start-up work.
    void ShowForm();
    // The form is closed (by the terminal side) and destroyed at the program's end.
    void CloseForm();
    void DestroyForm();

    // ---- Start-up and chart following.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void Timer2Timer();
    void AttachApplicationWindow();

    // The command-line argument as received, and the chart window it names (0 when the
    // argument is missing or not a decimal number).
    const std::wstring& ArgumentText() const { return argumentText_; }
    os::Window ChartWindow() const { return chartWindow_; }
    bool StandAlone() const { return argumentText_ == L"100"; }
    os::Window ChartFrame() const;
    os::Window ChartArea() const;
    os::Window TerminalMainWindow() const;
    // The tester's controls, located afresh for every use; 0 when not found.
    os::Window FindTesterStopButton() const;
    os::Window FindTesterPauseButton() const;
    os::Window FindTesterSpeedSlider() const;

    // ---- Polling loop.
    void Timer1Timer();
    void RefreshSelection();
    void SyncCloseVolume();
    void ORDERS_LIST_mClick(ui::Control& sender);

    // ---- Overlay and floating panels.
    void UpdateWindowRegion();
    void RefreshControls();
    void KeepMainPanelOnScreen();
    void ForwardF11ToChart();
    void Timer4Timer();
    void mainDblClick(ui::Control& sender);
    void mainMouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    void mainMouseMove(ui::Control& sender, ui::MouseButton button, int x, int y);
    void mainMouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TP_SL_WNDMouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TP_SL_WNDMouseMove(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TP_SL_WNDMouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TSL_WNDMouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TSL_WNDMouseMove(ui::Control& sender, ui::MouseButton button, int x, int y);
    void SET_TSL_WNDMouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);
    void PropertiesMouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    void PropertiesMouseMove(ui::Control& sender, ui::MouseButton button, int x, int y);
    void PropertiesMouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);
    void PlacePanelAfterDrag(ui::Panel& panel, int x, int y);

    // ---- Tester control.
    void Button1Click(ui::Control& sender);
    void Button2Click(ui::Control& sender);
    void TrackBar1Change(ui::Control& sender);
    void PauseForEditing(ui::Control& sender);
    void ResumeAfterEditing(ui::Control& sender);
    void SyncPauseButton();
    void PresetTesterSpeed();

    // ---- Virtual pause.
    void Timer5Timer();
    void ContinueTestingClick(ui::Control& sender);
    void DeleteCommandsKey();

    // ---- Settings.
    std::wstring SettingsKeyPath() const;
    void LoadSettings(bool startup);
    void SaveSettings();
    void LoadWindowPos(const std::wstring& name, int& x, int& y);
    void SaveWindowPos(const std::wstring& name, int x, int y);
    // The first show's placing of main from the "pos" pair, as "Позиционирование" allows.
    void RestoreMainPanelPosition();
    void N3Click(ui::Control& sender);
    void Button12Click(ui::Control& sender);
    void Button13Click(ui::Control& sender);

    // ---- New version check and links.
    void Timer3Timer();
    // The worker's procedure. It sees nothing of the form: only the flags, of which each worker
    // holds a share, and the HTTP client, which lives as long as the process.
    static void CheckNewVersion(VersionCheckShared& shared, os::HttpClient& http, const std::wstring& host,
                                int port);
    void Label14MouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);
    void Label11MouseUp(ui::Control& sender, ui::MouseButton button, int x, int y);

    Services& Os() { return services_; }

    // ---- Shared state.
    OrderPropertiesRecord OrderProperties;
    std::int32_t SlTpSetType = 0;
    std::shared_ptr<VersionCheckShared> VersionCheck = std::make_shared<VersionCheckShared>();
    bool StartupDone = false;
    int LastOverlayWidth = 0;
    int LastOverlayHeight = 0;
    int LastSelectedIndex = -10;
    int LastRowCount = -10;
    // Drag state, shared by the four panels: one drag at a time.
    struct DragState {
        bool dragging = false;
        int x = 0;
        int y = 0;
        ui::Rect rect;
    } Drag;

    // ---- Controls, in the order of the form's children (which is also the slots' tab order).
    ui::PopupMenu PopupMenu1{L"PopupMenu1"};
    ui::MenuItem& N1;
    ui::MenuItem& N2;
    ui::MenuItem& N3;

    ui::Panel Properties{this, L"Properties"};
    ui::Button Button12{&Properties, L"Button12"};
    ui::Button Button13{&Properties, L"Button13"};
    ui::RadioGroup RadioGroup1{&Properties, L"RadioGroup1"};
    ui::RadioGroup RadioGroup2{&Properties, L"RadioGroup2"};
    ui::RadioGroup RadioGroup3{&Properties, L"RadioGroup3"};
    ui::RadioGroup RadioGroup4{&Properties, L"RadioGroup4"};
    ui::Label Label17{&Properties, L"Label17"};

    ui::Panel SET_TP_SL_WND{this, L"SET_TP_SL_WND"};
    ui::Panel SET_TSL_WND{this, L"SET_TSL_WND"};

    ui::Edit IN_ORDERS{this, L"IN_ORDERS", true};
    ui::Edit IN_READ_COMMAND{this, L"IN_READ_COMMAND"};
    ui::Edit IN_ASK_BID{this, L"IN_ASK_BID"};
    ui::Edit IN_ORDER_PROPERTY{this, L"IN_ORDER_PROPERTY"};
    ui::Edit OUT_SELECTED_ORDER{this, L"OUT_SELECTED_ORDER"};
    ui::Edit OUT_COMMAND{this, L"OUT_COMMAND"};

    ui::Panel main{this, L"main"};
    ui::Label Label7{&main, L"Label7"};
    ui::Label Label14{&main, L"Label14"};
    ui::Splitter AdvSplitter2{&main, L"AdvSplitter2"};
    ui::Label Label6{&main, L"Label6"};
    ui::Label Label10{&main, L"Label10"};
    ui::SpriteButton SpriteButton9{&main, L"SpriteButton9", ui::SpriteButton::Face::Sell};
    ui::SpriteButton SpriteButton27{&main, L"SpriteButton27", ui::SpriteButton::Face::Buy};
    ui::Edit Edit12{&main, L"Edit12"};
    ui::SpinButtons RzSpinButtons8{&main, L"RzSpinButtons8"};
    ui::Button Button10{&main, L"Button10"};
    ui::CheckBox CheckBox1{&main, L"CheckBox1"};
    ui::Splitter AdvSplitter1{&main, L"AdvSplitter1"};
    ui::Label Label9{&main, L"Label9"};
    ui::ListBox ORDERS_LIST_m{&main, L"ORDERS_LIST_m"};
    ui::Button Button3{&main, L"Button3"};
    ui::Button Button4{&main, L"Button4"};
    ui::Edit Edit5{&main, L"Edit5"};
    ui::SpinButtons RzSpinButtons4{&main, L"RzSpinButtons4"};
    ui::Button Button7{&main, L"Button7"};
    ui::Splitter AdvSplitter4{&main, L"AdvSplitter4"};
    ui::CheckBox NeedVirtualPauseByNewBar{&main, L"NeedVirtualPauseByNewBar"};
    ui::Button ContinueTesting{&main, L"ContinueTesting"};
    ui::Splitter AdvSplitter3{&main, L"AdvSplitter3"};
    ui::TrackBar TrackBar1{&main, L"TrackBar1"};
    ui::Button Button1{&main, L"Button1"};
    ui::Button Button2{&main, L"Button2"};
    ui::Label Label11{&main, L"Label11"};

    ui::Timer Timer1{L"Timer1", 200, true};
    ui::Timer Timer2{L"Timer2", 500, true};
    ui::Timer Timer3{L"Timer3", 1000, true};
    ui::Timer Timer4{L"Timer4", 200, true};
    ui::Timer Timer5{L"Timer5", 500, true};

private:
    // Positions, captions and looks of every control, and the events bound to them.
    void LayOutForm();
    void LayOutMainPanel();
    void LayOutPropertiesPanel();
    void LayOutChannelSlots();
    void BindEvents();

    Services services_;
    std::vector<std::wstring> arguments_;
    std::wstring argumentText_;
    os::Window chartWindow_ = 0;
    bool chartArgumentValid_ = false;
    bool destroyed_ = false;
};
