#include "skin/controls/SkinGripperImage.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

void DrawGripperImage(TCanvas& canvas, TBitmap& picture, const TskGripperImage& piece, int x, int y)
{
    if (IsNullRect(piece.Rect))
        return;
    TBitmap image(piece.Rect.Width(), piece.Rect.Height());
    image.Canvas()->CopyRect(Rect(0, 0, image.Width(), image.Height()), picture.Canvas(), piece.Rect);
    if (piece.Transparent) {
        image.SetTransparentMode(tmFixed);
        image.SetTransparentColor(piece.TransparentColor);
        image.SetTransparent(true);
    }
    canvas.Draw(x, y, &image);
}

} // namespace tovrel
