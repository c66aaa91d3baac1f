#include "platform/ctrls/Image.h"

#include <algorithm>

namespace tovrel {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>())
{
    ControlStyle.Include(csReplicatable);
    ControlStyle.Exclude(csCaptureMouse);
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    proportional_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    autoSize_ = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    ApplyTransparent();
    Invalidate();
}

void TImage::ApplyTransparent()
{
    // The graphic's own change report comes back here: only a real change is made.
    if (TGraphic* graphic = picture_->Graphic(); graphic && graphic->Transparent() != transparent_)
        graphic->SetTransparent(transparent_);
}

void TImage::PictureChanged()
{
    ApplyTransparent();
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = picture_->Width(), h = picture_->Height();
    const int cw = Width(), ch = Height();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            // Scale to fit, keeping the shape.
            if (double(cw) / w < double(ch) / h) {
                h = int(static_cast<long long>(h) * cw / w);
                w = cw;
            } else {
                w = int(static_cast<long long>(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    const int x = center_ ? (cw - w) / 2 : 0;
    const int y = center_ ? (ch - h) / 2 : 0;
    return Rect(x, y, x + w, y + h);
}

void TImage::Paint()
{
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty())
        return;
    const TRect dest = DestRect();
    if (dest.Width() == graphic->Width() && dest.Height() == graphic->Height())
        Canvas()->Draw(dest.Left, dest.Top, graphic);
    else
        Canvas()->StretchDraw(dest, graphic);
}

} // namespace tovrel
