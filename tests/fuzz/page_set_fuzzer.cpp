// Fuzzes the settings propagation and the page-set writer on the real file
// system. The input is
//
//   one option byte, extension "\n" width "\n" base name (the rest, any bytes)
//
// Option bits: 1 clicks "オン", 2 then clicks "オフ", 4 puts a stray value into
// the main height, 8 puts one into the settings height. Every run writes into
// a program directory that holds things of its own, inside a sandbox folder,
// and checks the outcome against a derivation of its own: a complete page set
// with exactly the bytes the layout gives and "保存しました。", or nothing new
// and one message that says why; a plain request must succeed; the staging
// folder a run writes in is never there once it returns. Any other outcome
// aborts.

#include "messages.h"
#include "name_check.h"
#include "page_set_writer.h"
#include "platform/encoding.h"
#include "platform/file_system.h"
#include "session.h"
#include "test_support.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "\npage-set fuzzer: %s\n", what.c_str());
    std::abort();
}

struct Input {
    unsigned options = 0;
    std::string extension, width, name;
};

Input parse(const std::uint8_t* data, std::size_t size)
{
    Input input;
    std::string rest(reinterpret_cast<const char*>(data), size);
    if (!rest.empty()) {
        input.options = static_cast<unsigned char>(rest[0]);
        rest.erase(0, 1);
    }
    const auto take = [&rest](std::string& field) {
        const auto end = rest.find('\n');
        field = rest.substr(0, end);
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    };
    take(input.extension);
    take(input.width);
    input.name = rest;
    return input;
}

using popolun::testing::readBytes;
using popolun::testing::writeBytes;

std::string utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

// Everything below root, without following links: relative path (raw bytes)
// to its kind, permissions and contents.
using Tree = std::map<std::string, std::string>;

Tree treeOf(const fs::path& root)
{
    Tree tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const auto status = it->symlink_status();
        std::string entry = std::to_string(static_cast<int>(status.type())) + ":"
                          + std::to_string(static_cast<unsigned>(status.permissions())) + ":";
        if (fs::is_symlink(status))
            entry += fs::read_symlink(it->path()).native();
        else if (fs::is_regular_file(status))
            entry += readBytes(it->path());
        tree[it->path().lexically_relative(root).native()] = entry;
    }
    return tree;
}

// The sandbox: an outer folder with a neighbour of the program directory,
// and the program directory with an earlier page set, a Japanese folder,
// plain files and links of its own. Made once per process.
struct Sandbox {
    fs::path root, program;
    Tree before;
    std::set<std::string> ownEntries; // names directly in the program directory

    Sandbox()
    {
        std::string pattern = (fs::temp_directory_path() / "popolun-fuzz-XXXXXX").native();
        if (!::mkdtemp(pattern.data()))
            fail("cannot make the sandbox");
        root = pattern;
        program = root / "program";
        fs::create_directories(root / "neighbour");
        writeBytes(root / "neighbour" / "neighbour.asx", "next door");
        writeBytes(root / "outside.txt", "outside");
        fs::create_directories(program / "bb");
        for (const char* file : {"bb.asx", "bb.htm", "bb01.htm"})
            writeBytes(program / "bb" / file, std::string("earlier ") + file);
        fs::create_directories(program / fs::path(u8"動画"));
        writeBytes(program / "keep.txt", "keep");
        writeBytes(program / "popolun", "the program itself");
        fs::create_symlink("../neighbour", program / "link");
        fs::create_symlink("../nowhere", program / "dangling");
        before = treeOf(root);
        for (const auto& entry : fs::directory_iterator(program))
            ownEntries.insert(entry.path().filename().native());
    }

    ~Sandbox()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // What this run added directly to the program directory.
    std::vector<fs::path> newEntries() const
    {
        std::vector<fs::path> added;
        for (const auto& entry : fs::directory_iterator(program)) {
            if (!ownEntries.count(entry.path().filename().native()))
                added.push_back(entry.path());
        }
        return added;
    }
};

Sandbox& sandbox()
{
    static Sandbox box;
    return box;
}

