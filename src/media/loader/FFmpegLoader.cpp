#include "media/loader/FFmpegLoader.h"

#include "media/loader/FFmpegLoaderTable.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cassert>

namespace tovrel {

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string LastDlError()
{
    const char* text = ::dlerror();
    return text ? text : "unknown error";
}

void* BindSymbol(const char* message, const std::string& libName, void* handle, const char* name)
{
    ::dlerror();
    void* address = ::dlsym(handle, name);
    if (const char* error = ::dlerror())
        throw ELibraryBindError(Format(message, name, libName, error));
    return address;
}

} // namespace

TFFmpegLoader& GlobalFFmpegLoader()
{
    static TFFmpegLoader loader;
    return loader;
}

TCriticalSection& CodecOpenLock()
{
    static TCriticalSection lock;
    return lock;
}

std::string TFFmpegLoader::GetLibraryFileName(TLibrary library) const
{
    const TLibraryStatus& status = Status(library);
    if (!status.name.empty())
        return status.name;
    const TLibraryItem& item = LibraryItem(library);
    std::string name = "lib" + std::string(item.name) + ".so";
    if (item.version >= 0)
        name += "." + std::to_string(item.version);
    return name;
}

void TFFmpegLoader::SetLibraryFileName(TLibrary library, const std::string& fileName)
{
    Status(library).name = fileName;
}

void* TFFmpegLoader::LoadLibraryFromFolder(const std::string& folder, const std::string& fileName, std::string& error)
{
    std::string path = fileName;
    if (!folder.empty()) {
        std::string inFolder = folder + (folder.back() == '/' ? "" : "/") + fileName;
        if (IsRegularFile(inFolder))
            path = inFolder;
    }
    ::dlerror();
    // Kept mapped after the last dlclose: the media libraries' dependencies
    // register exit handlers and keep allocations that must outlive an unload.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle)
        error = LastDlError();
    return handle;
}

void* TFFmpegLoader::BindEntry(const std::string& libName, void* handle, const char* name)
{
    return BindSymbol("Load function %s@%s error: %s", libName, handle, name);
}

void* TFFmpegLoader::BindVariable(const std::string& libName, void* handle, const char* name)
{
    return BindSymbol("Load variable %s@%s error: %s", libName, handle, name);
}

bool TFFmpegLoader::Loaded(TLibrary library) const
{
    const TLibraryStatus& status = Status(library);
    return status.handle && status.fixuped;
}

bool TFFmpegLoader::Loaded(TLibraries libraries) const
{
    assert(!libraries.Empty());
    for (int i = 0; i < LibraryCount; ++i)
        if (libraries.Contains(TLibrary(i)) && !Loaded(TLibrary(i)))
            return false;
    return !libraries.Empty();
}

bool TFFmpegLoader::Bind(TLibrary library)
{
    TLibraryStatus& status = Status(library);
    if (!status.handle) {
        std::string fileName = GetLibraryFileName(library);
        std::string folder = ExtractFilePath(fileName), file = ExtractFileName(fileName);
        if (folder.empty() && !libraryPath_.empty())
            folder = libraryPath_ + (libraryPath_.back() == '/' ? "" : "/");
        std::string error;
        status.handle = LoadLibraryFromFolder(folder, file, error);
        if (!status.handle) {
            lastErrMsg_ = Format("Load library %s error: %s", folder + file, error);
            return false;
        }
    }
    if (!status.fixuped) {
        const TLibraryItem& item = LibraryItem(library);
        try {
            item.fixup(GetLibraryFileName(library), status.handle);
            status.fixuped = true;
        } catch (const ELibraryBindError& e) {
            item.unfix();
            lastErrMsg_ = e.what();
        }
    }
    if (!status.fixuped) {
        Release(library);
        return false;
    }
    AfterLoad(library, installLogger_);
    return true;
}

void TFFmpegLoader::Release(TLibrary library)
{
    TLibraryStatus& status = Status(library);
    if (status.fixuped) {
        LibraryItem(library).unfix();
        status.fixuped = false;
    }
    if (status.handle) {
        ::dlclose(status.handle);
        status.handle = nullptr;
    }
    status.users = 0;
}

bool TFFmpegLoader::Load(TLibrary library)
{
    if (!Bind(library))
        return false;
    ++Status(library).users;
    return true;
}

bool TFFmpegLoader::Load(TLibraries libraries)
{
    assert(!libraries.Empty());
    if (libraries.Empty())
        return false;
    // Only what this call loaded is rolled back: a library another set still
    // uses stays loaded when this set fails.
    TLibraries loadedHere;
    for (TLibrary library : LibraryLoadOrder) {
        if (!libraries.Contains(library))
            continue;
        bool wasLoaded = Loaded(library);
        if (!Bind(library)) {
            for (TLibrary undo : LibraryLoadOrder)
                if (loadedHere.Contains(undo))
                    Release(undo);
            return false;
        }
        if (!wasLoaded)
            loadedHere = loadedHere | library;
    }
    for (TLibrary library : LibraryLoadOrder)
        if (libraries.Contains(library))
            ++Status(library).users;
    return true;
}

void TFFmpegLoader::Unload(TLibrary library)
{
    TLibraryStatus& status = Status(library);
    if (status.users > 1) {
        --status.users;
        return;
    }
    Release(library);
}

void TFFmpegLoader::Unload(TLibraries libraries)
{
    assert(!libraries.Empty());
    for (int i = 0; i < LibraryCount; ++i)
        if (libraries.Contains(TLibrary(i)))
            Unload(TLibrary(i));
}

bool TFFmpegLoader::LoadAVLib(TLibraries libraries, const std::string& path, std::string& lastErrMsg)
{
    libraryPath_ = path;
    if (Load(libraries))
        return true;
    lastErrMsg = lastErrMsg_;
    return false;
}

} // namespace tovrel
