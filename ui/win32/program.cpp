#include "program.h"

#include "platform/windows/system_library.h"

namespace popolun::win32 {

namespace {

// Whether anything follows the program's own name on its command line; the
// shell is loaded to split it only then.
bool hasArguments(std::wstring_view line)
{
    std::size_t end = 0;
    if (line.starts_with(L'"'))
        end = std::min(line.find(L'"', 1), line.size());
    else
        end = std::min(line.find_first_of(L" \t"), line.size());
    return line.find_first_not_of(L" \t\"", end) != std::wstring_view::npos;
}

// The videos named on the command line, read as Unicode whatever the system's code page.
std::vector<std::string> videosOnTheCommandLine()
{
    std::vector<std::string> videos;
    const wchar_t* line = ::GetCommandLineW();
    if (!hasArguments(line))
        return videos;
    const auto split = windows::systemFunction<decltype(::CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
    int count = 0;
    if (wchar_t** arguments = split ? split(line, &count) : nullptr) {
        for (int i = 1; i < count; ++i)
            videos.push_back(utf8(arguments[i]));
        ::LocalFree(arguments);
    }
    return videos;
}

} // namespace

Program::Program()
    : main_(toolkit_, executableDirectory())
{
    main_.start(videosOnTheCommandLine());
}

} // namespace popolun::win32
