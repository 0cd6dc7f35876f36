// What only the Win32 windows can show, in-process under Wine with no display
// driver: a move to another DPI, keys through the program's own loop, focus,
// message boxes, tooltips, what screen readers are told, and the commands
// decoded for the behaviour. What the windows do is tested once for every
// front end in tests/ui/behaviour; how they look, by tests/e2e/session_test.sh.
#include "accessibility.h"
#include "application.h"
#include "form13.h"
#include "message_loop.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <memory>

using namespace popolun;
namespace fs = std::filesystem;
namespace ids = popolun::layout;

namespace {

// Answers the message boxes an action opens: records each one's text and
// form, then presses its one button.
class MessageBoxes {
public:
    struct Box {
        std::wstring text, caption;
        HWND owner = nullptr;
        int buttons = 0;
        bool icon = false;
        bool othersEnabled = false; // another window of the program took input under it
    };

    void answerDuring(const std::function<void()>& action);

    std::vector<Box> seen;
};

MessageBoxes* answering = nullptr;
win32::Annotations* recordingNow = nullptr;

std::wstring classOf(HWND window)
{
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return name;
}

BOOL CALLBACK answerBox(HWND window, LPARAM)
{
    if (classOf(window) != L"#32770" || !::IsWindowVisible(window))
        return TRUE;
    MessageBoxes::Box box{win32::windowText(::GetDlgItem(window, 0xFFFF)), win32::windowText(window),
                          ::GetWindow(window, GW_OWNER)};
    for (HWND child = nullptr; (child = ::FindWindowExW(window, child, nullptr, nullptr));) {
        if (!::IsWindowVisible(child))
            continue;
        box.buttons += classOf(child) == L"Button";
        box.icon |= classOf(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON
                    && ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
    }
    for (const win32::Window* other : win32::Window::all())
        box.othersEnabled |= other->handle() != box.owner && ::IsWindowEnabled(other->handle());
    answering->seen.push_back(box);
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD)
{
    if (answering)
        ::EnumThreadWindows(::GetCurrentThreadId(), &answerBox, 0);
}

void MessageBoxes::answerDuring(const std::function<void()>& action)
{
    // A thread timer fires inside the message box's own loop.
    answering = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &poll);
    action();
    ::KillTimer(nullptr, timer);
    answering = nullptr;
}

RECT boxIn(HWND window, HWND control)
{
    RECT box;
    ::GetWindowRect(control, &box);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

class Win32Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<ui::Form13>(toolkit, dir.utf8(), help);
        form->start();
        pump();
    }

    void TearDown() override
    {
        form.reset();
        pump();
    }

    win32::Window& mainWindow() { return static_cast<win32::Window&>(form->view()); }
    win32::Window& settings() { return static_cast<win32::Window&>(form->settings().view()); }

    // Handles what is queued, keys as the program's own loop does.
    void pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitPosted = true;
                continue;
            }
            if (win32::routeKeys(message))
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

    const std::string& parameter(FieldId id) { return form->session().main().text(id); }

    popolun::testing::TempDir dir;
    popolun::testing::RecordingOpener help;
    win32::Application toolkit{[]() -> win32::Annotations* { return recordingNow; }};
    std::unique_ptr<ui::Form13> form;
    bool quitPosted = false;
};

TEST_F(Win32Windows, AMoveToA144DpiScreenScalesEveryBoxAndFont)
{
    RECT suggested{0, 0, 700, 540}; // where and how large the system would have it
    ::SendMessageW(mainWindow().handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(mainWindow().controls().dpi(), 144u);
    const RECT name = boxIn(mainWindow().handle(), mainWindow().control(ids::main::name));
    EXPECT_EQ(name.left, 264);                      // 176 at 96 dpi
    EXPECT_EQ(name.bottom, (128 + 33) * 3 / 2 + 1); // 241.5, rounded
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(mainWindow().control(ids::main::example), WM_GETFONT, 0, 0)),
                 sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -20); // 9.75 points
    RECT window;
    ::GetWindowRect(mainWindow().handle(), &window);
    EXPECT_EQ(window.right - window.left, 700); // the size the system suggested
}

// Every control's font in the Japanese character set, which the pictures
// cannot tell where the face shows Japanese either way.
TEST_F(Win32Windows, EveryFontIsInTheJapaneseCharacterSet)
{
    for (win32::Window* window : {&mainWindow(), &settings()}) {
        for (const layout::Control& each : window->controls().layout().controls) {
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window->control(each.id), WM_GETFONT, 0, 0)),
                         sizeof(font), &font);
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << each.name;
        }
    }
}

