#include "message_boxes.h"

namespace popolun::testing {

namespace {

MessageBoxes* answering = nullptr;

BOOL CALLBACK countChild(HWND child, LPARAM boxPointer)
{
    auto& box = *reinterpret_cast<MessageBoxes::Box*>(boxPointer);
    wchar_t className[32] = {};
    ::GetClassNameW(child, className, 32);
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (!::IsWindowVisible(child))
        return TRUE;
    if (::lstrcmpiW(className, L"Button") == 0)
        ++box.buttons;
    else if (::lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON
             && ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
        box.icon = true;
    return TRUE;
}

BOOL CALLBACK noteEnabled(HWND window, LPARAM boxPointer)
{
    auto& box = *reinterpret_cast<MessageBoxes::Box*>(boxPointer);
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (std::wstring_view(className) == L"PopolunWindow" && window != box.owner && ::IsWindowEnabled(window))
        box.othersEnabled = true;
    return TRUE;
}

BOOL CALLBACK answerBox(HWND window, LPARAM)
{
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (std::wstring_view(className) != L"#32770" || !::IsWindowVisible(window))
        return TRUE;
    MessageBoxes::Box box;
    box.caption = win32::windowText(window);
    box.text = win32::windowText(::GetDlgItem(window, 0xFFFF)); // the message text
    box.owner = ::GetWindow(window, GW_OWNER);
    ::EnumChildWindows(window, &countChild, reinterpret_cast<LPARAM>(&box));
    ::EnumThreadWindows(::GetCurrentThreadId(), &noteEnabled, reinterpret_cast<LPARAM>(&box));
    answering->seen.push_back(box);
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD)
{
    if (answering)
        ::EnumThreadWindows(::GetCurrentThreadId(), &answerBox, 0);
}

} // namespace

void MessageBoxes::answerDuring(const std::function<void()>& action)
{
    // A thread timer fires inside the message box's own loop.
    answering = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &poll);
    action();
    ::KillTimer(nullptr, timer);
    answering = nullptr;
}

} // namespace popolun::testing
