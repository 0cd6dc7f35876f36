// What only the Win32 windows have: the system's move to another screen
// (the frame it suggests, and back at 96 dpi all as before); and what no
// picture can tell: fonts in the Japanese character set, the arrow pointer.
#include "driver.h"
#include "pictures.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

namespace popolun::conformance {
namespace {

class Win32Only : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver->start(dir.utf8());
        driver->click({Window::main, layout::main::settings}, 5, 5);
        driver->activate(Window::main);
        driver->click({Window::main, layout::main::name}, 5, 5);
        driver->press(Key::tab); // the focus on 一発作成, as the reviewed pictures have it
    }
    win32::Window& window(Window which)
    {
        ui::Form13& program = driver->program();
        return static_cast<win32::Window&>(which == Window::main ? program.view() : program.settings().view());
    }

    testing::TempDir dir;
    std::unique_ptr<Driver> driver = makeDriver();
};

TEST_F(Win32Only, AMoveToAnotherScreenTakesTheSuggestedFrameAndBackAt96AllIsAsBefore)
{
    HWND main = window(Window::main).handle();
    RECT suggested{10, 20, 700, 560};
    ::SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
    RECT now;
    ::GetWindowRect(main, &now);
    EXPECT_TRUE(::EqualRect(&now, &suggested));
    driver->showAt(192);
    driver->showAt(96);
    for (const Window which : {Window::main, Window::settings}) {
        const std::string name = which == Window::main ? "main-96dpi" : "settings-96dpi";
        EXPECT_LE(differing(driver->picture(which).value(), reviewedPicture("win32", name)), 20) << name;
    }
}

TEST_F(Win32Only, EveryFontHasTheJapaneseCharacterSetAndThePointerIsAnArrow)
{
    for (const Window which : {Window::main, Window::settings}) {
        HWND window = this->window(which).handle();
        ::SendMessageW(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))) << "the pointer over the window is an arrow";
    }
    for (const Window which : {Window::main, Window::settings}) {
        for (const layout::Control& each : window(which).controls().layout().controls) {
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window(which).control(each.id), WM_GETFONT, 0, 0)),
                         sizeof(font), &font);
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << each.name;
        }
    }
}

} // namespace
} // namespace popolun::conformance