TEST_F(Win32Windows, StartsWithTheMainWindowAloneItsNameFieldFocused)
{
    EXPECT_TRUE(::IsWindowVisible(mainWindow().handle()));
    EXPECT_EQ(win32::Window::all().size(), 1u) << "the settings window is built when first needed";
    EXPECT_EQ(::GetFocus(), mainWindow().control(ids::main::name));
    EXPECT_NE(::SendMessageW(mainWindow().handle(), WM_GETICON, ICON_BIG, 0)
                  | ::GetClassLongPtrW(mainWindow().handle(), GCLP_HICON),
              0u);
}

// Tab visits every stop in the tables' order, both option buttons included,
// and Shift+Tab goes back the same way; at none of them do Enter or Escape
// press a button, and reaching an option button does not select it.
TEST_F(Win32Windows, TabFollowsTheTablesWhereEnterAndEscapePressNothing)
{
    type(mainWindow().control(ids::main::name), L"bb");
    MessageBoxes boxes;
    const auto shift = [](bool down) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    };
    const auto visit = [&](win32::Window& window, std::vector<layout::ControlId> expected, bool back = false) {
        shift(back);
        ::SetFocus(window.control(expected.front()));
        for (std::size_t i = 1; i < expected.size(); ++i) {
            boxes.answerDuring([&] {
                press(VK_RETURN);
                press(VK_ESCAPE);
            });
            press(VK_TAB);
            EXPECT_EQ(::GetFocus(), window.control(expected[i])) << "stop " << i << (back ? " back" : "");
        }
        shift(false);
    };
    namespace m = ids::main;
    namespace s = ids::settings;
    visit(mainWindow(), {m::name, m::create, m::exit, m::settings, m::help, m::name});
    click(mainWindow().control(m::settings));
    EXPECT_EQ(::GetFocus(), settings().control(s::extension)) << "the settings open on their first field";
    visit(settings(), {s::extension, s::width, s::on, s::off, s::back, s::help, s::extension});
    visit(settings(), {s::extension, s::help, s::back, s::off, s::on}, true);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(::IsWindowVisible(mainWindow().handle()) && ::IsWindowVisible(settings().handle()));
    EXPECT_FALSE(quitPosted);
    EXPECT_EQ(parameter(FieldId::autostart), "false");
}

TEST_F(Win32Windows, KeysAloneMakeAPageSetAndTheMessageHoldsTheWholeProgram)
{
    click(mainWindow().control(ids::main::settings));
    ::SetFocus(mainWindow().control(ids::main::name));
    type(::GetFocus(), L"bb");
    press(VK_TAB);
    ASSERT_EQ(::GetFocus(), mainWindow().control(ids::main::create));
    MessageBoxes boxes;
    boxes.answerDuring([&] { press(VK_SPACE); });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, L"保存しました。");
    EXPECT_EQ(boxes.seen[0].caption, L"ポポルン　ベーシック版");
    EXPECT_EQ(boxes.seen[0].owner, mainWindow().handle());
    EXPECT_EQ(boxes.seen[0].buttons, 1);
    EXPECT_FALSE(boxes.seen[0].icon);
    EXPECT_FALSE(boxes.seen[0].othersEnabled) << "the settings window took input under the message box";
    EXPECT_TRUE(::IsWindowEnabled(settings().handle()));
    EXPECT_TRUE(fs::exists(dir.path() / "bb" / "bb01.htm"));
}

