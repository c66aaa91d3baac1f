#pragma once
// Preset lines written for the old libx264 wrapper (the built-in presets and
// preset files of their time) name options and flag words the encoder no
// longer has; they are carried by its private options now.
#include <string>
#include <vector>

namespace tovrel {

struct TPresetOption {
    std::string Name;
    std::string Value;
    bool operator==(const TPresetOption&) const = default;
};

// The options that carry one preset line today, in order. "directpred" and
// "cqp" are renamed; "+parti8x8..." partitions become a list; the flags2 words
// bpyramid, mixed_refs, wpred, dct8x8, fastpskip and mbtree become options of
// their own (other words stay in flags2); "loop" in flags also sets the
// deblocking filter. Any other line passes as it is.
std::vector<TPresetOption> TranslatePresetOption(const std::string& key, const std::string& value);

} // namespace tovrel
