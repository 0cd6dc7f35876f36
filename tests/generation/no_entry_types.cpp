// Preloaded into a run (LD_PRELOAD): the program reads its folders as on a
// file system that keeps no entry types, where every entry is DT_UNKNOWN.
#include <dirent.h>
#include <dlfcn.h>

namespace {

template <typename Entry>
Entry* untyped(Entry* entry)
{
    if (entry)
        entry->d_type = DT_UNKNOWN;
    return entry;
}

} // namespace

extern "C" dirent* readdir(DIR* directory)
{
    static const auto next = reinterpret_cast<dirent* (*)(DIR*)>(::dlsym(RTLD_NEXT, "readdir"));
    return untyped(next(directory));
}

extern "C" dirent64* readdir64(DIR* directory)
{
    static const auto next = reinterpret_cast<dirent64* (*)(DIR*)>(::dlsym(RTLD_NEXT, "readdir64"));
    return untyped(next(directory));
}
