#include "platform/gdi/FontResolver.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace tovrel {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct CharSetDeleter {
    void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetDeleter>;

void EnsureInitialised()
{
    static const bool initialised = FcInit() == FcTrue;
    if (!initialised)
        throw std::runtime_error("fontconfig could not be initialised");
}

PatternPtr MakePattern(const std::string& family, int weight, bool italic)
{
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        throw std::runtime_error("fontconfig: out of memory");
    if (!family.empty())
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, int(FcWeightFromOpenTypeDouble(weight)));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    return pattern;
}

PatternPtr Match(FcPattern* pattern)
{
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    return PatternPtr(FcFontMatch(nullptr, pattern, &result));
}

std::optional<TFontFileRef> ToFileRef(FcPattern* match)
{
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || !file)
        return std::nullopt;
    TFontFileRef ref;
    ref.Path = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
        ref.Index = index;
    // fontconfig's synthesis rules report the requested weight and slant and
    // ask for emboldening or a shear instead; only the file's own style counts.
    FcBool embolden = FcFalse;
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    FcMatrix* shear = nullptr;
    const bool synthesisedSlant =
        FcPatternGetMatrix(match, FC_MATRIX, 0, &shear) == FcResultMatch && shear && shear->xy != 0;
    int weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
        ref.IsBold = weight >= FC_WEIGHT_DEMIBOLD && !embolden;
    int slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch)
        ref.IsItalic = slant != FC_SLANT_ROMAN && !synthesisedSlant;
    return ref;
}

} // namespace

TFontFileRef ResolveFontFile(const std::string& family, int weight, bool italic)
{
    EnsureInitialised();
    PatternPtr pattern = MakePattern(family, weight, italic);
    PatternPtr match = Match(pattern.get());
    if (auto ref = ToFileRef(match.get()))
        return *ref;
    throw std::runtime_error("no font found for family \"" + family + "\"");
}

std::optional<TFontFileRef> ResolveFallbackFontFile(const std::string& family, int weight, char32_t codepoint)
{
    EnsureInitialised();
    PatternPtr pattern = MakePattern(family, weight, false);
    CharSetPtr wanted(FcCharSetCreate());
    if (!wanted || !FcCharSetAddChar(wanted.get(), FcChar32(codepoint)))
        return std::nullopt;
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
    PatternPtr match = Match(pattern.get());
    if (!match)
        return std::nullopt;
    // fontconfig returns its best match even when no font covers the character.
    FcCharSet* covered = nullptr;
    if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &covered) != FcResultMatch || !covered ||
        !FcCharSetHasChar(covered, FcChar32(codepoint)))
        return std::nullopt;
    return ToFileRef(match.get());
}

} // namespace tovrel

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few bytes while parsing its XML configuration on first
// use; that is its own allocation, out of our reach, so leak checking skips it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
