#include "skin/draw/ImageListSource.h"

#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"

namespace tovrel {

TskImageSource ImageSourceOf(TCustomImageList& images)
{
    TskImageSource source;
    source.Width = images.Width();
    source.Height = images.Height();
    source.Count = images.Count();
    source.Draw = [&images](HDC dc, int x, int y, int index, bool enabled) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        images.Draw(&canvas, x, y, index, enabled);
        canvas.SetHandle(nullptr);
    };
    return source;
}

} // namespace tovrel
