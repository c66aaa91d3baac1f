#pragma once
// The two ways the sync benchmark plays its clip, each run handed back as a raw
// record: through the main window's preview panel, as a user sees it (a picture
// counts as drawn when the panel has painted it), or through the player alone
// on a panel-sized host (drawn when it lands in the player's surface), which
// shows the player core's own share.
#include "SyncProbes.h"

#include <functional>
#include <string>

namespace tovrel::bench {

struct TRunRecord {
    std::map<std::int64_t, TDrawnPicture> drawn;
    TAudioRecord audio;
    double started = 0; // when play was asked for
    double wall = 0, cpu = 0;
    bool ended = false;
};

struct TRunPlan {
    std::string clip;
    int runs = 10;
    double limitSeconds = 40; // a run that has not ended by then is cut short
    TSize host;               // the player-alone host's size
};

using TRunDone = std::function<void(int run, TRunRecord&& record)>;

// Both return 0, or 1 after a message on stderr. The player's libraries are
// loaded and the audio device watched before they are called.
int RunOnPlayer(const TRunPlan& plan, const TRunDone& done);
int RunThroughMainWindow(const TRunPlan& plan, const TRunDone& done);

} // namespace tovrel::bench
