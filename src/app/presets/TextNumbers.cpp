#include "app/presets/TextNumbers.h"

#include <array>
#include <charconv>
#include <system_error>

namespace tovrel {

namespace {

template <typename T, typename... Options>
std::optional<T> ParseWhole(std::string_view text, Options... options) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, options...);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> ParseDecimalInt(std::string_view text) { return ParseWhole<int>(text, 10); }

std::optional<double> ParseDecimalFraction(std::string_view text) {
  return ParseWhole<double>(text, std::chars_format::fixed);
}

std::string FloatToText(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace tovrel
