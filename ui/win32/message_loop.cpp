#include "message_loop.h"

namespace popolun::win32 {

namespace {

bool isKey(const MSG& message, std::initializer_list<WPARAM> keys)
{
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP && message.message != WM_CHAR)
        return false;
    for (WPARAM key : keys) {
        if (message.wParam == key)
            return true;
    }
    return false;
}

void moveFocus(const Window& window, bool backwards)
{
    HWND next = window.controls().nextTabStop(::GetFocus(), backwards);
    if (!next)
        return;
    ::SetFocus(next);
    // A field reached by Tab is selected whole, as in a dialog.
    if (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(next, EM_SETSEL, 0, -1);
}

} // namespace

bool routeKeys(const MSG& message)
{
    for (const Window* window : Window::all()) {
        HWND top = window->handle();
        if (!::IsWindow(top) || (message.hwnd != top && !::IsChild(top, message.hwnd)))
            continue;
        // The dialog manager would turn Enter into a press of the focused button.
        if (isKey(message, {VK_RETURN, VK_ESCAPE}))
            return true;
        // Its Tab would skip an option button that is not selected.
        if (isKey(message, {VK_TAB})) {
            if (message.message == WM_KEYDOWN)
                moveFocus(*window, ::GetKeyState(VK_SHIFT) < 0);
            return true;
        }
        return ::IsDialogMessageW(top, const_cast<MSG*>(&message)) != FALSE;
    }
    return false;
}

int runMessageLoop()
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (routeKeys(message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace popolun::win32
