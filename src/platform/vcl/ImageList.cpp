#include "platform/vcl/ImageList.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/ImageListCalls.h"

#include <algorithm>

namespace tovrel {

namespace {

COLORREF PixelColour(const TSurface& s, int x, int y)
{
    const std::uint8_t* p = s.ScanLine(y) + std::size_t(x) * std::size_t(s.BytesPerPixel());
    return RGB(p[2], p[1], p[0]);
}

TSurface Greyed(const TSurface& image)
{
    TSurface grey = image;
    for (int y = 0; y < grey.Height(); ++y) {
        std::uint8_t* p = grey.ScanLine(y);
        for (int x = 0; x < grey.Width(); ++x, p += 4) {
            const auto level = std::uint8_t((p[2] * 77 + p[1] * 151 + p[0] * 28) >> 8);
            p[0] = p[1] = p[2] = level;
        }
    }
    return grey;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

void TCustomImageList::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::SetSize(int width, int height)
{
    if (width < 1 || height < 1)
        throw EInvalidOperation("Invalid image size");
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    images_.clear();
    Change();
}

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid image list index " + std::to_string(index));
}

int TCustomImageList::InsertImages(int index, const TBitmap* image, TMaskKind kind, const TBitmap* mask,
                                   TColor maskColor)
{
    if (index < 0 || index > Count())
        CheckIndex(index);
    const TSurface* source = image ? image->Surface() : nullptr;
    const TSurface* maskSource = mask ? mask->Surface() : nullptr;
    if (kind == TMaskKind::Colour && image)
        maskColor = TColor(ColorToRGB(maskColor == clDefault ? image->TransparentColor() : maskColor));
    const bool keepAlpha =
        ColorDepth == cd32Bit && kind == TMaskKind::None && source && source->PixelFormat() == TPixelFormat::pf32bit;
    const int pieces = source ? std::max(1, source->Width() / width_) : 1;
    std::vector<TSurface> added;
    for (int piece = 0; piece < pieces; ++piece) {
        TSurface cell(width_, height_, TPixelFormat::pf32bit); // alpha 0: transparent where the picture ends
        for (int y = 0; source && y < std::min(height_, source->Height()); ++y) {
            for (int x = 0; x < width_; ++x) {
                const int sx = piece * width_ + x;
                if (sx >= source->Width())
                    break;
                const COLORREF colour = PixelColour(*source, sx, y);
                bool clear = false;
                if (kind == TMaskKind::Colour)
                    clear = colour == COLORREF(maskColor);
                else if (kind == TMaskKind::Bitmap && maskSource && sx < maskSource->Width() &&
                         y < maskSource->Height())
                    clear = (PixelColour(*maskSource, sx, y) & 0xFFFFFF) != 0;
                std::uint8_t* p = cell.ScanLine(y) + x * 4;
                p[0] = GetBValue(colour);
                p[1] = GetGValue(colour);
                p[2] = GetRValue(colour);
                p[3] = keepAlpha ? source->ScanLine(y)[sx * 4 + 3] : clear ? 0 : 255;
            }
        }
        added.push_back(std::move(cell));
    }
    images_.insert(images_.begin() + index, std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
    Change();
    return index;
}

int TCustomImageList::Add(const TBitmap* image, const TBitmap* mask)
{
    return InsertImages(Count(), image, mask ? TMaskKind::Bitmap : TMaskKind::None, mask, clNone);
}

int TCustomImageList::AddMasked(const TBitmap* image, TColor maskColor)
{
    return InsertImages(Count(), image, TMaskKind::Colour, nullptr, maskColor);
}

void TCustomImageList::Insert(int index, const TBitmap* image, const TBitmap* mask)
{
    InsertImages(index, image, mask ? TMaskKind::Bitmap : TMaskKind::None, mask, clNone);
}

void TCustomImageList::InsertMasked(int index, const TBitmap* image, TColor maskColor)
{
    InsertImages(index, image, TMaskKind::Colour, nullptr, maskColor);
}

void TCustomImageList::Delete(int index)
{
    CheckIndex(index);
    images_.erase(images_.begin() + index);
    Change();
}

void TCustomImageList::Clear()
{
    if (images_.empty())
        return;
    images_.clear();
    Change();
}

const TSurface& TCustomImageList::Image(int index) const
{
    CheckIndex(index);
    return images_[std::size_t(index)];
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) const
{
    if (image)
        image->SetSurface(Image(index));
}

void TCustomImageList::GetIcon(int index, TIcon* icon)
{
    CheckIndex(index);
    if (icon)
        icon->SetHandle(ImageList_GetIcon(Handle(), index, ILD_NORMAL));
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    Draw(canvas, x, y, index, DrawingStyle, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled)
{
    if (canvas)
        DoDraw(index, canvas, x, y, style, enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, TDrawingStyle style, bool enabled)
{
    if (index < 0 || index >= Count())
        return;
    static constexpr UINT styleFlags[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    const TSurface& image = images_[std::size_t(index)];
    DrawStyledImage(canvas->Handle(), Bounds(x, y, width_, height_), enabled ? image : Greyed(image),
                    ImageListColor(BkColor), ImageListColor(BlendColor), styleFlags[style]);
}

} // namespace tovrel
