#include "platform/vcl/Streams.h"

#include "platform/vcl/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tovrel {

std::int64_t TStream::Size()
{
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> buffer(std::size_t(std::min<std::int64_t>(count, 64 * 1024)));
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min<std::int64_t>(left, std::int64_t(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

std::vector<std::uint8_t> TStream::ReadAll()
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[64 * 1024];
    for (;;) {
        const std::int64_t n = Read(chunk, sizeof chunk);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t available = std::int64_t(data_.size()) - position_;
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::max<std::int64_t>(available, 0));
    if (n > 0)
        std::memcpy(buffer, data_.data() + position_, std::size_t(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const std::int64_t end = position_ + count;
    if (end > std::int64_t(data_.size()))
        data_.resize(std::size_t(end));
    std::memcpy(data_.data() + position_, buffer, std::size_t(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : std::int64_t(data_.size());
    position_ = std::max<std::int64_t>(base + offset, 0);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    data_.resize(std::size_t(std::max<std::int64_t>(size, 0)));
    position_ = std::min(position_, std::int64_t(data_.size()));
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    data_ = stream.ReadAll();
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& stream)
{
    stream.WriteBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TStringStream::TStringStream(std::string_view text)
{
    Write(text.data(), std::int64_t(text.size()));
    SetPosition(0);
}

std::string TStringStream::DataString() const
{
    return std::string(Bytes().begin(), Bytes().end());
}

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : fileName_(fileName)
{
    if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
        fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
        return;
    }
    const int access = (mode & 3) == fmOpenWrite ? O_WRONLY : (mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    fd_ = ::open(fileName.c_str(), access | O_CLOEXEC);
    if (fd_ < 0)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

namespace {

// Repeats a read or write call until count bytes moved, the end, or an error.
template <class Transfer> std::int64_t TransferAll(std::int64_t count, Transfer transfer)
{
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = transfer(done, std::size_t(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

} // namespace

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    return TransferAll(count, [&](std::int64_t done, std::size_t n) { return ::read(fd_, bytes + done, n); });
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    return TransferAll(count, [&](std::int64_t done, std::size_t n) { return ::write(fd_, bytes + done, n); });
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(fd_, offset, whence);
}

void TFileStream::SetSize(std::int64_t size)
{
    if (::ftruncate(fd_, size) != 0)
        throw EWriteError("Stream write error");
    if (Position() > size)
        Seek(size, soBeginning);
}

} // namespace tovrel
