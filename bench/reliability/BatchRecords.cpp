#include "BatchRecords.h"

#include "platform/rtl/MainThread.h"

namespace tovrel::bench {

TBatchRecords::TBatchRecords(TCustomFFmpegTasks& tasks)
{
    tasks.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) {
        if (info.TaskIndex < 0)
            ended_ = true;
        else
            ends_[info.TaskIndex] = info;
    };
    tasks.OnProgress = [this](TCustomFFmpegTasks*, TProgressInfo* info) { progress_[info->TaskIndex] = *info; };
}

bool TBatchRecords::WaitForEnd(int milliseconds)
{
    return TMainThread::WaitPumping([this] { return ended_; }, milliseconds);
}

void TBatchRecords::Clear()
{
    ends_.clear();
    progress_.clear();
    ended_ = false;
}

TBatchRecords::TTally TBatchRecords::Tally(int count) const
{
    TTally tally;
    for (int i = 0; i < count; ++i) {
        const auto found = ends_.find(i);
        if (found == ends_.end())
            ++tally.lost;
        else if (found->second.Finished && !found->second.Exception)
            ++tally.finished;
        else if (!found->second.ExceptionMsg.empty())
            ++tally.failedWithMessage;
        else
            ++tally.endedWithoutMessage;
    }
    return tally;
}

} // namespace tovrel::bench
