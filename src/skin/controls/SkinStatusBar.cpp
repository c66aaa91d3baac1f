#include "skin/controls/SkinStatusBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Messages.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel {

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("statusbar");
    SetAlign(alBottom);
    SetHeight(21);
    SetBorderStyle(TskSkinBorderStyle::bvNone);
}

void TskSkinStatusBar::SetSizeGrip(bool Value)
{
    FSizeGrip = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetShowGrip(bool Value)
{
    FShowGrip = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetSkinData(TskSkinData* Value)
{
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TskSkinControl*>(Controls(i)))
            child->SetSkinData(Value);
}

void TskSkinStatusBar::GetSkinData()
{
    TskSkinPanel::GetSkinData();
    Gripper = {};
    if (FIndex == -1)
        return;
    if (const auto* entry = dynamic_cast<const TskDataSkinPanelControl*>(SkinData()->CtrlList[FIndex].get()))
        Gripper = {entry->GripperRect, entry->GripperTransparent, entry->GripperTransparentColor};
}

void TskSkinStatusBar::AdjustClientRect(TRect& Rect) const
{
    TskSkinPanel::AdjustClientRect(Rect);
    if (GripActive())
        Rect.Right -= HasGripperPicture() ? Gripper.Rect.Width() : Rect.Height();
}

TRect TskSkinStatusBar::GetGripRect() const
{
    const TRect R = GetSkinClientRect();
    if (HasGripperPicture())
        return Rect(R.Right, R.Bottom - Gripper.Rect.Height(), R.Right + Gripper.Rect.Width(), R.Bottom);
    return Rect(R.Right + 2, R.Top, R.Right + R.Height(), R.Bottom - 2);
}

void TskSkinStatusBar::DrawGripLines(TCanvas& Canvas, TColor LightColor, TColor ShadowColor) const
{
    const TRect R = GetGripRect();
    auto line = [&Canvas](TColor colour, int x1, int y1, int x2, int y2) {
        Canvas.Pen()->SetColor(colour);
        Canvas.MoveTo(x1, y1);
        Canvas.LineTo(x2, y2);
    };
    for (int k = 3; R.Left + k + 2 <= R.Right; k += 3) {
        line(ShadowColor, R.Left + k, R.Bottom, R.Right, R.Top + k);
        line(LightColor, R.Left + k + 1, R.Bottom, R.Right, R.Top + k + 1);
    }
}

void TskSkinStatusBar::CreateControlDefaultImage(TBitmap& B)
{
    TskSkinPanel::CreateControlDefaultImage(B);
    if (GripActive())
        DrawGripLines(*B.Canvas(), clBtnHighlight, clBtnShadow);
}

void TskSkinStatusBar::CreateControlSkinImage(TBitmap& B)
{
    TskSkinPanel::CreateControlSkinImage(B);
    if (!GripActive())
        return;
    if (HasGripperPicture() && G.Picture) {
        const TRect grip = GetGripRect();
        DrawGripperImage(*B.Canvas(), *G.Picture, Gripper, grip.Left, grip.Top);
    } else {
        const TskSkinColors& colors = SkinData()->SkinColors;
        DrawGripLines(*B.Canvas(), colors.cBtnHighLight(), colors.cBtnShadow());
    }
}

void TskSkinStatusBar::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_NCHITTEST || !GripActive() || !HandleAllocated()) {
        TskSkinPanel::WndProc(Message);
        return;
    }
    const TPoint P = ScreenToClient(PointFromLParam(Message.LParam));
    const TRect grip = GetGripRect();
    const bool inGrip = P.X >= grip.Left && P.X <= grip.Right && P.Y >= grip.Top && P.Y <= grip.Bottom;
    Message.Result = inGrip ? HTBOTTOMRIGHT : HTCLIENT;
}

} // namespace tovrel
