#include "media/engine/FFmpegTasksTask.h"

#include "platform/rtl/Text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tovrel {

namespace {

template <class Record> void StoreRecord(std::vector<std::unique_ptr<Record>>& slots, int index, const Record& options)
{
    auto& slot = slots.at(static_cast<std::size_t>(index));
    if (!slot)
        slot = std::make_unique<Record>();
    *slot = options;
}

template <class Record> void ResetRecord(std::vector<std::unique_ptr<Record>>& slots, int index)
{
    auto& slot = slots.at(static_cast<std::size_t>(index));
    if (slot)
        *slot = Record{};
}

template <class Record> Record* StoredRecord(const std::vector<std::unique_ptr<Record>>& slots, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= slots.size())
        return nullptr;
    return slots[static_cast<std::size_t>(index)].get();
}

bool IsOneOf(const std::string& name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TFFmpeg::TFFmpeg(int maxFiles, std::unique_ptr<TTranscoder> transcoder)
    : TCustomFFmpeg(maxFiles, std::move(transcoder)), FAVProbes(static_cast<std::size_t>(maxFiles)),
      FInputOptions(static_cast<std::size_t>(maxFiles)), FOutputOptions(static_cast<std::size_t>(maxFiles))
{}

TAVProbe* TFFmpeg::GetAVProbe(int index)
{
    auto& probe = FAVProbes.at(static_cast<std::size_t>(index));
    if (!probe)
        probe = std::make_unique<TAVProbe>();
    return probe.get();
}

TAVProbe* TFFmpeg::AVProbe(int index) const
{
    return StoredRecord(FAVProbes, index);
}

void TFFmpeg::SetInputOptions(int index, const TInputOptions& options)
{
    StoreRecord(FInputOptions, index, options);
}

void TFFmpeg::SetOutputOptions(int index, const TOutputOptions& options)
{
    StoreRecord(FOutputOptions, index, options);
}

void TFFmpeg::ResetInputOptions(int index)
{
    ResetRecord(FInputOptions, index);
}

void TFFmpeg::ResetOutputOptions(int index)
{
    ResetRecord(FOutputOptions, index);
}

const TInputOptions* TFFmpeg::InputOptions(int index) const
{
    return StoredRecord(FInputOptions, index);
}

const TOutputOptions* TFFmpeg::OutputOptions(int index) const
{
    return StoredRecord(FOutputOptions, index);
}

void TFFmpeg::ApplyExtOptions(const std::string& text, bool input)
{
    for (const TOptionLine& line : ParseOptionText(text)) {
        const std::string name = LowerCase(line.Name);
        if (IsOneOf(name, {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf"}))
            continue;
        if (!input && IsOneOf(name, {"acodec", "vcodec", "scodec", "s"}))
            continue;
        ParseOption(name, line.Value);
    }
}

} // namespace tovrel
