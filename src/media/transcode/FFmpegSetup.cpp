#include "media/transcode/FFmpegSetup.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

#include <cstring>

namespace tovrel {

namespace {

// The display matrix says how the picture is turned (portrait phone video);
// neither stream copy nor encoding turns the pictures, so the output keeps it.
void CopyDisplayMatrix(const AVStream& source, AVStream& target)
{
    std::size_t size = 0;
    const std::uint8_t* matrix = FF.av_stream_get_side_data(&source, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!matrix || FF.av_stream_get_side_data(&target, AV_PKT_DATA_DISPLAYMATRIX, nullptr))
        return;
    std::uint8_t* copy = FF.av_stream_new_side_data(&target, AV_PKT_DATA_DISPLAYMATRIX, size);
    if (!copy)
        throw FFmpegException("av_stream_new_side_data fail");
    std::memcpy(copy, matrix, size);
}

AVMediaType TypeOf(const AVStream* stream)
{
    return stream->codecpar->codec_type;
}

[[noreturn]] void DumpAndRaise(AVFormatContext* output, int fileIndex, const std::string& message)
{
    FF.av_dump_format(output, fileIndex, output->url, 1);
    throw FFmpegException(message);
}

bool ProgramListsStream(const AVFormatContext* file, int programId, int streamIndex)
{
    for (unsigned i = 0; i < file->nb_programs; ++i) {
        const AVProgram* program = file->programs[i];
        if (program->id != programId)
            continue;
        for (unsigned j = 0; j < program->nb_stream_indexes; ++j)
            if (static_cast<int>(program->stream_index[j]) == streamIndex)
                return true;
    }
    return false;
}

// Streams no longer expose how many frames probing saw; the library's own
// choice of the best stream of a kind (which weighs those frames) stands in:
// a file's best stream outranks its others.
int SourceWeight(const TTranscodeRun& run, const TAVInputStream& ist)
{
    AVFormatContext* file = run.Job.Finput_files[static_cast<std::size_t>(ist.file_index)];
    return FF.av_find_best_stream(file, TypeOf(ist.st), -1, -1, nullptr, 0) == ist.index ? 1 : 0;
}

void FindSourceStream(TTranscodeRun& run, TAVOutputStream& ost, int joinInput)
{
    TCustomFFmpeg& job = run.Job;
    const AVMediaType type = TypeOf(ost.st);
    int best = -1;
    int bestWeight = -1;
    for (std::size_t j = 0; j < run.Tables.InputStreams.size(); ++j) {
        const TAVInputStream& ist = *run.Tables.InputStreams[j];
        if (job.Fopt_programid != 0 && !ProgramListsStream(job.Finput_files[static_cast<std::size_t>(ist.file_index)],
                                                           job.Fopt_programid, ist.index))
            continue;
        if (!ist.discard || ist.st->discard == AVDISCARD_ALL || TypeOf(ist.st) != type)
            continue;
        if (job.FJoinMode && ist.file_index != joinInput)
            continue;
        const int weight = SourceWeight(run, ist);
        if (weight > bestWeight) {
            best = static_cast<int>(j);
            bestWeight = weight;
        }
    }
    if (best < 0 && job.Fopt_programid == 0 && !job.FJoinMode) {
        for (std::size_t j = 0; j < run.Tables.InputStreams.size(); ++j) {
            const TAVInputStream& ist = *run.Tables.InputStreams[j];
            if (TypeOf(ist.st) == type && ist.st->discard != AVDISCARD_ALL)
                best = static_cast<int>(j);
        }
    }
    if (best < 0)
        DumpAndRaise(run.OutputOf(ost), ost.file_index,
                     Format("Could not find input stream matching output stream #%d.%d (%s)", ost.file_index, ost.index,
                            MediaTypeName(type)));
    ost.source_index = best;
}

void CheckMappedStream(TTranscodeRun& run, TAVOutputStream& ost, const TAVStreamMap& map)
{
    ost.source_index = run.Tables.Files[static_cast<std::size_t>(map.file_index)].ist_index + map.stream_index;
    const TAVInputStream& source = run.SourceOf(ost);
    if (TypeOf(source.st) != TypeOf(ost.st))
        DumpAndRaise(run.OutputOf(ost), ost.file_index,
                     Format("Codec type mismatch for mapping #%d.%d (%s) -> #%d.%d (%s)", map.file_index,
                            map.stream_index, MediaTypeName(TypeOf(source.st)), ost.file_index, ost.index,
                            MediaTypeName(TypeOf(ost.st))));
}

bool InputStreamExists(const TTranscodeRun& run, int file, int stream)
{
    return file >= 0 && file < run.Job.Fnb_input_files && stream >= 0 &&
           stream < run.Tables.Files[static_cast<std::size_t>(file)].nb_streams;
}

void CheckStreamMaps(const TTranscodeRun& run)
{
    const TCustomFFmpeg& job = run.Job;
    for (int i = 0; i < job.Fnb_stream_maps; ++i) {
        const TAVStreamMap& map = job.Fstream_maps[static_cast<std::size_t>(i)];
        if (!InputStreamExists(run, map.file_index, map.stream_index))
            throw FFmpegException(Format("Could not find input stream #%d.%d", map.file_index, map.stream_index));
        if (!InputStreamExists(run, map.sync_file_index, map.sync_stream_index))
            throw FFmpegException(
                Format("Could not find sync stream #%d.%d", map.sync_file_index, map.sync_stream_index));
    }
}

void AssignOutputStreams(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    std::size_t mapIndex = 0;
    for (std::size_t fileIndex = 0; fileIndex < run.OutputFiles.size(); ++fileIndex) {
        AVFormatContext* output = run.OutputFiles[fileIndex];
        for (unsigned i = 0; i < output->nb_streams; ++i, ++mapIndex) {
            auto ost = std::make_unique<TAVOutputStream>();
            ost->file_index = static_cast<int>(fileIndex);
            ost->index = static_cast<int>(i);
            ost->st = output->streams[i];
            if (const TOutputStreamRecord* record = OutputRecordOf(run.State, ost->st)) {
                ost->EncoderContext = record->Codec;
                ost->Encoder = record->Encoder;
                ost->stream_copy = record->StreamCopy;
            }
            if (job.Fnb_stream_maps > 0) {
                const TAVStreamMap& map = job.Fstream_maps[mapIndex];
                CheckMappedStream(run, *ost, map);
                ost->sync_ist = run.Tables
                                    .InputStreams[static_cast<std::size_t>(
                                        run.Tables.Files[static_cast<std::size_t>(map.sync_file_index)].ist_index +
                                        map.sync_stream_index)]
                                    .get();
            } else {
                FindSourceStream(run, *ost, static_cast<int>(fileIndex));
                ost->sync_ist = &run.SourceOf(*ost);
            }
            run.SourceOf(*ost).discard = 0;
            ost->show_fps = 1;
            run.OstTable.push_back(ost.get());
            run.Tables.OutputStreams.push_back(std::move(ost));
        }
    }
}

void SetupOutputCodecs(TTranscodeRun& run)
{
    for (std::size_t i = 0; i < run.Tables.OutputStreams.size(); ++i) {
        TAVOutputStream& ost = *run.Tables.OutputStreams[i];
        const TAVInputStream& source = run.SourceOf(ost);
        FF.av_dict_copy(&ost.st->metadata, source.st->metadata, AV_DICT_DONT_OVERWRITE);
        ost.st->disposition = source.st->disposition;
        CopyDisplayMatrix(*source.st, *ost.st);
        if (ost.EncoderContext) {
            ost.EncoderContext->bits_per_raw_sample = source.st->codecpar->bits_per_raw_sample;
            ost.EncoderContext->chroma_sample_location = source.st->codecpar->chroma_location;
        }
        if (ost.stream_copy || !ost.EncoderContext)
            SetupStreamCopy(run, ost);
        else
            SetupStreamEncoding(run, ost, static_cast<int>(i));
    }
}

} // namespace

const TOutputStreamRecord* OutputRecordOf(const TMediaJobState& state, const AVStream* stream)
{
    for (const TOutputStreamRecord& record : state.OutputStreams)
        if (record.Stream == stream)
            return &record;
    return nullptr;
}

void InitInputStreams(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    int position = 0;
    for (int fileIndex = 0; fileIndex < job.Fnb_input_files; ++fileIndex) {
        const AVFormatContext* file = job.Finput_files[static_cast<std::size_t>(fileIndex)];
        TAVInputFile entry;
        entry.ist_index = position;
        entry.nb_streams = static_cast<int>(file->nb_streams);
        run.Tables.Files.push_back(entry);
        for (unsigned i = 0; i < file->nb_streams; ++i, ++position) {
            auto ist = std::make_unique<TAVInputStream>();
            ist->st = file->streams[i];
            ist->file_index = fileIndex;
            ist->index = static_cast<int>(i);
            ist->discard = 1;
            if (job.Frate_emu)
                ist->start = FF.av_gettime();
            run.Tables.InputStreams.push_back(std::move(ist));
        }
    }
}

void InitOutputStreams(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    run.OutputFiles.assign(job.Foutput_files.begin(), job.Foutput_files.begin() + job.Fnb_output_files);
    std::size_t total = 0;
    for (std::size_t i = 0; i < run.OutputFiles.size(); ++i) {
        AVFormatContext* output = run.OutputFiles[i];
        if (output->nb_streams == 0)
            DumpAndRaise(output, static_cast<int>(i),
                         Format("Output file #%d does not contain any stream", static_cast<int>(i)));
        total += output->nb_streams;
    }
    run.Tables.GroupSize = run.OutputFiles.empty() ? 0 : static_cast<int>(run.OutputFiles[0]->nb_streams);
    if (job.Fnb_stream_maps > 0 && static_cast<std::size_t>(job.Fnb_stream_maps) != total)
        throw FFmpegException("Number of stream maps must match number of output streams");
    CheckStreamMaps(run);
    AssignOutputStreams(run);
    SetupOutputCodecs(run);
}

} // namespace tovrel
