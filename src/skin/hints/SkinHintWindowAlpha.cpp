// A translucent hint and its fade-in, where the desktop has layered windows;
// without them the hint shows opaque and nothing else changes.
#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "skin/hints/SkinHint.h"
#include "skin/hints/SkinHintWindow.h"

#include <algorithm>

namespace tovrel {

namespace {

// Steps to full opacity, and the time between two of them.
constexpr int kFadeSteps = 15;
constexpr unsigned kFadeStepInterval = 4;

} // namespace

void TskSkinHintWindow::ApplyAlpha(TskSkinHint* hint)
{
    StopFade();
    const bool blend = hint && hint->AlphaBlend && LayeredWindowsAvailable();
    // Read from the window: the application drops the hint's handle between hints.
    const LONG_PTR ex = GetWindowLongPtr(Handle(), GWL_EXSTYLE);
    if (blend != ((ex & WS_EX_LAYERED) != 0))
        SetWindowLongPtr(Handle(), GWL_EXSTYLE, blend ? ex | WS_EX_LAYERED : ex & ~LONG_PTR(WS_EX_LAYERED));
    if (!blend) {
        FAlpha = 255;
        return;
    }
    FFadeTarget = hint->AlphaBlendValue;
    if (!hint->AlphaBlendAnimation) {
        SetAlpha(FFadeTarget);
        return;
    }
    SetAlpha(0);
    if (!FFadeTimer) {
        FFadeTimer = std::make_unique<TTimer>(nullptr);
        FFadeTimer->SetInterval(kFadeStepInterval);
        FFadeTimer->SetOnTimer([this](TObject*) { FadeStep(); });
    }
    FFadeTimer->SetEnabled(true);
}

void TskSkinHintWindow::SetAlpha(int alpha)
{
    FAlpha = alpha;
    SetLayeredWindowAttributes(Handle(), 0, BYTE(alpha), LWA_ALPHA);
}

void TskSkinHintWindow::FadeStep()
{
    // A value of 0 ends after its first step, at 0.
    const int step = std::max(1, FFadeTarget / kFadeSteps);
    SetAlpha(std::min(FFadeTarget, FAlpha + step));
    if (FAlpha >= FFadeTarget)
        StopFade();
}

void TskSkinHintWindow::StopFade()
{
    if (FFadeTimer)
        FFadeTimer->SetEnabled(false);
}

} // namespace tovrel
