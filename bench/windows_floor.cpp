// The floor of the Windows start-up (startup_bench.cpp): a bare Win32 window
// built as popolun.exe is (static, a GUI program, the same manifest), with
// the main window's caption and client size and one line of Japanese text in
// a static control in ＭＳ Ｐゴシック 9 pt: what any program pays to show
// Japanese text in a window of its own.

#include "window_layout.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const popolun::layout::Window& layout = popolun::layout::form13();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = L"Floor";
    ::RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    std::wstring caption(layout.caption.size(), L'\0');
    caption.resize(std::size_t(::MultiByteToWideChar(CP_UTF8, 0, layout.caption.data(), int(layout.caption.size()),
                                                     caption.data(), int(caption.size()))));
    HWND window = ::CreateWindowExW(0, L"Floor", caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                    nullptr);
    HWND text = ::CreateWindowExW(0, L"STATIC", L"ここをクリックしてください。", WS_CHILD | WS_VISIBLE | SS_LEFT, 16,
                                  16, 300, 20, window, nullptr, instance, nullptr);
    HFONT font = ::CreateFontW(-MulDiv(9, int(::GetDpiForWindow(window)), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"ＭＳ Ｐゴシック");
    ::SendMessageW(text, WM_SETFONT, WPARAM(font), FALSE);
    ::ShowWindow(window, SW_SHOW);
    for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;)
        ::DispatchMessageW(&message);
    ::DeleteObject(font);
    return 0;
}
