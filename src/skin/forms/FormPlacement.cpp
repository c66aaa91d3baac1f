// Where a skinned form goes: centred on its monitor at the first show, in
// the row of minimized cells, and stuck to the work area's edges and to the
// other forms beside it while it is dragged; the cover of its inactive client area; the lookup of a form's
// component.
#include "platform/vcl/Application.h"
#include "platform/wm/Input.h"
#include "skin/draw/MonitorAreas.h"
#include "skin/forms/SkinForm.h"

#include <vector>

namespace tovrel {

TskSkinForm* GetSkinForm(const TComponent* AForm)
{
    if (!AForm)
        return nullptr;
    for (int i = 0; i < AForm->ComponentCount(); ++i)
        if (auto* component = dynamic_cast<TskSkinForm*>(AForm->Components(i)))
            return component;
    return nullptr;
}

void TskSkinForm::ShowClientInActiveEffect()
{
    HideClientInActiveEffect();
    auto* panel = new TskClientInActivePanel(this);
    FInActivePanel = panel;
    FClientInActiveDraw = true;
    panel->ShowPanel(FForm, ClientInActiveEffectType);
    FClientInActiveDraw = false;
}

void TskSkinForm::HideClientInActiveEffect()
{
    TskClientInActivePanel* panel = FInActivePanel;
    if (!panel)
        return;
    FInActivePanel = nullptr;
    panel->HidePanel();
    TObject::Free(panel);
}

TPoint TskSkinForm::GetPositionInMonitor(int AX, int AY, int AW, int AH) const
{
    if (PositionInMonitor == TskPositionInMonitor::skpDefault)
        return {AX, AY};
    RECT r{};
    GetMonitorWorkArea(FForm->Handle(), PositionInMonitor == TskPositionInMonitor::skpDesktopCenter, r);
    return {r.Left + (r.Right - r.Left) / 2 - AW / 2, r.Top + (r.Bottom - r.Top) / 2 - AH / 2};
}

void TskSkinForm::ApplyPositionInMonitor()
{
    if (PositionInMonitor == TskPositionInMonitor::skpDefault)
        return;
    const int w = FForm->Width(), h = FForm->Height();
    const TPoint p = GetPositionInMonitor(FForm->Left(), FForm->Top(), w, h);
    FForm->SetBounds(p.X, p.Y, w, h);
}

TPoint TskSkinForm::GetMinimizedPos() const
{
    const int W = GetMinWidth(), H = GetMinHeight();
    RECT r{};
    GetMonitorWorkArea(FForm->Handle(), true, r);
    const auto taken = [&](int X, int Y) {
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* other = Screen->Forms(i);
            if (other == FForm || other == Application->MainForm() || !other->Visible())
                continue;
            const TskSkinForm* skinned = GetSkinForm(other);
            if (skinned && skinned->WindowState() == wsMinimized && other->Left() == X && other->Top() == Y)
                return true;
        }
        return false;
    };
    int X = r.Left, Y = r.Bottom - H;
    while (taken(X, Y)) {
        X += W;
        if (X + W > r.Right) {
            X = r.Left;
            Y -= H;
        }
        // A full area: the first cell again.
        if (Y < r.Top)
            return {r.Left, r.Bottom - H};
    }
    return {X, Y};
}

void TskSkinForm::DoMagnetic(int& X, int& Y, int W, int H)
{
    RECT r{};
    GetMonitorWorkArea(FForm->Handle(), true, r);
    POINT cursor{};
    GetCursorPos(&cursor);
    const int S = MagneticSize;
    X = MagneticPosition(FHMagnet, X, W, r.Left, r.Right, cursor.X, S);
    Y = MagneticPosition(FVMagnet, Y, H, r.Top, r.Bottom, cursor.Y, S);
    // The sides of the other shown forms beside this one.
    std::vector<TskMagnetEdge> across, down;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* other = Screen->Forms(i);
        if (other == FForm || !other->Visible() || !other->HandleAllocated() || IsIconic(other->Handle()))
            continue;
        const TRect b = other->BoundsRect();
        if (b.Top < Y + H && Y < b.Bottom) {
            across.push_back({b.Right, false});
            across.push_back({b.Left, true});
        }
        if (b.Left < X + W && X < b.Right) {
            down.push_back({b.Bottom, false});
            down.push_back({b.Top, true});
        }
    }
    X = MagneticToEdges(FHMagnet, X, W, across, cursor.X, S);
    Y = MagneticToEdges(FVMagnet, Y, H, down, cursor.Y, S);
}

} // namespace tovrel
