// write_page_set DIRECTORY NAME: presses the create button for NAME with the
// fields as they start, into DIRECTORY, and prints what the program says.
// Exits 0 on "保存しました。". For the tests that watch a real run from outside.
#include "test_support.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: write_page_set DIRECTORY NAME\n", stderr);
        return 2;
    }
    popolun::testing::CreateButton button;
    button.press(popolun::nativeFileSystem(), argv[1], argv[2]);
    std::puts(button.said().c_str());
    return button.said() == popolun::say(popolun::Message::saved) ? 0 : 1;
}
