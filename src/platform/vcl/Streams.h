#pragma once
// The framework's stream classes: TStream with the buffer and value helpers,
// TMemoryStream, TStringStream and TFileStream.
#include "platform/vcl/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tovrel {

enum TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Bytes actually moved; 0 at the end.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // The new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from the source's position; count 0 copies the whole
    // source from its start. Returns the bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    // Plain values in the machine's (little-endian) layout.
    template <class T> T ReadValue()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <class T> void WriteValue(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        WriteBuffer(&value, sizeof value);
    }
    // The remaining bytes, read to the end.
    std::vector<std::uint8_t> ReadAll();
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    std::int64_t Size() override { return std::int64_t(data_.size()); }

    std::uint8_t* Memory() { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    void Clear();
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(std::string_view text = {});
    std::string DataString() const;
};

// Open modes; the share flags are accepted and ignored.
constexpr std::uint16_t fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002, fmCreate = 0xFF00,
                        fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
                        fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates (EFCreateError on failure); the open modes
    // need an existing file (EFOpenError).
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};

} // namespace tovrel
