#pragma once

#include "settings_fields.h"
#include "top_window.h"

#include <functional>

namespace popolun::win32 {

// The settings window: extension, player width and autostart. Every edit
// reaches the main window's fields at once; "戻る" and the close box only
// hide the window. It is made once, hidden, and lasts until the program ends.
class Form14 final : public TopWindow {
public:
    // help: what "?" does, given this window.
    Form14(SettingsFields& fields, std::function<void(HWND)> help);
    ~Form14() override;

    void show();

private:
    void onCommand(HWND control, int code) override;
    void onClose() override;
    void showOptions();
    static LRESULT CALLBACK optionProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    SettingsFields& fields_;
    std::function<void(HWND)> help_;
    HWND text4_, text12_, option1_, option2_, command1_, command2_;
    bool optionTakingFocus_ = false;
};

} // namespace popolun::win32
