#include "program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    popolun::win32::Program program;
    return program.run();
}
