#include "top_window.h"

#include "resources/resource_ids.h"

namespace popolun::win32 {

namespace {

constexpr wchar_t kClassName[] = L"PopolunWindow";
// A fixed layout: no sizing border, no maximise.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void registerClassOnce(HINSTANCE instance)
{
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(POPOLUN_ICON));
        windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(POPOLUN_ICON), IMAGE_ICON,
                                                              ::GetSystemMetrics(SM_CXSMICON),
                                                              ::GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

// The outer size that gives the layout's client area at dpi.
SIZE frameSize(const layout::Window& layout, UINT dpi)
{
    RECT rect{0, 0, scaled(layout.clientWidth, dpi), scaled(layout.clientHeight, dpi)};
    ::AdjustWindowRectExForDpi(&rect, kStyle, FALSE, 0, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

TopWindow::TopWindow(const layout::Window& layout)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    registerClassOnce(instance);
    const SIZE size = frameSize(layout, 96);
    window_ = ::CreateWindowExW(0, kClassName, wide(layout.caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TopWindow::procedure));
    // The monitor it opens on may not be at 96 dpi.
    const UINT dpi = ::GetDpiForWindow(window_);
    if (dpi != 96) {
        const SIZE atDpi = frameSize(layout, dpi);
        ::SetWindowPos(window_, nullptr, 0, 0, atDpi.cx, atDpi.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    controls_ = std::make_unique<Controls>(window_, layout);
}

TopWindow::~TopWindow()
{
    if (::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

LRESULT CALLBACK TopWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TopWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->controls_)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT TopWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(window_, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, controls_->background());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        if (controls_->colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result))
            return result;
        break;
    case WM_NOTIFY:
        if (controls_->customDraw(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    case WM_DRAWITEM:
        if (controls_->drawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_COMMAND:
        if (lParam)
            onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        // Like a dialog: the focus comes back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_, focus))
                lastFocus_ = focus;
        } else if (HWND focus = lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : controls_->nextTabStop(nullptr, false)) {
            ::SetFocus(focus); // the first tab stop, the first time
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        controls_->applyDpi(HIWORD(wParam));
        return 0;
    }
    case WM_CLOSE:
        onClose();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace popolun::win32
