#include "SyncProbes.h"

#include "media/loader/FFmpegLoaderSDL.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/MainThread.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace tovrel::bench {

namespace {

// A click starts with a loud sample after at least this long of silence.
constexpr double ClickGapSeconds = 0.2;
constexpr int LoudSample = 1000;

struct TAudioWatch {
    std::mutex lock;
    decltype(SDL.SDL_OpenAudioDevice) open = nullptr;
    SDL_AudioCallback callback = nullptr;
    void* userdata = nullptr;
    int channels = 2;
    int freq = 48000;
    std::int64_t framesHanded = 0;
    std::int64_t lastLoudFrame = -1000000000;
    double lastHanded = 0;
    TAudioRecord record;
};

TAudioWatch& Watch()
{
    static TAudioWatch watch;
    return watch;
}

void WatchingCallback(void*, Uint8* stream, int len)
{
    TAudioWatch& watch = Watch();
    watch.callback(watch.userdata, stream, len);
    const double handed = MonotonicSeconds();
    std::lock_guard guard(watch.lock);
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    const int frames = len / (2 * watch.channels);
    if (watch.lastHanded != 0)
        watch.record.longestGap = std::max(watch.record.longestGap, handed - watch.lastHanded);
    watch.lastHanded = handed;
    const auto gap = std::int64_t(ClickGapSeconds * watch.freq);
    for (int i = 0; i < frames; ++i) {
        if (std::abs(samples[i * watch.channels]) < LoudSample)
            continue;
        const std::int64_t frame = watch.framesHanded + i;
        if (frame - watch.lastLoudFrame > gap)
            watch.record.clicks.push_back({handed, handed + double(i) / watch.freq});
        watch.lastLoudFrame = frame;
    }
    watch.framesHanded += frames;
}

SDL_AudioDeviceID OpenWatchedDevice(const char* device, int capture, const SDL_AudioSpec* desired,
                                    SDL_AudioSpec* obtained, int allowedChanges)
{
    TAudioWatch& watch = Watch();
    SDL_AudioSpec wanted = *desired;
    {
        std::lock_guard guard(watch.lock);
        watch.callback = desired->callback;
        watch.userdata = desired->userdata;
        watch.channels = desired->channels;
        watch.freq = desired->freq;
        watch.framesHanded = 0;
        watch.lastLoudFrame = -1000000000;
        watch.lastHanded = 0;
    }
    wanted.callback = WatchingCallback;
    wanted.userdata = nullptr;
    // The player asks for its own format exactly (no changes allowed), so what
    // it asked for is what the callback fills.
    return watch.open(device, capture, &wanted, obtained, allowedChanges);
}

bool IsWhite(const TSurface& surface, int x, int y)
{
    const std::uint8_t* pixel = surface.ScanLine(y) + x * 4;
    return pixel[0] > 200 && pixel[1] > 200 && pixel[2] > 200;
}

} // namespace

double MonotonicSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void WatchAudioDevice()
{
    TAudioWatch& watch = Watch();
    if (SDL.SDL_OpenAudioDevice != OpenWatchedDevice) {
        watch.open = SDL.SDL_OpenAudioDevice;
        SDL.SDL_OpenAudioDevice = OpenWatchedDevice;
    }
}

TAudioRecord TakeAudioRecord()
{
    TAudioWatch& watch = Watch();
    std::lock_guard guard(watch.lock);
    // A new record starts a new click: the last one's tail may have been cut
    // short by a pause, leaving less silence than a click needs before it.
    watch.lastLoudFrame = watch.framesHanded - std::int64_t(ClickGapSeconds * watch.freq) - 1;
    return std::exchange(watch.record, {});
}

bool ShownPicture(const TCustomPlayer& player, std::int64_t& pts, bool& flash)
{
    bool shown = false;
    player.Surface().Read([&](const TSurface& surface, std::int64_t surfacePts) {
        const int w = surface.Width(), h = surface.Height();
        if (surfacePts < 0 || w < 4 || h < 4)
            return;
        flash = true;
        for (const auto& [fx, fy] : {std::pair{2, 2}, {1, 1}, {3, 1}, {1, 3}, {3, 3}})
            flash = flash && IsWhite(surface, w * fx / 4, h * fy / 4);
        pts = surfacePts;
        shown = true;
    });
    return shown;
}

void TWatchingHost::PictureChanged(const TRect&)
{
    const double now = MonotonicSeconds();
    std::int64_t pts = 0;
    bool flash = false;
    if (!ShownPicture(player_, pts, flash))
        return;
    std::lock_guard guard(lock_);
    drawn_.try_emplace(pts, TDrawnPicture{now, flash});
}

std::map<std::int64_t, TDrawnPicture> TWatchingHost::TakeDrawnPictures()
{
    std::lock_guard guard(lock_);
    return std::exchange(drawn_, {});
}

} // namespace tovrel::bench
