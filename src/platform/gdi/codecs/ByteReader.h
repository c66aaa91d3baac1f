#pragma once
// Little-endian fields of a file held in memory, each read checked against
// the bytes present: a field past the end raises EImageError("<format>: file
// is truncated").
#include "platform/gdi/codecs/ImageCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tovrel {

class TByteReader {
public:
    TByteReader(std::span<const std::uint8_t> data, const char* format) : data_(data), format_(format) {}
    std::size_t Size() const { return data_.size(); }
    std::uint8_t U8(std::size_t at) const
    {
        Need(at, 1);
        return data_[at];
    }
    std::uint16_t U16(std::size_t at) const
    {
        Need(at, 2);
        return std::uint16_t(data_[at] | (data_[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const
    {
        Need(at, 4);
        return std::uint32_t(data_[at]) | (std::uint32_t(data_[at + 1]) << 8) | (std::uint32_t(data_[at + 2]) << 16) |
               (std::uint32_t(data_[at + 3]) << 24);
    }
    const std::uint8_t* At(std::size_t at, std::size_t count) const
    {
        Need(at, count);
        return data_.data() + at;
    }
    std::span<const std::uint8_t> Span(std::size_t at, std::size_t count) const { return {At(at, count), count}; }
    bool Has(std::size_t at, std::size_t count) const { return at <= data_.size() && count <= data_.size() - at; }

private:
    void Need(std::size_t at, std::size_t count) const
    {
        if (!Has(at, count))
            throw EImageError(std::string(format_) + ": file is truncated");
    }
    std::span<const std::uint8_t> data_;
    const char* format_;
};

} // namespace tovrel
