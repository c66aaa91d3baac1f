#include "platform/gdi/GdiObjects.h"

#include <array>

namespace tovrel {

namespace {

HGDIOBJ RegisterStock(std::shared_ptr<TGdiObject> object)
{
    object->Stock = true;
    return RegisterGdiObject(std::move(object));
}

HGDIOBJ StockBrush(UINT style, COLORREF colour)
{
    return RegisterStock(std::make_shared<TGdiBrush>(LOGBRUSH{style, colour, 0}));
}

HGDIOBJ StockPen(int style, COLORREF colour)
{
    return RegisterStock(std::make_shared<TGdiPen>(LOGPEN{UINT(style), {1, 0}, colour}));
}

HGDIOBJ StockFont(LONG height, LONG weight, const char* face)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfFaceName = face;
    return RegisterStock(std::make_shared<TGdiFont>(lf));
}

struct TStock {
    std::array<HGDIOBJ, DC_PEN + 1> Objects{};
    HGDIOBJ Bitmap = nullptr;

    TStock()
    {
        Objects[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
        Objects[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
        Objects[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
        Objects[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
        Objects[BLACK_BRUSH] = StockBrush(BS_SOLID, 0);
        Objects[NULL_BRUSH] = StockBrush(BS_NULL, 0);
        Objects[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
        Objects[BLACK_PEN] = StockPen(PS_SOLID, 0);
        Objects[NULL_PEN] = StockPen(PS_NULL, 0);
        Objects[OEM_FIXED_FONT] = StockFont(-13, FW_NORMAL, "Courier New");
        Objects[ANSI_FIXED_FONT] = Objects[OEM_FIXED_FONT];
        Objects[SYSTEM_FIXED_FONT] = Objects[OEM_FIXED_FONT];
        Objects[ANSI_VAR_FONT] = StockFont(-11, FW_NORMAL, "Arial");
        Objects[SYSTEM_FONT] = StockFont(16, FW_BOLD, "Arial");
        Objects[DEVICE_DEFAULT_FONT] = Objects[SYSTEM_FONT];
        Objects[DEFAULT_GUI_FONT] = StockFont(-11, FW_NORMAL, "Tahoma");
        // The DC brush and pen paint in the colour each DC sets; the objects only mark them.
        Objects[DC_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
        Objects[DC_PEN] = StockPen(PS_SOLID, 0);
        Bitmap = RegisterStock(std::make_shared<TGdiBitmap>(1, 1, TPixelFormat::pf32bit, false, false));
    }
};

const TStock& Stock()
{
    static const TStock stock;
    return stock;
}

} // namespace

HGDIOBJ GetStockObject(int index)
{
    if (index < 0 || index >= int(Stock().Objects.size()))
        return nullptr;
    return Stock().Objects[std::size_t(index)];
}

HBITMAP StockBitmap()
{
    return HandleCast<HBITMAP>(Stock().Bitmap);
}

} // namespace tovrel
