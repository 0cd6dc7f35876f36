// The conformance suite's driver for the Win32 windows, in-process under
// Wine with no display driver: the pointer and the keys go through the
// system's input (SendInput, key messages as the keyboard posts them), the
// program's own key routing runs as in its message loop, and the windows are
// read back through the system. Screen readers are told through annotations
// that are recorded here. Where Wine acts otherwise than Windows (option
// buttons that take the focus, a message box over a disabled owner), the
// driver makes it act as Windows does.
#include "application.h"
#include "driver.h"
#include "message_loop.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <shlobj.h>

#include <map>
#include <utility>

namespace popolun::conformance {
namespace {

// What the windows told a screen reader of each control beyond its own text.
struct Told {
    std::wstring name, description;
    DWORD role = 0, state = 0;
};
struct RecordedAnnotations final : win32::Annotations {
    void name(HWND control, const std::wstring& text) override { told[control].name = text; }
    void description(HWND control, const std::wstring& text) override { told[control].description = text; }
    void role(HWND control, DWORD role) override { told[control].role = role; }
    void state(HWND control, DWORD state) override { told[control].state = state; }
    std::map<HWND, Told> told;
};
RecordedAnnotations recorded;

std::wstring classOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// Windows' option buttons say they were clicked when they take the focus
// unselected (see BM_SETDONTCLICK); Wine's do not. The driver's buttons
// do, beneath the program's own handling of theirs, from their making on.
WNDPROC buttonProcedure = nullptr;
LRESULT CALLBACK asOnWindows(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallWindowProcW(buttonProcedure, button, message, wParam, lParam);
    if (message == WM_SETFOCUS && (::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_RADIOBUTTON
        && ::SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED)
        ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
    return result;
}
LRESULT CALLBACK madeLikeOnWindows(int code, WPARAM window, LPARAM made)
{
    if (code == HCBT_CREATEWND && classOf(HWND(window)) == L"Button")
        buttonProcedure = WNDPROC(::SetWindowLongPtrW(HWND(window), GWLP_WNDPROC, LONG_PTR(&asOnWindows)));
    return ::CallNextHookEx(nullptr, code, window, made);
}

// Another program's window, brought to the front.
HWND anotherProgram = nullptr;
void switchToAnotherProgram()
{
    if (!anotherProgram)
        anotherProgram = ::CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                           nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(anotherProgram, SW_SHOW);
    ::SetForegroundWindow(anotherProgram);
    ::SetActiveWindow(anotherProgram);
}

// A message box that finds its owner disabled leaves it so when it closes,
// and Windows, which activates no disabled window, then activates another
// program's. Wine enables and activates the owner all the same; the
// program's calls of MessageBoxW come here first to act as on Windows.
decltype(&::MessageBoxW) systemMessageBox = nullptr;
int WINAPI messageBoxAsOnWindows(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    const bool ownerDisabled = owner && !::IsWindowEnabled(owner);
    const int answer = systemMessageBox(owner, text, caption, type);
    if (ownerDisabled)
        switchToAnotherProgram();
    return answer;
}
void callMessageBoxesAsOnWindows()
{
    auto* const image = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto& headers = *reinterpret_cast<const IMAGE_NT_HEADERS*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const auto& imports = headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    systemMessageBox = reinterpret_cast<decltype(&::MessageBoxW)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "MessageBoxW")));
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + imports.VirtualAddress);
         library->Name; ++library) {
        for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(image + library->FirstThunk); entry->u1.Function;
             ++entry) {
            if (entry->u1.Function != ULONG_PTR(systemMessageBox))
                continue;
            DWORD was = 0;
            ::VirtualProtect(&entry->u1.Function, sizeof(ULONG_PTR), PAGE_READWRITE, &was);
            entry->u1.Function = ULONG_PTR(&messageBoxAsOnWindows);
            ::VirtualProtect(&entry->u1.Function, sizeof(ULONG_PTR), was, &was);
        }
    }
}

class Win32Driver final : public ProgramDriver<win32::Window, HWND> {
public:
    Win32Driver()
    {
        ::SetCaretBlinkTime(INFINITE); // a caret that does not blink draws the same every time
        buttons_ = ::SetWindowsHookExW(WH_CBT, &madeLikeOnWindows, nullptr, ::GetCurrentThreadId());
        callMessageBoxesAsOnWindows(); // once done, a second time finds nothing to change
    }
    ~Win32Driver() override
    {
        form_.reset();
        if (anotherProgram)
            ::DestroyWindow(std::exchange(anotherProgram, nullptr));
        pump();
        ::UnhookWindowsHookEx(buttons_);
    }

