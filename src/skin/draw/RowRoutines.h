#pragma once
// The row routines behind the pixel table (PixelRoutines.h); callers use the table.
#include "skin/draw/SkinColor.h"

namespace tovrel {

void PlainBlendLine(const TskColor* src, TskColor* dst, int count);
void CopyLineKeyed(const TskColor* src, TskColor* dst, int count);
void MoveLongword(const TskColor* src, TskColor* dst, int count);
void FillLongword(TskColor* dst, int count, TskColor value);
void FillRectLongword(TskColor* bits, int stride, int height, TskColor value, int y2, int x2, int y1, int x1);
void SetAlphaLongword(TskColor* bits, int count, std::uint8_t alpha);
void SetAlphaRectLongword(TskColor* bits, int stride, int height, std::uint8_t alpha, int y2, int x2, int y1, int x1);

} // namespace tovrel
