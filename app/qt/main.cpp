#include "application.h"
#include "form13.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    popolun::qt::Application toolkit(app);
    popolun::ui::Form13 window(toolkit, popolun::executableDirectory());
    window.show();
    return app.exec();
}
