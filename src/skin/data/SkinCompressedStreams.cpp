#include "skin/data/SkinCompressedStreams.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <zlib.h>

namespace tovrel {
namespace {

constexpr const char* kInvalidOperation = "Invalid stream operation";

int CheckCompress(int code)
{
    if (code < 0)
        throw ECompressionError("error");
    return code;
}

int CheckDecompress(int code)
{
    // A preset dictionary is never used by skins; inflate would wait for it forever.
    if (code < 0 || code == Z_NEED_DICT)
        throw EDecompressionError("compression error");
    return code;
}

} // namespace

struct TCustomZlibStream::TZRec {
    z_stream Strm{};
};

int ZlibLevel(TCompressionLevel level)
{
    static constexpr int kLevels[] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
    return kLevels[unsigned(level)];
}

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : FStrm(strm), FStrmPos(strm.Position()), FZRec(std::make_unique<TZRec>())
{}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::SetSize(std::int64_t)
{
    throw EZlibError(kInvalidOperation);
}

void TCustomZlibStream::SyncPosition()
{
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
}

// ---- compression ----

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest) : TCustomZlibStream(Dest)
{
    z_stream& z = FZRec->Strm;
    z.next_out = FBuffer.data();
    z.avail_out = kBufferSize;
    CheckCompress(deflateInit(&z, ZlibLevel(CompressionLevel)));
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (const std::exception&) {
        // A destructor cannot report; callers that care call Finish themselves.
    }
    deflateEnd(&FZRec->Strm);
}

void TCompressionStream::FlushBuffer(std::size_t bytes)
{
    FStrm.WriteBuffer(FBuffer.data(), std::int64_t(bytes));
    FStrmPos = FStrm.Position();
    FZRec->Strm.next_out = FBuffer.data();
    FZRec->Strm.avail_out = kBufferSize;
    Progress();
}

std::int64_t TCompressionStream::Read(void*, std::int64_t)
{
    throw ECompressionError(kInvalidOperation);
}

std::int64_t TCompressionStream::Write(const void* buffer, std::int64_t count)
{
    if (finished_)
        throw ECompressionError(kInvalidOperation);
    SyncPosition();
    z_stream& z = FZRec->Strm;
    const auto* bytes = static_cast<const Bytef*>(buffer);
    std::int64_t left = count;
    while (left > 0) {
        const uInt chunk = uInt(std::min<std::int64_t>(left, 1 << 30));
        z.next_in = const_cast<Bytef*>(bytes);
        z.avail_in = chunk;
        while (z.avail_in > 0) {
            CheckCompress(deflate(&z, Z_NO_FLUSH));
            if (z.avail_out == 0)
                FlushBuffer(kBufferSize);
        }
        bytes += chunk;
        left -= chunk;
    }
    return count;
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soCurrent)
        return std::int64_t(FZRec->Strm.total_in);
    throw ECompressionError(kInvalidOperation);
}

void TCompressionStream::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    SyncPosition();
    z_stream& z = FZRec->Strm;
    z.next_in = nullptr;
    z.avail_in = 0;
    while (CheckCompress(deflate(&z, Z_FINISH)) != Z_STREAM_END) {
        if (z.avail_out == 0)
            FlushBuffer(kBufferSize);
    }
    if (z.avail_out < kBufferSize)
        FlushBuffer(kBufferSize - z.avail_out);
}

double TCompressionStream::CompressionRate() const
{
    const z_stream& z = FZRec->Strm;
    if (z.total_in == 0)
        return 0;
    return (1.0 - double(z.total_out) / double(z.total_in)) * 100.0;
}

// ---- decompression ----

TDecompressionStream::TDecompressionStream(TStream& Source) : TCustomZlibStream(Source)
{
    z_stream& z = FZRec->Strm;
    z.next_in = FBuffer.data();
    z.avail_in = 0;
    CheckDecompress(inflateInit(&z));
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FZRec->Strm);
}

std::int64_t TDecompressionStream::Read(void* buffer, std::int64_t count)
{
    z_stream& z = FZRec->Strm;
    auto* out = static_cast<Bytef*>(buffer);
    std::int64_t produced = 0;
    SyncPosition();
    while (produced < count && !streamEnd_) {
        if (z.avail_in == 0) {
            const std::int64_t got = FStrm.Read(FBuffer.data(), kBufferSize);
            if (got <= 0)
                throw EDecompressionError("Compressed data ends before the end of its zlib stream");
            z.next_in = FBuffer.data();
            z.avail_in = uInt(got);
            FStrmPos = FStrm.Position();
            Progress();
        }
        const uInt room = uInt(std::min<std::int64_t>(count - produced, 1 << 30));
        z.next_out = out + produced;
        z.avail_out = room;
        const int code = CheckDecompress(inflate(&z, Z_NO_FLUSH));
        produced += room - z.avail_out;
        if (code == Z_STREAM_END)
            streamEnd_ = true;
    }
    return produced;
}

std::int64_t TDecompressionStream::Write(const void*, std::int64_t)
{
    throw EDecompressionError(kInvalidOperation);
}

void TDecompressionStream::Skip(std::int64_t count)
{
    std::vector<std::uint8_t> scratch(kBufferSize);
    while (count > 0) {
        const std::int64_t got = Read(scratch.data(), std::min<std::int64_t>(count, kBufferSize));
        if (got == 0)
            break;
        count -= got;
    }
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    z_stream& z = FZRec->Strm;
    if (offset == 0 && origin == soBeginning) {
        CheckDecompress(inflateReset(&z));
        z.next_in = FBuffer.data();
        z.avail_in = 0;
        streamEnd_ = false;
        FStrm.SetPosition(0);
        FStrmPos = 0;
    } else if (origin == soCurrent && offset >= 0) {
        Skip(offset);
    } else if (origin == soBeginning && offset > std::int64_t(z.total_out)) {
        Skip(offset - std::int64_t(z.total_out));
    } else {
        throw EDecompressionError(kInvalidOperation);
    }
    return std::int64_t(z.total_out);
}

// ---- whole streams ----

void CompressStream(TMemoryStream& Source, TStream& Dest)
{
    Source.SetPosition(0);
    TCompressionStream compressor(TCompressionLevel::clMax, Dest);
    compressor.CopyFrom(Source, 0);
    compressor.Finish();
}

void DecompressStream(TStream& Dest, TMemoryStream& Source, std::int64_t maxSize)
{
    Source.SetPosition(0);
    TDecompressionStream decompressor(Source);
    std::vector<std::uint8_t> block(4096);
    std::int64_t total = 0;
    for (;;) {
        const std::int64_t got = decompressor.Read(block.data(), std::int64_t(block.size()));
        if (got == 0)
            break;
        total += got;
        if (total > maxSize)
            throw EDecompressionError("Compressed data unpacks to more than " + std::to_string(maxSize) + " bytes");
        Dest.WriteBuffer(block.data(), got);
    }
}

} // namespace tovrel
