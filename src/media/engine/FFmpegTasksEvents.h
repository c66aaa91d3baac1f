#pragma once
// The records the task component hands to its four events.
#include <cstdint>
#include <functional>
#include <string>

namespace tovrel {

class TSurface;
class TCustomFFmpegTasks;

struct TProgressInfo {
    std::int32_t TaskIndex = 0;
    std::int32_t FileIndex = 0; // -1 in the last report of a task
    std::int32_t FrameNumber = 0;
    std::int32_t FPS = 0;
    float Quality = 0;
    float BitRate = 0; // kbit/s
    std::int64_t CurrentSize = 0;
    std::int64_t CurrentDuration = 0;
    std::int64_t TotalDuration = -1;
};

struct TTerminateInfo {
    std::int32_t TaskIndex = 0; // -1 in the final record of a batch
    bool Finished = false;
    bool Exception = false;
    std::string ExceptionMsg;
};

struct TPreviewInfo {
    std::int32_t TaskIndex = 0;
    TSurface* Bitmap = nullptr; // owned by the task's engine
    std::int32_t FrameNumber = 0;
    std::int64_t PTS = 0;
};

struct THookInfo {
    std::int32_t TaskIndex = 0;
    TSurface* Bitmap = nullptr;
    std::int32_t FrameNumber = 0;
    std::int64_t PTS = 0;
    bool Update = true;
    bool StopHook = false;
};

using TProgressEvent = std::function<void(TCustomFFmpegTasks* sender, TProgressInfo* info)>;
using TTerminateEvent = std::function<void(TCustomFFmpegTasks* sender, const TTerminateInfo& info)>;
using TPreviewBitmapEvent = std::function<void(TCustomFFmpegTasks* sender, const TPreviewInfo& info)>;
using TCustomHookEvent = std::function<void(TCustomFFmpegTasks* sender, THookInfo* info)>;

} // namespace tovrel
