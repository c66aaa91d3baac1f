#include "IconSheet.h"

#include <memory>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/PngImage.h"
#include "platform/vcl/Streams.h"
#include "skin/stored/StoredIcons.h"

namespace tovrel {

TSurface RenderIconSheet()
{
    constexpr int width = 1800, band = 56;
    const char* lists[] = {"categories48", "categories32", "toolbar40", "buttons18", "markers10"};
    TBitmap sheet(width, band * 2 * 5, TPixelFormat::pf32bit);
    TCanvas& c = *sheet.Canvas();
    int y = 0;
    for (const char* name : lists) {
        for (TColor back : {TColor(0x00F4F4F4), TColor(0x00302C28)}) {
            c.Brush()->SetColor(back);
            c.FillRect(TRect{0, y, width, y + band});
            int x = 4;
            for (std::string_view bytes : StoredIconFiles(name)) {
                TMemoryStream stream;
                stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
                stream.SetPosition(0);
                TPngImage png;
                png.LoadFromStream(stream);
                c.Draw(x, y + (band - png.Height()) / 2, &png);
                x += png.Width() + 4;
            }
            y += band;
        }
    }
    return *sheet.Surface();
}

} // namespace tovrel
