#pragma once
// A blocking queue of demuxed packets between the read thread and one decoder.
// After a seek the read thread puts the flush marker, which tells the consumer
// to flush its decoder; the marker is a kind of entry, not a packet.
#include <condition_variable>
#include <deque>
#include <mutex>

struct AVPacket;

namespace tovrel {

struct TQueuedPacket {
    AVPacket* packet = nullptr; // owned; null for the markers
    bool flush = false;         // flush the decoder (after a seek, at the start)
    bool end = false;           // the end of the file was reached (counted like an empty packet)
};

class TPacketQueue {
public:
    TPacketQueue() = default;
    ~TPacketQueue();
    TPacketQueue(const TPacketQueue&) = delete;
    TPacketQueue& operator=(const TPacketQueue&) = delete;

    // Empties the queue and clears the abort flag (a queue starts again when its stream opens).
    void Init();
    // Takes a reference to the packet's payload; 0, or -1 when none could be made.
    int PutPacket(const AVPacket* packet);
    void PutFlush();
    void PutEnd();
    // 1 taken (the caller owns out.packet), 0 none waiting (not blocking), -1 aborted.
    int GetPacket(TQueuedPacket& out, bool block);
    void Flush();
    void Abort();
    bool Aborted() const;
    // Payload bytes plus 72 for every entry.
    int Size() const;
    int Count() const;

private:
    void Append(TQueuedPacket entry, int payloadSize);
    mutable std::mutex mutex_;
    std::condition_variable added_;
    std::deque<TQueuedPacket> entries_;
    int size_ = 0;
    bool abortRequest_ = false;
};

} // namespace tovrel
