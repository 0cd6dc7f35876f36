#include "application.h"

#include "fonts.h"
#include "form13.h"
#include "pictures.h"
#include "text.h"
#include "window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>

namespace popolun::qt {

Application::Application(QApplication& app)
{
    // Fusion draws the same everywhere and honours the button fills.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(font(layout::kDefaultFont));
    QApplication::setWindowIcon(icon());
}

std::unique_ptr<ui::WindowView> Application::buildMainWindow(ui::Form13& behaviour)
{
    auto window = std::make_unique<Window>(layout::form13(), behaviour);
    main_ = window.get();
    return window;
}

std::unique_ptr<ui::WindowView> Application::buildSettingsWindow(ui::Form14& behaviour)
{
    auto window = std::make_unique<Window>(layout::form14(), behaviour, main_);
    // Hidden or shown, it never keeps the program running by itself.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    return window;
}

void Application::quit() { QCoreApplication::quit(); }

void Application::showMessage(ui::WindowView& asking, const std::string& message)
{
    auto& window = static_cast<Window&>(asking);
    QMessageBox box(QMessageBox::NoIcon, text(layout::form13().caption), text(message), QMessageBox::Ok, &window);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, as the box has no icon either
    box.exec();
    // Without a window manager to do it, nothing would have the keyboard now;
    // the window keeps its focus widget while inactive.
    window.activateWindow();
}

} // namespace popolun::qt
