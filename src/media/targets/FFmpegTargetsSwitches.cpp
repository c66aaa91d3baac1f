#include "media/targets/FFmpegTargetsSwitches.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/UnicodeProtocol.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

namespace tovrel {

void SetPass(TCustomFFmpeg& job, int pass)
{
    if (pass != 1 && pass != 2)
        throw FFmpegException("pass number can be only 1 or 2");
    job.Fdo_pass = pass;
}

void SetVStats(TCustomFFmpeg& job, bool enable)
{
    job.Fvstats_filename.clear();
    job.VStatsBesideOutput = enable;
    if (enable)
        job.Fvstats_filename = "vstats_" + FormatDateTime("hhnnss", Now()) + ".log";
}

void SetVStatsFile(TCustomFFmpeg& job, const std::string& value)
{
    job.Fvstats_filename = value;
    job.VStatsBesideOutput = false;
}

std::string VStatsFileName(const TCustomFFmpeg& job)
{
    if (!job.VStatsBesideOutput || job.Fvstats_filename.empty() || job.Fnb_output_files == 0)
        return job.Fvstats_filename;
    const AVFormatContext* output = job.Foutput_files[0];
    if (!output || !output->url)
        return job.Fvstats_filename;
    return ExtractFilePath(DecodeAVFileName(output->url)) + job.Fvstats_filename;
}

void AddBitstreamFilter(TCustomFFmpeg& job, const std::string& optionName, const std::string& value)
{
    if (optionName.empty() || value.empty() || value[0] == '=')
        return;
    const std::string trimmed = Trim(value);
    const std::string name = Trim(trimmed.substr(0, trimmed.find('=')));
    if (name.empty() || !FF.av_bsf_get_by_name(name.c_str()))
        throw FFmpegException("Unknown bitstream filter " + trimmed);
    TBitstreamFilterChain& chain = optionName[0] == 'v'   ? job.Fvideo_bitstream_filters
                                   : optionName[0] == 'a' ? job.Faudio_bitstream_filters
                                                          : job.Fsubtitle_bitstream_filters;
    chain.push_back(name);
}

} // namespace tovrel
