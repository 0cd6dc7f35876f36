#include "form13.h"

#include "modal_messages.h"
#include "page_set_writer.h"

namespace popolun::win32 {

Form13::Form13(std::string programDirectory, HelpOpener& help)
    : TopWindow(layout::form13())
    , programDirectory_(std::move(programDirectory))
    , help_(help)
    , text1_(control("Text1"))
    , command1_(control("Command1"))
    , command2_(control("Command2"))
    , command4_(control("Command4"))
    , command5_(control("Command5"))
{
    session_.load();
    form14_ = std::make_unique<Form14>(session_.settings(), [this](HWND window) { showHelp(window); });
}

Form13::~Form13() = default;

void Form13::showCentred()
{
    RECT frame;
    ::GetWindowRect(handle(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    ::SetWindowPos(handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(handle(), SW_SHOW);
    ::SetForegroundWindow(handle());
    ::SetFocus(text1_);
}

void Form13::onCommand(HWND control, int code)
{
    // The name field is the one field shown; only typing changes it.
    if (control == text1_ && code == EN_CHANGE)
        session_.main().setText(FieldId::name, utf8(windowText(text1_)));
    if (code != BN_CLICKED)
        return;
    if (control == command1_)
        createPageSet();
    else if (control == command2_)
        onClose();
    else if (control == command4_)
        showSettings();
    else if (control == command5_)
        showHelp(handle());
}

void Form13::createPageSet()
{
    ModalMessages messages(handle(), form14_->handle());
    PageSetWriter writer(nativeFileSystem(), programDirectory_, messages);
    writer.create(session_.main().snapshot());
}

void Form13::showSettings()
{
    // Both windows stay shown and in use.
    ::ShowWindow(handle(), SW_SHOW);
    form14_->show();
}

void Form13::showHelp(HWND window)
{
    popolun::showHelp(reinterpret_cast<std::uintptr_t>(window), programDirectory_, help_);
}

// The program never runs on without its main window: the settings go too.
void Form13::onClose()
{
    ::ShowWindow(form14_->handle(), SW_HIDE);
    ::DestroyWindow(handle());
    ::PostQuitMessage(0);
}

} // namespace popolun::win32
