#include "skin/controls/SkinCheckMarks.h"

#include "platform/gdi/SysColors.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/EffectBmp.h"

namespace tovrel {

namespace {

TRect OrElse(const TRect& r, const TRect& fallback)
{
    return IsNullRect(r) ? fallback : r;
}

} // namespace

TskCheckMarkRects TskCheckMarkRects::Of(const TskDataSkinCheckRadioControl& entry)
{
    return {entry.CheckImageRect,
            entry.UnCheckImageRect,
            OrElse(entry.ActiveCheckImageRect, entry.CheckImageRect),
            OrElse(entry.ActiveUnCheckImageRect, entry.UnCheckImageRect),
            OrElse(entry.UnEnabledCheckImageRect, entry.CheckImageRect),
            OrElse(entry.UnEnabledUnCheckImageRect, entry.UnCheckImageRect),
            entry.GrayedCheckImageRect,
            entry.ActiveGrayedCheckImageRect};
}

TskCheckMark ChooseCheckMark(const TskCheckMarkRects& marks, TCheckBoxState state, bool enabled, bool hot)
{
    const bool mouseOver = enabled && hot;
    if (state == cbGrayed) {
        if (IsNullRect(marks.Grayed)) {
            const TRect& checked = !enabled ? marks.UnEnabledCheck : mouseOver ? marks.ActiveCheck : marks.Check;
            return {checked, true};
        }
        return {mouseOver && !IsNullRect(marks.ActiveGrayed) ? marks.ActiveGrayed : marks.Grayed, false};
    }
    const bool checked = state == cbChecked;
    if (!enabled)
        return {checked ? marks.UnEnabledCheck : marks.UnEnabledUnCheck, false};
    if (mouseOver)
        return {checked ? marks.ActiveCheck : marks.ActiveUnCheck, false};
    return {checked ? marks.Check : marks.UnCheck, false};
}

void DrawCheckMark(TCanvas& canvas, TBitmap& picture, const TskCheckMark& mark, int x, int y)
{
    if (IsNullRect(mark.Rect))
        return;
    TBitmap image(mark.Rect.Width(), mark.Rect.Height());
    image.Canvas()->CopyRect(Rect(0, 0, image.Width(), image.Height()), picture.Canvas(), mark.Rect);
    if (mark.HalfBright) {
        TskEffectBmp effect = TskEffectBmp::CreateFromhWnd(image.Handle());
        effect.ChangeBrightness(0.5);
        effect.Draw(image.Canvas()->Handle(), 0, 0);
    }
    image.SetTransparent(true);
    canvas.Draw(x, y, &image);
}

void DrawDefaultCheckBox(TCanvas& canvas, int height, TColor frameColor, TCheckBoxState state, bool radio, bool enabled)
{
    canvas.Brush()->SetColor(frameColor);
    canvas.FrameRect(Rect(3, height / 2 - 7, 17, height / 2 + 7));
    HDC dc = canvas.Handle();
    if (state == cbGrayed && !radio) {
        DrawCheckImage(dc, 7, height / 2 - 4, ColorToRGB(clGrayText));
    } else if (state == cbChecked) {
        const COLORREF color = enabled ? RGB(0, 0, 0) : ColorToRGB(clBtnShadow);
        if (radio)
            DrawRadioImage(dc, 7, height / 2 - 3, color);
        else
            DrawCheckImage(dc, 7, height / 2 - 4, color);
    }
}

} // namespace tovrel
