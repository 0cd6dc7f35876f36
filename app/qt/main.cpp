#include "application.h"
#include "form13.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    popolun::qt::Application toolkit(app);
    popolun::ui::Form13 window(toolkit, popolun::executableDirectory());
    // A video to start from: popolun PATH, or a desktop entry's %f.
    std::vector<std::string> videos;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        videos.push_back(argument.toStdString());
    window.start(videos);
    return app.exec();
}
