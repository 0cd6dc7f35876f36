#include "program.h"

#include "text.h"

#include <QApplication>
#include <QWidget>

namespace popolun::qt {

Program::Program(QApplication& app)
    : toolkit_(app)
    , main_(toolkit_, executableDirectory())
{
    std::vector<std::string> videos;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        videos.push_back(utf8(argument));
    main_.start(videos);
}

int Program::run() { return QApplication::exec(); }

QWidget& Program::mainWindow() { return dynamic_cast<QWidget&>(main_.view()); }

} // namespace popolun::qt
