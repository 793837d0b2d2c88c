// The system functions the forms call, as the plain operations of the window they name.
#include <string_view>

#include "platform/api/system_values.h"
#include "platform/common/form_platform.h"
#include "platform/common/form_window.h"

namespace zorvin {
namespace {

// ShellExecute's results: above 32 on success, else an error code.
constexpr std::intptr_t kShellOpened = 42;
constexpr std::intptr_t kShellAccessDenied = 5;    // SE_ERR_ACCESSDENIED
constexpr std::intptr_t kShellNoAssociation = 31;  // SE_ERR_NOASSOC

}  // namespace

Hrgn FormPlatform::CreatePolygonRgn(const Point* points, std::int32_t count,
                                    std::int32_t fillMode) {
    const Hrgn handle = nextRegion_++;
    regions_[handle] = {std::vector<Point>(points, points + count),
                        fillMode == WINDING ? FillRule::Winding : FillRule::EvenOdd};
    return handle;
}

// The window system owns the region from now on; a window always redraws with its new shape.
std::int32_t FormPlatform::SetWindowRgn(Hwnd hwnd, Hrgn region, bool /*redraw*/) {
    FormWindow* window = registry_.find(hwnd);
    const auto found = regions_.find(region);
    if (!window || found == regions_.end()) {
        return 0;
    }
    window->native().SetShape(found->second.outline, found->second.rule);
    regions_.erase(found);
    return 1;
}

// Stay-on-top is the one change the forms ask for; moves and sizes through here are not carried
// out.
bool FormPlatform::SetWindowPos(Hwnd hwnd, Hwnd insertAfter, std::int32_t /*x*/, std::int32_t /*y*/,
                                std::int32_t /*cx*/, std::int32_t /*cy*/, std::uint32_t /*flags*/) {
    FormWindow* window = registry_.find(hwnd);
    if (!window) {
        return false;
    }
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        window->native().SetStaysOnTop(insertAfter == HWND_TOPMOST);
    }
    return true;
}

// Some moves of the pointer come with no event (another program warps it): a read that finds it
// elsewhere than the last one did is a change, so that a sleeping timer's look wakes it, and one
// that nothing told of keeps the ticks running for the moves after it. The first read is no move.
bool FormPlatform::GetCursorPos(Point& point) {
    point = system_.CursorPosition();
    registry_.NoteCursorRead(lastCursor_ && point != *lastCursor_);
    lastCursor_ = point;
    return true;
}

bool FormPlatform::ScreenToClient(Hwnd hwnd, Point& point) {
    FormWindow* window = registry_.find(hwnd);
    if (!window) {
        return false;
    }
    point = window->ScreenToClient(point);
    return true;
}

// "open" (or the default verb) with the document alone is what the forms ask; a window whose lost
// release is running opens nothing, refused as the system refuses.
std::intptr_t FormPlatform::ShellExecuteA(Hwnd hwnd, const char* operation, const char* file,
                                          const char* /*parameters*/, const char* /*directory*/,
                                          std::int32_t /*showCmd*/) {
    if (FormWindow* window = registry_.find(hwnd); window && !window->mayOpen()) {
        return kShellAccessDenied;
    }
    if (!file || (operation && std::string_view(operation) != "open")) {
        return kShellNoAssociation;
    }
    return system_.Open(file) ? kShellOpened : kShellNoAssociation;
}

}  // namespace zorvin
