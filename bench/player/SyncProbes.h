#pragma once
// What the sync benchmark watches, without hooks in the player: the audio
// device's callback (wrapped when the device opens) for the moments each click
// is handed over, and the host's picture notices for the moment each picture,
// flash or not, is drawn into the player's surface.
#include "player/Player.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace tovrel::bench {

// Seconds on the monotonic clock the player times with.
double MonotonicSeconds();
// CPU seconds the whole process has used.
double ProcessCpuSeconds();

// One click as it went to the device: when its buffer was handed over, and when
// the click itself goes out (the hand-over plus its place in the buffer: the
// device plays a buffer out in the buffer's duration after taking it).
struct THandedClick {
    double bufferHanded = 0;
    double clickHanded = 0;
};

// Wraps SDL's device opening (the loaded entry) so every callback is watched.
// Install after the player's libraries are loaded.
void WatchAudioDevice();
struct TAudioRecord {
    std::vector<THandedClick> clicks; // in order
    double longestGap = 0;            // between two callbacks' hand-overs: the device thread's worst stall
};
// What went to the device since the last call; clears the record, and the
// next loud sample starts a click.
TAudioRecord TakeAudioRecord();

struct TDrawnPicture {
    double drawn = 0; // first time it was drawn
    bool flash = false;
};

// The picture now in the player's surface: its time (microseconds from the
// start) and whether it is a flash. False while the surface holds none.
bool ShownPicture(const TCustomPlayer& player, std::int64_t& pts, bool& flash);

// The bench's host: a panel-sized area that records each picture drawn.
class TWatchingHost : public TPlayerHost {
public:
    TWatchingHost(const TCustomPlayer& player, TSize size) : player_(player), size_(size) {}
    TSize ClientSize() const override { return size_; }
    void PictureChanged(const TRect& area) override;
    // Pictures by their time (microseconds from the start) since the last call; clears the record.
    std::map<std::int64_t, TDrawnPicture> TakeDrawnPictures();

private:
    const TCustomPlayer& player_;
    TSize size_;
    std::mutex lock_;
    std::map<std::int64_t, TDrawnPicture> drawn_;
};

} // namespace tovrel::bench
