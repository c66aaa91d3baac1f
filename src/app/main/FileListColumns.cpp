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
    for (const TFileListColumn& spec : FileListColumns) {
        TListColumn* column = list.Columns()->Add();
        column->SetCaption(std::string(spec.Caption));
        if (spec.Width == 0)
            column->SetMaxWidth(1);
        column->SetWidth(spec.Width);
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

void WriteRowSettings(TListItem& row, const TRowSettingsColumns& columns)
{
    const std::pair<TFileListSubItem, const std::string*> texts[] = {
        {colVideoCodec, &columns.colVideoCodec},
        {colAudioCodec, &columns.colAudioCodec},
        {colAudioChannels, &columns.colAudioChannels},
        {colVideoTag, &columns.colVideoTag},
        {colFileExt, &columns.colFileExt},
        {colFrameSize, &columns.colFrameSize},
        {colVideoBitrate, &columns.colVideoBitrate},
        {colFrameRate, &columns.colFrameRate},
        {colAudioBitrate, &columns.colAudioBitrate},
        {colAudioSampleRate, &columns.colAudioSampleRate},
        {colFrameAspectRatio, &columns.colFrameAspectRatio},
        {colDisableVideo, &columns.colDisableVideo},
        {colTargetType, &columns.colTargetType},
        {colNormType, &columns.colNormType},
    };
    for (const auto& [column, text] : texts)
        SetSubItemText(row, column, *text);
}

} // namespace tovrel
