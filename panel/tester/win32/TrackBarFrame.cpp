#include "panel/tester/TrackBarFrame.h"

#include <windows.h>

namespace {

// The handles a frame needs for one paint, each given back when it goes out of scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class OwnedPen {
public:
    explicit OwnedPen(HPEN pen) : pen_(pen) {}
    ~OwnedPen() {
        if (pen_) DeleteObject(pen_);
    }
    OwnedPen(const OwnedPen&) = delete;
    OwnedPen& operator=(const OwnedPen&) = delete;
    HPEN Get() const { return pen_; }

private:
    HPEN pen_;
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

void DrawFrame(HWND window) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) return;
    // Declared before the device context so that the pen is deleted only after the context
    // has been released, with the old objects already back in it.
    OwnedPen pen(CreatePen(PS_INSIDEFRAME, GetSystemMetrics(SM_CXBORDER), RGB(192, 192, 192)));
    if (!pen.Get()) return;
    WindowDc dc(window);
    if (!dc.Get()) return;
    Selection penSelection(dc.Get(), pen.Get());
    Selection brushSelection(dc.Get(), GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc.Get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

LRESULT CALLBACK TrackBarFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const LRESULT result = previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                                        : DefWindowProcW(window, message, wParam, lParam);
        // The slider paints only its client area; the frame goes over the whole window, so it
        // is drawn once the slider is done.
        if (message == WM_PAINT) DrawFrame(window);
        return result;
    } catch (...) {
        return -1;
    }
}

}  // namespace

bool InstallTrackBarFrame(ui::TrackBar& trackBar) {
    const HWND window = reinterpret_cast<HWND>(trackBar.NativeHandle());
    if (!window || !IsWindow(window)) return false;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    // Wrapping our own procedure would make it call itself for ever.
    if (current == TrackBarFrameProc) return true;
    if (!current) return false;
    // The previous procedure is in place before the first message can reach the new one.
    const LONG_PTR oldUserData = GetWindowLongPtrW(window, GWLP_USERDATA);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(current));
    SetLastError(0);
    if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrackBarFrameProc)) &&
        GetLastError() != 0) {
        SetWindowLongPtrW(window, GWLP_USERDATA, oldUserData);
        return false;
    }
    // The frame is not on the screen until the next paint.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return true;
}
