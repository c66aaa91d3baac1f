#pragma once
// What a batch of the task component tells about its tasks: the end record of
// each, the last progress of each, and whether the batch itself ended.
#include "media/engine/FFmpegTasks.h"

#include <map>
#include <string>

namespace tovrel::bench {

class TBatchRecords {
public:
    // Takes over the component's OnTerminate and OnProgress; call before Start.
    explicit TBatchRecords(TCustomFFmpegTasks& tasks);

    // Runs main-thread calls until the batch's own end record comes; false
    // when it has not come within `milliseconds`.
    bool WaitForEnd(int milliseconds);
    bool Ended() const { return ended_; }
    void Clear();

    // Tasks of 0..count-1: with no end record (lost), finished, failed with a
    // message, and ended unfinished without one (a stopped task does).
    struct TTally {
        int lost = 0, finished = 0, failedWithMessage = 0, endedWithoutMessage = 0;
    };
    TTally Tally(int count) const;
    const std::map<int, TTerminateInfo>& Ends() const { return ends_; }
    const std::map<int, TProgressInfo>& Progress() const { return progress_; }

private:
    std::map<int, TTerminateInfo> ends_;
    std::map<int, TProgressInfo> progress_;
    bool ended_ = false;
};

} // namespace tovrel::bench
