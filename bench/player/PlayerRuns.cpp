// The player alone: a TFFPlayer on the bench's own host, opened playing for
// each run and stopped at its end.
#include "SyncRuns.h"

#include "platform/rtl/MainThread.h"

#include <cstdio>

namespace tovrel::bench {

int RunOnPlayer(const TRunPlan& plan, const TRunDone& done)
{
    TFFPlayer player;
    TWatchingHost host(player, plan.host);
    bool ended = false;
    player.SetOnState([&](TCustomPlayer*, TPlayState state) { ended = ended || state == psEnd; });
    for (int run = 1; run <= plan.runs; ++run) {
        ended = false;
        TakeAudioRecord();
        host.TakeDrawnPictures();
        TRunRecord record;
        const double cpu0 = ProcessCpuSeconds();
        record.started = MonotonicSeconds();
        if (!player.Open(plan.clip, &host, false)) {
            std::fprintf(stderr, "open: %s\n", player.LastErrMsg().c_str());
            return 1;
        }
        while (!ended && MonotonicSeconds() - record.started < plan.limitSeconds)
            TMainThread::WaitPumping([&] { return ended; }, 50);
        record.wall = MonotonicSeconds() - record.started;
        record.cpu = ProcessCpuSeconds() - cpu0;
        record.ended = ended;
        player.Stop(true);
        record.drawn = host.TakeDrawnPictures();
        record.audio = TakeAudioRecord();
        done(run, std::move(record));
    }
    return 0;
}

} // namespace tovrel::bench
