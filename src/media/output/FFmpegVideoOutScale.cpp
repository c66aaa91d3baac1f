// Video output: the picture cropped by the bands and scaled to the encoder's
// size; the scaler follows the input when its size changes mid-stream.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/transcode/FFmpegSetup.h"

namespace tovrel {

namespace {

// Moves the planes of `frame` (a reference to the decoded picture) to the
// band's corner; false for layouts a byte offset cannot crop.
bool CropFrame(AVFrame* frame, int top, int bottom, int left, int right)
{
    const AVPixFmtDescriptor* desc = FF.av_pix_fmt_desc_get(AVPixelFormat(frame->format));
    if (!desc || (desc->flags & (AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_PAL)))
        return false;
    if (top < 0 || left < 0 || top + bottom >= frame->height || left + right >= frame->width)
        return false;
    const bool subsampledChroma = !(desc->flags & AV_PIX_FMT_FLAG_RGB);
    for (int plane = 0; plane < 4 && frame->data[plane]; ++plane) {
        int step = 0;
        for (int component = 0; component < desc->nb_components; ++component)
            if (desc->comp[component].plane == plane)
                step = desc->comp[component].step;
        const bool chroma = subsampledChroma && (plane == 1 || plane == 2);
        const int x = chroma ? left >> desc->log2_chroma_w : left;
        const int y = chroma ? top >> desc->log2_chroma_h : top;
        frame->data[plane] += std::ptrdiff_t(y) * frame->linesize[plane] + std::ptrdiff_t(x) * step;
    }
    frame->width -= left + right;
    frame->height -= top + bottom;
    return true;
}

int ProportionalBand(int size, int originalBand, int originalSize)
{
    if (originalSize <= 0)
        return originalBand;
    return (size * originalBand / originalSize) & ~1;
}

} // namespace

AVFrame* TOutputSteps::PictureForEncoder(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture)
{
    AVFrame* source = picture;
    if (!engine_.FEnableFilter) {
        FollowInputGeometry(ost, ist, picture);
        if (ost.video_crop) {
            AVFrame* cropped = state_->Cropped.get();
            FF.av_frame_unref(cropped);
            if (FF.av_frame_ref(cropped, picture) < 0 ||
                !CropFrame(cropped, ost.topBand, ost.bottomBand, ost.leftBand, ost.rightBand)) {
                FF.av_frame_unref(cropped);
                if (engine_.Fexit_on_error)
                    throw FFmpegException("error cropping picture");
                GetFFLogger()->Log(&engine_, llError, "error cropping picture");
                return nullptr;
            }
            source = cropped;
        }
    }
    if (engine_.FEnableFilter || !ost.video_resample)
        return source;

    AVCodecContext* enc = ost.EncoderContext;
    AVFrame* scaled = ost.pict_tmp.get();
    if (!scaled) {
        ost.pict_tmp.reset(FF.av_frame_alloc());
        scaled = ost.pict_tmp.get();
    }
    if (!scaled->buf[0]) {
        scaled->format = enc->pix_fmt;
        scaled->width = enc->width;
        scaled->height = enc->height;
        if (FF.av_frame_get_buffer(scaled, 0) < 0)
            throw FFmpegException("Cannot get resampling context");
    }
    // The encoder may still hold the last scaled picture.
    if (FF.av_frame_make_writable(scaled) < 0)
        throw FFmpegException("Cannot get resampling context");
    FF.sws_scale(ost.img_resample_ctx.get(), source->data, source->linesize, 0, ost.resample_height, scaled->data,
                 scaled->linesize);
    FF.av_frame_copy_props(scaled, picture);
    return scaled;
}

void TOutputSteps::FollowInputGeometry(TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* picture)
{
    const int width = picture->width;
    const int height = picture->height;
    const int format = picture->format;
    const bool changed = height - (ost.topBand + ost.bottomBand) != ost.resample_height ||
                         width - (ost.leftBand + ost.rightBand) != ost.resample_width || format != ost.resample_pix_fmt;
    if (!changed && !(ost.video_resample && !ost.img_resample_ctx))
        return;
    // A geometry the set-up never saw is the first picture, not a change.
    const bool firstPicture = ost.resample_width == 0 && ost.resample_height == 0;
    if (changed && !firstPicture) {
        const char* name = FF.av_get_pix_fmt_name(AVPixelFormat(format));
        GetFFLogger()->Log(&engine_, llQuiet, "Input Stream #%d.%d frame size changed to %dx%d, %s", ist.file_index,
                           ist.index, width, height, name ? name : "none");
    }
    if (changed && ost.original_height > 0 && ost.original_width > 0) {
        ost.topBand = ProportionalBand(height, ost.original_topBand, ost.original_height);
        ost.bottomBand = ProportionalBand(height, ost.original_bottomBand, ost.original_height);
        ost.leftBand = ProportionalBand(width, ost.original_leftBand, ost.original_width);
        ost.rightBand = ProportionalBand(width, ost.original_rightBand, ost.original_width);
    }
    if (ost.topBand < 0 || ost.bottomBand < 0 || ost.leftBand < 0 || ost.rightBand < 0)
        throw EAssertionFailed("negative crop band");
    ost.resample_height = height - ost.topBand - ost.bottomBand;
    ost.resample_width = width - ost.leftBand - ost.rightBand;
    ost.resample_pix_fmt = format;
    const AVCodecContext* enc = ost.EncoderContext;
    // An output that needed no scaler gets one as soon as the input stops
    // matching the encoder: its size is fixed once the header is written.
    if (!ost.video_resample && (ost.resample_width != enc->width || ost.resample_height != enc->height ||
                                ost.resample_pix_fmt != enc->pix_fmt))
        ost.video_resample = 1;
    if (!ost.video_resample)
        return;

    ost.img_resample_ctx.reset();
    engine_.Fsws_flags = std::uint32_t(SwsFlagsOf(engine_));
    ost.img_resample_ctx.reset(FF.sws_getContext(ost.resample_width, ost.resample_height, AVPixelFormat(format),
                                                 enc->width, enc->height, enc->pix_fmt, int(engine_.Fsws_flags),
                                                 nullptr, nullptr, nullptr));
    if (!ost.img_resample_ctx)
        throw FFmpegException("Cannot get resampling context");
}

} // namespace tovrel
