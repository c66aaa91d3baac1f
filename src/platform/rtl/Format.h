#pragma once
// The run-time library's Format: "%" [index ":"] ["-"] [width] ["." precision]
// type, with types d u x e f g n m p s (either case), "*" taking width or
// precision from the arguments, and "%%". Unlike printf: a width is padded with
// blanks only ("%04x" is width 4), %x is upper case, %d's precision is the least
// number of digits, %s's precision cuts the text (in characters), floats never
// depend on the locale. A directive without an argument of its kind raises
// EConvertError.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tovrel {

class TFormatArg {
public:
    enum class Kind { Integer, Float, Text, Pointer };

    TFormatArg(int v) : kind_(Kind::Integer), integer_(v) {}
    TFormatArg(unsigned v) : kind_(Kind::Integer), integer_(v), unsigned_(true) {}
    TFormatArg(long v) : kind_(Kind::Integer), integer_(v), wide_(true) {}
    TFormatArg(unsigned long v) : kind_(Kind::Integer), integer_(std::int64_t(v)), wide_(true), unsigned_(true) {}
    TFormatArg(long long v) : kind_(Kind::Integer), integer_(v), wide_(true) {}
    TFormatArg(unsigned long long v) : kind_(Kind::Integer), integer_(std::int64_t(v)), wide_(true), unsigned_(true) {}
    TFormatArg(double v) : kind_(Kind::Float), float_(v) {}
    TFormatArg(const char* v) : kind_(Kind::Text), text_(v ? v : "") {}
    TFormatArg(const std::string& v) : kind_(Kind::Text), text_(v) {}
    TFormatArg(std::string_view v) : kind_(Kind::Text), text_(v) {}
    TFormatArg(char v) : kind_(Kind::Text), char_(v), isChar_(true) {}
    TFormatArg(const void* v) : kind_(Kind::Pointer), pointer_(v) {}
    TFormatArg(bool) = delete;

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    bool isWide() const { return wide_; }
    bool isUnsigned() const { return unsigned_; }
    double floating() const { return float_; }
    std::string_view text() const { return isChar_ ? std::string_view(&char_, 1) : text_; }
    const void* pointer() const { return pointer_; }

private:
    Kind kind_;
    std::int64_t integer_ = 0;
    bool wide_ = false;
    bool unsigned_ = false;
    double float_ = 0;
    std::string_view text_;
    const void* pointer_ = nullptr;
    char char_ = 0;
    bool isChar_ = false;
};

std::string FormatArgs(std::string_view format, std::span<const TFormatArg> args);

template <class... Args> std::string Format(std::string_view format, const Args&... args)
{
    const std::array<TFormatArg, sizeof...(Args)> list{TFormatArg(args)...};
    return FormatArgs(format, list);
}

} // namespace tovrel
