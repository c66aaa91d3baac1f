#include "DamagedTrial.h"

#include "media/engine/FFmpegTasks.h"
#include "media/probe/AVProbe.h"
#include "platform/rtl/MainThread.h"
#include "player/Player.h"

#include <cstdint>
#include <cstdio>

namespace tovrel::bench {

namespace {

// Where a stage ended; false when it failed and said nothing.
bool Report(const char* stage, bool succeeded, const char* success, const std::string& message)
{
    if (succeeded)
        std::printf("%s: %s\n", stage, success);
    else if (message.empty())
        std::printf("%s: failed WITHOUT A MESSAGE\n", stage);
    else
        std::printf("%s: failed: %s\n", stage, message.c_str());
    std::fflush(stdout);
    return succeeded || !message.empty();
}

class TQuietHost : public TPlayerHost {
public:
    TSize ClientSize() const override { return {320, 240}; }
    void PictureChanged(const TRect&) override {}
};

std::int64_t Probe(const std::string& file, int& silent)
{
    TAVProbe probe;
    if (!probe.LoadAVLib("")) {
        silent += !Report("probe", false, "", probe.LastErrMsg());
        return -1;
    }
    const bool read = probe.LoadFile(file);
    silent += !Report("probe", read, "read", probe.LastErrMsg());
    const std::int64_t duration = read ? probe.FileStreamInfo().Duration : -1;
    probe.UnloadAVLib();
    return duration;
}

void Play(const std::string& file, std::int64_t duration, int& silent)
{
    TFFPlayer player;
    if (!player.LoadAVLib("")) {
        silent += !Report("player", false, "", player.LastErrMsg());
        return;
    }
    bool ended = false;
    player.SetOnState([&ended](TCustomPlayer*, TPlayState state) {
        ended = ended || state == psEnd || state == psStop;
        TMainThread::WakeWaiters();
    });
    TQuietHost host;
    const bool opened = player.Open(file, &host, false);
    if (opened) {
        if (duration > 0)
            player.Seek(duration / 2, 0, true);
        TMainThread::WaitPumping([&ended] { return ended; });
        player.Seek(0, 0, true);
        player.Stop(true);
    }
    silent += !Report("player", opened, "played to the end", player.LastErrMsg());
    player.UnloadAVLib();
}

void Convert(const std::string& file, const std::filesystem::path& outFolder, int& silent)
{
    TFFmpegTasks tasks;
    if (!tasks.LoadAVLib("")) {
        silent += !Report("convert", false, "", tasks.LastErrMsg());
        return;
    }
    const std::string output = (outFolder / (std::filesystem::path(file).stem().string() + "-converted.mp4")).string();
    const int index = tasks.AddTask(file, static_cast<TInputOptions*>(nullptr));
    if (index < 0 || !tasks.SetOutputFile(index, output, std::string())) {
        silent += !Report("convert", false, "", tasks.LastErrMsg());
    } else {
        TTerminateInfo end;
        bool batchEnded = false;
        tasks.OnTerminate = [&](TCustomFFmpegTasks*, const TTerminateInfo& info) {
            if (info.TaskIndex < 0)
                batchEnded = true;
            else
                end = info;
        };
        tasks.Start(1);
        TMainThread::WaitPumping([&batchEnded] { return batchEnded; });
        silent += !Report("convert", end.Finished && !end.Exception, "finished", end.ExceptionMsg);
    }
    tasks.ClearTasks();
    tasks.UnloadAVLib();
}

} // namespace

int TryDamagedFile(const std::string& file, const std::filesystem::path& outFolder)
{
    int silent = 0;
    const std::int64_t duration = Probe(file, silent);
    Play(file, duration, silent);
    Convert(file, outFolder, silent);
    return silent;
}

} // namespace tovrel::bench
