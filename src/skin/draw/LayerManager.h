#pragma once
// Glow layers: a picture with its own alpha shown in a click-through,
// never-activated top-level layered window, faded in by a tenth of the target
// opacity every 25 ms on the window layer's clock.
#include "platform/wm/WinTypes.h"
#include "skin/draw/SkinBitmap.h"

#include <memory>

namespace tovrel {

// Pushes bmp to a layered window at its current position, its own alpha
// scaled by alpha / 255; nothing when the layered-window entry is missing.
void UpdateLayeredWindowBmp(const TskBitmap& bmp, std::uint8_t alpha, HWND window);

class TskLayerManager {
public:
    static constexpr unsigned FadeIntervalMs = 25;

    TskLayerManager() = default;
    // Frees whatever is shown without hiding it first.
    ~TskLayerManager();
    TskLayerManager(const TskLayerManager&) = delete;
    TskLayerManager& operator=(const TskLayerManager&) = delete;

    // image at screen position (x, y); mask (image's size) gives each pixel's
    // alpha by its grey level. Replaces a layer that is up; fades from 0.
    void Show(int x, int y, const TskBitmap& image, const TskBitmap& mask, int alphaBlendValue);
    // Removes the layer at once.
    void Hide();

    bool IsVisible() const { return isVisible_; }
    bool TopMostMode = true; // set before Show
    HWND LayerWindow() const { return layerWindow_; }
    const TskBitmap* Bmp() const { return bmp_.get(); }
    int BeginAlphaBlendValue() const { return beginAlpha_; }
    int EndAlphaBlendValue() const { return endAlpha_; }
    bool TimerEnabled() const { return timerEnabled_; }

    void StartTimer();
    void StopTimer();
    // One tick of the fade.
    void FadeStep();

private:
    static LRESULT LayerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyLayerWindow();

    HWND layerWindow_ = nullptr;
    std::unique_ptr<TskBitmap> bmp_;
    int endAlpha_ = 0;
    int beginAlpha_ = 0;
    int stepAlpha_ = 0;
    bool isVisible_ = false;
    bool timerEnabled_ = false;
};

} // namespace tovrel