    void start(const std::string& folder, const std::vector<std::string>& arguments) override
    {
        form_ = std::make_unique<ui::Form13>(toolkit_, folder, help_);
        form_->start(arguments);
        pump();
        // The mouse rests off both windows.
        moveTo({0, 0});
    }

    void press(Key key, bool shift) override
    {
        // In Key's order; the first four are also the characters they type.
        constexpr WPARAM codes[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
        const WPARAM code = codes[int(key)];
        hold(VK_SHIFT, shift);
        HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, code, 1);
        if (int(key) < 4)
            ::PostMessageW(focus, WM_CHAR, code, 1);
        ::PostMessageW(focus, WM_KEYUP, code, 0xC0000001);
        pump();
        hold(VK_SHIFT, false);
    }
    void type(const std::string& text) override
    {
        for (const wchar_t unit : win32::wide(text))
            ::PostMessageW(::GetFocus(), WM_CHAR, unit, 1);
        pump();
    }
    void paste(const std::string& text) override
    {
        const std::wstring wide = win32::wide(text);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(::GlobalLock(memory)));
        ::GlobalUnlock(memory);
        if (::OpenClipboard(nullptr) && ::EmptyClipboard())
            ::SetClipboardData(CF_UNICODETEXT, memory);
        ::CloseClipboard();
        // Ctrl+V as the keyboard gives it, translated into the character Ctrl+V.
        hold(VK_CONTROL, true);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, 'V', 1);
        ::PostMessageW(::GetFocus(), WM_KEYUP, 'V', 0xC0000001);
        pump();
        hold(VK_CONTROL, false);
    }
    void click(Control control, int x, int y) override
    {
        RECT box;
        ::GetWindowRect(handle(control), &box);
        const UINT dpi = win32::Window::all().front()->controls().dpi();
        moveTo({box.left + win32::scaled(x, dpi), box.top + win32::scaled(y, dpi)});
        leftButton(MOUSEEVENTF_LEFTDOWN);
        leftButton(MOUSEEVENTF_LEFTUP);
    }
    void hold(Control control, bool down) override
    {
        RECT box;
        ::GetWindowRect(handle(control), &box);
        moveTo(down ? POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2} : POINT{box.right + 8, box.bottom + 8});
        leftButton(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    }
    void hover(Control control) override
    {
        moveTo({0, 0}); // the last one goes when the pointer leaves its control
        waitFor([&] { return tooltipShown().empty(); }, 1000);
        RECT box;
        ::GetWindowRect(handle(control), &box);
        moveTo({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
        waitFor([&] { return !tooltipShown().empty(); }, 2000);
    }
    void drop(const std::vector<std::string>& paths, layout::ControlId over) override
    {
        // What the shell sends when files are dropped over a control: to the
        // nearest window up from there that takes files.
        HWND target = handle({Window::main, over});
        while (target && !(::GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
            target = ::GetParent(target);
        if (!target)
            return;
        std::wstring list;
        for (const std::string& path : paths)
            list += win32::wide(path) + L'\0';
        list += L'\0';
        HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        list.copy(reinterpret_cast<wchar_t*>(files + 1), list.size());
        ::GlobalUnlock(memory);
        ::SendMessageW(target, WM_DROPFILES, WPARAM(memory), 0);
        pump();
    }
    void activate(Window which) override
    {
        ::SetForegroundWindow(handle(which));
        ::SetActiveWindow(handle(which));
        pump();
    }
    void visitAnotherProgram(Window back) override
    {
        switchToAnotherProgram();
        pump();
        activate(back);
    }
    void close(Window which) override
    {
        ::PostMessageW(handle(which), WM_SYSCOMMAND, SC_CLOSE, 0);
        pump();
    }
    void minimise(Window which) override
    {
        ::PostMessageW(handle(which), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        pump();
    }
    void move(Window which, int dx, int dy) override
    {
        RECT at;
        ::GetWindowRect(handle(which), &at);
        ::SetWindowPos(handle(which), nullptr, at.left + dx, at.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        pump();
    }

    std::vector<BoxSeen> answering(const std::function<void()>& action) override
    {
        // A thread timer fires inside the message box's own loop.
        answering_ = this;
        seen_.clear();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &poll);
        action();
        ::KillTimer(nullptr, timer);
        answering_ = nullptr;
        return seen_;
    }

    std::optional<Control> focus() override { return controlOf(::GetFocus()); }
    bool selectedWhole(Control field) override
    {
        DWORD start = 1, end = 0;
        ::SendMessageW(handle(field), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        const DWORD length = DWORD(::GetWindowTextLengthW(handle(field)));
        return length > 0 && start == 0 && end == length;
    }
    std::string text(Control field) override { return win32::utf8(win32::windowText(handle(field))); }
    bool checked(Control option) override { return ::SendMessageW(handle(option), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool takesInput(Window which) override { return ::IsWindowEnabled(handle(which)) != FALSE; }
    bool visible(Window which) override
    {
        return built(which) && ::IsWindowVisible(handle(which)) && !::IsIconic(handle(which));
    }
    bool active(Window which) override { return built(which) && ::GetActiveWindow() == handle(which); }
    bool ownedByMain(Window which) override { return ::GetWindow(handle(which), GW_OWNER) == handle(Window::main); }
    bool resizable(Window which) override { return ::GetWindowLongPtrW(handle(which), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX); }
    bool minimisable(Window which) override { return ::GetWindowLongPtrW(handle(which), GWL_STYLE) & WS_MINIMIZEBOX; }
    bool carriesIcon(Window which) override
    {
        return (::SendMessageW(handle(which), WM_GETICON, ICON_BIG, 0) | ::GetClassLongPtrW(handle(which), GCLP_HICON)) != 0;
    }
    Point position(Window which) override
    {
        RECT at;
        ::GetWindowRect(handle(which), &at);
        return {at.left, at.top};
    }

    // A control's own text and kind, as the system reads them, under what the annotations tell.
    std::optional<Heard> heard(Control control) override
    {
        // A screen reader asks a control itself when the focus moves to it.
        HWND window = handle(control);
        ::SendMessageW(window, WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT));
        const Told told = recorded.told.contains(window) ? recorded.told.at(window) : Told{};
        if (told.state & STATE_SYSTEM_INVISIBLE)
            return std::nullopt;
        const LONG style = LONG(::GetWindowLongPtrW(window, GWL_STYLE));
        Role role = Role::text;
        if (told.role == ROLE_SYSTEM_GRAPHIC)
            role = Role::graphic;
        else if (classOf(window) == WC_EDITW)
            role = Role::field;
        else if (classOf(window) == WC_BUTTONW)
            role = (style & BS_TYPEMASK) == BS_GROUPBOX     ? Role::grouping
                 : (style & BS_TYPEMASK) == BS_RADIOBUTTON ? Role::optionButton
                                                           : Role::button;
        const std::wstring name = told.name.empty() && role != Role::field ? win32::windowText(window) : told.name;
        return Heard{win32::utf8(name), win32::utf8(told.description), role};
    }
    Heard heard(Window which) override
    {
        // And a window when it comes to the front.
        ::SendMessageW(handle(which), WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT));
        return {win32::utf8(win32::windowText(handle(which))), "", Role::window};
    }
    int heardWithin(Window which) override
    {
        int found = 0;
        ::EnumChildWindows(handle(which), &countHeard, LPARAM(&found));
        return found;
    }
    std::string tooltipShown() override
    {
        for (HWND tips = nullptr; (tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr));) {
            if (::IsWindowVisible(tips))
                return win32::utf8(win32::windowText(tips));
        }
        return {};
    }

    std::vector<int> dpis() override { return {96, 120, 144, 192}; }
    // The system moves a window to a screen of that dpi, large enough for
    // it: WM_DPICHANGED with the frame it suggests, which holds the
    // layout's client area at that dpi (the frame itself stays as Wine
    // draws it, at the system's dpi).
    void showAt(int dpi) override
    {
        for (win32::Window* each : win32::Window::all()) {
            HWND window = each->handle();
            ::SetWindowSubclass(window, &largeScreen, 0, 0);
            RECT at, client;
            ::GetWindowRect(window, &at);
            ::GetClientRect(window, &client);
            RECT frame{at.left, at.top,
                       at.right + win32::scaled(each->controls().layout().clientWidth, UINT(dpi)) - client.right,
                       at.bottom + win32::scaled(each->controls().layout().clientHeight, UINT(dpi)) - client.bottom};
            ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&frame));
        }
        pump();
    }
    double fontPixels(Control control) override
    {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(handle(control), WM_GETFONT, 0, 0)), sizeof(font), &font);
        return std::abs(font.lfHeight);
    }
    // Wine's null display is 1024 x 768 and draws nothing of a window
    // beyond it: a window larger than that is not drawn whole.
    std::optional<Picture> picture(Window which) override
    {
        HWND window = handle(which);
        RECT frame, client;
        ::GetWindowRect(window, &frame);
        ::GetClientRect(window, &client);
        if (frame.right - frame.left > ::GetSystemMetrics(SM_CXSCREEN)
            || frame.bottom - frame.top > ::GetSystemMetrics(SM_CYSCREEN))
            return std::nullopt;
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump();
        // Only what is due is painted: drawing left stale stays, as on the screen.
        ::RedrawWindow(window, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
        Picture picture{client.right, client.bottom, {}};
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC memory = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        HDC drawn = ::GetDC(window);
        ::BitBlt(memory, 0, 0, picture.width, picture.height, drawn, 0, 0, SRCCOPY);
        ::ReleaseDC(window, drawn);
        const auto* bgra = static_cast<const std::uint8_t*>(bits);
        for (int i = 0; i < picture.width * picture.height; ++i)
            picture.rgb.insert(picture.rgb.end(), {bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]});
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::SetWindowPos(window, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump();
        return picture;
    }
    std::string toolkit() override { return "win32"; }

private:
    // Handles what is queued, keys as the program's own loop does.
    void pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ended_ = true;
                continue;
            }
            if (win32::routeKeys(message))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    template <typename Condition>
    void waitFor(Condition condition, int milliseconds)
    {
        for (int waited = 0; waited < milliseconds && !condition(); waited += 20) {
            pump();
            ::Sleep(20);
        }
        pump();
    }
    void leftButton(DWORD change)
    {
        INPUT button{};
        button.type = INPUT_MOUSE;
        button.mi.dwFlags = change;
        ::SendInput(1, &button, sizeof(INPUT));
        pump();
    }
    static void moveTo(POINT at)
    {
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &move, sizeof(INPUT));
    }
    // The null display is 1024 x 768; a window may be as large as a screen of 200 % is.
    static LRESULT CALLBACK largeScreen(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
    {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {3840, 2160};
        return result;
    }
    static void hold(BYTE key, bool down)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }

    static BOOL CALLBACK countHeard(HWND control, LPARAM found)
    {
        const bool passedOver = recorded.told.contains(control) && (recorded.told.at(control).state & STATE_SYSTEM_INVISIBLE);
        *reinterpret_cast<int*>(found) += !passedOver;
        return TRUE;
    }

    static inline Win32Driver* answering_ = nullptr;
    static void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD)
    {
        if (answering_)
            ::EnumThreadWindows(::GetCurrentThreadId(), &answer, 0);
    }
    static BOOL CALLBACK answer(HWND box, LPARAM)
    {
        if (classOf(box) != L"#32770" || !::IsWindowVisible(box))
            return TRUE;
        Win32Driver& self = *answering_;
        int buttons = 0;
        bool icon = false;
        for (HWND child = nullptr; (child = ::FindWindowExW(box, child, nullptr, nullptr));) {
            if (!::IsWindowVisible(child))
                continue;
            buttons += classOf(child) == L"Button";
            icon |= classOf(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON
                    && ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        }
        BoxSeen seen{win32::utf8(win32::windowText(::GetDlgItem(box, 0xFFFF))),
                     buttons == 1 && !icon && win32::utf8(win32::windowText(box)) == layout::form13().caption};
        self.placeBox(seen, ::GetWindow(box, GW_OWNER), [&](Window which) { return self.handle(which); });
        self.seen_.push_back(seen);
        ::SendMessageW(box, WM_COMMAND, IDOK, 0);
        return FALSE;
    }

    HWND handle(Window which) { return window(which).handle(); }
    HWND handle(Control control) { return window(control.window).control(control.id); }

    win32::Application toolkit_{[]() -> win32::Annotations* { return &recorded; }};
    HHOOK buttons_ = nullptr;
    std::vector<BoxSeen> seen_;
};

} // namespace

std::unique_ptr<Driver> makeDriver() { return std::make_unique<Win32Driver>(); }

} // namespace popolun::conformance

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
