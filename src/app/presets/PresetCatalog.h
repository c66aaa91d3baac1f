#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// The six parameter boxes, in the order the value-list step fills them.
enum class TParameterBox { FrameSize, VideoBitrate, FrameRate, AudioBitrate, SampleRate, Aspect };
inline constexpr std::size_t ParameterBoxCount = 6;
inline constexpr std::array<TParameterBox, ParameterBoxCount> ParameterBoxes = {
    TParameterBox::FrameSize,    TParameterBox::VideoBitrate, TParameterBox::FrameRate,
    TParameterBox::AudioBitrate, TParameterBox::SampleRate,   TParameterBox::Aspect};

// Per-box values, indexed by TParameterBox.
template <typename T> using TPerBox = std::array<T, ParameterBoxCount>;

inline constexpr std::size_t BoxIndex(TParameterBox box)
{
    return static_cast<std::size_t>(box);
}

struct TPresetCategory {
    int Position = 0;
    std::string Caption;
    std::optional<int> Code; // the main window's category code; the dialog has none
    int FormatCount = 0;
};

struct TFormatItem {
    int Key = 0;
    int CategoryPosition = 0;
    int FormatIndex = 0;
    std::string Title;
    std::string Caption;
    int ImageIndex = 0;
};

struct TValueList {
    std::string Id; // "FS1", "VB24", ...
    TParameterBox Box = TParameterBox::FrameSize;
    std::vector<std::string> Items;
};

struct TBoxDefault {
    std::size_t List = 0; // index into TPresetCatalog::Lists()
    int Position = 0;
    std::optional<std::string> StatedText; // the default's text where the table states it
};

struct TKeyDefaults {
    int Key = 0;
    bool AudioOnly = false;
    TPerBox<TBoxDefault> Boxes;
};

// The values one preset key writes into the pending output settings. A field
// without a value is one the profile leaves alone.
struct TEncoderProfile {
    int Key = 0;
    std::string OutputExt; // replaces the input's extension in the output name
    std::optional<std::string> FileExt, VideoCodec, VideoTag, FrameSize, FrameRate, FrameAspectRatio;
    std::optional<int> VideoBitrate;
    std::optional<std::string> AudioCodec, AudioChannels, AudioSampleRate;
    std::optional<int> AudioBitrate;
    std::optional<std::string> AudioVolume, VideoFilters, FileFormat, CopyTimestamp, TargetType, NormType;
    bool DisableVideo = false;
    std::string Note; // why a value differs from the original table, if it does
};

// The TSV texts of one set of preset tables.
struct TPresetTableTexts {
    std::string_view Categories, Formats, ValueLists, KeyDefaults, Profiles;
};

// One set of preset tables: the main window's or the output format dialog's.
class TPresetCatalog {
public:
    // Throws EPresetDataError when a table is malformed or refers to a missing
    // list, position or key.
    static TPresetCatalog Parse(const TPresetTableTexts& texts);

    const std::vector<TPresetCategory>& Categories() const { return FCategories; }
    const std::vector<TFormatItem>& Formats() const { return FFormats; }
    const std::vector<TValueList>& Lists() const { return FLists; }
    const std::vector<TKeyDefaults>& KeyDefaults() const { return FKeyDefaults; }
    const std::vector<TEncoderProfile>& Profiles() const { return FProfiles; }

    const TPresetCategory* Category(int position) const;
    // The formats of a category in catalogue (format box) order.
    std::vector<const TFormatItem*> FormatsOf(int categoryPosition) const;
    const TFormatItem* Format(int key) const;
    const TKeyDefaults* Defaults(int key) const;
    const TEncoderProfile* Profile(int key) const;
    const TValueList* List(std::string_view id) const;
    const TValueList& ListOf(const TBoxDefault& box) const { return FLists.at(box.List); }

private:
    std::vector<TPresetCategory> FCategories;
    std::vector<TFormatItem> FFormats;
    std::vector<TValueList> FLists;
    std::vector<TKeyDefaults> FKeyDefaults;
    std::vector<TEncoderProfile> FProfiles;
    std::map<int, std::size_t> FFormatByKey, FDefaultsByKey, FProfileByKey;
};

// The main window's tables: 16 categories, 146 formats.
const TPresetCatalog& MainPresets();
// The output format dialog's tables: 12 categories, 109 formats.
const TPresetCatalog& DialogPresets();

} // namespace tovrel
