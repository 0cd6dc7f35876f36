#include "form13.h"
#include "message_boxes.h"
#include "message_loop.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cmath>
#include <memory>

using namespace popolun;
using popolun::testing::MessageBoxes;
namespace fs = std::filesystem;

namespace {

const std::wstring kTitle = L"ポポルン　ベーシック版";
const std::wstring kSaved = L"保存しました。";

RECT boxIn(HWND window, HWND control)
{
    RECT box;
    ::GetWindowRect(control, &box);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

// Records what the "?" buttons ask for instead of opening anything.
class RecordingHelp final : public HelpOpener {
public:
    bool helpContents(std::uintptr_t window) override
    {
        calls.push_back("contents " + std::to_string(window));
        return true; // as WinHelpA, which takes any file
    }
    void document(std::uintptr_t window, const std::string& path) override
    {
        calls.push_back("document " + std::to_string(window) + " " + path);
    }
    std::vector<std::string> calls;
};

class Win32Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<win32::Form13>(dir.utf8(), help);
        main->showCentred();
        pump();
    }

    void TearDown() override
    {
        main.reset();
        pump();
    }

    win32::Form14& settings() { return main->settingsWindow(); }

    // Handles what is queued, keys as the program's own loop does.
    void pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitPosted = true;
                continue;
            }
            if (main && win32::routeKeys(message, {main.get(), &settings()}))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    // A key pressed and released where the focus is, as the keyboard sends it.
    void press(WPARAM key)
    {
        HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1);
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE)
            ::PostMessageW(focus, WM_CHAR, key, 1);
        ::PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        pump();
    }

    void type(HWND field, const wchar_t* text)
    {
        ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        pump();
    }

    void click(HWND button)
    {
        ::SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }

    std::vector<std::string> parameters()
    {
        std::vector<std::string> values;
        for (int n : {4, 12, 14, 17})
            values.push_back(main->session().main().text(n));
        return values;
    }

    popolun::testing::TempDir dir;
    RecordingHelp help;
    std::unique_ptr<win32::Form13> main;
    bool quitPosted = false;
};

TEST_F(Win32Windows, ControlsStandWhereTheLayoutSaysWithTheirCaptionsAndFonts)
{
    ASSERT_EQ(::GetDpiForWindow(main->handle()), 96u) << "the boxes below are 96-dpi pixels";
    for (win32::TopWindow* window : {static_cast<win32::TopWindow*>(main.get()), static_cast<win32::TopWindow*>(&settings())}) {
        const layout::Window& spec = window->controls().layout();
        RECT client;
        ::GetClientRect(window->handle(), &client);
        EXPECT_EQ(client.right, spec.clientWidth);
        EXPECT_EQ(client.bottom, spec.clientHeight);
        EXPECT_EQ(win32::windowText(window->handle()), win32::wide(spec.caption));
        for (const layout::Control& each : spec.controls) {
            SCOPED_TRACE(std::string(each.name));
            HWND control = window->control(each.name);
            ASSERT_TRUE(control);
            const layout::Box box = layout::boxInWindow(spec, each);
            const RECT placed = boxIn(window->handle(), control);
            EXPECT_EQ(placed.left, box.left);
            EXPECT_EQ(placed.top, box.top);
            EXPECT_EQ(placed.right, box.right());
            EXPECT_EQ(placed.bottom, box.bottom());
            if (each.kind != layout::Kind::textField)
                EXPECT_EQ(win32::windowText(control), win32::wide(each.caption));
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
            const layout::Font& wanted = each.font.face == layout::Face::windowDefault ? layout::kDefaultFont : each.font;
            EXPECT_EQ(std::wstring(font.lfFaceName), win32::wide(layout::faceName(wanted.face)));
            EXPECT_EQ(font.lfHeight, -std::lround(wanted.points * 96 / 72));
            EXPECT_EQ(font.lfWeight, wanted.bold ? FW_BOLD : FW_NORMAL);
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        }
    }
    // A few boxes as drawn, so that the layout itself is checked too.
    EXPECT_EQ(boxIn(main->handle(), main->control("Text1")).left, 176);
    EXPECT_EQ(boxIn(main->handle(), main->control("Command1")).bottom, 184 + 49);
    EXPECT_EQ(boxIn(settings().handle(), settings().control("Label7")).left, 448 + 8); // inside Frame1
    // Buttons are drawn above the band they lie on.
    EXPECT_EQ(::ChildWindowFromPointEx(main->handle(), {260, 290}, CWP_SKIPINVISIBLE), main->control("Command5"));
    EXPECT_EQ(::ChildWindowFromPointEx(settings().handle(), {420, 130}, CWP_SKIPINVISIBLE), settings().control("Label5"));
}