TEST_F(Win32Windows, EditsAndClicksReachTheBehaviourAndTheCloseBoxOnlyHides)
{
    namespace s = ids::settings;
    click(mainWindow().control(ids::main::settings));
    // Owned by the main window: no taskbar button of its own, minimised with it.
    EXPECT_EQ(::GetWindow(settings().handle(), GW_OWNER), mainWindow().handle());
    type(settings().control(s::width), L"640");
    click(settings().control(s::on));
    EXPECT_EQ(parameter(FieldId::height), "544");
    EXPECT_EQ(::SendMessageW(settings().control(s::on), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(settings().control(s::off), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    type(mainWindow().control(ids::main::name), L"動画");
    EXPECT_EQ(form->session().main().text(FieldId::name), "動画");

    ::SendMessageW(settings().handle(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(::IsWindowVisible(settings().handle()));
    EXPECT_FALSE(quitPosted);
    ::SetFocus(settings().control(s::on)); // focus alone selects nothing
    EXPECT_EQ(::SendMessageW(settings().control(s::on), BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SendMessageW(mainWindow().handle(), WM_CLOSE, 0, 0); // the main window's close ends the program
    pump();
    EXPECT_TRUE(quitPosted);
}

// After a message box the window that asked is active again with the focus
// where it was, as after a visit to the other window; a field reached with
// Tab is selected whole, so what is typed replaces it.
TEST_F(Win32Windows, FocusComesBackWhereItWasAndTabSelectsAFieldWhole)
{
    namespace m = ids::main;
    namespace s = ids::settings;
    click(mainWindow().control(m::settings));
    MessageBoxes boxes;
    const auto pressSpaceAt = [&](win32::Window& window, layout::ControlId control) {
        ::SetActiveWindow(window.handle());
        ::SetFocus(window.control(control));
        boxes.answerDuring([&] { press(VK_SPACE); });
        EXPECT_EQ(::GetActiveWindow(), window.handle()) << window.controls().layout().name;
        EXPECT_EQ(::GetFocus(), window.control(control)) << window.controls().layout().name;
    };
    pressSpaceAt(mainWindow(), m::create);  // no name: 記入しましょう。
    pressSpaceAt(settings(), s::help);      // no help beside the program
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].owner, mainWindow().handle());
    EXPECT_EQ(boxes.seen[1].owner, settings().handle());

    ::SetFocus(settings().control(s::extension));
    press(VK_TAB);
    for (const wchar_t typed : std::wstring(L"640"))
        ::SendMessageW(::GetFocus(), WM_CHAR, typed, 1);
    pump();
    EXPECT_EQ(win32::windowText(settings().control(s::width)), L"640");
    EXPECT_EQ(parameter(FieldId::height), "544");
    ::SetActiveWindow(mainWindow().handle());
    EXPECT_EQ(::GetFocus(), mainWindow().control(m::create));
    ::SetActiveWindow(settings().handle());
    EXPECT_EQ(::GetFocus(), settings().control(s::width));
}

// Placed once, when first shown: a window the user moved stays there when
// it is hidden and shown again, or shown by the other window.
TEST_F(Win32Windows, WindowsStayWhereTheUserMovedThem)
{
    click(mainWindow().control(ids::main::settings));
    const auto moveBy = [](HWND window, int x, int y) {
        RECT at;
        ::GetWindowRect(window, &at);
        ::SetWindowPos(window, nullptr, at.left + x, at.top + y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::GetWindowRect(window, &at);
        return at;
    };
    const RECT settingsAt = moveBy(settings().handle(), 37, 23), mainAt = moveBy(mainWindow().handle(), -41, 19);
    click(settings().control(ids::settings::back)); // shows the main window, hides this one
    click(mainWindow().control(ids::main::settings));
    RECT now;
    ::GetWindowRect(settings().handle(), &now);
    EXPECT_TRUE(::EqualRect(&now, &settingsAt));
    ::GetWindowRect(mainWindow().handle(), &now);
    EXPECT_TRUE(::EqualRect(&now, &mainAt));
}

// The tooltips a pointer that rests on a control shows, for both windows.
TEST_F(Win32Windows, TooltipsSayWhatTheirControlsAreFor)
{
    click(mainWindow().control(ids::main::settings));
    std::map<std::string, std::wstring> shown;
    for (win32::Window* window : {&mainWindow(), &settings()}) {
        HWND tips = nullptr;
        for (HWND each = nullptr; !tips && (each = ::FindWindowExW(nullptr, each, TOOLTIPS_CLASSW, nullptr));)
            tips = ::GetWindow(each, GW_OWNER) == window->handle() ? each : nullptr;
        ASSERT_TRUE(tips) << window->controls().layout().name;
        for (const layout::Control& each : window->controls().layout().controls) {
            wchar_t text[128] = {};
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.hwnd = window->handle();
            tool.uId = reinterpret_cast<UINT_PTR>(window->control(each.id));
            tool.lpszText = text;
            ::SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
            if (text[0])
                shown[std::string(window->controls().layout().name) + "." + std::string(each.name)] = text;
        }
    }
    EXPECT_EQ(shown, (std::map<std::string, std::wstring>{
        {"Form13.Text1", L"ビデオファイルの拡張子抜きファイル名を記入"},
        {"Form13.Command1", L"フォルダーとasxファイル、ｈｔｍファイル二個自動作成"},
        {"Form13.Command2", L"終了"},
        {"Form13.Command4", L"通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。"},
    }));
}

// What a screen reader is told of each control beyond its own text, for both windows.
TEST_F(Win32Windows, ScreenReadersAreToldEveryNameDescriptionRoleAndStateTheTextDoesNotGive)
{
    struct Told {
        std::wstring name, description;
        DWORD role = 0, state = 0;
        bool operator==(const Told&) const = default;
    };
    struct Recording final : win32::Annotations {
        void name(HWND control, const std::wstring& text) override { told[control].name += text; }
        void description(HWND control, const std::wstring& text) override { told[control].description += text; }
        void role(HWND control, DWORD role) override { told[control].role |= role; }
        void state(HWND control, DWORD state) override { told[control].state |= state; }
        std::map<HWND, Told> told;
    } recording;
    recordingNow = &recording;
    std::map<std::string, Told> heard; // by window and control name
    for (win32::Window* window : {&mainWindow(), &settings()}) {
        ::SendMessageW(window->handle(), WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT));
        ::SendMessageW(window->handle(), WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT)); // told once only
        const layout::Window& spec = window->controls().layout();
        for (const layout::Control& each : spec.controls) {
            if (recording.told.contains(window->control(each.id)))
                heard[std::string(spec.name) + "." + std::string(each.name)] = recording.told[window->control(each.id)];
        }
    }
    recordingNow = nullptr;
    const DWORD picture = ROLE_SYSTEM_GRAPHIC, nothingToRead = STATE_SYSTEM_INVISIBLE;
    EXPECT_EQ(heard, (std::map<std::string, Told>{
        {"Form13.Image2", {L"ポポルン", L"", picture}},
        {"Form13.Text1", {L"ビデオファイル名（拡張子なし）", L"ビデオファイルの拡張子抜きファイル名を記入"}},
        {"Form13.Command1", {L"", L"フォルダーとasxファイル、ｈｔｍファイル二個自動作成"}},
        {"Form13.Label8", {L"", L"", 0, nothingToRead}},
        {"Form13.Command5", {L"ヘルプ"}},
        {"Form13.Command4", {L"", L"通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。"}},
        {"Form14.Label6", {L"", L"", 0, nothingToRead}},
        {"Form14.Text4", {L"拡張子", L"拡張子の前に必ず点を入れてください。avi、ｍｐｇの時"}},
        {"Form14.Label8", {L"", L"", 0, nothingToRead}},
        {"Form14.Text12", {L"幅", L"160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。"}},
        {"Form14.Image1", {L"プレーヤーの幅と高さの図", L"", picture}},
        {"Form14.Option1", {L"", L"オート起動"}},
        {"Form14.Option2", {L"", L"オート起動"}},
        {"Form14.Command2", {L"ヘルプ"}},
    }));
}

// What the shell sends when files are dropped on a window that takes them.
HDROP droppedFiles(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    list.copy(reinterpret_cast<wchar_t*>(files + 1), list.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(Win32Windows, FilesDroppedOnTheMainWindowReachTheBehaviourWhole)
{
    EXPECT_TRUE(::GetWindowLongPtrW(mainWindow().handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const fs::path video = dir.path() / L"運動会２０２６ 午前.mp4";
    popolun::testing::writeBytes(video, "");
    ::SetFocus(mainWindow().control(ids::main::create));
    ::SendMessageW(mainWindow().handle(), WM_DROPFILES, WPARAM(droppedFiles({video.wstring()})), 0);
    HWND name = mainWindow().control(ids::main::name);
    EXPECT_EQ(win32::windowText(name), L"運動会２０２６ 午前");
    EXPECT_EQ(::GetFocus(), name);
    DWORD start = 1, end = 0;
    ::SendMessageW(name, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, DWORD(::GetWindowTextLengthW(name)));
    EXPECT_EQ(parameter(FieldId::extension), ".mp4");

    MessageBoxes boxes; // two files: all of them reach the behaviour, which refuses
    boxes.answerDuring([&] {
        ::SendMessageW(mainWindow().handle(), WM_DROPFILES, WPARAM(droppedFiles({video.wstring(), L"b"})), 0);
    });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].text.find(L"2個"), std::wstring::npos);
}

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
