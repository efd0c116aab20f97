#include "panel/core/Unit1.h"

#include <exception>

#include "panel/core/Channels.h"
#include "panel/core/Numbers.h"
#include "panel/os/WindowText.h"
#include "panel/ui/Backend.h"

namespace {

const wchar_t kStartupFailure[] =
    L"Интерфейс программы Quorvex не может быть запущен вне торгового терминала!";
const wchar_t kProgramName[] = L"Quorvex";

// The form's window moves here, out of every screen, while it must not be seen.
constexpr int kOffScreen = -10000;

struct StartupFailure : std::exception {
    const char* what() const noexcept override { return "no chart handle on the command line"; }
};

}  // namespace

TForm1::TForm1(Services services, std::vector<std::wstring> arguments)
    : ui::Form(L"Form1"),
      N1(PopupMenu1.Add(L"N1", L"Открыть новый ордер")),
      N2(PopupMenu1.Add(L"N2", L"Закрыть все ордера")),
      N3(PopupMenu1.Add(L"N3", L"Настройки")),
      services_(services),
      arguments_(std::move(arguments)) {
    if (!arguments_.empty()) {
        argumentText_ = arguments_.front();
        if (auto handle = ParseInteger(argumentText_)) {
            chartWindow_ = static_cast<os::Window>(static_cast<std::uint32_t>(*handle));
            chartArgumentValid_ = true;
        }
    }
    LayOutForm();
    LayOutChannelSlots();
    LayOutPropertiesPanel();
    LayOutMainPanel();
    BindEvents();
}

TForm1::~TForm1() = default;

void TForm1::LayOutChannelSlots() {
    // Fixed identifiers, so that the terminal side reaches each slot with GetDlgItem.
    ui::Edit* slots[] = {&IN_ORDERS, &IN_READ_COMMAND, &IN_ASK_BID,
                         &IN_ORDER_PROPERTY, &OUT_SELECTED_ORDER, &OUT_COMMAND};
    int id = 1001;
    int top = 340;
    for (ui::Edit* slot : slots) {
        slot->SetControlId(id++);
        slot->SetBounds(336, top, 480, slot == &IN_ORDERS ? 89 : 21);
        top += slot->Height() + 8;
    }
    OUT_COMMAND.SetText(kNoCommand);
}

