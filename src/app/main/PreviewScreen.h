#pragma once
// The preview's video host: a plain black panel that shows the player's
// surface (already letterboxed to the panel's size by the player), centred.
// The play thread's notices become one queued repaint on the main thread.
#include "platform/ctrls/Panel.h"
#include "player/PlayerTypes.h"

#include <atomic>
#include <memory>

namespace tovrel {

class TCustomPlayer;

class TPreviewScreen : public TPanel, public TPlayerHost {
public:
    explicit TPreviewScreen(TComponent* owner);
    ~TPreviewScreen() override;

    // The player whose surface is shown while it plays into this panel.
    void SetPlayer(const TCustomPlayer* player) { player_ = player; }

    // Keeps the client size for the play thread's questions (main thread).
    void KeepClientSize();
    TSize ClientSize() const override;
    void PictureChanged(const TRect& area) override;
    void PlaybackEnded() override;

protected:
    void Paint() override;

private:
    void QueueRepaint();

    const TCustomPlayer* player_ = nullptr;
    // Shared with queued repaints, so one that runs after the panel is gone does nothing.
    std::shared_ptr<std::atomic<bool>> repaintQueued_ = std::make_shared<std::atomic<bool>>(false);
    std::atomic<int> width_{0}, height_{0};
};

} // namespace tovrel
