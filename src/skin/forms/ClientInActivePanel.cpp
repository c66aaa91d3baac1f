#include "skin/forms/ClientInActivePanel.h"

#include "platform/gdi/Blits.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Paint.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

TskClientInActivePanel::TskClientInActivePanel(TComponent* AOwner) : TskSkinPaintPanel(AOwner)
{
    SetVisible(false);
}

TskClientInActivePanel::~TskClientInActivePanel() = default;

void TskClientInActivePanel::Paint()
{
    if (FBuffer)
        FBuffer->Draw(Canvas(), 0, 0);
}

void TskClientInActivePanel::ShowPanel(TCustomForm* AForm, TskClientInActiveEffect AEffect)
{
    if (!AForm || !AForm->Visible() || AForm->ClientWidth() == 0 || AForm->ClientHeight() == 0)
        return;
    const int w = AForm->ClientWidth(), h = AForm->ClientHeight();
    SetVisible(false);
    SetParent(AForm);
    SetBounds(0, 0, w, h);
    FBuffer = std::make_unique<TskBitmap>();
    FBuffer->SetSize(w, h);
    // Reading through a paint DC also validates what was pending, so the
    // picture is the client as it stands.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(AForm->Handle(), &ps);
    BitBlt(FBuffer->DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    EndPaint(AForm->Handle(), &ps);
    if (AEffect == TskClientInActiveEffect::skieBlur) {
        BlurBitmap(*FBuffer, 3);
    } else {
        TskBitmap veil;
        veil.SetSize(w, h);
        SendMessage(AForm->Handle(), WM_ERASEBKGND, WPARAM(veil.DC()), 0);
        veil.AlphaBlend = true;
        veil.SetAlpha(170);
        veil.Draw(*FBuffer, 0, 0);
    }
    SetVisible(true);
}

void TskClientInActivePanel::HidePanel()
{
    SetVisible(false);
    FBuffer.reset();
}

} // namespace tovrel