void TForm1::BindEvents() {
    using ui::Control;
    using ui::MouseButton;
    auto mouse = [this](void (TForm1::*handler)(Control&, MouseButton, int, int)) {
        return [this, handler](Control& sender, MouseButton button, int x, int y) {
            (this->*handler)(sender, button, x, y);
        };
    };
    auto notify = [this](void (TForm1::*handler)(Control&)) {
        return [this, handler](Control& sender) { (this->*handler)(sender); };
    };
    auto refreshOnKey = [this](Control&, int) { RefreshControls(); };

    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    Timer3.OnTimer = [this] { Timer3Timer(); };
    Timer4.OnTimer = [this] { Timer4Timer(); };
    Timer5.OnTimer = [this] { Timer5Timer(); };

    // The panels and the labels that drag them.
    for (Control* c : {static_cast<Control*>(&main), static_cast<Control*>(&Label7),
                       static_cast<Control*>(&Label9), static_cast<Control*>(&Label6),
                       static_cast<Control*>(&Label10)}) {
        c->OnMouseDown = mouse(&TForm1::mainMouseDown);
        c->OnMouseMove = mouse(&TForm1::mainMouseMove);
        c->OnMouseUp = mouse(&TForm1::mainMouseUp);
    }
    SET_TP_SL_WND.OnMouseDown = mouse(&TForm1::SET_TP_SL_WNDMouseDown);
    SET_TP_SL_WND.OnMouseMove = mouse(&TForm1::SET_TP_SL_WNDMouseMove);
    SET_TP_SL_WND.OnMouseUp = mouse(&TForm1::SET_TP_SL_WNDMouseUp);
    SET_TSL_WND.OnMouseDown = mouse(&TForm1::SET_TSL_WNDMouseDown);
    SET_TSL_WND.OnMouseMove = mouse(&TForm1::SET_TSL_WNDMouseMove);
    SET_TSL_WND.OnMouseUp = mouse(&TForm1::SET_TSL_WNDMouseUp);
    for (Control* c : {static_cast<Control*>(&Properties), static_cast<Control*>(&Label17)}) {
        c->OnMouseDown = mouse(&TForm1::PropertiesMouseDown);
        c->OnMouseMove = mouse(&TForm1::PropertiesMouseMove);
        c->OnMouseUp = mouse(&TForm1::PropertiesMouseUp);
    }
    for (ui::Panel* panel : {&main, &SET_TP_SL_WND, &SET_TSL_WND, &Properties}) {
        panel->OnDblClick = notify(&TForm1::mainDblClick);
        panel->SetPopupMenu(&PopupMenu1);
    }

    ORDERS_LIST_m.OnClick = notify(&TForm1::ORDERS_LIST_mClick);

    Button1.OnClick = notify(&TForm1::Button1Click);
    Button2.OnClick = notify(&TForm1::Button2Click);
    TrackBar1.OnChange = notify(&TForm1::TrackBar1Change);
    ContinueTesting.OnClick = notify(&TForm1::ContinueTestingClick);

    N3.OnClick = notify(&TForm1::N3Click);
    Button12.OnClick = notify(&TForm1::Button12Click);
    Button13.OnClick = notify(&TForm1::Button13Click);

    Label14.OnMouseUp = mouse(&TForm1::Label14MouseUp);
    Label11.OnMouseUp = mouse(&TForm1::Label11MouseUp);

    for (Control* c : {static_cast<Control*>(&Edit5), static_cast<Control*>(&Edit12),
                       static_cast<Control*>(&Button3), static_cast<Control*>(&Button10),
                       static_cast<Control*>(&Button12), static_cast<Control*>(&Button13)})
        c->OnKeyDown = refreshOnKey;
}

// ---- Life of the program.

bool TForm1::Create() {
    if (ui::Backend* backend = ui::CurrentBackend()) backend->Realize(*this);
    try {
        FormCreate();
        return true;
    } catch (...) {
        if (ui::Backend* backend = ui::CurrentBackend())
            backend->MessageBox(kStartupFailure, kProgramName, ui::kMbOk | ui::kMbIconError);
        return false;
    }
}

void TForm1::ShowForm() {
    Show();
    FormShow();
}

void TForm1::CloseForm() {
    FormClose();
    if (ui::Backend* backend = ui::CurrentBackend()) backend->Terminate();
}

void TForm1::DestroyForm() {
    if (destroyed_) return;
    destroyed_ = true;
    FormDestroy();
}

void TForm1::FormCreate() {
    try {
        DeleteCommandsKey();
    } catch (...) {
    }
    RefreshControls();
    LoadSettings(true);
    VersionCheck->VersionCheckDone = false;
    try {
        AttachApplicationWindow();
    } catch (...) {
    }
    HideScrollBars();
    // Locating the tester's controls is the first use of the chart handle.
    if (!chartArgumentValid_) throw StartupFailure();
    PresetTesterSpeed();
    KeepMainPanelOnScreen();
}

void TForm1::AttachApplicationWindow() {
    ui::Backend* backend = ui::CurrentBackend();
    if (!backend) return;
    const os::Window application = backend->ApplicationHandle();
    os::WindowSystem& windows = services_.windows;
    windows.SetStyle(application, windows.Style(application) & ~(os::kStyleCaption | os::kStyleThickFrame));
    windows.SetParent(application, ChartFrame());
    windows.Move(application, 0, 0);
    windows.SetShown(application, true);
}

