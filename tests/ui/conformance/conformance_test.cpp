// Every rule a user meets in the two windows, written once and run through
// each toolkit's driver (driver.h): focus and keys and where the focus
// shows, buttons held down, the option buttons, fields, message boxes,
// other windows, drops, closing, moving, what a screen reader hears,
// tooltips, fonts and pictures at every scale.
// Stops, boxes and fonts come from the layout.
#include "driver.h"
#include "pictures.h"
#include "shown_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

namespace popolun::conformance {
namespace {

namespace fs = std::filesystem;
namespace m = layout::main;
namespace s = layout::settings;
using testing::TempDir;

std::vector<Control> stopsOf(Window window)
{
    std::vector<Control> stops;
    for (const layout::Control* stop : layout::tabOrder(layoutOf(window)))
        stops.push_back({window, stop->id});
    return stops;
}

std::string nameOf(std::optional<Control> control)
{
    if (!control)
        return "nothing";
    return std::string(layoutOf(control->window).name) + "." + std::string(layout::control(layoutOf(control->window), control->id).name);
}

class Conformance : public ::testing::Test {
protected:
    void SetUp() override { driver->start(dir.utf8()); }

    static Control main(layout::ControlId id) { return {Window::main, id}; }
    static Control settings(layout::ControlId id) { return {Window::settings, id}; }
    void clickMiddle(Control control)
    {
        const layout::Box box = layout::control(layoutOf(control.window), control.id).box;
        driver->click(control, box.width / 2, box.height / 2);
    }
    void openSettings() { clickMiddle(main(m::settings)); }
    std::string parameter(FieldId id) { return driver->program().session().main().text(id); }
    // How many pixels of the control's box two pictures of its window differ in.
    static int differingIn(Control control, const std::optional<Picture>& a, const std::optional<Picture>& b)
    {
        const layout::Window& window = layoutOf(control.window);
        return differingIn(window, layout::boxInWindow(window, layout::control(window, control.id)), a, b);
    }
    static int differingIn(const layout::Window& window, const layout::Box& box, const std::optional<Picture>& a,
                           const std::optional<Picture>& b)
    {
        return a && b ? differing(within(*a, box, window.clientWidth), within(*b, box, window.clientWidth)) : -1;
    }
    // Whether they differ along each side of the control's box, over half of it, two pixels deep.
    static bool differAllRound(Control control, const std::optional<Picture>& a, const std::optional<Picture>& b)
    {
        const layout::Window& window = layoutOf(control.window);
        const layout::Box box = layout::boxInWindow(window, layout::control(window, control.id));
        const layout::Box sides[] = {{box.left, box.top, box.width, 2}, {box.left, box.bottom() - 2, box.width, 2},
                                     {box.left, box.top, 2, box.height}, {box.right() - 2, box.top, 2, box.height}};
        return std::ranges::all_of(sides, [&](const layout::Box& side) {
            return differingIn(window, side, a, b) > std::max(side.width, side.height) / 2;
        });
    }
    // The stops the keys visit from where the focus is, n presses of Tab (or Shift+Tab).
    std::vector<std::string> visited(int presses, bool back = false)
    {
        std::vector<std::string> stops{nameOf(driver->focus())};
        for (int i = 0; i < presses; ++i) {
            driver->press(Key::tab, back);
            stops.push_back(nameOf(driver->focus()));
        }
        return stops;
    }

