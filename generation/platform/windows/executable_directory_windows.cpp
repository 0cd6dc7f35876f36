#include "platform/file_system.h"

#include "wide_text.h"

namespace popolun {

std::string executableDirectory()
{
    // Paths can be longer than MAX_PATH: grow the buffer until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            break;
        }
        // Truncated (the name filled the buffer); the longest path is 32767 characters.
        if (path.size() > 65536)
            return {};
        path.resize(path.size() * 2);
    }
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return {};
    path.resize(separator);
    const auto utf8 = windows::toUtf8(path);
    return utf8 ? *utf8 : std::string();
}

} // namespace popolun
