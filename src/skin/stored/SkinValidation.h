#pragma once
// The checks every stored skin passes before it is embedded, and again when
// the tests load it: every entry the program looks up is there with the
// right class and resize mode, every picture index names a picture, every
// image rectangle lies in its picture and every place inside its image,
// the picture count matches the pictures, no coordinate is negative, and a
// user skin fills in its frame, popup and hint windows and its own colours.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

struct TskSkinContent;

// The user skins dress every window; the tools skin only the tool bar and the
// category and format boxes.
enum class TStoredSkinRole { User, Tools };

// Each problem as one line of text; empty when the skin is sound.
std::vector<std::string> ValidateSkinContent(const TskSkinContent& content, TStoredSkinRole role);

// The same for a compressed skin file's bytes (version, length, zlib stream).
std::vector<std::string> ValidateCompressedSkin(std::string_view fileBytes, TStoredSkinRole role);

} // namespace tovrel
