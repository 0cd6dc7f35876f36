#include "platform/file_system.h"

#include "long_path.h"
#include "system_calls.h"

#include <algorithm>

namespace popolun {

namespace {

// The system's own words for a code, in UTF-8, without the closing line break.
std::string systemText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer)
        text.assign(buffer, length);
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    const auto utf8 = windows::toUtf8(text);
    if (utf8 && !utf8->empty())
        return *utf8;
    return "error " + std::to_string(code);
}

FsResult fromSystemError(DWORD code)
{
    FsError error = FsError::other;
    switch (code) {
    case ERROR_ALREADY_EXISTS: case ERROR_FILE_EXISTS: case ERROR_DIR_NOT_EMPTY:
        error = FsError::alreadyExists; break;
    case ERROR_PATH_NOT_FOUND: case ERROR_FILE_NOT_FOUND: error = FsError::notFound; break;
    case ERROR_ACCESS_DENIED: error = FsError::accessDenied; break;
    case ERROR_WRITE_PROTECT: error = FsError::readOnly; break;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: error = FsError::noSpace; break;
    case ERROR_FILENAME_EXCED_RANGE: error = FsError::nameTooLong; break;
    case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME: case ERROR_DIRECTORY: error = FsError::invalidName; break;
    case ERROR_CRC: case ERROR_IO_DEVICE: case ERROR_WRITE_FAULT: case ERROR_READ_FAULT: error = FsError::ioError; break;
    default: break;
    }
    return {error, systemText(code)};
}

FsResult lastError() { return fromSystemError(::GetLastError()); }

// A UTF-8 path the system calls take at any depth; the core only passes
// valid UTF-8, so a failure here is a name the file system cannot hold.
FsResult widePath(const std::string& path, std::wstring& wide)
{
    auto converted = windows::extendedPath(path);
    if (!converted)
        return fromSystemError(ERROR_INVALID_NAME);
    wide = std::move(*converted);
    return FsResult::success();
}

HANDLE toHandle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

class WindowsFileSystem final : public FileSystem {
public:
    explicit WindowsFileSystem(const windows::SystemCalls& calls) : calls_(calls) {}

    FsResult makeDirectory(const std::string& path) override
    {
        std::wstring wide;
        if (FsResult converted = widePath(path, wide); !converted.ok())
            return converted;
        if (!::CreateDirectoryW(wide.c_str(), nullptr))
            return lastError();
        return FsResult::success();
    }

    FsResult openNewFile(const std::string& path, FileHandle& handle) override
    {
        std::wstring wide;
        if (FsResult converted = widePath(path, wide); !converted.ok())
            return converted;
        // CREATE_NEW: never open something this run did not create, not even through a link.
        const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return lastError();
        handle = reinterpret_cast<FileHandle>(file);
        return FsResult::success();
    }

    FsResult write(FileHandle handle, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!calls_.writeFile(toHandle(handle), bytes.data(), chunk, &written, nullptr))
                return lastError();
            if (written == 0)
                return fromSystemError(ERROR_WRITE_FAULT); // nothing moved: do not spin
            bytes.remove_prefix(written);
        }
        return FsResult::success();
    }

    FsResult flush(FileHandle handle) override
    {
        if (!calls_.flushFileBuffers(toHandle(handle)))
            return lastError();
        return FsResult::success();
    }

    FsResult close(FileHandle handle) override
    {
        if (!::CloseHandle(toHandle(handle)))
            return lastError();
        return FsResult::success();
    }

    // NTFS journals its directories itself; Windows has no call to flush one.
    FsResult flushDirectory(const std::string&) override { return FsResult::success(); }

    FsResult renameNoReplace(const std::string& from, const std::string& to) override
    {
        std::wstring wideFrom, wideTo;
        if (FsResult converted = widePath(from, wideFrom); !converted.ok())
            return converted;
        if (FsResult converted = widePath(to, wideTo); !converted.ok())
            return converted;
        // Without MOVEFILE_REPLACE_EXISTING it fails when anything holds the new name.
        if (!::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_WRITE_THROUGH))
            return lastError();
        return FsResult::success();
    }

    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries,
                           std::string_view startingWith = {}) override
    {
        std::wstring wide;
        if (FsResult converted = widePath(path, wide); !converted.ok())
            return converted;
        entries.clear();
        WIN32_FIND_DATAW data;
        const HANDLE find = ::FindFirstFileExW((wide + L"\\*").c_str(), FindExInfoBasic, &data,
                                               FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) {
            const DWORD code = ::GetLastError();
            return code == ERROR_FILE_NOT_FOUND ? FsResult::success() : fromSystemError(code);
        }
        const std::wstring start = windows::toWide(startingWith).value_or(L"");
        do {
            const std::wstring_view name = data.cFileName;
            if (name == L"." || name == L".." || !name.starts_with(start))
                continue;
            using Kind = DirectoryEntry::Kind;
            const DWORD attributes = data.dwFileAttributes;
            Kind kind = Kind::file;
            if (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
                kind = Kind::other;
            else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                kind = Kind::folder;
            const auto utf8 = windows::toUtf8(name);
            // A name UTF-8 cannot spell is shown as "?", which names nothing of the program's.
            entries.push_back({utf8.value_or("?"), utf8 ? kind : Kind::other});
        } while (::FindNextFileW(find, &data));
        const DWORD code = ::GetLastError();
        ::FindClose(find);
        return code == ERROR_NO_MORE_FILES ? FsResult::success() : fromSystemError(code);
    }

    FsResult removeFile(const std::string& path) override
    {
        std::wstring wide;
        if (FsResult converted = widePath(path, wide); !converted.ok())
            return converted;
        if (!::DeleteFileW(wide.c_str()))
            return lastError();
        return FsResult::success();
    }

    FsResult removeDirectory(const std::string& path) override
    {
        std::wstring wide;
        if (FsResult converted = widePath(path, wide); !converted.ok())
            return converted;
        if (!::RemoveDirectoryW(wide.c_str()))
            return lastError();
        return FsResult::success();
    }

private:
    windows::SystemCalls calls_;
};

} // namespace

std::unique_ptr<FileSystem> windows::fileSystemOver(const SystemCalls& calls)
{
    return std::make_unique<WindowsFileSystem>(calls);
}

FileSystem& nativeFileSystem()
{
    static WindowsFileSystem fileSystem{windows::SystemCalls{}};
    return fileSystem;
}

DirectoryEntry::Kind kindOfPath(const std::string& path)
{
    std::wstring wide;
    if (!widePath(path, wide).ok())
        return DirectoryEntry::Kind::other;
    // Opening follows links and junctions to what they point at, as the shell does.
    HANDLE handle = ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return DirectoryEntry::Kind::other;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(handle, &information) && ::GetFileType(handle) == FILE_TYPE_DISK;
    ::CloseHandle(handle);
    if (!known)
        return DirectoryEntry::Kind::other;
    return information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? DirectoryEntry::Kind::folder
                                                                    : DirectoryEntry::Kind::file;
}

std::string lastPathPart(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

char pathSeparator() { return '\\'; }

bool usesWindowsNameRules() { return true; }

} // namespace popolun
