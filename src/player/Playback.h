#pragma once
// The playback engine's operations, one group per file:
// the component's side (Player.cpp, PlayerEvents.cpp, PlayerFrames.cpp),
// PlaybackRecord.cpp (create, destroy, end, seek requests, pause),
// PlaybackReader.cpp (the read thread), PlaybackStreams.cpp (stream open, close, switch),
// PlaybackVideo.cpp, PlaybackSubtitles.cpp, PlaybackAudio.cpp, PlaybackDisplay.cpp.
#include "media/loader/FFmpegUtils.h"
#include "media/loader/FFmpegUtilsRGB.h"
#include "player/VideoState.h"

#include <cstdint>
#include <memory>
#include <string>

struct AVInputFormat;
struct AVSubtitleRect;

namespace tovrel {

class TCustomPlayer;
class TPlayEventRing;

// The component's side.
// Logs the message as an error; `store` also makes it the LastErrMsg.
void ReportError(TCustomPlayer& player, const std::string& message, bool store);
void SetLastErrMsg(TCustomPlayer& player, const std::string& message);
void SetPlayState(TCustomPlayer& player, TPlayState state);
// Position report, end of media and play length (refresh step and video decoder).
void CheckPosition(TCustomPlayer& player);
// The OnFileOpen round trip of a playback just opened, and the screen size it leaves.
void DoFileOpen(TCustomPlayer& player);
// The OnHook round trip for a stored picture (video decode thread).
void DoHook(TCustomPlayer& player, std::unique_ptr<TRGBConvertContext>& hookContext, TAVPicture& picture, int width,
            int height, std::int64_t pts);
// The settings that hold for one playback go back to their defaults.
void ResetPlaybackSettings(TCustomPlayer& player);
// Runs the playback's event loop and tears it down (the play thread's body).
void RunPlayThread(TCustomPlayer& player);
// Delivers ring entries until psStop or a quit entry (the event thread's body).
void RunEventThread(TCustomPlayer& player, TPlayEventRing& ring);
// Ends SDL's audio once for each successful start.
void QuitSDL(TCustomPlayer& player);

// Record.
bool CreatePlayback(TCustomPlayer& player, const std::string& fileName, const AVInputFormat* format, bool paused);
void DestroyPlayback(TVideoState& is);
void EndPlayback(TCustomPlayer& player);
void RequestSeek(TVideoState& is, TSeekFlags flags, bool wait, std::int64_t target, std::int64_t rel);
// A seek to a time from the media start (the duration limits it when known), or to a byte position.
void RequestSeekTo(TVideoState& is, std::int64_t pts, TSeekFlags flags);
// A seek by a distance in seconds from the master clock (or bytes scaled from seconds).
void RequestSeekBy(TVideoState& is, double delta, TSeekFlags flags);
void TogglePlaybackPause(TVideoState& is);
// Un-pauses, ends stepping and asks the play thread to end the playback.
void StopPlayback(TVideoState& is);
void PostQuitRequest(TVideoState& is);
void PostRedrawRequest(TVideoState& is);

// Read thread and streams.
void ReadThreadMain(TVideoState& is);
int OpenStreamComponent(TVideoState& is, int streamIndex);
void CloseStreamComponent(TVideoState& is, int streamIndex);
// Media type 0 video, 1 audio, 3 subtitle; refusals are reported (stored) and give False.
bool SwitchStream(TVideoState& is, int mediaType, int streamIndex);
// The seek window of the read thread: [min, max] around the target for a distance.
void SeekWindow(std::int64_t target, std::int64_t rel, std::int64_t& minimum, std::int64_t& maximum);

// Clocks (seconds).
// The sound now heard: what was handed to the device, less what the device still holds.
double AudioClock(TVideoState& is);
// The callback handed its buffer to the device at `now`: the audio clock runs from there.
void RecordAudioHandover(TVideoState& is, double now);
// The callback has handed sound of this stream to the device.
bool SoundStarted(TVideoState& is);
double VideoClock(TVideoState& is);
double ExternalClock(TVideoState& is);
double MasterClock(TVideoState& is);
// The new frame_timer for a picture of time t.
double NextFrameTime(TVideoState& is, double t);

// Video and subtitles.
void VideoDecodeThread(TVideoState& is);
void PrepareOverlay(TVideoState& is);
// Pictures decoded and not yet moved past by the display.
int QueuedPictures(TVideoState& is);
void SubtitleDecodeThread(TVideoState& is);
void ReleaseSubtitle(TSubtitleSlot& slot);
// The oldest queued subtitle goes; the caller holds subpq_mutex.
void ReleaseFirstSubtitle(TVideoState& is);
// A palette entry of FFmpeg (0xAARRGGBB) to alpha, Y, U, V (high to low byte).
std::uint32_t SubtitleColourToYUVA(std::uint32_t argb);
void BlendSubtitleRect(TAVPicture& picture, const AVSubtitleRect& rect, int pictureWidth, int pictureHeight);

// Audio.
void FeedAudioDevice(void* opaque, std::uint8_t* stream, int len);
int DecodeAudioChunk(TVideoState& is, double& pts);
int AdjustAudioSamples(TVideoState& is, std::uint8_t* samples, int size, double pts);
void RecordSamplesForDisplay(TVideoState& is, const std::int16_t* samples, int size);
// The device callback's core: fills len bytes with the playback's sound at the volume, or silence.
void FillAudioBuffer(TVideoState& is, std::uint8_t* stream, int len, int volume, bool mute);

// Display.
void PlayerEventLoop(TCustomPlayer& player);
void RefreshTickThread(TVideoState& is);
void RefreshPlayback(TVideoState& is, bool advance);
void ShowFrame(TVideoState& is);
// Each queued picture is due its distance from the shown picture's time after
// `now`; the picture timer goes with the last of them. Nothing when none is queued.
void RetimeQueuedPictures(TVideoState& is, double shownPts, double now);
int OpenVideoSurface(TVideoState& is, bool force);
// Where a picture of this shape goes in a display area: letterboxed, sizes even.
TRect LetterboxRect(int areaWidth, int areaHeight, double aspect);
// The shape to draw: the AspectRatio rule for a picture with its pixel aspect.
double DisplayAspect(float aspectRatio, AVRational pixelAspect, int pictureWidth, int pictureHeight, int areaWidth,
                     int areaHeight);

} // namespace tovrel
