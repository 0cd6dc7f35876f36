#include "window.h"

#include "platform/windows/system_library.h"
#include "resources/resource_ids.h"

#include <algorithm>

namespace popolun::win32 {

namespace {

constexpr wchar_t kClassName[] = L"PopolunWindow";
constexpr UINT kAddTooltips = WM_APP;
// A fixed layout: no sizing border, no maximise.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::vector<Window*> windows;

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

Window::Window(const layout::Window& layout, ui::WindowBehaviour& behaviour, AnnotationsSource annotations,
               HWND owner)
    : layout_(layout)
    , behaviour_(behaviour)
    , annotations_(annotations)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    registerClassOnce(instance);
    const SIZE size = frameSize(layout, 96);
    // WS_EX_ACCEPTFILES takes drops as the shell's DragAcceptFiles would, without loading the shell.
    window_ = ::CreateWindowExW(layout.takesDrops ? WS_EX_ACCEPTFILES : 0, kClassName, wide(layout.caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                size.cx, size.cy, owner, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::procedure));
    // The monitor it opens on may not be at 96 dpi.
    const UINT dpi = ::GetDpiForWindow(window_);
    if (dpi != 96) {
        const SIZE atDpi = frameSize(layout, dpi);
        ::SetWindowPos(window_, nullptr, 0, 0, atDpi.cx, atDpi.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    controls_ = std::make_unique<Controls>(window_, layout);
    for (const layout::Control& each : layout.controls)
        ::SetWindowSubclass(control(each.id), &Window::controlProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    windows.push_back(this);
}

Window::~Window()
{
    std::erase(windows, this);
    if (::IsWindow(window_)) {
        for (const layout::Control& each : layout_.controls)
            ::RemoveWindowSubclass(control(each.id), &Window::controlProcedure, 0);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

const std::vector<Window*>& Window::all() { return windows; }

std::string Window::text(layout::ControlId id) const { return utf8(windowText(control(id))); }

void Window::setText(layout::ControlId id, const std::string& text)
{
    ::SetWindowTextW(control(id), wide(text).c_str());
}

void Window::setChecked(layout::ControlId id, bool checked)
{
    ::SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Window::focusAndSelect(layout::ControlId id)
{
    ::SetFocus(control(id));
    ::SendMessageW(control(id), EM_SETSEL, 0, -1);
}

// Files dropped anywhere on the window, its fields included.
void Window::dropped(HDROP drop)
{
    using windows::systemFunction;
    static const auto query = systemFunction<decltype(::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    static const auto finish = systemFunction<decltype(::DragFinish)>(L"shell32.dll", "DragFinish");
    if (!query || !finish)
        return;
    std::vector<std::string> items;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(query(drop, i, path.data(), UINT(path.size())));
        items.push_back(utf8(path));
    }
    finish(drop);
    behaviour_.dropped(items);
}

void Window::showWindow()
{
    if (!shownBefore_ && layout_.placement == layout::Placement::centred)
        centre();
    ::ShowWindow(window_, ::IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window_);
    if (!shownBefore_) {
        // It opens on its first stop; a field there is selected whole, so typing replaces it.
        HWND first = controls_->nextTabStop(nullptr, false);
        ::SetFocus(first);
        if (::SendMessageW(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            ::SendMessageW(first, EM_SETSEL, 0, -1);
        ::PostMessageW(window_, kAddTooltips, 0, 0); // once the window is on the screen
    }
    shownBefore_ = true;
}

void Window::centre()
{
    RECT frame;
    ::GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    ::SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// A control's notification, decoded once for the behaviour.
void Window::command(HWND control, int code)
{
    const layout::Control* spec = controls_->byWindow(control);
    if (!spec)
        return;
    if (spec->kind == layout::Kind::textField && code == EN_CHANGE)
        behaviour_.edited(spec->id, text(spec->id));
    // An option button that gets the focus says it was clicked; only a real click counts.
    else if (code == BN_CLICKED && !takingFocus_)
        behaviour_.clicked(spec->id);
}

void Window::describeOnce()
{
    if (described_)
        return;
    described_ = true;
    if (Annotations* told = annotations_())
        describeForScreenReaders(*controls_, *told);
}

LRESULT CALLBACK Window::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self)
{
    auto& window = *reinterpret_cast<Window*>(self);
    if (message == WM_GETOBJECT)
        window.describeOnce(); // a screen reader asks the control first when the focus moves to it
    if (message != WM_SETFOCUS)
        return ::DefSubclassProc(control, message, wParam, lParam);
    window.takingFocus_ = true;
    const LRESULT result = ::DefSubclassProc(control, message, wParam, lParam);
    window.takingFocus_ = false;
    return result;
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->controls_)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
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
            command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
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
    case WM_GETOBJECT:
        describeOnce();
        break;
    case kAddTooltips:
        controls_->addTooltips();
        return 0;
    case WM_DROPFILES:
        dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        behaviour_.closeRequested(); // the frame's close control or Alt+F4
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace popolun::win32
