#include "app/main/FileListColumns.h"

#include "platform/ctrls/ListView.h"

namespace tovrel {

const std::array<TFileListColumn, FileListSubItemCount + 1> FileListColumns = {{
    {"输入文件", 80},  {"视频时间", 70},  {"文件大小", 70},  {"输出文件", 80},  {"转换进度", 70},
    {"", 0},           {"当前时间", 80},  {"转换大小", 80},  {"视频序号", 0},   {"视频类别", 0},
    {"视频选项", 0},   {"视频编码", 0},   {"音频编码", 0},   {"声音频道", 0},   {"VideoTag", 0},
    {"FileExt", 0},    {"视频分辨率", 0}, {"视频比特率", 0}, {"视频帧率", 0},   {"音频比特率", 0},
    {"音频采样率", 0}, {"视频缩放", 0},   {"视频能否", 0},   {"TargetType", 0}, {"NormType", 0},
}};

void AddFileListColumns(TCustomListView& list)
{
    list.Columns()->BeginUpdate();
    for (const TFileListColumn& layout : FileListColumns) {
        TListColumn* column = list.Columns()->Add();
        column->SetCaption(std::string(layout.Caption));
        if (layout.Width == 0)
            column->SetMaxWidth(1);
        column->SetWidth(layout.Width);
    }
    list.Columns()->EndUpdate();
}

TFileListSubItem BoxColumn(TParameterBox box)
{
    switch (box) {
    case TParameterBox::FrameSize: return colFrameSize;
    case TParameterBox::VideoBitrate: return colVideoBitrate;
    case TParameterBox::FrameRate: return colFrameRate;
    case TParameterBox::AudioBitrate: return colAudioBitrate;
    case TParameterBox::SampleRate: return colAudioSampleRate;
    case TParameterBox::Aspect: break;
    }
    return colFrameAspectRatio;
}

std::string SubItemText(const TListItem& row, int subItem)
{
    TStrings* items = const_cast<TListItem&>(row).SubItems();
    return subItem >= 0 && subItem < items->Count() ? items->Get(subItem) : std::string();
}

void SetSubItemText(TListItem& row, int subItem, const std::string& text)
{
    TStrings* items = row.SubItems();
    while (items->Count() <= subItem)
        items->Add("");
    items->Put(subItem, text);
}

namespace {

// The settings columns and the fields of a row's settings they hold.
using TSettingsColumn = std::pair<TFileListSubItem, std::string TRowSettingsColumns::*>;
constexpr TSettingsColumn kSettingsColumns[] = {
    {colVideoCodec, &TRowSettingsColumns::colVideoCodec},
    {colAudioCodec, &TRowSettingsColumns::colAudioCodec},
    {colAudioChannels, &TRowSettingsColumns::colAudioChannels},
    {colVideoTag, &TRowSettingsColumns::colVideoTag},
    {colFileExt, &TRowSettingsColumns::colFileExt},
    {colFrameSize, &TRowSettingsColumns::colFrameSize},
    {colVideoBitrate, &TRowSettingsColumns::colVideoBitrate},
    {colFrameRate, &TRowSettingsColumns::colFrameRate},
    {colAudioBitrate, &TRowSettingsColumns::colAudioBitrate},
    {colAudioSampleRate, &TRowSettingsColumns::colAudioSampleRate},
    {colFrameAspectRatio, &TRowSettingsColumns::colFrameAspectRatio},
    {colDisableVideo, &TRowSettingsColumns::colDisableVideo},
    {colTargetType, &TRowSettingsColumns::colTargetType},
    {colNormType, &TRowSettingsColumns::colNormType},
};

} // namespace

void WriteRowSettings(TListItem& row, const TRowSettingsColumns& columns)
{
    for (const auto& [column, field] : kSettingsColumns)
        SetSubItemText(row, column, columns.*field);
}

TRowSettingsColumns ReadRowSettings(const TListItem& row)
{
    TRowSettingsColumns columns;
    for (const auto& [column, field] : kSettingsColumns)
        columns.*field = SubItemText(row, column);
    return columns;
}

} // namespace tovrel
