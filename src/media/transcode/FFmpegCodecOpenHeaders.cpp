// Metadata maps, chapters, headers and the stream-mapping log of a run.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsOptions.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/output/FFmpegPacketWrite.h"
#include "media/transcode/FFmpegCodecOpen.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <climits>
#include <string>

namespace tovrel {

namespace {

// Join mode lists the one output once per input; it is written once.
std::size_t HeaderFileCount(const TTranscodeRun& run)
{
    return run.Job.FJoinMode ? std::min<std::size_t>(1, run.OutputFiles.size()) : run.OutputFiles.size();
}

// The job's muxer-private options, plus the preload the output was opened
// with for a muxer that keeps one (its own field is gone from the format
// context). A preload given as a muxer option is applied after it, so it wins.
AVDictionary* MuxerOptions(const TTranscodeRun& run, std::size_t fileIndex)
{
    AVDictionary* options = nullptr;
    FF.av_dict_copy(&options, run.Job.FOptions.FormatPrivateOpts, 0);
    const AVOutputFormat* muxer = run.OutputFiles[fileIndex]->oformat;
    if (fileIndex < run.State.OutputPreloads.size() && HasPrivateOption(muxer->priv_class, "preload"))
        FF.av_dict_set(&options, "preload", std::to_string(run.State.OutputPreloads[fileIndex]).c_str(),
                       AV_DICT_DONT_OVERWRITE);
    return options;
}

void CopyChapters(TTranscodeRun& run, int inputIndex, AVFormatContext* output)
{
    TCustomFFmpeg& job = run.Job;
    const AVFormatContext* input = job.Finput_files[static_cast<std::size_t>(inputIndex)];
    for (unsigned i = 0; i < input->nb_chapters; ++i) {
        const AVChapter* chapter = input->chapters[i];
        const std::int64_t offset =
            FF.av_rescale_q(job.Fstart_time - job.Finput_files_ts_offset[static_cast<std::size_t>(inputIndex)],
                            AV_TIME_BASE_Q, chapter->time_base);
        const std::int64_t limit = job.Frecording_time == INT64_MAX
                                       ? INT64_MAX
                                       : FF.av_rescale_q(job.Frecording_time, AV_TIME_BASE_Q, chapter->time_base);
        if (chapter->end < offset)
            continue;
        if (limit != INT64_MAX && chapter->start > limit + offset)
            break;
        auto* copy = static_cast<AVChapter*>(FF.av_mallocz(sizeof(AVChapter)));
        if (!copy)
            throw FFmpegException("av_mallocz fail");
        copy->id = chapter->id;
        copy->time_base = chapter->time_base;
        copy->start = std::max<std::int64_t>(0, chapter->start - offset);
        copy->end = std::min(limit, chapter->end - offset);
        FF.av_dict_copy(&copy->metadata, chapter->metadata, 0);
        auto* grown =
            static_cast<AVChapter**>(FF.av_realloc(output->chapters, sizeof(AVChapter*) * (output->nb_chapters + 1)));
        if (!grown) {
            FF.av_dict_free(&copy->metadata);
            FF.av_free(copy);
            throw FFmpegException("av_realloc fail");
        }
        output->chapters = grown;
        output->chapters[output->nb_chapters++] = copy;
    }
}

} // namespace

void LogLibraryError(TTranscodeRun& run, const char* url, int code)
{
    // The engine's messages are fixed texts; the code would be lost where the
    // library logs no reason of its own.
    GetFFLogger()->Log(&run.Job, llError, FormatAVError(DecodeAVFileName(url ? url : ""), code));
}

void DumpLogAndRaise(TTranscodeRun& run, const std::string& message)
{
    DumpStreamMapping(run);
    GetFFLogger()->Log(&run.Job, llError, message);
    throw FFmpegException(message);
}

void OpenBitstreamFilterChains(TTranscodeRun& run)
{
    auto& outputs = run.Tables.OutputStreams;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        TAVOutputStream& ost = *outputs[i];
        // Join groups share their streams, and so their chains.
        if (run.Job.FJoinMode && i >= run.EncoderStreamCount()) {
            ost.BitstreamFilters = outputs[i % run.EncoderStreamCount()]->BitstreamFilters;
            continue;
        }
        if (const TOutputStreamRecord* record = OutputRecordOf(run.State, ost.st))
            ost.BitstreamFilters = OpenBitstreamFilters(record->BitstreamFilters, ost.st);
    }
}

