// write_page_set DIRECTORY NAME: writes the page set of the fields as they
// start, for NAME, into DIRECTORY, as the program's button does, and prints
// what the program would say. Exits 0 when that is "保存しました。". For the
// tests that watch a real run from outside.
#include "page_set_writer.h"
#include "session.h"

#include <cstdio>

namespace {

class PrintedMessages : public popolun::MessageSink {
public:
    void show(const std::string& text) override
    {
        std::puts(text.c_str());
        shown.push_back(text);
    }
    std::vector<std::string> shown;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: write_page_set DIRECTORY NAME\n", stderr);
        return 2;
    }
    popolun::Session session;
    session.load();
    session.main().setText(popolun::FieldId::name, argv[2]);
    PrintedMessages messages;
    popolun::PageSetWriter(popolun::nativeFileSystem(), argv[1], messages).create(session.main().snapshot());
    return messages.shown == std::vector<std::string>{popolun::text::kSaved} ? 0 : 1;
}
