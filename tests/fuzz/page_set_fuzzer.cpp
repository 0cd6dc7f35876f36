// Fuzzes the settings propagation and the page-set writer on the real file
// system. The input is
//
//   one option byte, extension "\n" width "\n" base name (the rest, any bytes)
//
// Option bits: 1 clicks "オン", 2 then clicks "オフ", 4 puts a stray value into
// the main height, 8 puts one into the settings height. Every run writes into
// a program directory that holds things of its own, inside a sandbox folder.
// A run that says "保存しました。" has added exactly one folder, named as
// typed, with exactly the bytes the layout composes in code page 932; any
// other run has added nothing (no staging folder either) and said one thing;
// nothing that was there before changes. Any other outcome aborts.

#include "page_set.h"
#include "platform/encoding.h"
#include "player_size.h"
#include "test_support.h"

#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;
using popolun::FieldId;
using popolun::testing::treeContents;
using popolun::testing::writeBytes;

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "\npage-set fuzzer: %s\n", what.c_str());
    std::abort();
}

// The sandbox, made once per process: a neighbour of the program directory,
// and the program directory with an earlier page set, a Japanese folder,
// plain files and links of its own.
struct Sandbox {
    popolun::testing::TempDir root;
    fs::path program = root.path() / "program";
    std::map<std::string, std::string> before;

    Sandbox()
    {
        fs::create_directories(root.path() / "neighbour");
        writeBytes(root.path() / "neighbour" / "neighbour.asx", "next door");
        fs::create_directories(program / "bb");
        for (const char* file : {"bb.asx", "bb.htm", "bb01.htm"})
            writeBytes(program / "bb" / file, std::string("earlier ") + file);
        fs::create_directories(program / fs::path(u8"動画"));
        writeBytes(program / "popolun", "the program itself");
        fs::create_symlink("../neighbour", program / "link");
        fs::create_symlink("../nowhere", program / "dangling");
        before = treeContents(root.path());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Sandbox box;
    std::string rest(reinterpret_cast<const char*>(data), size);
    const unsigned options = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]);
    rest.erase(0, rest.empty() ? 0 : 1);
    const auto take = [&rest] {
        const auto end = rest.find('\n');
        std::string field = rest.substr(0, end);
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
        return field;
    };
    const std::string extension = take(), width = take(), name = rest;

    popolun::testing::CreateButton button;
    popolun::Session& session = button.session;
    session.settings().text4.setText(extension);
    session.settings().text12.setText(width);
    if (options & 1)
        session.settings().clickOption1();
    if (options & 2)
        session.settings().clickOption2();
    if (options & 4)
        session.main().setText(FieldId::height, "stray");
    if (options & 8)
        session.settings().text14.setText("1");
    const auto result = button.press(popolun::nativeFileSystem(), box.program.string(), name);
    const popolun::Snapshot fields = session.main().snapshot();
    if (fields[FieldId::width] != width || fields[FieldId::height] != popolun::playerHeight(width))
        fail("the main width and height do not follow the settings: " + fields[FieldId::height]);

    auto after = treeContents(box.root.path());
    if (button.messages.shown.size() != 1)
        fail(button.said() + ", not one");
    const std::string said = button.said();
    if ((said == popolun::text::kSaved) != (result == popolun::CreateResult::saved))
        fail("the message and the result disagree: " + said);
    if (name.empty() && said != popolun::text::kEnterName)
        fail("an empty name without asking for one: " + said);
    if (result == popolun::CreateResult::saved) {
        const popolun::PageSetText text = popolun::composePageSet(fields);
        const std::string folder = "program/" + name, stem = folder + "/" + name;
        const std::pair<std::string, std::string> pageSet[] = {
            {folder, "<dir>"},
            {stem + ".asx", popolun::encodeCp932(text.asx).value_or("no form")},
            {stem + ".htm", popolun::encodeCp932(text.link).value_or("no form")},
            {stem + "01.htm", popolun::encodeCp932(text.embed).value_or("no form")},
        };
        for (const auto& [path, contents] : pageSet) {
            if (after.count(path) == 0 || after[path] != contents)
                fail("saved, but " + path + " is not the layout's in code page 932");
            after.erase(path);
        }
        fs::remove_all(box.root.path() / folder);
    }
    if (after != box.before)
        fail(std::string(result == popolun::CreateResult::saved ? "saved" : "not saved")
             + ", and something else was added or changed: " + said);
    return 0;
}
