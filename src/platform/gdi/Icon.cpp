#include "platform/gdi/Icon.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/codecs/IcoCodec.h"

#include <cstring>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>

namespace tovrel {

namespace {

class TGdiIcon : public TGdiObject {
public:
    DWORD ObjectType() const override { return 0; } // a window-system object, not a drawing one
    std::shared_ptr<const TIconImage> Image;
    std::shared_ptr<const std::vector<TIconImage>> Sources; // never empty
    bool IsIcon = true;
    DWORD HotspotX = 0, HotspotY = 0;
};

std::shared_ptr<TGdiIcon> FindIcon(HICON icon)
{
    return FindGdiObjectAs<TGdiIcon>(icon);
}

HICON Register(std::shared_ptr<TGdiIcon> icon, bool shared)
{
    icon->Stock = shared;
    return HandleCast<HICON>(RegisterGdiObject(std::move(icon)));
}

// A new icon like `model` (kind, hot spot, sources) showing `image`.
std::shared_ptr<TGdiIcon> IconLike(const TGdiIcon& model, TIconImage image)
{
    auto icon = std::make_shared<TGdiIcon>(model);
    icon->Image = std::make_shared<const TIconImage>(std::move(image));
    return icon;
}

std::shared_ptr<TGdiIcon> IconOf(std::vector<TIconImage> sources, int cx, int cy)
{
    if (sources.empty())
        return nullptr;
    const int width = cx ? cx : GetSystemMetrics(SM_CXICON);
    const int height = cy ? cy : GetSystemMetrics(SM_CYICON);
    auto icon = std::make_shared<TGdiIcon>();
    icon->Image = std::make_shared<const TIconImage>(
        ScaleIconImage(sources[std::size_t(BestIconImage(sources, width, height))], width, height));
    icon->Sources = std::make_shared<const std::vector<TIconImage>>(std::move(sources));
    return icon;
}

// The bitmap's pixels with row 0 at the top, however it stores them; empty
// for unknown handles.
TSurface TopDownPixels(HBITMAP bitmap)
{
    const auto object = FindBitmap(bitmap);
    if (!object)
        return {};
    const TPixelView view = object->Pixels();
    if (view.Empty())
        return {};
    TSurface copy(view.Width, view.Height, object->Surface().PixelFormat());
    const std::size_t rowBytes = std::size_t(view.Width) * std::size_t(view.BytesPerPixel);
    for (int y = 0; y < view.Height; ++y)
        std::memcpy(copy.ScanLine(y), view.Row(y), rowBytes);
    return copy;
}

// Each size of a stock icon is made once and shared.
HICON SharedStockIcon(std::uintptr_t name, int cx, int cy)
{
    static std::mutex lock;
    static std::map<std::tuple<std::uintptr_t, int, int>, HICON> made;
    std::lock_guard guard(lock);
    HICON& icon = made[{name, cx, cy}];
    if (!icon)
        if (auto created = IconOf(DrawStockIcon(name), cx, cy))
            icon = Register(std::move(created), true);
    return icon;
}

} // namespace

HICON CreateIconIndirect(const ICONINFO* info)
{
    if (!info)
        return nullptr;
    const TSurface color = TopDownPixels(info->hbmColor);
    if (color.Empty())
        return nullptr;
    const TSurface mask = TopDownPixels(info->hbmMask);
    auto icon = IconOf({MakeIconImage(color, mask.Empty() ? nullptr : &mask)}, color.Width(), color.Height());
    icon->IsIcon = info->fIcon != 0;
    icon->HotspotX = info->xHotspot;
    icon->HotspotY = info->yHotspot;
    return Register(std::move(icon), false);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info)
{
    const auto found = FindIcon(icon);
    if (!found || !info)
        return 0;
    info->fIcon = found->IsIcon;
    info->xHotspot = found->IsIcon ? DWORD(IconWidth(*found->Image) / 2) : found->HotspotX;
    info->yHotspot = found->IsIcon ? DWORD(IconHeight(*found->Image) / 2) : found->HotspotY;
    info->hbmColor = CreateBitmapOf(found->Image->Color);
    info->hbmMask = CreateBitmapOf(found->Image->Mask);
    return 1;
}

BOOL DestroyIcon(HICON icon)
{
    const auto found = FindIcon(icon);
    return found && (found->Stock || UnregisterGdiObject(icon));
}

HICON CopyIcon(HICON icon)
{
    const auto found = FindIcon(icon);
    return found ? Register(IconLike(*found, *found->Image), false) : nullptr;
}

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags)
{
    const HICON original = HandleCast<HICON>(image);
    const auto found = FindIcon(original);
    if (!found || (type != IMAGE_ICON && type != IMAGE_CURSOR))
        return nullptr;
    const TIconImage& own = *found->Image;
    const int width = cx ? cx : (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : IconWidth(own);
    const int height = cy ? cy : (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : IconHeight(own);
    const TIconImage& from = (flags & LR_COPYFROMRESOURCE)
                                 ? (*found->Sources)[std::size_t(BestIconImage(*found->Sources, width, height))]
                                 : own;
    const HICON copy = Register(IconLike(*found, ScaleIconImage(from, width, height)), false);
    if (flags & LR_COPYDELETEORG)
        DestroyIcon(original);
    return copy;
}

HICON LoadIcon(HINSTANCE instance, std::uintptr_t name)
{
    return instance ? nullptr : SharedStockIcon(name, 0, 0);
}

HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags)
{
    if (type != IMAGE_ICON || !name)
        return nullptr;
    const bool defaultSize = flags & LR_DEFAULTSIZE;
    std::vector<TIconImage> sources;
    if (flags & LR_LOADFROMFILE) {
        try {
            sources = DecodeIco(ReadImageFileBytes(name));
        } catch (const EImageError&) {
            return nullptr;
        }
    } else if (!instance) {
        const auto id = reinterpret_cast<std::uintptr_t>(name);
        if (flags & LR_SHARED)
            return SharedStockIcon(id, cx, cy);
        sources = DrawStockIcon(id);
    }
    if (sources.empty())
        return nullptr;
    // A size of 0 picks the best picture for the default size; without
    // LR_DEFAULTSIZE that picture keeps its own size.
    const int wanted[2] = {cx ? cx : GetSystemMetrics(SM_CXICON), cy ? cy : GetSystemMetrics(SM_CYICON)};
    const TIconImage& best = sources[std::size_t(BestIconImage(sources, wanted[0], wanted[1]))];
    const int width = cx || defaultSize ? wanted[0] : IconWidth(best);
    const int height = cy || defaultSize ? wanted[1] : IconHeight(best);
    return Register(IconOf(std::move(sources), width, height), false);
}

HICON CreateIconFromImages(std::vector<TIconImage> sources, int cx, int cy)
{
    auto icon = IconOf(std::move(sources), cx, cy);
    return icon ? Register(std::move(icon), false) : nullptr;
}

std::shared_ptr<const TIconImage> FindIconImage(HICON icon)
{
    const auto found = FindIcon(icon);
    return found ? found->Image : nullptr;
}

} // namespace tovrel
