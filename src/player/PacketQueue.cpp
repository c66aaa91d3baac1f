#include "player/PacketQueue.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "player/PlayerTypes.h"

namespace tovrel {

namespace {
int PayloadSize(const TQueuedPacket& entry)
{
    return entry.packet ? entry.packet->size : 0;
}
void FreeEntry(TQueuedPacket& entry)
{
    FF.av_packet_free(&entry.packet);
}
} // namespace

TPacketQueue::~TPacketQueue()
{
    Flush();
}

void TPacketQueue::Init()
{
    Flush();
    std::lock_guard lock(mutex_);
    abortRequest_ = false;
}

int TPacketQueue::PutPacket(const AVPacket* packet)
{
    AVPacket* copy = FF.av_packet_alloc();
    if (!copy)
        return -1;
    if (FF.av_packet_ref(copy, packet) < 0) {
        FF.av_packet_free(&copy);
        return -1;
    }
    Append({copy, false, false}, copy->size);
    return 0;
}

void TPacketQueue::PutFlush()
{
    Append({nullptr, true, false}, 0);
}
void TPacketQueue::PutEnd()
{
    Append({nullptr, false, true}, 0);
}

void TPacketQueue::Append(TQueuedPacket entry, int payloadSize)
{
    std::lock_guard lock(mutex_);
    entries_.push_back(entry);
    size_ += payloadSize + player::QueueNodeOverhead;
    added_.notify_one();
}

int TPacketQueue::GetPacket(TQueuedPacket& out, bool block)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (abortRequest_)
            return -1;
        if (!entries_.empty()) {
            out = entries_.front();
            entries_.pop_front();
            size_ -= PayloadSize(out) + player::QueueNodeOverhead;
            return 1;
        }
        if (!block)
            return 0;
        added_.wait(lock);
    }
}

void TPacketQueue::Flush()
{
    std::lock_guard lock(mutex_);
    for (TQueuedPacket& entry : entries_)
        FreeEntry(entry);
    entries_.clear();
    size_ = 0;
}

void TPacketQueue::Abort()
{
    std::lock_guard lock(mutex_);
    abortRequest_ = true;
    added_.notify_all();
}

bool TPacketQueue::Aborted() const
{
    std::lock_guard lock(mutex_);
    return abortRequest_;
}

int TPacketQueue::Size() const
{
    std::lock_guard lock(mutex_);
    return size_;
}

int TPacketQueue::Count() const
{
    std::lock_guard lock(mutex_);
    return int(entries_.size());
}

} // namespace tovrel
