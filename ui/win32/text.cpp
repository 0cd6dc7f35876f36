#include "win32.h"

#include "platform/windows/wide_text.h"

namespace popolun::win32 {

std::wstring wide(std::string_view utf8Text)
{
    return windows::toWide(utf8Text).value_or(std::wstring());
}

std::string utf8(std::wstring_view text)
{
    if (auto strict = windows::toUtf8(text))
        return *strict;
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string lossy(std::size_t(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), lossy.data(), length, nullptr, nullptr);
    return lossy;
}

std::wstring windowText(HWND window)
{
    std::wstring text(std::size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

} // namespace popolun::win32
