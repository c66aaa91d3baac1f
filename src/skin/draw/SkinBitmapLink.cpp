// TskBitmapLink: streaming, mask checks and drawing of a sub-image.
#include "skin/draw/SkinBitmapLink.h"

#include "skin/draw/RectText.h"
#include "skin/draw/StreamStrings.h"

namespace tovrel {

std::unique_ptr<TskBitmapLink> GetBitmapLink(TskBitmap& bitmap, TRect rect)
{
    auto link = std::make_unique<TskBitmapLink>();
    link->Image = &bitmap;
    link->Name = bitmap.Name;
    link->Rect = rect;
    return link;
}

std::unique_ptr<TskBitmapLink> GetBitmapLink(TskBitmap& bitmap, std::string_view rect)
{
    return GetBitmapLink(bitmap, ParseRectText(rect));
}

void TskBitmapLink::SaveToStream(std::ostream& stream) const
{
    WriteStringToStream(stream, Name);
    WriteInt32(stream, Rect.Left);
    WriteInt32(stream, Rect.Top);
    WriteInt32(stream, Rect.Right);
    WriteInt32(stream, Rect.Bottom);
}

void TskBitmapLink::LoadFromStream(std::istream& stream)
{
    std::string name;
    ReadStringFromStream(stream, name);
    TRect r;
    r.Left = ReadInt32(stream);
    r.Top = ReadInt32(stream);
    r.Right = ReadInt32(stream);
    r.Bottom = ReadInt32(stream);
    Name = name;
    Rect = r;
}

bool TskBitmapLink::MaskedAt(int x, int y) const
{
    const int px = Rect.Left + x, py = Rect.Top + y;
    if (Image == nullptr || Image->Empty() || px < 0 || py < 0 || px >= Image->Width() || py >= Image->Height())
        return true; // reads as 0
    const TskColor c = Image->Pixel(px, py);
    return c != MaskIgnoreColor && (c == TransparentKeyColor || AlphaOf(c) < 255);
}

void TskBitmapLink::CheckingMasked()
{
    CheckingMasked(TRect{});
}

void TskBitmapLink::CheckingMasked(TRect margin)
{
    Masked = MaskedBorder = MaskedAngles = false;
    const int w = Rect.Width(), h = Rect.Height();
    const bool whole = margin == TRect{};
    const TRect corners[4] = {
        tovrel::Rect(0, 0, margin.Left, margin.Top), tovrel::Rect(w - margin.Right, 0, w, margin.Top),
        tovrel::Rect(w - margin.Right, h - margin.Bottom, w, h), tovrel::Rect(0, h - margin.Bottom, margin.Left, h)};
    const TRect edges[4] = {tovrel::Rect(margin.Left, 0, w - margin.Right, margin.Top),
                            tovrel::Rect(margin.Left, h - margin.Bottom, w - margin.Right, h),
                            tovrel::Rect(0, margin.Top, margin.Left, h - margin.Bottom),
                            tovrel::Rect(w - margin.Right, margin.Top, w, h - margin.Bottom)};
    const TRect middle = tovrel::Rect(margin.Left, margin.Top, w - margin.Right, h - margin.Bottom);
    auto in = [](const TRect* rects, int n, TPoint p) {
        for (int i = 0; i < n; ++i)
            if (rects[i].Contains(p))
                return true;
        return false;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!MaskedAt(x, y))
                continue;
            if (whole) {
                Masked = true;
                return;
            }
            const TPoint p{x, y};
            MaskedAngles = MaskedAngles || in(corners, 4, p);
            MaskedBorder = MaskedBorder || in(edges, 4, p);
            Masked = Masked || middle.Contains(p);
        }
}

bool TskBitmapLink::Drawable() const
{
    return Image != nullptr && !Image->Empty() && Rect.Width() > 0 && Rect.Height() > 0;
}

void TskBitmapLink::Draw(HDC dc, int x, int y)
{
    if (Drawable())
        Image->Draw(dc, x, y, Rect);
}

void TskBitmapLink::Draw(TskBitmap& target, int x, int y)
{
    if (Drawable())
        Image->Draw(target, x, y, Rect);
}

} // namespace tovrel
