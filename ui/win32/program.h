#pragma once

#include "application.h"
#include "form13.h"

namespace popolun::win32 {

// The program's start: the toolkit, the main window beside the executable,
// and its first show, filled from a video named on the command line
// (dropped on popolun.exe or its shortcut, 送る, プログラムから開く).
// app/win32/main.cpp runs it.
class Program {
public:
    Program();

    // The message loop, until the program ends; its exit code.
    int run() { return toolkit_.run(); }

private:
    Application toolkit_;
    ui::Form13 main_;
};

} // namespace popolun::win32
