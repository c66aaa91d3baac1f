#pragma once
// The task component's list of tasks, and what it does to all of them at once.
#include "media/engine/FFmpegTasksTask.h"

#include <memory>
#include <vector>

namespace tovrel {

class TFFmpegList {
public:
    int Add(std::unique_ptr<TFFmpeg> task);
    void Clear();
    void Delete(int index);
    void Exchange(int index1, int index2);
    TFFmpeg* GetItem(int index) const;
    int IndexOf(const TCustomFFmpeg* task) const;
    int GetCount() const { return static_cast<int>(tasks_.size()); }
    // Hands the tasks over, leaving the list empty.
    std::vector<std::unique_ptr<TFFmpeg>> TakeAll();

    void PauseAll();
    void ResumeAll();
    void StopAll(bool waitFor);
    void SetPreview(bool on);
    void SetPreviewBitmap(bool on);

private:
    std::vector<std::unique_ptr<TFFmpeg>> tasks_;
};

} // namespace tovrel