void TForm1::FormShow() {
    if (StartupDone) return;
    RestoreMainPanelPosition();
    KeepMainPanelOnScreen();
    StartupDone = true;
    try {
        Timer1.SetEnabled(true);
        RefreshControls();
        TrackBar1Change(TrackBar1);
        SyncPauseButton();
        if (!StandAlone()) {
            SetLeft(kOffScreen);
            for (ui::Edit* slot : {&IN_ORDERS, &IN_READ_COMMAND, &IN_ASK_BID, &IN_ORDER_PROPERTY,
                                   &OUT_SELECTED_ORDER, &OUT_COMMAND})
                slot->SetLeft(kOffScreen);
        }
        RefreshSelection();
        ui::Backend* backend = ui::CurrentBackend();
        // A panel of another kind already sits on this chart: leave it the chart.
        if (services_.windows.FindTopLevel(L"Dravonel" + argumentText_) && backend) backend->Terminate();
        if (backend) {
            const os::Window application = backend->ApplicationHandle();
            services_.windows.SetShown(application, false);
            services_.windows.SetExStyle(application,
                                         services_.windows.ExStyle(application) | os::kExStyleToolWindow);
        }
        SetToolWindow(true);
        SetCaption(L"Quorvex" + argumentText_);
        Edit12.SetText(FormatLot(OrderProperties.LotStep));
        UpdateWindowRegion();
    } catch (...) {
    }
}

void TForm1::FormClose() { Timer1.SetEnabled(false); }

void TForm1::FormDestroy() {
    try {
        DeleteCommandsKey();
    } catch (...) {
    }
    SaveSettings();
    SaveWindowPos(L"pos", main.Left(), main.Top());
}

// ---- The terminal's windows, found from the chart handle.

os::Window TForm1::ChartFrame() const { return chartWindow_ ? services_.windows.Parent(chartWindow_) : 0; }

os::Window TForm1::ChartArea() const {
    const os::Window frame = ChartFrame();
    return frame ? services_.windows.Parent(frame) : 0;
}

os::Window TForm1::TerminalMainWindow() const {
    const os::Window area = ChartArea();
    return area ? services_.windows.Parent(area) : 0;
}

os::Window TForm1::FindTesterStopButton() const {
    const os::Window terminal = TerminalMainWindow();
    return terminal ? os::FindDescendantByText(services_.windows, terminal, L"Стоп") : 0;
}

os::Window TForm1::FindTesterPauseButton() const {
    const os::Window stop = FindTesterStopButton();
    return stop ? os::StepsBefore(services_.windows, stop, 3) : 0;
}

os::Window TForm1::FindTesterSpeedSlider() const {
    const os::Window stop = FindTesterStopButton();
    return stop ? os::StepsBefore(services_.windows, stop, 4) : 0;
}

// ---- Chart following.

void TForm1::Timer2Timer() {
    if (StandAlone()) return;
    try {
        os::WindowSystem& windows = services_.windows;
        const os::Window frame = ChartFrame();
        if (os::ReadWindowText(windows, frame).empty()) {
            // The chart was closed.
            if (ui::Backend* backend = ui::CurrentBackend()) backend->Terminate();
            return;
        }
        const os::Window terminal = TerminalMainWindow();
        if (windows.PreviousSibling(frame) || (terminal && windows.IsMinimised(terminal))) {
            Hide();
            Timer1.SetEnabled(false);
            Timer3.SetEnabled(false);
            Timer4.SetEnabled(false);
            SetLeft(kOffScreen);
            return;
        }
        Timer1.SetEnabled(true);
        Timer3.SetEnabled(true);
        Timer4.SetEnabled(true);
        Show();

        os::Rect r;
        if (!windows.ScreenRect(chartWindow_, r)) return;
        os::Rect area;
        if (windows.ScreenRect(ChartArea(), area)) {
            if (area.right < r.right) r.right = area.right;
            if (area.bottom < r.bottom) r.bottom = area.bottom;
        }
        const int w = r.right - r.left - 4;
        if (w <= 0) {
            Hide();
            return;
        }
        const int h = r.bottom - r.top - 4;
        if (h <= 0) {
            SetLeft(-1000);
            Hide();
            return;
        }
        if (r.left + 2 != Left() || r.top + 2 != Top() || w != LastOverlayWidth || h != LastOverlayHeight) {
            SetBounds(r.left + 2, r.top + 2, w, h);
            LastOverlayWidth = w;
            LastOverlayHeight = h;
        }
        Label10.SetCaption(IN_ASK_BID.Text());
    } catch (...) {
    }
}
