// Writes the directory the core finds for this program into the file named
// by its argument, for the Windows tests that start it from other folders.
#include "platform/file_system.h"

#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string directory = popolun::executableDirectory();
    std::ofstream out(argv[1], std::ios::binary);
    out << directory;
    return out && !directory.empty() ? 0 : 1;
}
