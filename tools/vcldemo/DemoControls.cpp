#include "DemoControls.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"

namespace tovrel::demo {

namespace {

void DrawCaption(TCanvas& canvas, TRect r, const std::string& text, TColor colour)
{
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(colour);
    RECT box = r;
    DrawText(canvas.Handle(), text, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace

TColourPanel::TColourPanel(TComponent* owner) : TCustomControl(owner)
{
    ControlStyle.Include(csAcceptsControls);
}

void TColourPanel::Paint()
{
    const TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    DrawCaption(*Canvas(), {r.Left + 8, r.Top, r.Right - 4, std::min(r.Bottom, r.Top + 24)}, Caption(),
                Font()->Color());
}

TCaptionLabel::TCaptionLabel(TComponent* owner) : TGraphicControl(owner) {}

void TCaptionLabel::Paint()
{
    Canvas()->SetFont(Font());
    DrawCaption(*Canvas(), ClientRect(), Caption(), Font()->Color());
}

TSwatch::TSwatch(TComponent* owner) : TGraphicControl(owner) {}

void TSwatch::Paint()
{
    const TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 10, 10);
}

} // namespace tovrel::demo
