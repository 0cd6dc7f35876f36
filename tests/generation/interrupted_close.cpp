// Preloaded into a run (LD_PRELOAD): every close the program asks for is
// done, then said to be interrupted by a signal (EINTR), as Linux may say
// it; the descriptor is gone all the same.
#include <cerrno>
#include <dlfcn.h>

extern "C" int close(int descriptor)
{
    static const auto next = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "close"));
    if (next(descriptor) == 0)
        errno = EINTR;
    return -1;
}
