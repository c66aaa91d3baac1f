#pragma once
// Loads the media libraries at run time by name and binds their entry tables.
// The library folder (normally "LibAV" beside the program) is searched first,
// then the system's search path; neither PATH nor the working folder changes.
#include "platform/rtl/Sync.h"

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace tovrel {

enum class TLibrary { avCodec, avDevice, avFilter, avFormat, avUtil, swScale, myUtil, lbSDL, swResample };
inline constexpr int LibraryCount = 9;

// A set of libraries, one bit per TLibrary value (bit 0 = avCodec).
class TLibraries {
public:
    constexpr TLibraries() = default;
    constexpr TLibraries(std::initializer_list<TLibrary> libraries)
    {
        for (TLibrary lib : libraries)
            bits_ |= Bit(lib);
    }
    constexpr bool Contains(TLibrary lib) const { return (bits_ & Bit(lib)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr TLibraries operator|(TLibrary lib) const
    {
        TLibraries result = *this;
        result.bits_ |= Bit(lib);
        return result;
    }
    constexpr bool operator==(const TLibraries&) const = default;

private:
    static constexpr std::uint32_t Bit(TLibrary lib) { return 1u << static_cast<int>(lib); }
    std::uint32_t bits_ = 0;
};

inline constexpr TLibraries ProbeLibraries{TLibrary::avCodec, TLibrary::avFormat, TLibrary::avUtil, TLibrary::swScale,
                                           TLibrary::myUtil};
inline constexpr TLibraries TaskLibraries =
    TLibraries{TLibrary::avCodec, TLibrary::avFilter, TLibrary::avFormat,  TLibrary::avUtil,
               TLibrary::swScale, TLibrary::myUtil,   TLibrary::swResample};
inline constexpr TLibraries PlayerLibraries = TaskLibraries | TLibrary::lbSDL;

// A binding failure; Load turns it into LastErrMsg.
class ELibraryBindError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Process-wide loader. Loading and unloading run on the main thread.
class TFFmpegLoader {
public:
    bool Load(TLibrary library);
    bool Load(TLibraries libraries);
    bool Loaded(TLibrary library) const;
    bool Loaded(TLibraries libraries) const;
    // Each successful Load counts one user of the library; Unload releases one
    // and frees the module with its last user.
    void Unload(TLibrary library);
    void Unload(TLibraries libraries);

    const std::string& LastErrMsg() const { return lastErrMsg_; }
    const std::string& LibraryPath() const { return libraryPath_; }
    void SetLibraryPath(const std::string& path) { libraryPath_ = path; }
    bool InstallLogger() const { return FInstallLogger; }
    void SetInstallLogger(bool install) { FInstallLogger = install; }

    // The file name the library is loaded from: the status override when set
    // (it may hold a folder), else "lib" + name + ".so." + version.
    std::string GetLibraryFileName(TLibrary library) const;
    // Overrides the file name of a library (empty restores the table's).
    void SetLibraryFileName(TLibrary library, const std::string& fileName);

    // Returns the module or nullptr with the loader's error text in `error`.
    static void* LoadLibraryFromFolder(const std::string& folder, const std::string& fileName, std::string& error);
    // Throw ELibraryBindError with the "Load function/variable" texts.
    static void* BindEntry(const std::string& libName, void* handle, const char* name);
    static void* BindVariable(const std::string& libName, void* handle, const char* name);

    // Loads the set with this folder; on failure copies LastErrMsg into
    // `lastErrMsg` (the components' LoadAVLib).
    bool LoadAVLib(TLibraries libraries, const std::string& path, std::string& lastErrMsg);

private:
    struct TLibraryStatus {
        std::string Name;
        void* Handle = nullptr;
        bool Fixuped = false;
        int Users = 0;
    };
    TLibraryStatus& Status(TLibrary library) { return status_[static_cast<int>(library)]; }
    const TLibraryStatus& Status(TLibrary library) const { return status_[static_cast<int>(library)]; }
    bool Bind(TLibrary library);
    void Release(TLibrary library);

    TLibraryStatus status_[LibraryCount];
    std::string lastErrMsg_;
    std::string libraryPath_;
    bool FInstallLogger = true;
};

TFFmpegLoader& GlobalFFmpegLoader();

// Held around every open and close of a codec context in the process.
TCriticalSection& CodecOpenLock();

} // namespace tovrel
