#pragma once
// The fixed library table behind TFFmpegLoader: one row per TLibrary with the
// base file name, the major version in the file name, and the procedures that
// bind and clear the library's entries.
#include "media/loader/FFmpegLoader.h"

#include <array>
#include <string>

namespace tovrel {

struct TLibraryItem {
    TLibrary Lib;
    const char* Name;
    int Version;                                             // negative: no version in the file name
    void (*Fixup)(const std::string& libName, void* handle); // throws ELibraryBindError
    void (*Unfix)();
};

const TLibraryItem& LibraryItem(TLibrary library);

// Dependencies first, so that a library folder's copies resolve one another.
inline constexpr std::array<TLibrary, LibraryCount> LibraryLoadOrder{
    TLibrary::avUtil,   TLibrary::swResample, TLibrary::swScale, TLibrary::avCodec, TLibrary::avFormat,
    TLibrary::avFilter, TLibrary::avDevice,   TLibrary::myUtil,  TLibrary::lbSDL};

// What follows a successful load of `library` (also when it was loaded already).
void AfterLoad(TLibrary library, bool installLogger);

} // namespace tovrel