void ApplyMetadataMaps(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    for (int i = 0; i < job.Fnb_meta_data_maps; ++i) {
        const TAVMetaDataMap& map = job.Fmeta_data_maps[static_cast<std::size_t>(i)];
        if (map.out_file < 0 || map.out_file >= static_cast<int>(run.OutputFiles.size()))
            DumpLogAndRaise(run, Format("Invalid output file index %d map_meta_data(%d,%d)", map.out_file, map.out_file,
                                        map.in_file));
        if (map.in_file < 0 || map.in_file >= job.Fnb_input_files)
            DumpLogAndRaise(run, Format("Invalid input file index %d map_meta_data(%d,%d)", map.in_file, map.out_file,
                                        map.in_file));
        AVFormatContext* output = run.OutputFiles[static_cast<std::size_t>(map.out_file)];
        const AVFormatContext* input = job.Finput_files[static_cast<std::size_t>(map.in_file)];
        FF.av_dict_copy(&output->metadata, input->metadata, AV_DICT_DONT_OVERWRITE);
    }
}

void CopyAllChapters(TTranscodeRun& run)
{
    for (int i = 0; i < run.Job.Fnb_input_files; ++i) {
        if (run.Job.Finput_files[static_cast<std::size_t>(i)]->nb_chapters == 0)
            continue;
        // Join lists the same context once per input; its chapters are copied once.
        for (std::size_t j = 0; j < HeaderFileCount(run); ++j)
            CopyChapters(run, i, run.OutputFiles[j]);
    }
}

void WriteHeaders(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    bool allRtp = true;
    for (std::size_t i = 0; i < HeaderFileCount(run); ++i) {
        AVFormatContext* output = run.OutputFiles[i];
        AVDictionary* options = MuxerOptions(run, i);
        const int result = FF.avformat_write_header(output, &options);
        FF.av_dict_free(&options);
        if (result < 0) {
            LogLibraryError(run, output->url, result);
            DumpLogAndRaise(run, Format("Could not write header for output file #%d (incorrect codec parameters ?)",
                                        static_cast<int>(i)));
        }
        run.HeadersWritten = i + 1;
        allRtp = allRtp && std::string_view(output->oformat->name) == "rtp";
    }
    if (allRtp && HeaderFileCount(run) > 0) {
        char sdp[2048] = {};
        FF.av_sdp_create(run.OutputFiles.data(), static_cast<int>(HeaderFileCount(run)), sdp, sizeof(sdp));
        std::string text(sdp);
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
            text.pop_back();
        GetFFLogger()->Log(&job, llInfo, "SDP:\r\n" + text);
    }
}

void DumpStreamMapping(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    for (std::size_t i = 0; i < HeaderFileCount(run); ++i)
        FF.av_dump_format(run.OutputFiles[i], static_cast<int>(i), run.OutputFiles[i]->url, 1);
    if (job.Fverbose < 0)
        return;
    GetFFLogger()->Log(&job, llVerbose, "Stream mapping:");
    for (const auto& entry : run.Tables.OutputStreams) {
        const TAVOutputStream& ost = *entry;
        const TAVInputStream& source = run.SourceOf(ost);
        const std::string typeName = MediaTypeName(ost.st->codecpar->codec_type);
        GetFFLogger()->Log(&job, llVerbose,
                           Format("  Stream #%d.%d -> #%d.%d (%s)", source.file_index, source.index,
                                  job.FJoinMode ? 0 : ost.file_index, ost.index, typeName));
        if (ost.sync_ist && ost.sync_ist != &source)
            GetFFLogger()->Log(&job, llVerbose,
                               Format(" [sync #%d.%d (%s)]", ost.sync_ist->file_index, ost.sync_ist->index, typeName));
    }
}

} // namespace tovrel
