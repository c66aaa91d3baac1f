#include "app/presets/PresetCatalog.h"

#include <algorithm>

#include "app/presets/PresetErrors.h"
#include "app/presets/TsvTable.h"

namespace tovrel {

namespace {

// Column prefixes of the key-default table and the box names of the list table.
constexpr TPerBox<std::string_view> BoxColumnNames = {"frame_size",    "video_bitrate", "frame_rate",
                                                      "audio_bitrate", "sample_rate",   "aspect"};

// Marks a profile field the profile leaves alone.
constexpr std::string_view NotAssigned = "-";

TParameterBox BoxNamed(std::string_view name)
{
    for (TParameterBox box : ParameterBoxes) {
        if (BoxColumnNames[BoxIndex(box)] == name)
            return box;
    }
    throw EPresetDataError("unknown parameter box \"" + std::string(name) + "\"");
}

std::optional<std::string> OptionalText(const TTsvTable& table, std::size_t row, std::string_view column)
{
    const std::string& text = table.Field(row, column);
    if (text == NotAssigned)
        return std::nullopt;
    return text;
}

std::optional<int> OptionalInt(const TTsvTable& table, std::size_t row, std::string_view column)
{
    if (table.Field(row, column) == NotAssigned)
        return std::nullopt;
    return table.IntField(row, column);
}

template <typename Row> std::map<int, std::size_t> IndexByKey(const std::vector<Row>& rows, std::string_view what)
{
    std::map<int, std::size_t> index;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!index.emplace(rows[i].Key, i).second) {
            throw EPresetDataError(std::string(what) + ": key " + std::to_string(rows[i].Key) + " appears twice");
        }
    }
    return index;
}

template <typename Row>
const Row* FindByKey(const std::vector<Row>& rows, const std::map<int, std::size_t>& index, int key)
{
    const auto it = index.find(key);
    return it == index.end() ? nullptr : &rows[it->second];
}

std::vector<TPresetCategory> ParseCategories(std::string_view text)
{
    const TTsvTable table = TTsvTable::Parse(text, "categories");
    const bool hasCode = table.HasColumn("code");
    std::vector<TPresetCategory> categories;
    for (std::size_t r = 0; r < table.RowCount(); ++r) {
        TPresetCategory category;
        category.Position = table.IntField(r, "position");
        category.Caption = table.Field(r, "caption");
        if (hasCode)
            category.Code = table.IntField(r, "code");
        category.FormatCount = table.IntField(r, "format_count");
        if (category.Position != static_cast<int>(r)) {
            throw EPresetDataError("categories: row " + std::to_string(r + 1) + " is not position " +
                                   std::to_string(r));
        }
        categories.push_back(std::move(category));
    }
    return categories;
}

std::vector<TFormatItem> ParseFormats(std::string_view text)
{
    const TTsvTable table = TTsvTable::Parse(text, "formats");
    std::vector<TFormatItem> formats;
    for (std::size_t r = 0; r < table.RowCount(); ++r) {
        formats.push_back(TFormatItem{table.IntField(r, "key"), table.IntField(r, "category_position"),
                                      table.IntField(r, "format_index"), table.Field(r, "title"),
                                      table.Field(r, "caption"), table.IntField(r, "image_index")});
    }
    return formats;
}

std::vector<TValueList> ParseLists(std::string_view text)
{
    const TTsvTable table = TTsvTable::Parse(text, "value lists");
    std::vector<TValueList> lists;
    for (std::size_t r = 0; r < table.RowCount(); ++r) {
        lists.push_back(TValueList{table.Field(r, "list"), BoxNamed(table.Field(r, "box")),
                                   SplitFields(table.Field(r, "items"), '|')});
    }
    return lists;
}

