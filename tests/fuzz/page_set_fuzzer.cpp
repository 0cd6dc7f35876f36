// Everything that takes text from outside, fed any bytes (libFuzzer with the
// sanitizers; scripts/fuzz runs it). An input is lines: the name typed, the
// width and the extension typed into the settings, how the run goes (digits:
// the file-system call that fails, from 1; n s a i x: the error; r: every
// removal fails; o: "オン" clicked; L: a dead run's staging folder beside;
// T: the name already taken), then videos dropped (f a file, d a folder,
// anything else no file, then the path). On every input the settings reach
// the main fields and a numeric width gives its height; a whole, byte-exact
// page set inside the program folder, or nothing there and a message, and
// nothing touched outside it, with Linux's and Windows's rules; a dropped
// video splits into name and extension; shortened texts never split a character.
#include "dropped_video.h"
#include "memory_file_system.h"
#include "name_check.h"
#include "page_set_writer.h"
#include "platform/encoding.h"
#include "session.h"
#include "shown_text.h"
#include "staging_folders.h"
#include "test_support.h"
#include "utf8.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace popolun {
namespace {

using testing::MemoryFileSystem;

void require(bool holds, const char* what, std::string_view detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: %s: %.*s\n", what, int(detail.size()), detail.data());
    std::abort();
}

struct Run {
    std::string name, width, extension;
    int failAt = 0;
    FsError error = FsError::ioError;
    bool removalsFail = false, on = false, leftover = false, taken = false;
    std::vector<std::string> dropped;
};

Run readRun(std::string_view input)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    lines.resize(std::max<std::size_t>(lines.size(), 4));
    Run run{lines[0], lines[1], lines[2]};
    constexpr std::string_view errors = "nsaix";
    const FsError kinds[] = {FsError::notFound, FsError::noSpace, FsError::accessDenied, FsError::ioError, FsError::other};
    for (const char c : lines[3]) {
        if (c >= '0' && c <= '9')
            run.failAt = std::min(run.failAt * 10 + (c - '0'), 1000);
        if (errors.find(c) != errors.npos)
            run.error = kinds[errors.find(c)];
        run.removalsFail |= c == 'r';
        run.on |= c == 'o';
        run.leftover |= c == 'L';
        run.taken |= c == 'T';
    }
    run.dropped.assign(lines.begin() + 4, lines.end());
    return run;
}

bool isUtf8(std::string_view text) { return decodeUtf8(text).has_value(); }
std::size_t characters(std::string_view text) { return decodeUtf8(text)->size(); }

// A plain decimal numeral: what the settings take as a width.
bool isNumeral(std::string_view text)
{
    const auto digits = [](std::string_view part) { return !part.empty() && part.find_first_not_of("0123456789") == part.npos; };
    const std::size_t start = text.starts_with('-') ? 1 : 0, dot = text.find('.', start);
    return dot == text.npos ? digits(text.substr(start)) : digits(text.substr(start, dot - start)) && digits(text.substr(dot + 1));
}

// Three quarters of the width plus 64, in the fewest digits; nothing where the
// width is no number or the height is no finite one.
void heightFollowsTheWidth(const std::string& width, const std::string& height)
{
    const double w = isNumeral(width) ? std::strtod(width.c_str(), nullptr) : NAN;
    const double expected = w / 4 * 3 + 64;
    if (!std::isfinite(w) || !std::isfinite(expected)) {
        require(height.empty(), "a height without a numeric width", width + " -> " + height);
        return;
    }
    require(!height.empty(), "no height for a numeric width", width);
    const double shown = std::strtod(height.c_str(), nullptr);
    require(std::abs(shown - expected) <= std::abs(expected) * 1e-14, "the height is not 3/4 of the width + 64",
            width + " -> " + height);
    if (height.find('E') == std::string::npos && height.find('.') != std::string::npos)
        require(height.back() != '0' && height.back() != '.', "a height with trailing zeros", height);
}

