// Pictures out of the playback: the OnHook round trip and CurrentFrame.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"

#include <cmath>

namespace tovrel {

void DoHook(TCustomPlayer& player, std::unique_ptr<TRGBConvertContext>& hookContext, TAVPicture& picture, int width,
            int height, std::int64_t pts)
{
    if (!player.options.Hook.load())
        return;
    TPlayerState& engine = player.Engine();
    THookEvent handler;
    {
        std::lock_guard lock(engine.handlersLock);
        handler = engine.onHook;
    }
    if (!handler)
        return;
    if (!hookContext)
        hookContext = std::make_unique<TRGBConvertContext>();
    TRGBConvertContext& context = *hookContext;
    if (!ConvertPictureToBitmap(context, picture, AV_PIX_FMT_YUV420P, height, width) || !context.Bitmap) {
        GetFFLogger()->Log(&player, llError, "Cannot initialize the toRGB conversion context");
        return;
    }
    TSurface& bitmap = *context.Bitmap;
    try {
        handler(&player, bitmap, pts);
    } catch (const std::exception& e) {
        GetFFLogger()->Log(&player, llError, std::string_view(std::string("Error occurs OnHook: ") + e.what()));
    }
    context.fromRGB_convert_ctx =
        FF.sws_getCachedContext(context.fromRGB_convert_ctx, width, height, AV_PIX_FMT_BGR24, width, height,
                                AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!context.fromRGB_convert_ctx) {
        GetFFLogger()->Log(&player, llError, "Cannot initialize the fromRGB conversion context");
        return;
    }
    const std::uint8_t* rows[4] = {bitmap.ScanLine(0), nullptr, nullptr, nullptr};
    const int strides[4] = {bitmap.Stride(), 0, 0, 0};
    FF.sws_scale(context.fromRGB_convert_ctx, rows, strides, 0, height, picture.data, picture.linesize);
}

const TSurface& TCustomPlayer::CurrentFrame(std::int64_t& pts)
{
    TPlayerState& engine = *engine_;
    if (!engine.rgbContext)
        engine.rgbContext = std::make_unique<TRGBConvertContext>();
    TRGBConvertContext& context = *engine.rgbContext;
    if (!context.Bitmap)
        context.Bitmap = CreateFrameBitmap(0, 0, context.BMPPixFmt);
    pts = -1;
    TPumpingLock lock(engine.dataLock);
    TVideoState* is = engine.videoState.load();
    AVStream* st = is ? is->video_st.load() : nullptr;
    if (!st) {
        context.Bitmap->SetSize(0, 0);
        return *context.Bitmap;
    }
    // The display moves the read index on under dataLock, so it holds still here.
    // With nothing queued, the slot before it holds the picture on screen.
    const int queued = QueuedPictures(*is);
    const int index =
        (is->pictq_rindex.load() + (queued > 0 ? 0 : player::PictureQueueSize - 1)) % player::PictureQueueSize;
    TPictureSlot& slot = is->pictq[index];
    {
        // Read under the slot's lock: the decoder may be writing the next picture.
        std::lock_guard pixels(slot.pixelsLock);
        if (!slot.filled ||
            !ConvertPictureToBitmap(context, slot.picture, AV_PIX_FMT_YUV420P, slot.height, slot.width)) {
            context.Bitmap->SetSize(0, 0);
            return *context.Bitmap;
        }
        pts = std::llround(slot.pts * 1000000) - is->StartTime;
    }
    return *context.Bitmap;
}

} // namespace tovrel
