// What only the Win32 windows have: the system's move to another screen
// (the frame it suggests, and back at 96 dpi all as before); what no
// picture can tell: fonts in the Japanese character set, the arrow pointer;
// and what the annotations hand the system's service, which Wine only stubs.
#include "accessibility.h"
#include "driver.h"
#include "pictures.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <map>

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

std::wstring named(const MSAAPROPID& property)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(property, text, 40);
    return text;
}

// Each annotation as the service is handed it: the property, on the control's
// own client object, as text or as a number.
TEST(Win32Annotations, EachGoesToItsPropertyOnTheControlItself)
{
    struct Service final : IAccPropServices {
        std::map<std::pair<HWND, std::wstring>, std::wstring> set;
        void record(HWND hwnd, DWORD object, DWORD child, const MSAAPROPID& id, const std::wstring& value)
        {
            set[{hwnd, named(id)}] = object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF ? value : L"elsewhere";
        }
        HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID id, LPCWSTR text) override
        {
            record(hwnd, object, child, id, text);
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE SetHwndProp(HWND hwnd, DWORD object, DWORD child, MSAAPROPID id, VARIANT value) override
        {
            record(hwnd, object, child, id, value.vt == VT_I4 ? std::to_wstring(value.lVal) : L"not a number");
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
    } service;
    const auto control = reinterpret_cast<HWND>(0x20);
    const auto annotations = win32::annotationsOver(service);
    annotations->name(control, L"ヘルプ");
    annotations->description(control, L"拡張子");
    annotations->role(control, ROLE_SYSTEM_GRAPHIC);
    annotations->state(control, STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(service.set, (std::map<std::pair<HWND, std::wstring>, std::wstring>{
                               {{control, named(PROPID_ACC_NAME)}, L"ヘルプ"},
                               {{control, named(PROPID_ACC_DESCRIPTION)}, L"拡張子"},
                               {{control, named(PROPID_ACC_ROLE)}, std::to_wstring(ROLE_SYSTEM_GRAPHIC)},
                               {{control, named(PROPID_ACC_STATE)}, std::to_wstring(STATE_SYSTEM_INVISIBLE)},
                           }));
}

} // namespace
} // namespace popolun::conformance
