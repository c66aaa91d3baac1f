#pragma once
// Finds font files through fontconfig. Family names from the skins and forms
// ("Tahoma", "Arial", "宋体") are matched by fontconfig's aliases; whatever it
// picks is usable, so resolution never fails while any font is installed.
// Not thread-safe by itself: the font engine calls it under its lock.
#include <optional>
#include <string>

namespace tovrel {

struct TFontFileRef {
    std::string Path;
    int Index = 0;         // face index inside a collection (.ttc)
    bool IsBold = false;   // the file's own weight is bold: no synthetic emboldening
    bool IsItalic = false; // the file is italic or oblique: no synthetic slant
    friend bool operator==(const TFontFileRef&, const TFontFileRef&) = default;
};

// Best file for the family at the given weight (100..900) and slant.
// Throws std::runtime_error when fontconfig finds no font at all.
TFontFileRef ResolveFontFile(const std::string& family, int weight, bool italic);

// A file whose character map holds `codepoint`, preferring faces close to the
// family; nullopt when no installed font has it.
std::optional<TFontFileRef> ResolveFallbackFontFile(const std::string& family, int weight, char32_t codepoint);

} // namespace tovrel
