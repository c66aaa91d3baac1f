#include "skin/menus/PopupFade.h"

#include "platform/vcl/Timer.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"

#include <algorithm>

namespace tovrel {

TskPopupFade::TskPopupFade() : timer_(std::make_unique<TTimer>(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(kPopupFadeStepMs);
    timer_->SetOnTimer([this](TObject*) { Tick(); });
}

TskPopupFade::~TskPopupFade() = default;

void TskPopupFade::Prepare(HWND wnd, bool translucent, bool fadeIn, std::uint8_t alpha, int step)
{
    fadeIn_ = false;
    if (!translucent || !LayeredWindowsAvailable())
        return;
    wnd_ = wnd;
    fadeIn_ = fadeIn;
    target_ = alpha;
    step_ = std::max(1, step);
    alpha_ = fadeIn ? 0 : alpha;
    SetWindowLongPtr(wnd, GWL_EXSTYLE, GetWindowLongPtr(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, BYTE(alpha_), LWA_ALPHA);
}

void TskPopupFade::Start()
{
    if (fadeIn_)
        timer_->SetEnabled(true);
}

void TskPopupFade::Stop()
{
    timer_->SetEnabled(false);
}

void TskPopupFade::Tick()
{
    alpha_ = std::min(target_, alpha_ + step_);
    if (IsWindow(wnd_))
        SetLayeredWindowAttributes(wnd_, 0, BYTE(alpha_), LWA_ALPHA);
    if (alpha_ >= target_)
        timer_->SetEnabled(false);
}

} // namespace tovrel
