#include "media/loader/UnicodeProtocol.h"

#include "media/loader/FFmpegLoaderEntries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tovrel {

namespace {

constexpr int IOBufferSize = 32768;

struct TUnicodeFile {
    int Descriptor;
    bool Writable;
};

template <class F> auto RetryOnInterrupt(F call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

bool IsOurs(const AVIOContext* pb)
{
    return pb && pb->read_packet == UnicodeRead;
}

void FreeOurs(AVIOContext** pb)
{
    if (!*pb)
        return;
    void* file = (*pb)->opaque;
    if (static_cast<TUnicodeFile*>(file)->Writable)
        FF.avio_flush(*pb);
    FF.av_freep(&(*pb)->buffer);
    FF.avio_context_free(pb);
    UnicodeClose(file);
}

} // namespace

// Every Linux name, valid UTF-8 or not, reaches FFmpeg as its own bytes.
bool NeedsUnicodeName(std::string_view)
{
    return false;
}

std::string EncodeAVFileName(std::string_view fileName)
{
    return NeedsUnicodeName(fileName) ? MakeUnicodeURL(fileName) : std::string(fileName);
}

std::string DecodeAVFileName(std::string_view name)
{
    return IsUnicodeURL(name) ? UnicodeURLToFileName(name) : std::string(name);
}

bool IsUnicodeURL(std::string_view name)
{
    return name.size() > UnicodeURLPrefix.size() && name.substr(0, UnicodeURLPrefix.size()) == UnicodeURLPrefix;
}

std::string MakeUnicodeURL(std::string_view fileName)
{
    return std::string(UnicodeURLPrefix) + std::string(fileName);
}

// Drops the two words of the prefix ("unicode:" and "utf8:"); the bytes after
// them are the name as it stands.
std::string UnicodeURLToFileName(std::string_view name)
{
    for (int word = 0; word < 2; ++word) {
        std::size_t colon = name.find(':');
        name = colon == std::string_view::npos ? std::string_view() : name.substr(colon + 1);
    }
    return std::string(name);
}

void* UnicodeOpen(const char* name, int flags, int& error)
{
    std::string fileName = UnicodeURLToFileName(name ? name : "");
    int mode = O_RDONLY;
    if ((flags & AVIO_FLAG_READ_WRITE) == AVIO_FLAG_READ_WRITE)
        mode = O_RDWR | O_CREAT | O_TRUNC;
    else if (flags & AVIO_FLAG_WRITE)
        mode = O_WRONLY | O_CREAT | O_TRUNC;
    int fd = fileName.empty() ? -1 : RetryOnInterrupt([&] { return ::open(fileName.c_str(), mode | O_CLOEXEC, 0666); });
    if (fd < 0) {
        error = AVERROR(ENOENT);
        return nullptr;
    }
    error = 0;
    return new TUnicodeFile{fd, (flags & AVIO_FLAG_WRITE) != 0};
}

int UnicodeRead(void* opaque, std::uint8_t* buffer, int size)
{
    auto* file = static_cast<TUnicodeFile*>(opaque);
    ssize_t count = RetryOnInterrupt([&] { return ::read(file->Descriptor, buffer, std::size_t(size)); });
    if (count < 0)
        return AVERROR(errno);
    return count == 0 ? AVERROR_EOF : int(count);
}

int UnicodeWrite(void* opaque, std::uint8_t* buffer, int size)
{
    auto* file = static_cast<TUnicodeFile*>(opaque);
    int written = 0;
    while (written < size) {
        ssize_t count =
            RetryOnInterrupt([&] { return ::write(file->Descriptor, buffer + written, std::size_t(size - written)); });
        if (count < 0)
            return AVERROR(errno);
        written += int(count);
    }
    return written;
}

std::int64_t UnicodeSeek(void* opaque, std::int64_t position, int whence)
{
    auto* file = static_cast<TUnicodeFile*>(opaque);
    if (whence & AVSEEK_SIZE) {
        struct stat st {};
        return ::fstat(file->Descriptor, &st) == 0 ? std::int64_t(st.st_size) : AVERROR(errno);
    }
    off_t result = ::lseek(file->Descriptor, off_t(position), whence & ~AVSEEK_FORCE);
    return result < 0 ? AVERROR(errno) : std::int64_t(result);
}

void UnicodeClose(void* opaque)
{
    auto* file = static_cast<TUnicodeFile*>(opaque);
    if (!file)
        return;
    ::close(file->Descriptor);
    delete file;
}

int UnicodeAVIOOpen(AVIOContext** pb, const std::string& url, int flags)
{
    if (!IsUnicodeURL(url))
        return FF.avio_open2(pb, url.c_str(), flags, nullptr, nullptr);
    *pb = nullptr;
    int error = 0;
    void* file = UnicodeOpen(url.c_str(), flags, error);
    if (!file)
        return error;
    auto* buffer = static_cast<unsigned char*>(FF.av_malloc(IOBufferSize));
    bool writable = (flags & AVIO_FLAG_WRITE) != 0;
    *pb = buffer ? FF.avio_alloc_context(buffer, IOBufferSize, writable, file, UnicodeRead, UnicodeWrite, UnicodeSeek)
                 : nullptr;
    if (!*pb) {
        FF.av_free(buffer);
        UnicodeClose(file);
        return AVERROR(ENOMEM);
    }
    return 0;
}

int UnicodeAVIOClose(AVIOContext** pb)
{
    if (!IsOurs(*pb))
        return FF.avio_closep(pb);
    FreeOurs(pb);
    return 0;
}

int UnicodeOpenInput(AVFormatContext** context, const std::string& url, const AVInputFormat* format,
                     AVDictionary** options)
{
    if (!IsUnicodeURL(url))
        return FF.avformat_open_input(context, url.c_str(), format, options);
    AVIOContext* pb = nullptr;
    int result = UnicodeAVIOOpen(&pb, url, AVIO_FLAG_READ);
    if (result >= 0 && !*context && !(*context = FF.avformat_alloc_context()))
        result = AVERROR(ENOMEM);
    if (result < 0) {
        // As avformat_open_input does, a failed open frees the caller's context.
        if (*context)
            FF.avformat_free_context(*context);
        *context = nullptr;
        FreeOurs(&pb);
        return result;
    }
    (*context)->pb = pb;
    (*context)->flags |= AVFMT_FLAG_CUSTOM_IO;
    result = FF.avformat_open_input(context, url.c_str(), format, options);
    if (result < 0)
        FreeOurs(&pb);
    return result;
}

void UnicodeCloseInput(AVFormatContext** context)
{
    if (!context || !*context)
        return;
    AVIOContext* pb = ((*context)->flags & AVFMT_FLAG_CUSTOM_IO) && IsOurs((*context)->pb) ? (*context)->pb : nullptr;
    FF.avformat_close_input(context);
    FreeOurs(&pb);
}

} // namespace tovrel
