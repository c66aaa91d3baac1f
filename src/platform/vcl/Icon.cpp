#include "platform/vcl/Icon.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/codecs/IcoCodec.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <algorithm>

namespace tovrel {

TIcon::TIcon() = default;

TIcon::~TIcon()
{
    FreeHandle();
}

void TIcon::FreeHandle()
{
    if (handle_)
        DestroyIcon(handle_);
    handle_ = nullptr;
}

std::pair<int, int> TIcon::ShownSize() const
{
    if (images_.empty())
        return {0, 0};
    const int best = BestIconImage(images_, width_ ? width_ : GetSystemMetrics(SM_CXICON),
                                   height_ ? height_ : GetSystemMetrics(SM_CYICON));
    const TIconImage& image = images_[std::size_t(best)];
    return {width_ ? width_ : IconWidth(image), height_ ? height_ : IconHeight(image)};
}

int TIcon::Width() const
{
    return ShownSize().first;
}

int TIcon::Height() const
{
    return ShownSize().second;
}

void TIcon::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    FreeHandle();
    Changed();
}

HICON TIcon::Handle()
{
    if (!handle_ && !images_.empty()) {
        const auto [width, height] = ShownSize();
        handle_ = CreateIconFromImages(images_, width, height);
    }
    return handle_;
}

void TIcon::SetHandle(HICON icon)
{
    if (icon == handle_)
        return;
    FreeHandle();
    images_.clear();
    width_ = height_ = 0;
    if (const auto image = FindIconImage(icon)) {
        images_.push_back(*image);
        handle_ = icon;
    }
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    const HICON icon = Handle();
    handle_ = nullptr;
    images_.clear();
    Changed();
    return icon;
}

void TIcon::LoadFromStream(TStream& stream)
{
    std::vector<TIconImage> images;
    RaiseCodecErrors([&] { images = DecodeIco(stream.ReadAll()); });
    FreeHandle();
    images_ = std::move(images);
    Changed();
}

void TIcon::SaveToStream(TStream& stream)
{
    SaveEncoded(stream, [this] { return EncodeIco(images_); });
}

void TIcon::Assign(const TPersistent* source)
{
    const auto* icon = dynamic_cast<const TIcon*>(source);
    if (!icon) {
        TGraphic::Assign(source);
        return;
    }
    if (icon == this)
        return;
    FreeHandle();
    images_ = icon->images_;
    width_ = icon->width_;
    height_ = icon->height_;
    Changed();
}

void TIcon::Draw(TCanvas& canvas, const TRect& r)
{
    if (HICON icon = Handle())
        DrawIconEx(canvas.Handle(), r.Left, r.Top, icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

} // namespace tovrel
