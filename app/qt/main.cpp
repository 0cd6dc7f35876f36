#include "program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    popolun::qt::Program program(app);
    return program.run();
}