class Messages : public popolun::MessageSink {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// ASCII digits, an optional leading "-" and an optional fraction.
bool isPlainNumeral(const std::string& text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > start;
    };
    if (!digits())
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

struct Expected {
    bool numericWidth = false;
    std::string height;
    std::string asx, link, embed; // UTF-8
};

Expected derive(const Input& input)
{
    Expected e;
    if (isPlainNumeral(input.width)) {
        const double width = std::strtod(input.width.c_str(), nullptr);
        if (std::isfinite(width)) {
            e.numericWidth = true;
            char text[64];
            std::snprintf(text, sizeof text, "%.15G", width / 4 * 3 + 64);
            e.height = text;
        }
    }
    // The settings load with "オフ"; a click on "オフ" comes after one on "オン".
    const std::string autoStart = (input.options & 3) == 1 ? "true" : "false";
    const std::string& b = input.name;
    const std::string& w = input.width;
    const std::string& h = e.height;
    e.asx = "<ASX Version =\"3.0\"><Entry>\r\n"
            "<Ref href =\"./" + b + input.extension + "\"></Entry></ASX>\r\n";
    e.link = "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>\r\n"
             "<P align=\"center\"><B><A href=\"./" + b + ".asx\" target=\"_self\">"
             "ここをクリックしてください。</A></B></P>\r\n"
             "'</BODY></HTML>\r\n";
    e.embed = "<html><head><title>enbedsampl</title><meta http-equiv=\"Content-Type\" "
              "content=\"text/html; charset=Shift_JIS\">\r\n"
              "</head><body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"
              "<OBJECT ID=\"Player\" width=\"" + w + "\" height=\"" + h
            + "\"CLASSID=\"CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6\">\r\n"
              "<PARAM name=\"autoStart\" value=\"" + autoStart + "\">\r\n"
              "<PARAM name=\"URL\" value=\"./" + b + ".asx\">\r\n"
              "<embed src=\"./" + b + ".asx\" autostart=\"false\" width=" + w + " height=" + h
            + "></embed></OBJECT>\r\n"
              "</body></html>\r\n"
              "\r\n";
    return e;
}

// Reads code page 932 back into UTF-8 with glibc, independently of the
// core's encoder: a character that the encoding dropped or changed shows.
std::optional<std::string> decodeCp932(const std::string& bytes)
{
    static const iconv_t cd = ::iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        fail("no CP932 in iconv");
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// Characters that Japanese input on Linux gives and that code page 932
// writes as the bytes of their full-width forms, which read back as those.
std::string asReadBack(std::string text)
{
    static const std::pair<std::string, std::string> forms[] = {
        {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"},
        {"\u00AC", "\uFFE2"}, {"\u2016", "\u2225"}, {"\u2014", "\u2015"},
    };
    for (const auto& [from, to] : forms) {
        for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
            text.replace(at, from.size(), to);
    }
    return text;
}

void checkPageSet(const fs::path& folder, const Input& input, const Expected& expected)
{
    if (!fs::is_directory(fs::symlink_status(folder)) || folder.filename().native() != input.name)
        fail("the new entry is not a folder named as typed: " + folder.native());
    if (!expected.numericWidth)
        fail("saved with a width that is not a number: " + input.width);
    const std::pair<std::string, const std::string*> files[] = {
        {input.name + ".asx", &expected.asx},
        {input.name + ".htm", &expected.link},
        {input.name + "01.htm", &expected.embed},
    };
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        found.insert(entry.path().filename().native());
    if (found.size() != 3)
        fail("the folder holds " + std::to_string(found.size()) + " entries, not 3");
    for (const auto& [file, text] : files) {
        const fs::path path = folder / file;
        if (!found.count(file) || !fs::is_regular_file(fs::symlink_status(path)))
            fail("missing file " + file);
        const auto bytes = popolun::encodeCp932(*text);
        if (!bytes)
            fail("saved a page set whose text has no code page 932 form: " + file);
        const std::string written = readBytes(path);
        if (written != *bytes)
            fail("the bytes of " + file + " differ from the layout");
        if (decodeCp932(written) != asReadBack(*text))
            fail(file + " does not read back as the text of the layout");
    }
}

// A request that nothing may refuse: a new name of plain letters and digits,
// a printable ASCII extension and a numeric width.
bool mustBeSaved(const Input& input, const Expected& expected, const Sandbox& box)
{
    const auto all = [](const std::string& text, auto allowed) {
        return std::all_of(text.begin(), text.end(), [&](char c) { return allowed(static_cast<unsigned char>(c)); });
    };
    return expected.numericWidth && !input.name.empty() && input.name.size() <= 200
        && all(input.name, [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '-'; })
        && all(input.extension, [](unsigned char c) { return c >= 0x20 && c < 0x7F; })
        && !box.ownEntries.count(input.name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Sandbox& box = sandbox();
    const Input input = parse(data, size);

    popolun::Session session;
    session.load();
    session.settings().text4.setText(input.extension);
    session.settings().text12.setText(input.width);
    if (input.options & 1)
        session.settings().clickOption1();
    if (input.options & 2)
        session.settings().clickOption2();
    if (input.options & 4)
        session.main().setText(FieldId::height, "stray");
    if (input.options & 8)
        session.settings().text14.setText("1");
    session.main().setText(FieldId::name, input.name);

    Messages messages;
    popolun::PageSetWriter writer(popolun::nativeFileSystem(), utf8(box.program), messages);
    const popolun::CreateResult result = writer.create(session.main().snapshot());

    const auto added = box.newEntries();
    for (const auto& entry : added) {
        if (entry.filename().native().starts_with(popolun::kStagingPrefix))
            fail("a staging folder is left after the run: " + entry.native());
    }
    if (messages.shown.size() != 1)
        fail(std::to_string(messages.shown.size()) + " messages, not one");
    const bool saidSaved = messages.shown[0] == popolun::text::kSaved;
    if (saidSaved != (result == popolun::CreateResult::saved))
        fail("the message and the result disagree: " + messages.shown[0]);
    if (input.name.empty() && messages.shown[0] != popolun::text::kEnterName)
        fail("an empty name without asking for one: " + messages.shown[0]);
    const Expected expected = derive(input);
    if (!saidSaved && mustBeSaved(input, expected, box))
        fail("a plain request was turned down: " + messages.shown[0]);
    if (saidSaved) {
        if (added.size() != 1)
            fail("saved, but " + std::to_string(added.size()) + " new entries");
        checkPageSet(added[0], input, expected);
    } else if (!added.empty()) {
        fail("not saved (" + messages.shown[0] + "), but left " + added[0].native());
    }

    // Back to the sandbox as it was; then nothing else may differ.
    for (const auto& entry : added)
        fs::remove_all(entry);
    if (treeOf(box.root) != box.before)
        fail("something that existed before was changed");
    return 0;
}
