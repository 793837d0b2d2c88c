// The window procedure: each message the window handles goes to a small function named for it,
// which reports it to the form window.
#include <exception>

#include "platform/common/input_values.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

namespace zorvin::win32 {
namespace {

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::int16_t ButtonsHeld(WPARAM keys) {
    return ButtonSum((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, (keys & MK_MBUTTON) != 0);
}

std::int16_t ShiftState(WPARAM keys) {
    return ShiftSum((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0);
}

}  // namespace

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may cross the system's frames: an untrapped error ends the program here.
    try {
        return window->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        EndWithRunTimeError(error);
    }
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole client area
        case WM_LBUTTONDOWN:
            OnButtonDown(vbLeftButton, wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            OnButtonDown(vbRightButton, wParam, lParam);
            return 0;
        case WM_MBUTTONDOWN:
            OnButtonDown(vbMiddleButton, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(vbLeftButton, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            OnButtonUp(vbRightButton, wParam, lParam);
            return 0;
        case WM_MBUTTONUP:
            OnButtonUp(vbMiddleButton, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, Alt+Tab, a system prompt) with buttons held.
            events_.LoseGrab();
            return 0;
        case WM_CANCELMODE:
            events_.LoseGrab();
            break;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
            break;
        case WM_INPUT:  // the system frees the input's data
        case WM_DISPLAYCHANGE:
            platform_.NoteChange();
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_CLOSE:
            events_.CaptionClose();
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DPICHANGED:
            Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCDESTROY:
            OnNcDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Drawn off screen first so that a moving pupil never flickers.
void Win32Window::OnPaint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(hwnd_, &paint);
    RECT client{};
    GetClientRect(hwnd_, &client);
    HDC buffer = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(buffer, canvas);
    FillRect(buffer, &client, background_.get());
    SetStretchBltMode(buffer, COLORONCOLOR);
    for (const WindowlessControl* control : windowless_) {
        control->Paint(buffer);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(canvas);
    DeleteDC(buffer);
    EndPaint(hwnd_, &paint);
}

void Win32Window::OnButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const MousePlace place = MouseAt(PointOf(lParam));
    events_.Press(place.control, button, ShiftState(wParam), place.at);
}

void Win32Window::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const MousePlace place = MouseAt(PointOf(lParam));
    events_.Move(place.control, ButtonsHeld(wParam), ShiftState(wParam), place.at);
}

void Win32Window::OnButtonUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    const MousePlace place = MouseAt(PointOf(lParam));
    events_.Release(place.control, button, ShiftState(wParam), place.at);
}

// Shift+F10 and the Menu key come with no position; a right press opens the menu by itself.
void Win32Window::OnContextMenu(LPARAM lParam) {
    if (lParam == -1) {
        events_.KeyboardContextMenu();
    }
}

bool Win32Window::OnSetCursor(HWND under, UINT hitTest) {
    if (under != hwnd_ || hitTest != HTCLIENT) {
        return false;
    }
    POINT at{};
    GetCursorPos(&at);
    ::ScreenToClient(hwnd_, &at);
    const std::optional<ControlId> control = MouseAt(at).control;
    const WindowlessControl* windowless = control ? windowlessAt(*control) : nullptr;
    SetCursor(platform_.resources().cursor(
        windowless ? windowless->pointer() : MousePointer::Default, dpi_));
    return true;
}

void Win32Window::OnTimer(UINT_PTR timerId) {
    const auto& controls = layout_.controls;
    if (timerId >= kFirstTimerId && timerId - kFirstTimerId < controls.size()) {
        const ControlLayout& timer = controls[timerId - kFirstTimerId];
        events_.TimerFired({timer.name, timer.index});
    }
}

void Win32Window::OnCommand(int commandId, int notification) {
    if (notification != BN_CLICKED) {
        return;
    }
    if (const Win32Button* button = ButtonFor(commandId)) {
        events_.Click(button->id());
    }
}

// The keyboard focus goes to the default button, as in a dialog box.
void Win32Window::OnSetFocus() {
    for (const auto& button : buttons_) {
        if (button->isDefault()) {
            SetFocus(button->handle());
            return;
        }
    }
}

LRESULT Win32Window::OnGetDefId() const {
    for (const auto& button : buttons_) {
        if (button->isDefault()) {
            return MAKELRESULT(button->commandId(), DC_HASDEFID);
        }
    }
    return 0;
}

// The layout's size is the smallest the window may be, however narrow the system likes captioned
// windows.
void Win32Window::OnGetMinMaxInfo(MINMAXINFO& limits) const {
    DefWindowProcW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    limits.ptMinTrackSize = {outerSize_.cx, outerSize_.cy};
}

// Every move is told: the program's own as they are made, the user's and the system's as theirs.
void Win32Window::OnWindowPosChanged(const WINDOWPOS& position) {
    platform_.NoteChange();
    if ((position.flags & SWP_NOMOVE) == 0) {
        events_.Moved({position.x, position.y});
    }
}

void Win32Window::OnNcDestroy() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    platform_.Forget(hwnd_);
    hwnd_ = nullptr;
    events_.Destroyed();
}

// Escape sends IDCANCEL, which is the cancel button's whatever its own identifier.
const Win32Button* Win32Window::ButtonFor(int commandId) const {
    for (const auto& button : buttons_) {
        if (commandId == IDCANCEL ? button->isCancel() : button->commandId() == commandId) {
            return button.get();
        }
    }
    return nullptr;
}

}  // namespace zorvin::win32