struct Messages final : MessageSink {
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// Whether a path the writer gave the file system names the program folder or
// something in it: no "." or ".." on the way, and on Windows no other separator.
bool insideProgramFolder(const std::string& path, const std::string& program, char separator, bool windows)
{
    if (path == program)
        return true;
    if (!path.starts_with(program + separator))
        return false;
    for (std::size_t start = program.size() + 1; start <= path.size();) {
        const std::size_t end = std::min(path.find(separator, start), path.size());
        const std::string_view part(path.data() + start, end - start);
        if (part.empty() || part == "." || part == ".." || (windows && part.find_first_of("/:") != part.npos))
            return false;
        start = end + 1;
    }
    return true;
}

void pageSetIsWholeOrNone(const Run& run, const Snapshot& fields, char separator, bool windows)
{
    const std::string root = windows ? "C:" : "";
    const std::string program = root + separator + "p", name = fields[FieldId::name];
    MemoryFileSystem fileSystem(separator, root);
    fileSystem.addFolder(program);
    fileSystem.addFile(program + separator + "other.txt", "existing");
    fileSystem.addFolder(root + separator + "q");
    fileSystem.addFile(root + separator + "q" + separator + "outside.txt", "theirs");
    const bool plainName = !name.empty() && name.find_first_of("/\\") == std::string::npos;
    if (run.taken && plainName)
        fileSystem.addFolder(program + separator + name);
    const std::string leftover = program + separator + stagingFolderName(nativeProcesses(), testing::kNoProcess, 0, 7);
    if (run.leftover) {
        fileSystem.addFolder(leftover);
        fileSystem.addFile(leftover + separator + "bb.asx", "killed");
    }
    auto before = fileSystem.entries;
    fileSystem.failAt = run.failAt;
    fileSystem.fault = {run.error, "injected"};
    fileSystem.removalsFail = run.removalsFail;

    Messages messages;
    const CreateResult result = PageSetWriter(fileSystem, program, messages, separator, windows).create(fields);
    require(messages.shown.size() == 1, "not exactly one message");
    const std::string& said = messages.shown.front();
    for (const std::string& path : fileSystem.touched)
        require(insideProgramFolder(path, program, separator, windows), "a path outside the program folder", path);

    auto after = fileSystem.entries;
    // A dead run's leftover may go (it holds only the program's files), or stay.
    for (auto* tree : {&before, &after})
        std::erase_if(*tree, [&](const auto& entry) {
            return entry.first == leftover || entry.first.starts_with(leftover + separator);
        });
    if (result == CreateResult::saved) {
        require(said == say(Message::saved), "saved with another message", said);
        const auto cp932 = [](const std::string& text) { return encodeCp932(text).value(); };
        const std::string folder = program + separator + name, stem = folder + separator + name;
        before[folder] = {true, {}};
        before[stem + ".asx"] = {false, testing::expectedAsx(cp932(name), cp932(fields[FieldId::extension]))};
        before[stem + ".htm"] = {false, testing::expectedLink(cp932(name))};
        before[stem + "01.htm"] = {false, testing::expectedEmbed(cp932(name), fields[FieldId::width],
                                                                 fields[FieldId::height], fields[FieldId::autostart])};
        require(after == before, "the saved page set is not whole, byte for byte", name);
        require(checkBaseName(name, windows).problem == NameProblem::none, "saved under a refused name", name);
        return;
    }
    require(said != say(Message::saved), "not saved, yet said so", said);
    if (fileSystem.removalsFailed == 0) {
        require(after == before, "a failed run left something behind or changed what was there", said);
        return;
    }
    // Whatever could not be removed again is named, shortened as messages
    // shorten paths on this platform.
    for (const auto& [path, entry] : after) {
        if (!before.contains(path))
            require(said.find(shownPath(path, pathSeparator())) != std::string::npos, "a leftover not named",
                    path + " in " + said);
    }
}

bool isFile(const std::string& item) { return item.starts_with('f'); }
DirectoryEntry::Kind kindOfDropped(const std::string& path)
{
    return isFile(path) ? DirectoryEntry::Kind::file
                        : path.starts_with('d') ? DirectoryEntry::Kind::folder : DirectoryEntry::Kind::other;
}

void droppedVideoSplits(const std::vector<std::string>& items)
{
    const ui::DropReading reading = ui::readDroppedVideo(items, kindOfDropped);
    if (items.size() != 1 || !isFile(items[0])) {
        require(!reading.video && !reading.message.empty(), "something other than one file was taken");
        if (std::all_of(items.begin(), items.end(), isUtf8))
            require(isUtf8(reading.message), "the message splits a character", reading.message);
        return;
    }
    require(reading.video.has_value(), "one file was refused", items[0]);
    const std::string file = items[0].substr(items[0].rfind('/') + 1);
    const auto& [name, extension] = *reading.video;
    require(name + extension.value_or("") == file, "name and extension are not the file's name", file);
    if (extension)
        require(extension->starts_with('.') && extension->find('.', 1) == std::string::npos && !name.empty(),
                "not the last extension", file);
    else
        require(file.rfind('.') == std::string::npos || file.rfind('.') == 0, "an extension was kept in the name",
                file);
}

void shortenedTextsStayWhole(const std::string& text, const std::string& path)
{
    const std::string name = shownName(text);
    if (!isUtf8(text)) {
        require(name == text, "text that is no UTF-8 was changed");
        return;
    }
    require(isUtf8(name), "a shortened name splits a character", text);
    require(characters(name) <= kShownNameLength, "a shortened name is too long", text);
    if (characters(text) <= kShownNameLength)
        require(name == text, "a short name was changed", text);
    for (const char separator : {'/', '\\'})
        require(!isUtf8(path) || isUtf8(shownPath(path, separator)), "a shortened path splits a character", path);
}

} // namespace
} // namespace popolun

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace popolun;
    const Run run = readRun({reinterpret_cast<const char*>(data), size});

    testing::CreateButton button; // the fields a page set is made of
    SettingsFields& settings = button.session.settings();
    FieldSet& main = button.session.main();
    const auto followed = [&] {
        for (const Setting each : {Setting::extension, Setting::width, Setting::autostart})
            require(main.text(settingRow(each).main) == settings.field(each).text(), "a setting did not follow",
                    settingRow(each).name);
        heightFollowsTheWidth(main.text(FieldId::width), main.text(FieldId::height));
    };
    settings.field(Setting::width).setText(run.width);
    followed();
    settings.field(Setting::extension).setText(run.extension);
    if (run.on)
        settings.click(Option::on);
    followed();
    require(settings.field(Setting::autostart).text() == (run.on ? "true" : "false"),
            "the option buttons and autostart disagree");
    main.setText(FieldId::name, run.name);
    const Snapshot fields = main.snapshot();
    // Whatever is put into the height, it is the width's again at once.
    settings.field(Setting::height).setText(run.name);
    main.setText(FieldId::height, run.name);
    followed();
    pageSetIsWholeOrNone(run, fields, '/', false);
    pageSetIsWholeOrNone(run, fields, '\\', true);

    droppedVideoSplits(run.dropped);
    shortenedTextsStayWhole(run.name, run.extension + "/" + run.name + "/" + run.width);
    return 0;
}
