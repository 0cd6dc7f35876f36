// The floor of the Windows start-up benchmark (windows_startup_bench.cpp): a
// bare Win32 window, built as popolun.exe is (static, a GUI program, the
// same manifest), with the main window's caption and client size and one
// line of Japanese text in a static control in ＭＳ Ｐゴシック 9 pt. What any
// program pays to show Japanese text in a window of its own.

#include "window_layout.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace {

std::wstring wide(std::string_view utf8)
{
    std::wstring text(utf8.size(), L'\0');
    text.resize(std::size_t(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(),
                                                  int(text.size()))));
    return text;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const popolun::layout::Window& layout = popolun::layout::form13();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = L"Floor";
    ::RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = ::CreateWindowExW(0, L"Floor", wide(layout.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                    nullptr);
    HWND text = ::CreateWindowExW(0, L"STATIC", L"ここをクリックしてください。", WS_CHILD | WS_VISIBLE | SS_LEFT, 16,
                                  16, 300, 20, window, nullptr, instance, nullptr);
    HFONT font = ::CreateFontW(-MulDiv(9, int(::GetDpiForWindow(window)), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"ＭＳ Ｐゴシック");
    ::SendMessageW(text, WM_SETFONT, WPARAM(font), FALSE);
    ::ShowWindow(window, SW_SHOW);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::DeleteObject(font);
    return 0;
}