TEST_F(Win32Windows, AMoveToA144DpiScreenScalesEveryBoxAndFont)
{
    RECT suggested{0, 0, 0, 0};
    ::GetWindowRect(main->handle(), &suggested);
    suggested.right = suggested.left + 700;
    suggested.bottom = suggested.top + 540;
    ::SendMessageW(main->handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(main->controls().dpi(), 144u);
    const RECT text1 = boxIn(main->handle(), main->control("Text1"));
    EXPECT_EQ(text1.left, 264);            // 176 at 96 dpi
    EXPECT_EQ(text1.bottom, (128 + 33) * 3 / 2 + 1); // 241.5, rounded
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(main->control("Label7"), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -20); // 9.75 points
    RECT window;
    ::GetWindowRect(main->handle(), &window);
    EXPECT_EQ(window.right - window.left, 700); // the size the system suggested
}

TEST_F(Win32Windows, StartsWithOnlyTheMainWindowShownAndTheStartUpValues)
{
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(settings().isVisible());
    EXPECT_EQ(::GetFocus(), main->control("Text1"));
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "320", "304", "false"}));
    EXPECT_EQ(win32::windowText(settings().control("Text4")), L".wmv");
    EXPECT_EQ(win32::windowText(settings().control("Text12")), L"320");
    EXPECT_EQ(::SendMessageW(settings().control("Option1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageW(settings().control("Option2"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(::SendMessageW(main->handle(), WM_GETICON, ICON_BIG, 0) | ::GetClassLongPtrW(main->handle(), GCLP_HICON), 0u);
}

TEST(Win32Resources, ExplorerShowsTheProductNameAndVersion)
{
    // The test program carries the same resources as popolun.exe.
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string info(::GetFileVersionInfoSizeW(self, nullptr), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(self, 0, DWORD(info.size()), info.data()));
    const auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        return ::VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text
                   ? std::wstring(text)
                   : std::wstring();
    };
    EXPECT_EQ(value(L"ProductName"), kTitle);
    EXPECT_EQ(value(L"ProductVersion"), win32::wide(POPOLUN_VERSION));
}

TEST_F(Win32Windows, TabFollowsTheTablesInBothWindows)
{
    const auto visit = [&](win32::TopWindow& window, std::vector<const char*> expected) {
        ::SetFocus(window.control(expected.front()));
        for (std::size_t i = 1; i < expected.size(); ++i) {
            press(VK_TAB);
            EXPECT_EQ(::GetFocus(), window.control(expected[i])) << "stop " << i << ": " << expected[i];
        }
    };
    visit(*main, {"Text1", "Command1", "Command2", "Command4", "Command5", "Text1"});
    click(main->control("Command4"));
    ASSERT_TRUE(settings().isVisible());
    EXPECT_EQ(::GetFocus(), settings().control("Text4")) << "the settings open on their first field";
    visit(settings(), {"Text4", "Text12", "Option1", "Option2", "Command1", "Command2", "Text4"});
    // Shift+Tab goes back the same way.
    ::SetFocus(settings().control("Command1"));
    const auto shiftTab = [&] {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys);
        press(VK_TAB);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    };
    shiftTab();
    EXPECT_EQ(::GetFocus(), settings().control("Option2"));
    shiftTab();
    EXPECT_EQ(::GetFocus(), settings().control("Option1"));
    // Reaching an option button by Tab does not select it.
    EXPECT_EQ(parameters()[3], "false");
}

TEST_F(Win32Windows, EnterAndEscapePressNoButtonAnywhere)
{
    type(main->control("Text1"), L"bb");
    click(main->control("Command4"));
    MessageBoxes boxes;
    boxes.answerDuring([&] {
        for (win32::TopWindow* window : {static_cast<win32::TopWindow*>(main.get()), static_cast<win32::TopWindow*>(&settings())}) {
            for (const layout::Control* stop : layout::tabOrder(window->controls().layout())) {
                ::SetFocus(window->control(stop->name));
                press(VK_RETURN);
                press(VK_ESCAPE);
            }
        }
    });
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(settings().isVisible());
    EXPECT_FALSE(quitPosted);
}

TEST_F(Win32Windows, KeysAloneMakeAPageSet)
{
    // The focus starts in the name field; Tab to 一発作成, Space presses it.
    type(::GetFocus(), L"bb");
    press(VK_TAB);
    ASSERT_EQ(::GetFocus(), main->control("Command1"));
    MessageBoxes boxes;
    boxes.answerDuring([&] { press(VK_SPACE); });
    EXPECT_EQ(boxes.texts(), std::vector<std::wstring>{kSaved});
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "bb" / "bb01.htm"));
}

TEST_F(Win32Windows, ACreateClickWritesTheWorkedExampleAndAsksPlainly)
{
    type(main->control("Text1"), L"bb");
    MessageBoxes boxes;
    boxes.answerDuring([&] { click(main->control("Command1")); });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, kSaved);
    EXPECT_EQ(boxes.seen[0].caption, kTitle);
    EXPECT_EQ(boxes.seen[0].owner, main->handle());
    EXPECT_EQ(boxes.seen[0].buttons, 1);
    EXPECT_FALSE(boxes.seen[0].icon);
    EXPECT_EQ(popolun::testing::readBytes(dir.path() / "bb" / "bb.asx"), popolun::testing::expectedAsx("bb"));
    EXPECT_EQ(popolun::testing::readBytes(dir.path() / "bb" / "bb.htm"), popolun::testing::expectedLink("bb"));
    EXPECT_EQ(popolun::testing::readBytes(dir.path() / "bb" / "bb01.htm"), popolun::testing::expectedEmbed("bb"));

    // The same name again: refused, the first page set untouched.
    const auto before = popolun::testing::treeContents(dir.path());
    boxes.seen.clear();
    boxes.answerDuring([&] { click(main->control("Command1")); });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].text, kSaved);
    EXPECT_EQ(popolun::testing::treeContents(dir.path()), before);
}

