#include "application.h"

#include "form13.h"
#include "message_loop.h"
#include "window.h"

#include <vector>

namespace popolun::win32 {

Application::Application(AnnotationsSource annotations) : annotations_(annotations)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

std::unique_ptr<ui::WindowView> Application::buildMainWindow(ui::Form13& behaviour)
{
    auto window = std::make_unique<Window>(layout::form13(), behaviour, annotations_);
    main_ = window.get();
    return window;
}

std::unique_ptr<ui::WindowView> Application::buildSettingsWindow(ui::Form14& behaviour)
{
    return std::make_unique<Window>(layout::form14(), behaviour, annotations_, main_ ? main_->handle() : nullptr);
}

void Application::quit() { ::PostQuitMessage(0); }

// Owned by the window that asked, which the box disables and which Windows
// activates again when it closes (its focus then comes back, see Window);
// the program's other windows wait as well.
void Application::showMessage(ui::WindowView& asking, const std::string& text)
{
    HWND owner = static_cast<Window&>(asking).handle();
    std::vector<HWND> waiting;
    for (const Window* window : Window::all()) {
        if (window->handle() != owner && !::EnableWindow(window->handle(), FALSE))
            waiting.push_back(window->handle());
    }
    ::MessageBoxW(owner, wide(text).c_str(), wide(layout::form13().caption).c_str(), MB_OK);
    for (HWND window : waiting)
        ::EnableWindow(window, TRUE);
}

int Application::run() { return runMessageLoop(); }

} // namespace popolun::win32
