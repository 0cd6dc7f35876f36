#include "form14.h"

namespace popolun::win32 {

namespace {

void bindField(HWND edit, Field& field)
{
    ::SetWindowTextW(edit, wide(field.text()).c_str());
    field.watch([edit, &field] {
        const std::wstring text = wide(field.text());
        if (windowText(edit) != text)
            ::SetWindowTextW(edit, text.c_str());
    });
}

} // namespace

Form14::Form14(SettingsFields& fields, std::function<void(HWND)> help)
    : TopWindow(layout::form14())
    , fields_(fields)
    , help_(std::move(help))
    , text4_(control("Text4"))
    , text12_(control("Text12"))
    , option1_(control("Option1"))
    , option2_(control("Option2"))
    , command1_(control("Command1"))
    , command2_(control("Command2"))
{
    bindField(text4_, fields_.text4);
    bindField(text12_, fields_.text12);
    showOptions();
    fields_.watchOptions([this] { showOptions(); });
    for (HWND option : {option1_, option2_})
        ::SetWindowSubclass(option, &Form14::optionProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

Form14::~Form14()
{
    for (HWND option : {option1_, option2_})
        ::RemoveWindowSubclass(option, &Form14::optionProcedure, 0);
}

void Form14::show()
{
    ::ShowWindow(handle(), SW_SHOW);
    ::SetForegroundWindow(handle());
}

// An option button that gets the focus tells its window it was clicked; only
// a real click may change the selection.
LRESULT CALLBACK Form14::optionProcedure(HWND option, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self)
{
    if (message != WM_SETFOCUS)
        return ::DefSubclassProc(option, message, wParam, lParam);
    auto& window = *reinterpret_cast<Form14*>(self);
    window.optionTakingFocus_ = true;
    const LRESULT result = ::DefSubclassProc(option, message, wParam, lParam);
    window.optionTakingFocus_ = false;
    return result;
}

void Form14::onCommand(HWND control, int code)
{
    if (code == EN_CHANGE && (control == text4_ || control == text12_)) {
        Field& field = control == text4_ ? fields_.text4 : fields_.text12;
        field.setText(utf8(windowText(control)));
    } else if (code == BN_CLICKED && !optionTakingFocus_) {
        if (control == option1_)
            fields_.clickOption1();
        else if (control == option2_)
            fields_.clickOption2();
        else if (control == command1_)
            ::ShowWindow(handle(), SW_HIDE);
        else if (control == command2_)
            help_(handle());
    }
}

// Its values must last the whole run: closing only hides it, like "戻る".
void Form14::onClose() { ::ShowWindow(handle(), SW_HIDE); }

void Form14::showOptions()
{
    ::SendMessageW(option1_, BM_SETCHECK, fields_.option1Selected() ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(option2_, BM_SETCHECK, fields_.option2Selected() ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace popolun::win32
