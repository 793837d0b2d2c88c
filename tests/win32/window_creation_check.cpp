// A window whose building fails halfway leaves nothing behind: the error travels on, and the
// native window it had already made is gone before anything pumps messages (the error box does).
// Run under Wine on a display; the exit status is 0 when all holds, else 1 with the reason.
#include <windows.h>

#include <array>
#include <cstdio>
#include <exception>

#include "platform/common/form_session.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

namespace {

constexpr const wchar_t* kCaption = L"Zorvin check: a window that cannot be built";

class NoEvents final : public zorvin::FormEvents {
  public:
    void CaptionClose() override {}
};

int Fail(const char* reason) {
    std::fprintf(stderr, "window creation check: %s\n", reason);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace zorvin;
    FormSession<win32::Win32Platform> session(instance);
    Platform& platform = session.forms();
    // A picture control without a picture: building the controls throws, after the native
    // window exists.
    constexpr std::array controls{ControlLayout{.kind = ControlKind::Picture, .name = "Broken"}};
    const FormLayout layout{.name = "Broken",
                            .caption = "Zorvin check: a window that cannot be built",
                            .client = {40, 30},
                            .controls = controls};
    NoEvents events;
    try {
        platform.Load(layout, events);
        return Fail("the window was built");
    } catch (const std::exception&) {
    }
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    if (FindWindowW(win32::Win32Window::kClassName, kCaption) != nullptr) {
        return Fail("the native window outlived its object");
    }
    return 0;
}
