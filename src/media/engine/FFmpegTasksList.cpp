#include "media/engine/FFmpegTasksList.h"

#include <algorithm>
#include <stdexcept>

namespace tovrel {

int TFFmpegList::Add(std::unique_ptr<TFFmpeg> task)
{
    tasks_.push_back(std::move(task));
    return GetCount() - 1;
}

void TFFmpegList::Clear()
{
    // Each task waits for its own worker as it goes.
    TakeAll().clear();
}

std::vector<std::unique_ptr<TFFmpeg>> TFFmpegList::TakeAll()
{
    std::vector<std::unique_ptr<TFFmpeg>> tasks;
    tasks.swap(tasks_);
    return tasks;
}

void TFFmpegList::Delete(int index)
{
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    std::unique_ptr<TFFmpeg> task = std::move(tasks_[static_cast<std::size_t>(index)]);
    tasks_.erase(tasks_.begin() + index);
}

void TFFmpegList::Exchange(int index1, int index2)
{
    if (index1 < 0 || index1 >= GetCount() || index2 < 0 || index2 >= GetCount())
        throw std::out_of_range("List index out of bounds");
    std::swap(tasks_[static_cast<std::size_t>(index1)], tasks_[static_cast<std::size_t>(index2)]);
}

TFFmpeg* TFFmpegList::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return tasks_[static_cast<std::size_t>(index)].get();
}

int TFFmpegList::IndexOf(const TCustomFFmpeg* task) const
{
    auto it = std::find_if(tasks_.begin(), tasks_.end(), [&](const auto& item) { return item.get() == task; });
    return it == tasks_.end() ? -1 : static_cast<int>(it - tasks_.begin());
}

void TFFmpegList::PauseAll()
{
    for (auto& task : tasks_)
        task->Pause();
}

void TFFmpegList::ResumeAll()
{
    for (auto& task : tasks_)
        task->Resume();
}

void TFFmpegList::StopAll(bool waitFor)
{
    for (auto& task : tasks_)
        task->StopOrTerminate(waitFor);
}

void TFFmpegList::SetPreview(bool on)
{
    for (auto& task : tasks_)
        task->SetPostHooks(task->PostHooks().With(TPostHook::phPreview, on));
}

void TFFmpegList::SetPreviewBitmap(bool on)
{
    for (auto& task : tasks_)
        task->SetPostHooks(task->PostHooks().With(TPostHook::phBitmap, on));
}

} // namespace tovrel
