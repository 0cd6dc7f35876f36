#include "long_path.h"

#include <algorithm>

namespace popolun::windows {

namespace {

bool isDriveAbsolute(std::wstring_view path)
{
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\'
        && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

std::optional<std::wstring> absolute(const std::wstring& path)
{
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return std::nullopt;
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length)
        return std::nullopt;
    full.resize(written);
    return full;
}

// An absolute path in extended form; nothing for any other.
std::optional<std::wstring> prefixed(const std::wstring& path)
{
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        return path;
    if (path.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    if (isDriveAbsolute(path))
        return L"\\\\?\\" + path;
    return std::nullopt;
}

} // namespace

std::optional<std::wstring> extendedPath(std::string_view utf8)
{
    auto path = toWide(utf8);
    if (!path)
        return std::nullopt;
    // The extended form takes every character as it stands: "\" only.
    std::replace(path->begin(), path->end(), L'/', L'\\');
    if (auto extended = prefixed(*path))
        return extended;
    const auto full = absolute(*path);
    return full ? prefixed(*full) : std::nullopt;
}

} // namespace popolun::windows
