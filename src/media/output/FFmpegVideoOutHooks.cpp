// Video output: what happens to a decoded picture before any output sees it
// (deinterlacing, the custom hook or the hook plug-ins), and the post hooks
// that show what is being encoded.
#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/output/FFmpegVideoOutDeinterlace.h"
#include "media/preview/Previewer.h"
#include "media/targets/FrameHook.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>

namespace tovrel {

namespace {

TAVPicture PictureOf(const AVFrame* frame)
{
    TAVPicture picture;
    for (int plane = 0; plane < 4; ++plane) {
        picture.data[plane] = frame->data[plane];
        picture.linesize[plane] = frame->linesize[plane];
    }
    return picture;
}

} // namespace

void TOutputSteps::PrepareVideoFrame(TAVInputStream& ist, AVFrame* picture)
{
    ++engine_.FHookFrameNumber;
    const std::int64_t hookPts = ist.pts;
    const bool customHook = bool(engine_.FOnCustomHook);
    if (!engine_.Fdo_deinterlace && !customHook && !engine_.Fusing_vhook)
        return;

    // The work picture: the result every output encodes from.
    TFramePtr work(FF.av_frame_alloc());
    if (work) {
        work->format = picture->format;
        work->width = picture->width;
        work->height = picture->height;
        if (FF.av_frame_get_buffer(work.get(), 0) < 0)
            work.reset();
    }
    if (!work) {
        GetFFLogger()->Log(&engine_, llError, "hook buf malloc error.");
        return;
    }
    bool ownWork = true;
    if (engine_.Fdo_deinterlace) {
        if (!DeinterlacePicture(work.get(), picture)) {
            GetFFLogger()->Log(&engine_, llError, "Deinterlacing failed.");
            ownWork = false;
        }
    } else if (FF.av_frame_copy(work.get(), picture) < 0) {
        ownWork = false;
    }
    // Hooks on the decoded picture itself need it to be ours alone.
    if (!ownWork && (customHook || engine_.Fusing_vhook) && FF.av_frame_make_writable(picture) < 0)
        return;
    AVFrame* target = ownWork ? work.get() : picture;

    if (customHook) {
        RunCustomHook(target, hookPts);
    } else if (engine_.Fusing_vhook && engine_.FFirstHook) {
        FrameHookPicture hookPicture = HookPictureFromFrame(*target);
        RunFrameHooks(engine_.FFirstHook, &hookPicture, target->format, target->width, target->height, hookPts);
    }
    if (ownWork) {
        FF.av_frame_copy_props(work.get(), picture);
        FF.av_frame_unref(picture);
        FF.av_frame_move_ref(picture, work.get());
    }
}

void TOutputSteps::RunCustomHook(AVFrame* picture, std::int64_t pts)
{
    TRGBConvertContext& context = state_->HookContext;
    const AVPixelFormat format = AVPixelFormat(picture->format);
    bool update = true;
    bool stop = false;
    if (!ConvertPictureToBitmap(context, PictureOf(picture), format, picture->height, picture->width)) {
        GetFFLogger()->Log(&engine_, llError, "Cannot initialize the toRGB conversion context");
        stop = true;
        update = false;
    } else {
        try {
            engine_.FOnCustomHook(&engine_, context.Bitmap.get(), engine_.FHookFrameNumber, pts, update, stop);
        } catch (const std::exception& e) {
            GetFFLogger()->Log(&engine_, llError, std::string("Error occurs OnCustomHook: ") + e.what());
            update = false;
        }
    }
    if (update) {
        // Back from the bitmap into the RGB picture (a no-op when the bitmap
        // rows are that picture), then into the frame's own format.
        TSurface& bitmap = *context.Bitmap;
        const TAVPicture& rgb = context.RGBPictureRef;
        const std::size_t rowBytes = std::min<std::size_t>(std::size_t(rgb.linesize[0]), std::size_t(bitmap.Stride()));
        for (int y = 0; y < picture->height && y < bitmap.Height(); ++y) {
            std::uint8_t* row = rgb.data[0] + std::ptrdiff_t(y) * rgb.linesize[0];
            if (row != bitmap.ScanLine(y))
                std::memcpy(row, bitmap.ScanLine(y), rowBytes);
        }
        if (context.RGBPixFmt != format) {
            context.fromRGB_convert_ctx = FF.sws_getCachedContext(
                context.fromRGB_convert_ctx, picture->width, picture->height, context.RGBPixFmt, picture->width,
                picture->height, format, SWS_BICUBIC, nullptr, nullptr, nullptr);
            if (!context.fromRGB_convert_ctx) {
                GetFFLogger()->Log(&engine_, llError, "Cannot initialize the fromRGB conversion context");
                stop = true;
            } else {
                FF.sws_scale(context.fromRGB_convert_ctx, rgb.data, rgb.linesize, 0, picture->height, picture->data,
                             picture->linesize);
            }
        }
    }
    if (stop) {
        // Once stopped, no hook of either kind runs again in this job.
        engine_.FOnCustomHook = nullptr;
        engine_.Fusing_vhook = false;
    }
}

void TOutputSteps::RunPostHooks(const AVFrame* picture, AVCodecContext*, std::int64_t pts)
{
    std::lock_guard<TCriticalSection> lock(PostHookLock());
    TPostHooks hooks = engine_.PostHooks();
    // With a bitmap handler the preview window is never served.
    const bool toHandler = hooks.Contains(TPostHook::phBitmap) && engine_.FOnPreviewBitmap;
    const TPostHook hook = toHandler ? TPostHook::phBitmap : TPostHook::phPreview;
    if (!hooks.Contains(hook))
        return;
    state_->preview_cur_time = Clock();
    if (state_->preview_cur_time - state_->preview_last_time <= engine_.PreviewInterval)
        return;
    state_->preview_last_time = state_->preview_cur_time;
    bool keep = ConvertPictureToBitmap(state_->PostContext, picture);
    if (!keep)
        GetFFLogger()->Log(&engine_, llError, "Cannot initialize the toRGB conversion context");
    else if (toHandler)
        engine_.FOnPreviewBitmap(&engine_, state_->PostContext.Bitmap.get(), engine_.FHookFrameNumber, pts);
    else
        keep = PaintPreviewFrame(engine_, *state_->PostContext.Bitmap, engine_.FHookFrameNumber, pts);
    if (!keep)
        engine_.SetPostHooks(hooks.With(hook, false));
}

} // namespace tovrel
