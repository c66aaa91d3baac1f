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
    if (!status.Name.empty())
        return status.Name;
    const TLibraryItem& item = LibraryItem(library);
    std::string name = "lib" + std::string(item.Name) + ".so";
    if (item.Version >= 0)
        name += "." + std::to_string(item.Version);
    return name;
}

void TFFmpegLoader::SetLibraryFileName(TLibrary library, const std::string& fileName)
{
    Status(library).Name = fileName;
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
    return status.Handle && status.Fixuped;
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
    if (!status.Handle) {
        std::string fileName = GetLibraryFileName(library);
        std::string folder = ExtractFilePath(fileName), file = ExtractFileName(fileName);
        if (folder.empty() && !libraryPath_.empty())
            folder = libraryPath_ + (libraryPath_.back() == '/' ? "" : "/");
        std::string error;
        status.Handle = LoadLibraryFromFolder(folder, file, error);
        if (!status.Handle) {
            lastErrMsg_ = Format("Load library %s error: %s", folder + file, error);
            return false;
        }
    }
    if (!status.Fixuped) {
        const TLibraryItem& item = LibraryItem(library);
        try {
            item.Fixup(GetLibraryFileName(library), status.Handle);
            status.Fixuped = true;
        } catch (const ELibraryBindError& e) {
            item.Unfix();
            lastErrMsg_ = e.what();
        }
    }
    if (!status.Fixuped) {
        Release(library);
        return false;
    }
    AfterLoad(library, FInstallLogger);
    return true;
}

void TFFmpegLoader::Release(TLibrary library)
{
    TLibraryStatus& status = Status(library);
    if (status.Fixuped) {
        LibraryItem(library).Unfix();
        status.Fixuped = false;
    }
    if (status.Handle) {
        ::dlclose(status.Handle);
        status.Handle = nullptr;
    }
    status.Users = 0;
}

bool TFFmpegLoader::Load(TLibrary library)
{
    if (!Bind(library))
        return false;
    ++Status(library).Users;
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
            ++Status(library).Users;
    return true;
}

void TFFmpegLoader::Unload(TLibrary library)
{
    TLibraryStatus& status = Status(library);
    if (status.Users > 1) {
        --status.Users;
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
