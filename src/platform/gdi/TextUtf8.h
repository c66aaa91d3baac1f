#pragma once
// UTF-8 <-> code points for the text engine. Malformed bytes decode to U+FFFD
// one byte at a time, so no input can make the decoder read past its end.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// `offsets`, when given, receives each code point's byte offset in `text`.
std::u32string DecodeUtf8(std::string_view text, std::vector<std::size_t>* offsets = nullptr);
std::string EncodeUtf8(std::u32string_view text);

} // namespace tovrel
