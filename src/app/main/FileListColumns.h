#pragma once
// The file list's 25 columns: a row's caption is the input file, its 24
// sub-items the progress display and the row's own output settings. Seven
// columns show; the others are width 0 and cannot be widened.
#include <array>
#include <string>
#include <string_view>

#include "app/presets/PendingSettings.h"
#include "app/presets/PresetCatalog.h"

namespace tovrel {

class TCustomListView;
class TListItem;

// Sub-item numbers (the caption is the input file).
enum TFileListSubItem : int {
    colDuration = 0,
    colFileSize,
    colOutputFile,
    colProgress,
    colFPS,
    colCurrentTime,
    colConvertedSize,
    colTaskNumber,
    colCategoryCode,
    colOptionCode,
    colVideoCodec,
    colAudioCodec,
    colAudioChannels,
    colVideoTag,
    colFileExt,
    colFrameSize,
    colVideoBitrate,
    colFrameRate,
    colAudioBitrate,
    colAudioSampleRate,
    colFrameAspectRatio,
    colDisableVideo,
    colTargetType,
    colNormType,
};
inline constexpr int FileListSubItemCount = colNormType + 1;

struct TFileListColumn {
    std::string_view Caption;
    int Width;
};

// Column 0 (the caption) first.
extern const std::array<TFileListColumn, FileListSubItemCount + 1> FileListColumns;

// Adds the 25 columns; hidden ones get a maximum width of 1.
void AddFileListColumns(TCustomListView& list);

// The settings column a parameter box writes.
TFileListSubItem BoxColumn(TParameterBox box);

// A sub-item's text; empty when the row has fewer sub-items.
std::string SubItemText(const TListItem& row, int subItem);
// Sets a sub-item, adding empty ones before it when the row has fewer.
void SetSubItemText(TListItem& row, int subItem, const std::string& text);

// Writes the settings columns (sub-items 10 to 23) of a row.
void WriteRowSettings(TListItem& row, const TRowSettingsColumns& columns);
// Reads them back.
TRowSettingsColumns ReadRowSettings(const TListItem& row);

} // namespace tovrel