TEST_F(Win32Windows, SettingsEditsReachTheNextPageSetAndTheCloseBoxOnlyHides)
{
    click(main->control("Command4"));
    EXPECT_TRUE(settings().isVisible());
    EXPECT_TRUE(main->isVisible());
    type(settings().control("Text12"), L"640");
    click(settings().control("Option1"));
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "640", "544", "true"}));
    EXPECT_EQ(::SendMessageW(settings().control("Option2"), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ::SendMessageW(settings().handle(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(settings().isVisible());
    EXPECT_TRUE(::IsWindow(settings().handle()));
    click(main->control("Command4"));
    EXPECT_EQ(::SendMessageW(settings().control("Option1"), BM_GETCHECK, 0, 0), BST_CHECKED);
    click(settings().control("Command1")); // 戻る
    EXPECT_FALSE(settings().isVisible());

    type(settings().control("Text4"), L"avi");
    type(main->control("Text1"), L"動画");
    MessageBoxes boxes;
    boxes.answerDuring([&] { click(main->control("Command1")); });
    EXPECT_EQ(boxes.texts(), std::vector<std::wstring>{kSaved});
    const fs::path folder = dir.path() / L"動画";
    const std::string inPage = "\x93\xae\x89\xe6"; // 動画 in Shift_JIS
    EXPECT_EQ(popolun::testing::readBytes(folder / L"動画01.htm"), popolun::testing::expectedEmbed(inPage, "640", "544", "true"));
    EXPECT_NE(popolun::testing::readBytes(folder / L"動画.asx").find("./" + inPage + "avi\">"), std::string::npos);
}

TEST_F(Win32Windows, WhatTheCoreRefusesTheWindowRefusesWithNothingCreated)
{
    const wchar_t* names[] = {L"", L"a\\b", L"a/b", L"..", L"CON", L"name.", L"a:b", L"a?b", L"caf\u00e9", L"\u2603"};
    for (const wchar_t* name : names) {
        type(main->control("Text1"), name);
        MessageBoxes boxes;
        boxes.answerDuring([&] { click(main->control("Command1")); });
        ASSERT_EQ(boxes.seen.size(), 1u) << win32::utf8(name);
        EXPECT_NE(boxes.seen[0].text, kSaved) << win32::utf8(name);
        if (*name == L'\0')
            EXPECT_EQ(boxes.seen[0].text, L"記入しましょう。");
    }
    type(main->control("Text1"), L"bb");
    type(settings().control("Text12"), L"abc");
    MessageBoxes boxes;
    boxes.answerDuring([&] { click(main->control("Command1")); });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].text, kSaved);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Win32Windows, ExitEndsTheProgramWithBothWindows)
{
    click(main->control("Command4"));
    HWND mainWindow = main->handle();
    click(main->control("Command2"));
    EXPECT_TRUE(quitPosted);
    EXPECT_FALSE(::IsWindow(mainWindow));
    EXPECT_FALSE(settings().isVisible());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Win32Windows, HelpOpensForThePressingWindowWhatLiesBesideTheProgram)
{
    const auto id = [](HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); };
    click(main->control("Command4"));
    click(main->control("Command5"));
    EXPECT_TRUE(help.calls.empty()); // nothing beside the program to open

    const std::string page = dir.utf8() + "\\" + kHelpPage;
    popolun::testing::writeBytes(dir.path() / kHelpPage, "<html></html>");
    click(main->control("Command5"));
    click(settings().control("Command2"));
    EXPECT_EQ(help.calls, (std::vector<std::string>{"document " + id(main->handle()) + " " + page,
                                                    "document " + id(settings().handle()) + " " + page}));

    help.calls.clear();
    popolun::testing::writeBytes(dir.path() / "WMV.hlp", "?");
    click(settings().control("Command2"));
    EXPECT_EQ(help.calls, std::vector<std::string>{"contents " + id(settings().handle())});
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(settings().isVisible());
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "320", "304", "false"}));
}

TEST_F(Win32Windows, EachLabelComesJustBeforeTheFieldItNames)
{
    // Screen readers name an edit field from the static text before it.
    int labelled = 0;
    for (win32::TopWindow* window : {static_cast<win32::TopWindow*>(main.get()), static_cast<win32::TopWindow*>(&settings())}) {
        const layout::Window& spec = window->controls().layout();
        for (const layout::Control& each : spec.controls) {
            if (const layout::Control* label = layout::labelOf(spec, each)) {
                EXPECT_EQ(::GetWindow(window->control(each.name), GW_HWNDPREV), window->control(label->name)) << each.name;
                ++labelled;
            }
        }
    }
    EXPECT_EQ(labelled, 2); // 拡張子 and 幅
}

} // namespace

int main(int argc, char** argv)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