TEncoderProfile ParseProfile(const TTsvTable& table, std::size_t r)
{
    TEncoderProfile p;
    p.Key = table.IntField(r, "key");
    p.OutputExt = table.Field(r, "output_ext");
    p.FileExt = OptionalText(table, r, "file_ext");
    p.VideoCodec = OptionalText(table, r, "video_codec");
    p.VideoTag = OptionalText(table, r, "video_tag");
    p.FrameSize = OptionalText(table, r, "frame_size");
    p.FrameRate = OptionalText(table, r, "frame_rate");
    p.FrameAspectRatio = OptionalText(table, r, "frame_aspect_ratio");
    p.VideoBitrate = OptionalInt(table, r, "video_bitrate");
    p.AudioCodec = OptionalText(table, r, "audio_codec");
    p.AudioChannels = OptionalText(table, r, "audio_channels");
    p.AudioSampleRate = OptionalText(table, r, "audio_sample_rate");
    p.AudioBitrate = OptionalInt(table, r, "audio_bitrate");
    p.AudioVolume = OptionalText(table, r, "audio_volume");
    p.VideoFilters = OptionalText(table, r, "video_filters");
    p.FileFormat = OptionalText(table, r, "file_format");
    p.CopyTimestamp = OptionalText(table, r, "copy_timestamp");
    p.TargetType = OptionalText(table, r, "target_type");
    p.NormType = OptionalText(table, r, "norm_type");
    p.DisableVideo = table.BoolField(r, "disable_video");
    p.Note = table.Field(r, "note");
    return p;
}

} // namespace

TPresetCatalog TPresetCatalog::Parse(const TPresetTableTexts& texts)
{
    TPresetCatalog catalog;
    catalog.FCategories = ParseCategories(texts.Categories);
    catalog.FFormats = ParseFormats(texts.Formats);
    catalog.FLists = ParseLists(texts.ValueLists);

    const TTsvTable defaults = TTsvTable::Parse(texts.KeyDefaults, "key defaults");
    for (std::size_t r = 0; r < defaults.RowCount(); ++r) {
        TKeyDefaults row;
        row.Key = defaults.IntField(r, "key");
        row.AudioOnly = defaults.BoolField(r, "audio_only");
        for (TParameterBox box : ParameterBoxes) {
            const std::string prefix(BoxColumnNames[BoxIndex(box)]);
            const std::string& listId = defaults.Field(r, prefix + "_list");
            const TValueList* list = catalog.List(listId);
            if (list == nullptr || list->Box != box) {
                throw EPresetDataError("key defaults: key " + std::to_string(row.Key) + " names list \"" + listId +
                                       "\", which is no " + prefix + " list");
            }
            TBoxDefault& cell = row.Boxes[BoxIndex(box)];
            cell.List = static_cast<std::size_t>(list - catalog.FLists.data());
            cell.Position = defaults.IntField(r, prefix + "_default");
            if (defaults.HasColumn(prefix + "_text"))
                cell.StatedText = defaults.Field(r, prefix + "_text");
        }
        catalog.FKeyDefaults.push_back(std::move(row));
    }

    const TTsvTable profiles = TTsvTable::Parse(texts.Profiles, "profiles");
    for (std::size_t r = 0; r < profiles.RowCount(); ++r)
        catalog.FProfiles.push_back(ParseProfile(profiles, r));

    catalog.FFormatByKey = IndexByKey(catalog.FFormats, "formats");
    catalog.FDefaultsByKey = IndexByKey(catalog.FKeyDefaults, "key defaults");
    catalog.FProfileByKey = IndexByKey(catalog.FProfiles, "profiles");
    for (const TFormatItem& format : catalog.FFormats) {
        if (catalog.Category(format.CategoryPosition) == nullptr) {
            throw EPresetDataError("formats: key " + std::to_string(format.Key) + " names no category");
        }
    }
    return catalog;
}

const TPresetCategory* TPresetCatalog::Category(int position) const
{
    if (position < 0 || position >= static_cast<int>(FCategories.size()))
        return nullptr;
    return &FCategories[static_cast<std::size_t>(position)];
}

std::vector<const TFormatItem*> TPresetCatalog::FormatsOf(int categoryPosition) const
{
    std::vector<const TFormatItem*> result;
    for (const TFormatItem& format : FFormats) {
        if (format.CategoryPosition == categoryPosition)
            result.push_back(&format);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const TFormatItem* a, const TFormatItem* b) { return a->FormatIndex < b->FormatIndex; });
    return result;
}

const TFormatItem* TPresetCatalog::Format(int key) const
{
    return FindByKey(FFormats, FFormatByKey, key);
}

const TKeyDefaults* TPresetCatalog::Defaults(int key) const
{
    return FindByKey(FKeyDefaults, FDefaultsByKey, key);
}

const TEncoderProfile* TPresetCatalog::Profile(int key) const
{
    return FindByKey(FProfiles, FProfileByKey, key);
}

const TValueList* TPresetCatalog::List(std::string_view id) const
{
    const auto it = std::find_if(FLists.begin(), FLists.end(), [&](const TValueList& l) { return l.Id == id; });
    return it == FLists.end() ? nullptr : &*it;
}

} // namespace tovrel
