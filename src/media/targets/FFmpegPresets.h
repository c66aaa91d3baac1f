#pragma once
// Presets: lists of key=value lines applied through the job's option
// handlers. The built-in ones are the libx264 presets of the table in
// data/media/x264_presets.tsv; others are read from preset files.
#include <string>
#include <vector>

namespace tovrel {

class TCustomFFmpeg;

struct TOptionsPreset {
    std::string Name;
    std::string Value; // key=value lines, each ended by a line feed
};

// Every built-in preset, in table order.
const std::vector<TOptionsPreset>& BuiltInPresets();

// The text of the first built-in preset whose name equals `name` ignoring
// case, or empty.
std::string FindBuiltInPreset(const std::string& name);

// The options "apre", "vpre", "spre" and "fpre": the preset by name from the
// built-in table (also with the pending codec's name before it), else from
// the file of that name ("fpre" always from the file). Lines are applied in
// order; a failing line raises FFmpegException and the lines before it stay.
void ApplyPreset(TCustomFFmpeg& job, const std::string& optionName, const std::string& presetName);

// Applies preset text; `presetName` names the preset in messages.
void ApplyPresetText(TCustomFFmpeg& job, const std::string& presetName, const std::string& text);

} // namespace tovrel
