#pragma once

#include "application.h"
#include "form13.h"

class QApplication;
class QWidget;

namespace popolun::qt {

// The program's start: the toolkit, the main window beside the executable,
// and its first show, filled from a video named on the command line
// (popolun PATH, or a desktop entry's %f). app/qt/main.cpp runs it, and so
// does the start-up benchmark.
class Program {
public:
    explicit Program(QApplication& app);

    QWidget& mainWindow();
    // The event loop, until the program ends; its exit code.
    int run();

private:
    Application toolkit_;
    ui::Form13 main_;
};

} // namespace popolun::qt