    TempDir dir;
    std::unique_ptr<Driver> driver = makeDriver();
};

TEST_F(Conformance, TheFirstStopHasTheFocusAtStartAndTheSettingsOpenOnTheirFirstField)
{
    EXPECT_TRUE(driver->visible(Window::main) && driver->active(Window::main));
    EXPECT_FALSE(driver->visible(Window::settings));
    EXPECT_EQ(nameOf(driver->focus()), nameOf(stopsOf(Window::main).front()));
    openSettings();
    EXPECT_TRUE(driver->carriesIcon(Window::main) && driver->carriesIcon(Window::settings));
    EXPECT_TRUE(driver->visible(Window::settings) && driver->active(Window::settings));
    EXPECT_TRUE(driver->visible(Window::main));
    EXPECT_EQ(nameOf(driver->focus()), nameOf(stopsOf(Window::settings).front()));
    EXPECT_TRUE(driver->selectedWhole(stopsOf(Window::settings).front())) << "typing would not replace it";
}

// Round and back in each window, the option buttons both stops whichever is selected.
TEST_F(Conformance, TabAndShiftTabVisitEveryStopInTheLayoutsOrder)
{
    openSettings();
    clickMiddle(settings(s::on));
    for (const Window window : {Window::main, Window::settings}) {
        driver->activate(window);
        const std::vector<Control> stops = stopsOf(window);
        driver->click(stops.front(), 2, 2);
        std::vector<std::string> round, back;
        for (std::size_t i = 0; i <= stops.size(); ++i)
            round.push_back(nameOf(stops[i % stops.size()]));
        for (std::size_t i = stops.size() + 1; i-- > 0;)
            back.push_back(nameOf(stops[i % stops.size()]));
        EXPECT_EQ(visited(int(stops.size())), round);
        EXPECT_EQ(visited(int(stops.size()), true), back);
    }
}

TEST_F(Conformance, EnterAndEscapePressNoButtonAnywhere)
{
    driver->type("bb");
    openSettings();
    for (const Window window : {Window::main, Window::settings}) {
        driver->activate(window);
        for (const Control stop : stopsOf(window)) {
            while (driver->focus() != stop)
                driver->press(Key::tab);
            const auto boxes = driver->answering([&] {
                driver->press(Key::enter);
                driver->press(Key::escape);
            });
            EXPECT_TRUE(boxes.empty()) << nameOf(stop);
            EXPECT_TRUE(driver->visible(Window::main) && driver->visible(Window::settings)) << nameOf(stop);
        }
    }
    EXPECT_FALSE(driver->ended());
    EXPECT_FALSE(fs::exists(dir.path() / "bb"));
    EXPECT_EQ(parameter(FieldId::autostart), "false");
}

// Reaching an option button by Tab selects nothing, and the arrow keys
// neither select nor move the focus; Space selects, and a click anywhere in its box.
TEST_F(Conformance, OnlyAClickSwitchesTheOptionButtons)
{
    openSettings();
    const Control on = settings(s::on), off = settings(s::off);
    while (driver->focus() != on)
        driver->press(Key::tab);
    for (const Key key : {Key::down, Key::right, Key::up, Key::left, Key::down}) {
        driver->press(key);
        EXPECT_TRUE(!driver->checked(on) && driver->checked(off)) << "after an arrow key";
        EXPECT_EQ(driver->focus(), on) << "after an arrow key";
    }
    driver->press(Key::tab);
    EXPECT_TRUE(driver->checked(off));
    EXPECT_EQ(parameter(FieldId::autostart), "false");
    while (driver->focus() != on)
        driver->press(Key::tab);
    driver->press(Key::space); // as a keyboard selects
    EXPECT_TRUE(driver->checked(on) && !driver->checked(off));
    EXPECT_EQ(parameter(FieldId::autostart), "true");
    for (const Control option : {on, off}) {
        const layout::Box box = layout::control(layout::form14(), option.id).box;
        for (const Point at : {Point{1, 1}, Point{box.width - 2, box.height - 2}, Point{box.width - 2, 1}}) {
            const Control other = option == on ? off : on;
            driver->click(other, 2, box.height / 2);
            driver->click(option, at.x, at.y);
            EXPECT_TRUE(driver->checked(option) && !driver->checked(other)) << nameOf(option) << " at " << at.x << "," << at.y;
            EXPECT_EQ(parameter(FieldId::autostart), option == on ? "true" : "false");
        }
    }
}

// Where the keys go can be seen: each stop, reached with Tab, looks
// otherwise than when the next one has the focus.
TEST_F(Conformance, EveryStopShowsWhenItHasTheFocus)
{
    driver->type("bb");
    openSettings();
    for (const Window window : {Window::main, Window::settings}) {
        driver->activate(window);
        const std::vector<Control> stops = stopsOf(window);
        while (driver->focus() != stops.back())
            driver->press(Key::tab);
        driver->press(Key::tab);
        std::optional<Picture> focused = driver->picture(window);
        for (const Control stop : stops) {
            driver->press(Key::tab);
            const std::optional<Picture> left = driver->picture(window);
            EXPECT_GT(differingIn(stop, focused, left), 10) << nameOf(stop);
            focused = left;
        }
    }
}

// A button held down looks pressed, all round its edge; let go off it, it presses nothing.
TEST_F(Conformance, AButtonHeldDownLooksPressedAndLetGoOffItPressesNothing)
{
    for (const Window window : {Window::main, Window::settings}) {
        if (window == Window::settings)
            openSettings();
        // Where the pictures are taken, so that the button keeps the pointer.
        driver->move(window, -driver->position(window).x, -driver->position(window).y);
        for (const layout::Control& each : layoutOf(window).controls) {
            if (each.kind != layout::Kind::button)
                continue;
            const Control button{window, each.id};
            std::optional<Picture> up, down;
            const auto boxes = driver->answering([&] {
                driver->hold(button, true);
                driver->hold(button, false);
                up = driver->picture(window);
                driver->hold(button, true);
                down = driver->picture(window);
                driver->hold(button, false);
            });
            EXPECT_TRUE(boxes.empty() && !driver->ended()) << nameOf(button);
            EXPECT_EQ(driver->visible(Window::settings), window == Window::settings) << nameOf(button);
            EXPECT_TRUE(differAllRound(button, up, down)) << nameOf(button);
        }
    }
}

TEST_F(Conformance, AFieldReachedByTabIsSelectedWholeAndAClickPutsTheCursorInIt)
{
    driver->type("bb");
    for (std::size_t i = 0; i < stopsOf(Window::main).size(); ++i)
        driver->press(Key::tab); // round to the name field
    ASSERT_EQ(driver->focus(), main(m::name));
    EXPECT_TRUE(driver->selectedWhole(main(m::name)));
    driver->type("cc");
    EXPECT_EQ(parameter(FieldId::name), "cc");

    openSettings();
    driver->press(Key::tab);
    ASSERT_EQ(driver->focus(), settings(s::width));
    EXPECT_TRUE(driver->selectedWhole(settings(s::width)));
    driver->type("640");
    EXPECT_EQ(parameter(FieldId::height), "544");

    driver->click(settings(s::extension), 3, 12); // before ".wmv"
    EXPECT_EQ(driver->focus(), settings(s::extension));
    EXPECT_FALSE(driver->selectedWhole(settings(s::extension)));
    driver->type("xy"); // each letter where the cursor went after the last
    EXPECT_EQ(parameter(FieldId::extension), "xy.wmv");
    driver->activate(Window::main);
    driver->click(main(m::name), 90, 16); // after "cc"
    EXPECT_EQ(driver->focus(), main(m::name));
    driver->type("d");
    EXPECT_EQ(parameter(FieldId::name), "ccd");
}

TEST_F(Conformance, EditsReachTheProgramAndFortyThousandPastedCharactersArriveWhole)
{
    std::string name;
    for (int i = 0; i < 40000; ++i)
        name += i % 2 ? "画" : "動"; // three bytes in UTF-8, one UTF-16 unit
    driver->paste(name);
    EXPECT_EQ(parameter(FieldId::name).size(), name.size());
    EXPECT_TRUE(parameter(FieldId::name) == name && driver->text(main(m::name)) == name);
    openSettings();
    driver->type(".avi");
    driver->press(Key::tab);
    driver->paste("321");
    EXPECT_EQ(parameter(FieldId::extension), ".avi");
    EXPECT_EQ(parameter(FieldId::width), "321");
    EXPECT_EQ(parameter(FieldId::height), "304.75");
}

// A message box is plain and over the window that asked; no other window
// takes input while it is up; afterwards all do, and the window that asked
// is active again with the focus where it was.
TEST_F(Conformance, AMessageBoxIsPlainOverTheWindowThatAskedAndHoldsTheWholeProgram)
{
    // One box over the window that asked; afterwards every window takes input
    // and that one is active again, its focus on the button pressed.
    const auto boxFrom = [&](Control pressed) {
        driver->activate(pressed.window);
        const auto boxes = driver->answering([&] { clickMiddle(pressed); });
        EXPECT_EQ(boxes.size(), 1u);
        const BoxSeen box = boxes.empty() ? BoxSeen{} : boxes[0];
        EXPECT_EQ(box.over, pressed.window);
        EXPECT_FALSE(box.othersTookInput);
        EXPECT_TRUE(driver->takesInput(Window::main) && driver->takesInput(Window::settings));
        EXPECT_TRUE(driver->active(pressed.window));
        EXPECT_EQ(driver->focus(), pressed);
        return box;
    };
    openSettings();
    const BoxSeen empty = boxFrom(main(m::create));
    EXPECT_EQ(empty.text, "記入しましょう。");
    EXPECT_TRUE(empty.plain);
    const BoxSeen help = boxFrom(settings(s::help)); // no help beside the program
    EXPECT_NE(help.text.find("ヘルプが見つかりません"), std::string::npos) << help.text;

    // Keys alone: the name typed, Tab to 一発作成, Space.
    driver->activate(Window::main);
    driver->click(main(m::name), 5, 5);
    driver->type("bb");
    driver->press(Key::tab);
    const auto boxes = driver->answering([&] { driver->press(Key::space); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "保存しました。");
    EXPECT_EQ(boxes[0].over, Window::main);
    EXPECT_EQ(testing::readBytes(dir.path() / "bb" / "bb01.htm"), testing::expectedEmbed("bb"));
    EXPECT_EQ(driver->focus(), main(m::create));
}

// With the help page beside the program, each "?" opens it for its own window.
TEST_F(Conformance, HelpOpensForTheWindowThatAsked)
{
    testing::writeBytes(dir.path() / kHelpPage, "<p>");
    const std::string page = testing::toUtf8(dir.path() / kHelpPage);
    openSettings();
    clickMiddle(settings(s::help));
    driver->activate(Window::main);
    clickMiddle(main(m::help));
    const auto handle = [&](ui::WindowView& view) { return std::to_string(view.nativeHandle()); };
    EXPECT_EQ(driver->helpOpened(), (std::vector<std::string>{"document " + handle(driver->program().settings().view()) + " " + page,
                                                               "document " + handle(driver->program().view()) + " " + page}));
    EXPECT_TRUE(driver->visible(Window::main) && driver->visible(Window::settings));
}

TEST_F(Conformance, TheFocusStaysWhereItWasAcrossWindowsAndOtherPrograms)
{
    openSettings(); // the click leaves 設定 focused in the main window
    driver->press(Key::tab);
    ASSERT_EQ(driver->focus(), settings(s::width));
    driver->activate(Window::main);
    EXPECT_EQ(driver->focus(), main(m::settings));
    driver->activate(Window::settings);
    EXPECT_EQ(driver->focus(), settings(s::width));
    driver->visitAnotherProgram(Window::settings);
    EXPECT_EQ(driver->focus(), settings(s::width));
    driver->visitAnotherProgram(Window::main);
    EXPECT_EQ(driver->focus(), main(m::settings));
}

// The whole of its name but the last extension, from a folder deeper than
// the old 260-character limit; anything but one file changes nothing and says why.
TEST_F(Conformance, ADroppedVideoFillsTheNameAndTheExtensionAndTheNameTakesTheFocus)
{
    fs::path folder = dir.path();
    while (folder.u16string().size() <= 300) // characters, as Windows counts them
        folder /= testing::fromUtf8("ビデオ置き場" + std::string(20, 'v'));
    fs::create_directories(folder);
    const fs::path video = folder / testing::fromUtf8("運動会.2026 午前.mp4");
    testing::writeBytes(video, "");
    openSettings(); // the main window is not the active one
    EXPECT_TRUE(driver->answering([&] { driver->drop({testing::toUtf8(video)}); }).empty());
    EXPECT_EQ(driver->text(main(m::name)), "運動会.2026 午前");
    EXPECT_TRUE(driver->active(Window::main));
    EXPECT_EQ(driver->focus(), main(m::name));
    EXPECT_TRUE(driver->selectedWhole(main(m::name)));
    EXPECT_EQ(parameter(FieldId::extension), ".mp4");
    const auto shown = [](const fs::path& item) { return "「" + shownPath(testing::toUtf8(item), pathSeparator()) + "」"; };
    const std::string unchanged = "ビデオファイルを一つ選んでください。何も変更していません。";
    for (const auto& [items, told] :
         {std::pair{std::vector{video, video}, std::string("ビデオファイルは一つだけにしてください（2個ありました）。何も変更していません。")},
          {std::vector{folder}, shown(folder) + "はフォルダーです。" + unchanged},
          {std::vector{folder / "gone.mp4"}, shown(folder / "gone.mp4") + "はファイルではありません。" + unchanged}}) {
        std::vector<std::string> paths;
        for (const fs::path& item : items)
            paths.push_back(testing::toUtf8(item));
        const auto boxes = driver->answering([&] { driver->drop(paths); });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, told);
        EXPECT_EQ(boxes[0].over, Window::main);
        EXPECT_EQ(parameter(FieldId::name), "運動会.2026 午前");
    }
    // A file without an extension leaves the extension as it is; over a label, the window takes it.
    testing::writeBytes(folder / "practice", "");
    EXPECT_TRUE(driver->answering([&] { driver->drop({testing::toUtf8(folder / "practice")}, m::example); }).empty());
    EXPECT_EQ(parameter(FieldId::name), "practice");
    EXPECT_EQ(driver->text(settings(s::extension)), ".mp4");
}

// Started with two videos, as a file manager starts it for two files dropped on it.
TEST(ConformanceAtStart, TwoVideosGivenAtStartSayWhyNothingChanged)
{
    TempDir dir;
    const fs::path video = dir.path() / testing::fromUtf8("運動会.mp4");
    testing::writeBytes(video, "");
    const auto driver = makeDriver();
    const auto boxes = driver->answering([&] { driver->start(dir.utf8(), {testing::toUtf8(video), testing::toUtf8(video)}); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("2個"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].over, Window::main);
    EXPECT_TRUE(driver->visible(Window::main));
    EXPECT_EQ(driver->program().session().main().text(FieldId::name), "");
}

TEST_F(Conformance, ClosingTheSettingsOnlyHidesThemAndClosingTheMainWindowEndsTheProgram)
{
    openSettings();
    clickMiddle(settings(s::on));
    driver->close(Window::settings);
    EXPECT_FALSE(driver->visible(Window::settings));
    EXPECT_TRUE(driver->visible(Window::main));
    EXPECT_FALSE(driver->ended());
    openSettings();
    EXPECT_TRUE(driver->checked(settings(s::on)));
    driver->close(Window::main);
    EXPECT_TRUE(driver->ended());
    EXPECT_FALSE(driver->visible(Window::main) || driver->visible(Window::settings));
}

TEST_F(Conformance, WindowsKeepTheirSizeComeBackWhereTheyWereMovedAndTheSettingsBelongToTheMainWindow)
{
    openSettings();
    EXPECT_TRUE(driver->ownedByMain(Window::settings));
    for (const Window window : {Window::main, Window::settings})
        EXPECT_TRUE(!driver->resizable(window) && driver->minimisable(window)) << layoutOf(window).name;
    driver->move(Window::settings, 37, 23);
    driver->move(Window::main, -41, 19);
    const Point settingsAt = driver->position(Window::settings), mainAt = driver->position(Window::main);
    clickMiddle(settings(s::back));
    EXPECT_FALSE(driver->visible(Window::settings));
    EXPECT_TRUE(driver->visible(Window::main) && driver->active(Window::main));
    openSettings();
    EXPECT_EQ(driver->position(Window::settings), settingsAt);
    EXPECT_EQ(driver->position(Window::main), mainAt);
    // Shown already, behind the main window, it comes to the front.
    driver->activate(Window::main);
    openSettings();
    EXPECT_TRUE(driver->active(Window::settings));
    // Minimised, it comes back the same way.
    driver->minimise(Window::settings);
    EXPECT_FALSE(driver->visible(Window::settings));
    openSettings();
    EXPECT_TRUE(driver->visible(Window::settings) && driver->active(Window::settings));
    EXPECT_EQ(driver->position(Window::settings), settingsAt);
}

// Every control of both windows, as a screen reader hears it; the band and
// the section marks are passed over.
TEST_F(Conformance, ScreenReadersHearEveryControlByNameRoleAndDescription)
{
    using enum Role;
    const std::string sizes = "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。",
                      dot = "拡張子の前に必ず点を入れてください。avi、ｍｐｇの時";
    const std::map<std::pair<Window, layout::ControlId>, std::optional<Heard>> heard{
        {{Window::main, m::banner}, Heard{"ポポルン", "", graphic}},
        {{Window::main, m::example}, Heard{"例：bb.wmvは”ｂｂ”と記入。", "", text}},
        {{Window::main, m::name}, Heard{"ビデオファイル名（拡張子なし）", "ビデオファイルの拡張子抜きファイル名を記入", field}},
        {{Window::main, m::create}, Heard{"一発作成", "フォルダーとasxファイル、ｈｔｍファイル二個自動作成", button}},
        {{Window::main, m::band}, std::nullopt},
        {{Window::main, m::help}, Heard{"ヘルプ", "", button}},
        {{Window::main, m::exit}, Heard{"終了", "終了", button}},
        {{Window::main, m::settings}, Heard{"設定", "通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。", button}},
        {{Window::settings, s::extensionMark}, std::nullopt},
        {{Window::settings, s::extensionLabel}, Heard{"asxの設定　拡張子", "", text}},
        {{Window::settings, s::extensionHint}, Heard{dot, "", text}},
        {{Window::settings, s::extension}, Heard{"拡張子", dot, field}},
        {{Window::settings, s::sizeMark}, std::nullopt},
        {{Window::settings, s::widthLabel}, Heard{"幅", "", text}},
        {{Window::settings, s::width}, Heard{"幅", sizes, field}},
        {{Window::settings, s::illustration}, Heard{"プレーヤーの幅と高さの図", "", graphic}},
        {{Window::settings, s::heightLabel}, Heard{"高さ", "", text}},
        {{Window::settings, s::sizeFrame}, Heard{"大きさ", "", grouping}},
        {{Window::settings, s::sizeHint}, Heard{sizes, "", text}},
        {{Window::settings, s::autostartLabel}, Heard{"オート起動", "", text}},
        {{Window::settings, s::on}, Heard{"オン", "オート起動", optionButton}},
        {{Window::settings, s::off}, Heard{"オフ", "オート起動", optionButton}},
        {{Window::settings, s::back}, Heard{"戻る", "", button}},
        {{Window::settings, s::help}, Heard{"ヘルプ", "", button}},
    };
    const std::map<Window, std::string> titles{{Window::main, "ポポルン　ベーシック版"},
                                               {Window::settings, "一発ポポルン　ベーシック版　設定"}};
    // A screen reader asks first for the control with the focus, later for each window before its controls.
    EXPECT_EQ(driver->heard(main(m::name)), heard.at({Window::main, m::name}));
    openSettings();
    for (const Window window : {Window::main, Window::settings}) {
        EXPECT_EQ(driver->heard(window), (Heard{titles.at(window), "", Role::window}));
        int heardControls = 0;
        for (const layout::Control& each : layoutOf(window).controls) {
            EXPECT_EQ(driver->heard(Control{window, each.id}), heard.at({window, each.id})) << nameOf(Control{window, each.id});
            heardControls += heard.at({window, each.id}).has_value();
        }
        EXPECT_EQ(driver->heardWithin(window), heardControls) << "nothing else is heard within " << layoutOf(window).name;
    }
}

TEST_F(Conformance, TooltipsShowWhenThePointerRestsOnTheirControls)
{
    openSettings();
    driver->hover(settings(s::extension));
    EXPECT_EQ(driver->tooltipShown(), "");
    // The main window's tips show while the settings window is the active one.
    const std::pair<layout::ControlId, std::string> tips[] = {
        {m::name, "ビデオファイルの拡張子抜きファイル名を記入"},
        {m::create, "フォルダーとasxファイル、ｈｔｍファイル二個自動作成"},
        {m::exit, "終了"},
        {m::settings, "通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。"},
    };
    for (const auto& [control, tip] : tips) {
        driver->hover(main(control));
        EXPECT_EQ(driver->tooltipShown(), tip) << nameOf(main(control));
    }
}

TEST_F(Conformance, FontsAreTheirPointSizeAtEveryScale)
{
    openSettings();
    for (const int dpi : driver->dpis()) {
        driver->showAt(dpi);
        for (const Window window : {Window::main, Window::settings}) {
            for (const layout::Control& each : layoutOf(window).controls) {
                if (each.kind == layout::Kind::picture)
                    continue;
                const double points = each.font.face == layout::Face::windowDefault ? layout::kDefaultFont.points
                                                                                    : each.font.points;
                EXPECT_NEAR(driver->fontPixels(Control{window, each.id}), points * dpi / 72, 0.5)
                    << nameOf(Control{window, each.id}) << " at " << dpi << " dpi";
            }
        }
    }
}

// The windows as drawn, against pictures a person has looked at
// (reviewed/TOOLKIT/, which scripts/renew-reviewed-pictures draws anew). At
// most 20 pixels may differ: room for a stray antialiased pixel, none for a
// box off by a pixel, a fill off by a few steps, a wrong font, a missing
// caption, a blurred picture or a window of the wrong size.
TEST_F(Conformance, BothWindowsLookAsReviewedAtEveryScale)
{
    openSettings();
    driver->activate(Window::main);
    driver->click(main(m::name), 5, 5);
    driver->press(Key::tab); // 一発作成 as it shows the focus
    const char* renew = std::getenv("POPOLUN_RENEW_REVIEWED");
    int compared = 0;
    for (const int dpi : driver->dpis()) {
        driver->showAt(dpi);
        for (const Window window : {Window::main, Window::settings}) {
            const std::string name = std::string(window == Window::main ? "main" : "settings") + "-"
                                   + std::to_string(dpi) + "dpi";
            const std::optional<Picture> shown = driver->picture(window);
            if (!shown) {
                std::cout << name << ": not drawn whole on this driver's screen, not compared\n";
                continue;
            }
            const Picture& drawn = *shown;
            ++compared;
            if (renew) {
                writePpm(fs::path(renew) / (name + ".ppm"), drawn);
                continue;
            }
            const Picture reviewed = reviewedPicture(driver->toolkit(), name);
            const int off = differing(drawn, reviewed);
            if (off < 0 || off > 20) {
                const fs::path saved = fs::temp_directory_path() / ("drawn-" + driver->toolkit() + "-" + name + ".ppm");
                writePpm(saved, drawn);
                ADD_FAILURE() << name << ": " << (off < 0 ? "not the reviewed size" : std::to_string(off) + " pixels differ")
                              << " (drawn " << drawn.width << "x" << drawn.height << ", reviewed " << reviewed.width << "x"
                              << reviewed.height << "); drawn: " << saved.string();
            }
        }
    }
    EXPECT_GE(compared, 2) << "both windows at the first scale at least";
}

} // namespace
} // namespace popolun::conformance
