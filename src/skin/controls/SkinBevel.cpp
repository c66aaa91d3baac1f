#include "skin/controls/SkinBevel.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinLabelFont.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel {

TskSkinBevel::TskSkinBevel(TComponent* AOwner) : TBevel(AOwner), LightColor(clBtnHighlight), DarkColor(clBtnShadow) {}

void TskSkinBevel::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    ChangeSkinData();
}

void TskSkinBevel::SetDividerMode(bool Value)
{
    FDividerMode = Value;
    Repaint();
}

void TskSkinBevel::ChangeSkinData()
{
    FIndex = FindSkinEntry(FSD, SkinDataName);
    if (FIndex < 0) {
        LightColor = clBtnHighlight;
        DarkColor = clBtnShadow;
    } else if (const auto* entry = dynamic_cast<const TskDataSkinBevel*>(FSD->CtrlList[FIndex].get())) {
        LightColor = entry->LightColor;
        DarkColor = entry->DarkColor;
    }
    Repaint();
}

void TskSkinBevel::Paint()
{
    TCanvas& canvas = *Canvas();
    const TColor first = Style() == bsLowered ? DarkColor : LightColor;
    const TColor second = Style() == bsLowered ? LightColor : DarkColor;
    const int w = Width(), h = Height();
    canvas.Pen()->SetWidth(1);
    // A line through the points, the last one excluded as LineTo does.
    auto polyline = [&](TColor colour, std::initializer_list<TPoint> points) {
        canvas.Pen()->SetColor(colour);
        canvas.MoveTo(points.begin()->X, points.begin()->Y);
        for (auto p = points.begin() + 1; p != points.end(); ++p)
            canvas.LineTo(p->X, p->Y);
    };
    // Left and top in c1 from the bottom-left corner; right and bottom in c2.
    auto bevelRect = [&](int l, int t, int r, int b, TColor c1, TColor c2) {
        polyline(c1, {{l, b}, {l, t}, {r, t}});
        polyline(c2, {{r, t}, {r, b}, {l, b}});
    };
    if (FDividerMode) {
        switch (Shape()) {
        case bsTopLine:
        case bsBottomLine: bevelRect(2, h / 2 - 1, w - 2, h / 2, first, second); break;
        case bsSpacer: break;
        default: bevelRect(w / 2 - 1, 2, w / 2, h - 2, first, second); break;
        }
        return;
    }
    switch (Shape()) {
    case bsBox: bevelRect(0, 0, w - 1, h - 1, first, second); break;
    case bsFrame:
        bevelRect(1, 1, w - 1, h - 1, second, second);
        bevelRect(0, 0, w - 2, h - 2, first, first);
        break;
    case bsTopLine:
        polyline(first, {{0, 0}, {w, 0}});
        polyline(second, {{0, 1}, {w, 1}});
        break;
    case bsBottomLine:
        polyline(first, {{0, h - 2}, {w, h - 2}});
        polyline(second, {{0, h - 1}, {w, h - 1}});
        break;
    case bsLeftLine:
        polyline(first, {{0, 0}, {0, h}});
        polyline(second, {{1, 0}, {1, h}});
        break;
    case bsRightLine:
        polyline(first, {{w - 2, 0}, {w - 2, h}});
        polyline(second, {{w - 1, 0}, {w - 1, h}});
        break;
    case bsSpacer: break;
    }
}

} // namespace tovrel
