// Translucent forms and the fade-in on show, where the desktop has layered
// windows; without them the values are only stored.
#include <algorithm>

#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Timers.h"
#include "platform/wm/Window.h"
#include "skin/forms/LayerBorder.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kFadeTimer = 1;
// One fade step per tick, so the fade runs from the message loop and the
// layer's clock instead of holding the thread in a waiting loop.
constexpr UINT kFadeStepInterval = 6;

void SetLayered(HWND wnd, bool on)
{
    const LONG_PTR ex = GetWindowLongPtr(wnd, GWL_EXSTYLE);
    const bool has = (ex & WS_EX_LAYERED) != 0;
    if (has != on)
        SetWindowLongPtr(wnd, GWL_EXSTYLE, on ? ex | WS_EX_LAYERED : ex & ~LONG_PTR(WS_EX_LAYERED));
}

void SetAlpha(HWND wnd, BYTE alpha)
{
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
}

} // namespace

bool TskSkinForm::LayeredUsable() const
{
    return LayeredWindowsAvailable() != 0;
}

bool TskSkinForm::FadeAnimated() const
{
    return AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows);
}

void TskSkinForm::SetAlphaBlend(bool Value)
{
    if (Value == FAlphaBlend)
        return;
    FAlphaBlend = Value;
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning) || !LayeredUsable() ||
        !FForm->HandleAllocated())
        return;
    SetLayered(FForm->Handle(), Value);
    if (Value)
        SetAlpha(FForm->Handle(), FAlphaBlendValue);
}

void TskSkinForm::SetAlphaBlendValue(std::uint8_t Value)
{
    if (Value == FAlphaBlendValue)
        return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && LayeredUsable() && FForm->HandleAllocated() && !ComponentState().Contains(csLoading))
        SetAlpha(FForm->Handle(), Value);
}

void TskSkinForm::EnableShadow(bool AShowShadow, bool)
{
    // The desktop draws no shadow of its own for our windows: the state is kept only.
    if (LayeredUsable())
        FHaveShadow = AShowShadow;
}

bool TskSkinForm::Fades() const
{
    return (LayeredUsable() && (FAlphaBlend || FadeAnimated())) || IsBorderFadeMode();
}

void TskSkinForm::StartFadeIn()
{
    if (FSD && FSD->AnimationForAllWindows && FAlphaBlendValue == 0)
        FAlphaBlendValue = 255;
    if (!Fades())
        return;
    SetLayered(FForm->Handle(), true);
    SetAlpha(FForm->Handle(), 0);
    FFadeAlpha = 0;
    // The border shows with the form (as the form's bounds change) at the
    // form's opacity.
    if (CanShowBorderLayer())
        FBorderLayer->CheckFormAlpha(0, false);
    SetTimer(FForm->Handle(), kFadeTimer, 1, nullptr);
}

bool TskSkinForm::FadeStep(WPARAM TimerId)
{
    if (TimerId != kFadeTimer)
        return false;
    const HWND wnd = FForm->Handle();
    KillTimer(wnd, kFadeTimer);
    const bool border = CanShowBorderLayer();
    if (IsBorderFadeMode()) {
        SetLayered(wnd, false);
        FBorderLayer->FActive = FFormActive;
        FBorderLayer->CheckFormAlpha(255, true);
        return true;
    }
    if (!Fades())
        return true;
    const int target = FadeAnimated() && !FAlphaBlend ? 255 : FAlphaBlendValue;
    if (FadeAnimated() && FFadeAlpha < target) {
        FFadeAlpha = std::min(target, FFadeAlpha + std::max(1, target / 15));
        SetAlpha(wnd, BYTE(FFadeAlpha));
        if (border)
            FBorderLayer->CheckFormAlpha(FFadeAlpha, true);
        if (FFadeAlpha < target) {
            SetTimer(wnd, kFadeTimer, kFadeStepInterval, nullptr);
            return true;
        }
    }
    if (target == 255)
        SetLayered(wnd, false);
    else
        SetAlpha(wnd, FAlphaBlendValue);
    if (border)
        FBorderLayer->CheckFormAlpha(target == 255 ? 255 : FAlphaBlendValue, true);
    return true;
}

} // namespace tovrel
