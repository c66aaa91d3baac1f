#pragma once
// The framework's small sets over an enumeration (font styles, shift state,
// component state, anchors), as a bit mask.
#include <cstdint>
#include <initializer_list>

namespace tovrel {

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(E value) : bits_(Bit(value)) {}
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E value : values)
            bits_ |= Bit(value);
    }

    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr void Include(E value) { bits_ |= Bit(value); }
    constexpr void Exclude(E value) { bits_ &= ~Bit(value); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint64_t Bits() const { return bits_; }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr TSet& operator+=(TSet other)
    {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet other)
    {
        bits_ &= ~other.bits_;
        return *this;
    }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint64_t Bit(E value) { return std::uint64_t(1) << unsigned(value); }
    std::uint64_t bits_ = 0;
};

} // namespace tovrel
