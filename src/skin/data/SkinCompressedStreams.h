#pragma once
// Zlib streams of compressed skins: a write-only stream that deflates into
// another stream and a read-only one that inflates from another, plus the two
// whole-stream routines the stored skins use.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Streams.h"

namespace tovrel {

class EZlibError : public Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

// Scoped: the framework's colour names clNone and clDefault are taken.
enum class TCompressionLevel : std::uint8_t { clNone, clFastest, clDefault, clMax };

// The zlib level of each compression level: 0, 1, -1 and 9.
int ZlibLevel(TCompressionLevel level);

class TCustomZlibStream : public TStream {
public:
    ~TCustomZlibStream() override;
    void SetSize(std::int64_t size) override;

    // Fired after every buffer exchanged with the underlying stream.
    TNotifyEvent OnProgress;

protected:
    explicit TCustomZlibStream(TStream& strm);
    void Progress()
    {
        if (OnProgress)
            OnProgress(this);
    }
    // Moves the underlying stream back to where this stream left it.
    void SyncPosition();

    static constexpr int kBufferSize = 8192;
    TStream& FStrm;
    std::int64_t FStrmPos = 0;
    struct TZRec;
    std::unique_ptr<TZRec> FZRec;
    std::array<std::uint8_t, kBufferSize> FBuffer{};
};

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest);
    // Finishes the zlib stream unless Finish already did; errors are dropped here.
    ~TCompressionStream() override;

    // Raises ECompressionError "Invalid stream operation".
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Only the position query (0 from the current position): the bytes taken in.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Ends the zlib stream and writes what is left; later writes are refused.
    void Finish();
    // (1 - bytes out / bytes in) * 100; 0 while nothing was written.
    double CompressionRate() const;

private:
    void FlushBuffer(std::size_t bytes);
    bool finished_ = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& Source);
    ~TDecompressionStream() override;

    // Stops at the end of the zlib stream (bytes after it stay unread). Source
    // data that ends before the zlib stream does raises EDecompressionError,
    // so a cut file never reads as a shorter skin.
    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Raises EDecompressionError "Invalid stream operation".
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // To 0 from the beginning restarts; forward seeks skip; others raise.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    bool Finished() const { return streamEnd_; }

private:
    void Skip(std::int64_t count);
    bool streamEnd_ = false;
};

// Compresses all of Source (from its start) at clMax into Dest at its position.
void CompressStream(TMemoryStream& Source, TStream& Dest);
// Decompresses all of Source (from its start) into Dest at its position. More
// than maxSize bytes of output raise EDecompressionError.
void DecompressStream(TStream& Dest, TMemoryStream& Source, std::int64_t maxSize);

} // namespace tovrel
