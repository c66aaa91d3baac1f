// Painting the tab control: the page frame and the tabs (text turned for the
// side positions is left upright; the skinned page control draws its own).
#include "platform/ctrls/TabControl.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/CustomControls.h"

namespace tovrel {

void TCustomTabControl::PaintWindow(HDC dc)
{
    RECT frame = DisplayRect();
    frame.Left -= 2;
    frame.Top -= 2;
    frame.Right += 2;
    frame.Bottom += 2;
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    for (int i = 0; i < tabs_->Count(); ++i) {
        RECT r = TabRect(i);
        if (r.Right <= r.Left)
            continue; // scrolled out
        if (i == tabIndex_) {
            // The selected tab stands out from the strip.
            switch (tabPosition_) {
            case tpBottom:
                r.Left -= 2;
                r.Right += 2;
                r.Bottom += 2;
                break;
            case tpLeft:
                r.Top -= 2;
                r.Bottom += 2;
                r.Left -= 2;
                break;
            case tpRight:
                r.Top -= 2;
                r.Bottom += 2;
                r.Right += 2;
                break;
            default:
                r.Left -= 2;
                r.Right += 2;
                r.Top -= 2;
                break;
            }
        }
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        UINT sides = BF_RECT;
        switch (tabPosition_) {
        case tpBottom: sides &= ~BF_TOP; break;
        case tpLeft: sides &= ~BF_RIGHT; break;
        case tpRight: sides &= ~BF_LEFT; break;
        default: sides &= ~BF_BOTTOM; break;
        }
        DrawEdge(dc, &r, EDGE_RAISED, sides);
        RECT text = r;
        const int image = GetImageIndex(i);
        if (Images() && image >= 0) {
            TCanvas canvas;
            PaintOnCanvas(canvas, dc, [&] {
                Images()->Draw(&canvas, r.Left + 6, (r.Top + r.Bottom - Images()->Height()) / 2, image, Enabled());
            });
            text.Left += Images()->Width() + 3;
        }
        DrawText(dc, tabs_->Strings(i), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

} // namespace tovrel
