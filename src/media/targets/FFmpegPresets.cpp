#include "media/targets/FFmpegPresets.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/targets/FFmpegPresetsX264.h"
#include "media/targets/FFmpegTargetsData.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tovrel {

namespace {

std::vector<TOptionsPreset> ReadBuiltInPresets()
{
    const TMediaTable& table = EmbeddedMediaTable("x264_presets.tsv");
    std::vector<TOptionsPreset> presets;
    for (const std::vector<std::string>& row : table.Rows) {
        TOptionsPreset preset{row[0], {}};
        for (std::size_t key = 1; key < row.size(); ++key)
            if (!row[key].empty())
                preset.Value += table.Header[key] + "=" + row[key] + "\n";
        presets.push_back(std::move(preset));
    }
    return presets;
}

// The pending codec whose name goes before the preset's, by the option's
// first letter; the subtitle codec stands in for any kind without one.
std::string CodecPrefixedName(const TCustomFFmpeg& job, const std::string& optionName, const std::string& presetName)
{
    const char kind = optionName[0];
    std::string codec;
    if (kind == 'v' && !job.Fvideo_codec_name.empty())
        codec = job.Fvideo_codec_name;
    else if (kind == 'a' && !job.Faudio_codec_name.empty())
        codec = job.Faudio_codec_name;
    else if (!job.Fsubtitle_codec_name.empty())
        codec = job.Fsubtitle_codec_name;
    return codec.empty() ? presetName : codec + "-" + presetName;
}

std::string ReadPresetFile(const std::string& fileName)
{
    if (!FileExists(fileName))
        throw FFmpegException(Format("Preset \"%s\" not found", fileName));
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw FFmpegException(Format("Cannot open file \"%s\". %s", fileName, std::strerror(errno)));
    // An empty file leaves the copy failed and the text empty: an empty preset.
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw FFmpegException(Format("Cannot read file \"%s\"", fileName));
    return text.str();
}

void ApplyLine(TCustomFFmpeg& job, const std::string& presetName, const std::string& line)
{
    const auto equals = line.find('=');
    const std::string key = equals == std::string::npos ? line : line.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
    if (key.empty() || value.empty())
        throw FFmpegException(Format("%s: Invalid syntax: \"%s\"", presetName, line));
    for (const char* codecKey : {"acodec", "vcodec", "scodec"})
        if (SameText(key, codecKey)) {
            job.ParseOption(codecKey, value);
            return;
        }
    for (const TPresetOption& option : TranslatePresetOption(key, value))
        if (!job.SetAVOption(option.Name, option.Value))
            throw FFmpegException(Format("%s: Invalid option or argument: \"%s\", parsed as \"%s\" = \"%s\"",
                                         presetName, line, key, value));
}

} // namespace

const std::vector<TOptionsPreset>& BuiltInPresets()
{
    static const std::vector<TOptionsPreset> presets = ReadBuiltInPresets();
    return presets;
}

std::string FindBuiltInPreset(const std::string& name)
{
    for (const TOptionsPreset& preset : BuiltInPresets())
        if (SameText(preset.Name, name))
            return preset.Value;
    return {};
}

void ApplyPreset(TCustomFFmpeg& job, const std::string& optionName, const std::string& presetName)
{
    if (optionName.empty() || presetName.empty())
        return;
    std::string usedName = presetName;
    std::string text;
    if (optionName[0] != 'f') {
        text = FindBuiltInPreset(presetName);
        if (text.empty()) {
            usedName = CodecPrefixedName(job, optionName, presetName);
            text = FindBuiltInPreset(usedName);
        }
    }
    if (text.empty())
        text = ReadPresetFile(presetName);
    ApplyPresetText(job, usedName, text);
}

void ApplyPresetText(TCustomFFmpeg& job, const std::string& presetName, const std::string& text)
{
    std::string lines = Trim(text);
    std::string normalized;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == '\r') {
            normalized += '\n';
            if (i + 1 < lines.size() && lines[i + 1] == '\n')
                ++i;
        } else {
            normalized += lines[i];
        }
    }
    std::istringstream stream(normalized);
    for (std::string line; std::getline(stream, line);) {
        line = Trim(line);
        if (!line.empty())
            ApplyLine(job, presetName, line);
    }
}

} // namespace tovrel
