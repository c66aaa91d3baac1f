#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <cstdint>
#include <optional>

namespace tovrel {
namespace {

constexpr int kDefaultFloatPrecision = 15;
constexpr int kDefaultFixedDecimals = 2;
constexpr int kExponentDigits = 3;
constexpr std::string_view kCurrencySymbol = "\xC2\xA5"; // "¥", the system's currency

struct Directive {
    bool leftAlign = false;
    std::optional<int> width;
    std::optional<int> precision;
    char type = 0; // upper case
};

class Formatter {
public:
    Formatter(std::string_view format, std::span<const TFormatArg> args) : format_(format), args_(args) {}

    std::string Run()
    {
        std::string out;
        size_t i = 0;
        while (i < format_.size()) {
            const size_t percent = format_.find('%', i);
            out.append(format_.substr(i, percent == std::string_view::npos ? std::string_view::npos : percent - i));
            if (percent == std::string_view::npos)
                break;
            i = percent + 1;
            if (i < format_.size() && format_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            const Directive d = ParseDirective(i);
            out += Pad(Convert(d, Next()), d);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const
    {
        throw EConvertError("Format '" + std::string(format_) + "' invalid or incompatible with argument");
    }

    const TFormatArg& Next()
    {
        if (nextArg_ >= args_.size())
            throw EConvertError("No argument for format '" + std::string(format_) + "'");
        return args_[nextArg_++];
    }

    // Digits or "*" (an integer argument); nullopt when neither is there.
    std::optional<int> Number(size_t& i)
    {
        if (i < format_.size() && format_[i] == '*') {
            ++i;
            const TFormatArg& arg = Next();
            if (arg.kind() != TFormatArg::Kind::Integer)
                Invalid();
            return int(arg.integer());
        }
        if (i >= format_.size() || format_[i] < '0' || format_[i] > '9')
            return std::nullopt;
        int value = 0;
        for (; i < format_.size() && format_[i] >= '0' && format_[i] <= '9'; ++i) {
            value = value * 10 + (format_[i] - '0');
            if (value > 100000)
                Invalid();
        }
        return value;
    }

    Directive ParseDirective(size_t& i)
    {
        Directive d;
        // An index is a number followed by ':'; a number without it is the width.
        std::optional<int> first = Number(i);
        if (first && i < format_.size() && format_[i] == ':') {
            ++i;
            nextArg_ = size_t(*first);
            first = std::nullopt;
        }
        if (!first) {
            if (i < format_.size() && format_[i] == '-') {
                d.leftAlign = true;
                ++i;
            }
            first = Number(i);
        }
        d.width = first;
        if (i < format_.size() && format_[i] == '.') {
            ++i;
            d.precision = Number(i);
            if (!d.precision)
                Invalid();
        }
        if (i >= format_.size())
            Invalid();
        const char type = format_[i++];
        d.type = (type >= 'a' && type <= 'z') ? char(type - 'a' + 'A') : type;
        return d;
    }

    std::string Pad(std::string text, const Directive& d) const
    {
        const int length = Utf8Length(text);
        if (!d.width || *d.width <= length)
            return text;
        const std::string fill(size_t(*d.width - length), ' ');
        return d.leftAlign ? text + fill : fill + text;
    }

    static std::string WithMinDigits(std::string digits, const Directive& d)
    {
        if (d.precision && int(digits.size()) < *d.precision)
            digits.insert(0, size_t(*d.precision) - digits.size(), '0');
        return digits;
    }

    // The value's bits as unsigned: a 32-bit argument wraps in 32 bits.
    static std::uint64_t UnsignedBits(const TFormatArg& arg)
    {
        if (arg.isWide() || arg.isUnsigned())
            return std::uint64_t(arg.integer());
        return std::uint32_t(std::int32_t(arg.integer()));
    }

    std::string Convert(const Directive& d, const TFormatArg& arg)
    {
        using Kind = TFormatArg::Kind;
        const auto require = [&](Kind kind) {
            if (arg.kind() != kind)
                Invalid();
        };
        switch (d.type) {
        case 'D': {
            require(Kind::Integer);
            if (arg.isUnsigned())
                return WithMinDigits(std::to_string(std::uint64_t(arg.integer())), d);
            const std::int64_t v = arg.integer();
            const std::uint64_t magnitude = v < 0 ? 0 - std::uint64_t(v) : std::uint64_t(v);
            return (v < 0 ? "-" : "") + WithMinDigits(std::to_string(magnitude), d);
        }
        case 'U': require(Kind::Integer); return WithMinDigits(std::to_string(UnsignedBits(arg)), d);
        case 'X': require(Kind::Integer); return WithMinDigits(IntToHex(UnsignedBits(arg), 0), d);
        case 'P':
            require(Kind::Pointer);
            return IntToHex(reinterpret_cast<std::uintptr_t>(arg.pointer()), int(sizeof(void*) * 2));
        case 'S': {
            require(Kind::Text);
            const std::string_view text = arg.text();
            return d.precision ? Utf8Copy(text, 1, *d.precision) : std::string(text);
        }
        case 'E':
            require(Kind::Float);
            return FloatToTextExponent(arg.floating(), d.precision.value_or(kDefaultFloatPrecision), kExponentDigits);
        case 'G':
            require(Kind::Float);
            return FloatToTextGeneral(arg.floating(), d.precision.value_or(kDefaultFloatPrecision), kExponentDigits);
        case 'F':
        case 'N':
            require(Kind::Float);
            return FloatToTextFixed(arg.floating(), d.precision.value_or(kDefaultFixedDecimals), d.type == 'N');
        case 'M': {
            require(Kind::Float);
            const double v = arg.floating();
            const std::string amount =
                FloatToTextFixed(v < 0 ? -v : v, d.precision.value_or(kDefaultFixedDecimals), true);
            const bool negative = v < 0 && amount.find_first_not_of("0.,") != std::string::npos;
            return (negative ? "-" : "") + std::string(kCurrencySymbol) + amount;
        }
        default: Invalid();
        }
    }

    std::string_view format_;
    std::span<const TFormatArg> args_;
    size_t nextArg_ = 0;
};

} // namespace

std::string FormatArgs(std::string_view format, std::span<const TFormatArg> args)
{
    return Formatter(format, args).Run();
}

} // namespace tovrel
