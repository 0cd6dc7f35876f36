#include "application_setup.h"
#include "form13.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    popolun::ui::prepareApplication(app);
    Form13 window;
    popolun::ui::showCentred(window);
    return app.exec();
}
