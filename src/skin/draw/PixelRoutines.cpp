// The pixel routine table, filled once on first use.
#include "skin/draw/PixelRoutines.h"

#include "skin/draw/BitmapStretch.h"
#include "skin/draw/DcRoutines.h"
#include "skin/draw/RowRoutines.h"

namespace tovrel {

namespace {

template <TskRowOp Op> void BltEntry(TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY)
{
    BltRows(Op, dst, dstRect, src, srcX, srcY);
}

template <TskRowOp Op> void StretchEntry(TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src)
{
    StretchRows(Op, dst, dstRect, dstClip, srcRect, src);
}

template <TskRowOp Op>
void StretchToDIBEntry(void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src, int dibHeight,
                       int dibWidth)
{
    StretchRowsToDIB(Op, bits, dstRect, dstClip, srcRect, src, dibHeight, dibWidth);
}

TskPixelRoutines MakeTable()
{
    TskPixelRoutines t{};
    // Blend routines: DetectMMX decides, and is always false here.
    t.BlendPixel = PlainBlendPixel;
    t.BlendLine = PlainBlendLine;
    t.CopyLineKeyed = CopyLineKeyed;
    t.MoveLongword = MoveLongword;
    t.FillLongword = FillLongword;
    t.FillRectLongword = FillRectLongword;
    t.SetAlphaLongword = SetAlphaLongword;
    t.SetAlphaRectLongword = SetAlphaRectLongword;
    // Drawing routines; the transparent DC entry shares the alpha one.
    t.StretchToDCCopy = StretchToDCCopy;
    t.StretchToDCAlpha = StretchToDCBlended;
    t.StretchToDCTransparent = StretchToDCBlended;
    t.GetDCBitmapBits = GetDCBitmapBits;
    t.StretchToDIBCopy = StretchToDIBEntry<TskRowOp::Copy>;
    t.StretchToDIBAlpha = StretchToDIBEntry<TskRowOp::Alpha>;
    t.StretchToDIBTransparent = StretchToDIBEntry<TskRowOp::Keyed>;
    t.BltCopy = BltEntry<TskRowOp::Copy>;
    t.BltAlpha = BltEntry<TskRowOp::Alpha>;
    t.BltTransparent = BltEntry<TskRowOp::Keyed>;
    t.StretchCopy = StretchEntry<TskRowOp::Copy>;
    t.StretchAlpha = StretchEntry<TskRowOp::Alpha>;
    t.StretchTransparent = StretchEntry<TskRowOp::Keyed>;
    return t;
}

} // namespace

const TskPixelRoutines& PixelRoutines()
{
    static const TskPixelRoutines table = MakeTable();
    return table;
}

bool DetectMMX()
{
    return false;
}

void EndMMX() {}

void AssertPixels(const void* bits)
{
    if (bits == nullptr)
        throw Exception("Assertion failure");
}

} // namespace tovrel
