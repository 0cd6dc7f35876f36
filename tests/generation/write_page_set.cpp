// write_page_set DIRECTORY NAME [EXTENSION]: presses the create button for
// NAME with the fields as they start (the settings' extension EXTENSION if
// given), into DIRECTORY, and prints what the program says. Exits 0 on
// "保存しました。". For the tests that watch a real run from outside, and
// the end-to-end session, which compares the real program's page sets with it.
#include "test_support.h"

#include <cstdio>

#ifdef _WIN32
#include "platform/windows/wide_text.h"

#include <shellapi.h>
#endif

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv, argv + argc);
#ifdef _WIN32
    // As Unicode, whatever the system's code page.
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    arguments.clear();
    for (int i = 0; i < argc; ++i)
        arguments.push_back(popolun::windows::toUtf8(wide[i]).value_or(""));
    ::LocalFree(wide);
#endif
    if (arguments.size() != 3 && arguments.size() != 4) {
        std::fputs("usage: write_page_set DIRECTORY NAME [EXTENSION]\n", stderr);
        return 2;
    }
    popolun::testing::CreateButton button;
    if (arguments.size() == 4)
        button.session.settings().field(popolun::Setting::extension).setText(arguments[3]);
    button.press(popolun::nativeFileSystem(), arguments[1], arguments[2]);
    std::puts(button.said().c_str());
    return button.said() == popolun::say(popolun::Message::saved) ? 0 : 1;
}
