#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/presets/PresetCatalog.h"

namespace tovrel {

// The Option code of a file-list row: the six parameter boxes' positions, two
// digits each, in the order frame size, video bitrate, audio bitrate, aspect,
// frame rate, sample rate.
inline constexpr std::size_t OptionCodeLength = 12;

// Which two-digit pair of the Option code belongs to `box` (0 = characters 1-2).
std::size_t OptionCodePair(TParameterBox box);

// Throws std::out_of_range for a position outside 0..99.
std::string TwoDigitPosition(int position);

std::string MakeOptionCode(const TPerBox<int>& positions);

// Positions by box; nothing when the code is not twelve digits.
std::optional<TPerBox<int>> DecodeOptionCode(std::string_view code);

// `code` with the pair of `box` replaced by `position`; a shorter code is first
// filled up with zeros so the other pairs keep their places.
std::string ReplaceOptionCodePair(std::string_view code, TParameterBox box, int position);

// "hh:mm:ss"; hours wrap at 24 (90061 seconds read "01:01:01").
std::string SecToDate(int seconds);

// Bytes as MiB rounded half-to-even to two decimals, shortest form, + "MB".
std::string SizeText(std::int64_t bytes);

// The output extension a format title names: the four characters before its
// last one, with the longer extensions spelled out (".flac", ".alac", ...).
std::string FormatTitleExtension(std::string_view title);

} // namespace tovrel
