#pragma once

// UTF-8 <-> UTF-16 for the wide system calls, and the Windows headers as the
// Windows layer and the Win32 windows include them.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <climits>
#include <optional>
#include <string>
#include <string_view>

namespace popolun::windows {

// Nothing when utf8 is not valid UTF-8 (MB_ERR_INVALID_CHARS) or too long for the call.
inline std::optional<std::wstring> toWide(std::string_view utf8)
{
    if (utf8.empty())
        return std::wstring();
    if (utf8.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int inLength = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, wide.data(), length) != length)
        return std::nullopt;
    return wide;
}

// Nothing when wide holds an unpaired surrogate, which NTFS names may.
inline std::optional<std::string> toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return std::string();
    if (wide.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int inLength = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), inLength, nullptr, 0,
                                             nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string utf8(static_cast<std::size_t>(length), '\0');
    if (::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), inLength, utf8.data(), length, nullptr,
                              nullptr) != length)
        return std::nullopt;
    return utf8;
}

} // namespace popolun::windows
