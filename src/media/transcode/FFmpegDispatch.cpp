#include "media/transcode/FFmpegDispatch.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/targets/FFmpegTargetsDispatch.h"
#include "media/transcode/FFmpegDispatchHandlers.h"
#include "media/transcode/FFmpegOutput.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Numbers.h"

extern "C" {
#include <libavutil/avutil.h>
}

namespace tovrel {

namespace {

using TJobFields = TFFmpegPendingOptions;

template <auto Field> void IntField(const TDispatchCall& call)
{
    call.Job.*Field = StrToInt(call.Value);
}

template <auto Field> void Int64Field(const TDispatchCall& call)
{
    call.Job.*Field = StrToInt64(call.Value);
}

template <auto Field> void FloatField(const TDispatchCall& call)
{
    call.Job.*Field = static_cast<float>(StrToFloat(call.Value));
}

// Any value but "0" (an empty one too) is True.
template <auto Field> void BoolField(const TDispatchCall& call)
{
    call.Job.*Field = call.Value != "0";
}

template <auto Field> void SetField(const TDispatchCall& call)
{
    call.Job.*Field = true;
}

template <auto Field> void TextField(const TDispatchCall& call)
{
    call.Job.*Field = call.Value;
}

template <int Kind> void MaxFrames(const TDispatchCall& call)
{
    call.Job.Fmax_frames[Kind] = StrToInt(call.Value);
}

void SetAudioSampleRate(const TDispatchCall& call)
{
    if (const int value = StrToInt(call.Value); value > 0) {
        call.Job.Faudio_sample_rate = value;
        call.Job.Faudio_sample_rate_asked = true;
    }
}

void SetAudioChannels(const TDispatchCall& call)
{
    if (const int value = StrToInt(call.Value); value > 0) {
        call.Job.Faudio_channels = value;
        call.Job.Faudio_channels_asked = true;
    }
}

void DoNothing(const TDispatchCall& call)
{
    GetFFLogger()->Log(&call.Job, llInfo, "Do nothing: option - " + call.Name);
}

void NotDone(const TDispatchCall& call)
{
    throw FFmpegException("TODO: option - " + call.Name);
}

void TimeLimit(const TDispatchCall& call)
{
    GetFFLogger()->Log(&call.Job, llWarning, "Warning: -timelimit not implemented on Windows");
}

void UsePadFilter(const TDispatchCall&)
{
    throw FFmpegException("Please use vfilters=pad");
}

void LogLevel(const TDispatchCall& call)
{
    GetFFLogger()->OptLogLevel(call.Value);
}

void Filters(const TDispatchCall& call)
{
    if (!call.Value.empty())
        call.Job.Fvfilters = call.Value;
}

void RateControlOverride(const TDispatchCall& call)
{
    call.Job.Fvideo_rc_override_string = call.Value;
}

template <int Type> void NewStream(const TDispatchCall& call)
{
    NewStreamOnLastOutput(call.Job, call.State, Type);
}

void AnyValue(const TDispatchCall& call)
{
    SetAVOptionText(call.Job, call.Name, call.Value);
}

} // namespace

const std::vector<TOptionRow>& OptionTable()
{
    static const std::vector<TOptionRow> table = {
        {"L", DoNothing},
        {"h", DoNothing},
        {"version", DoNothing},
        {"formats", DoNothing},
        {"codecs", DoNothing},
        {"bsfs", DoNothing},
        {"protocols", DoNothing},
        {"filters", DoNothing},
        {"loglevel", LogLevel},
        {"f", SetFormatOption},
        {"i", DoNothing},
        {"y", DoNothing},
        {"map", AddStreamMap},
        {"map_meta_data", AddMetaDataMap},
        {"t", SetTimeOption},
        {"fs", Int64Field<&TJobFields::Flimit_filesize>},
        {"ss", SetTimeOption},
        {"itsoffset", SetTimeOption},
        {"itsscale", SetInputTSScale},
        {"timestamp", SetTimeOption},
        {"metadata", AddMetadataText},
        {"dframes", MaxFrames<2>},
        {"benchmark", DoNothing},
        {"timelimit", TimeLimit},
        {"dump", BoolField<&TJobFields::Fdo_pkt_dump>},
        {"hex", BoolField<&TJobFields::Fdo_hex_dump>},
        {"re", BoolField<&TJobFields::Frate_emu>},
        {"loop_input", BoolField<&TJobFields::Floop_input>},
        {"loop_output", IntField<&TJobFields::Floop_output>},
        {"v", IntField<&TJobFields::Fverbose>},
        {"target", TargetOption},
        {"threads", NotDone},
        {"vsync", IntField<&TJobFields::Fvideo_sync_method>},
        {"async", IntField<&TJobFields::Faudio_sync_method>},
        {"adrift_threshold", FloatField<&TJobFields::Faudio_drift_threshold>},
        {"vglobal", IntField<&TJobFields::Fvideo_global_header>},
        {"copyts", SetField<&TJobFields::Fcopy_ts>},
        {"shortest", BoolField<&TJobFields::Fopt_shortest>},
        {"dts_delta_threshold", FloatField<&TJobFields::Fdts_delta_threshold>},
        {"programid", IntField<&TJobFields::Fopt_programid>},
        {"xerror", SetField<&TJobFields::Fexit_on_error>},
        {"copyinkf", IntField<&TJobFields::Fcopy_initial_nonkeyframes>},
        {"b", SetBitrate},
        {"vb", SetBitrate},
        {"vframes", MaxFrames<0>},
        {"r", SetFrameRate},
        {"s", SetFrameSize},
        {"aspect", SetAspectRatio},
        {"pix_fmt", SetPixelFormat},
        {"croptop", SetCropBand},
        {"cropbottom", SetCropBand},
        {"cropleft", SetCropBand},
        {"cropright", SetCropBand},
        {"padtop", UsePadFilter},
        {"padbottom", UsePadFilter},
        {"padleft", UsePadFilter},
        {"padright", UsePadFilter},
        {"padcolor", UsePadFilter},
        {"intra", BoolField<&TJobFields::Fintra_only>},
        {"vn", BoolField<&TJobFields::Fvideo_disable>},
        {"vdt", IntField<&TJobFields::Fvideo_discard>},
        {"qscale", SetVideoQScale},
        {"rc_override", RateControlOverride},
        {"vcodec", SetCodec},
        {"me_threshold", IntField<&TJobFields::Fme_threshold>},
        {"sameq", BoolField<&TJobFields::Fsame_quality>},
        {"pass", PassOption},
        {"passlogfile", TextField<&TJobFields::Fpass_logfilename_prefix>},
        {"deinterlace", BoolField<&TJobFields::Fdo_deinterlace>},
        {"psnr", BoolField<&TJobFields::Fdo_psnr>},
        {"vstats", VStatsOption},
        {"vstats_file", VStatsFileOption},
        {"vhook", AddVideoHook},
        {"vfilters", Filters},
        {"vf", Filters},
        {"intra_matrix", SetMatrix},
        {"inter_matrix", SetMatrix},
        {"top", IntField<&TJobFields::Ftop_field_first>},
        {"dc", IntField<&TJobFields::Fintra_dc_precision>},
        {"vtag", SetCodecTag},
        {"newvideo", NewStream<AVMEDIA_TYPE_VIDEO>},
        {"vlang", TextField<&TJobFields::Fvideo_language>},
        {"qphist", BoolField<&TJobFields::Fqp_hist>},
        {"force_fps", BoolField<&TJobFields::Fforce_fps>},
        {"streamid", SetStreamId},
        {"ab", SetBitrate},
        {"aframes", MaxFrames<1>},
        {"aq", FloatField<&TJobFields::Faudio_qscale>},
        {"ar", SetAudioSampleRate},
        {"ac", SetAudioChannels},
        {"an", BoolField<&TJobFields::Faudio_disable>},
        {"acodec", SetCodec},
        {"atag", SetCodecTag},
        {"vol", IntField<&TJobFields::Faudio_volume>},
        {"newaudio", NewStream<AVMEDIA_TYPE_AUDIO>},
        {"alang", TextField<&TJobFields::Faudio_language>},
        {"sample_fmt", SetSampleFormat},
        {"sn", BoolField<&TJobFields::Fsubtitle_disable>},
        {"scodec", SetCodec},
        {"newsubtitle", NewStream<AVMEDIA_TYPE_SUBTITLE>},
        {"slang", TextField<&TJobFields::Fsubtitle_language>},
        {"stag", SetCodecTag},
        {"vc", IntField<&TJobFields::Fvideo_channel>},
        {"tvstd", TextField<&TJobFields::Fvideo_standard>},
        {"isync", BoolField<&TJobFields::Finput_sync>},
        {"muxdelay", FloatField<&TJobFields::Fmux_max_delay>},
        {"muxpreload", FloatField<&TJobFields::Fmux_preload>},
        {"absf", BitstreamFilterOption},
        {"vbsf", BitstreamFilterOption},
        {"sbsf", BitstreamFilterOption},
        {"apre", PresetOption},
        {"vpre", PresetOption},
        {"spre", PresetOption},
        {"fpre", PresetOption},
    };
    return table;
}

bool SetAVOptionText(TCustomFFmpeg& job, const std::string& name, const std::string& value)
{
    return SetFFOption(job.FOptions, name.c_str(), value.c_str());
}

void DispatchOption(TCustomFFmpeg& job, TMediaJobState& state, const std::string& name, const std::string& value)
{
    const TDispatchCall call{job, state, name, value};
    for (const TOptionRow& row : OptionTable())
        if (name == row.Name) {
            row.Handler(call);
            return;
        }
    AnyValue(call);
}

} // namespace tovrel
