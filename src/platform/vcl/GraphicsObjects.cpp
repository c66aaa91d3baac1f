#include "platform/vcl/GraphicsObjects.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/vcl/Bitmap.h"

#include <cmath>

namespace tovrel {

namespace {

// MulDiv as the platform rounds it: halves away from zero.
int MulDiv(int value, int numerator, int denominator)
{
    return int(std::lround(double(value) * numerator / denominator));
}

template <class T> bool Store(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TGraphicsObject::DeleteHandle()
{
    if (handle_)
        DeleteObject(handle_);
    handle_ = nullptr;
}

void TGraphicsObject::Changed()
{
    DeleteHandle();
    if (OnChange)
        OnChange(this);
}

TFont::TFont() = default;

void TFont::SetName(const std::string& name)
{
    if (!name.empty() && Store(name_, name))
        Changed();
}

void TFont::SetHeight(int height)
{
    if (Store(height_, height))
        Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, kScreenPixelsPerInch);
}

void TFont::SetSize(int size)
{
    SetHeight(-MulDiv(size, kScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style)
{
    if (Store(style_, style))
        Changed();
}

void TFont::SetColor(TColor color)
{
    if (Store(color_, color) && OnChange)
        OnChange(this);
}

void TFont::SetCharset(TFontCharset charset)
{
    if (Store(charset_, charset))
        Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (Store(pitch_, pitch))
        Changed();
}

void TFont::SetOrientation(int tenthsOfDegree)
{
    if (Store(orientation_, tenthsOfDegree))
        Changed();
}

LOGFONT TFont::LogFont() const
{
    LOGFONT lf;
    lf.lfHeight = height_;
    lf.lfEscapement = orientation_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfPitchAndFamily = BYTE(pitch_ == fpFixed ? 1 : pitch_ == fpVariable ? 2 : 0);
    lf.lfFaceName = name_;
    return lf;
}

void TFont::SetLogFont(const LOGFONT& lf)
{
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (lf.lfItalic)
        style.Include(fsItalic);
    if (lf.lfUnderline)
        style.Include(fsUnderline);
    if (lf.lfStrikeOut)
        style.Include(fsStrikeOut);
    const BYTE pitch = lf.lfPitchAndFamily & 3;
    TFont taken;
    taken.Assign(this);
    taken.SetName(lf.lfFaceName);
    taken.SetHeight(lf.lfHeight);
    taken.SetStyle(style);
    taken.SetCharset(lf.lfCharSet);
    taken.SetPitch(pitch == 1 ? fpFixed : pitch == 2 ? fpVariable : fpDefault);
    taken.SetOrientation(lf.lfEscapement);
    // One change report for the whole font.
    Assign(&taken);
}

HFONT TFont::Handle()
{
    if (!handle_) {
        const LOGFONT lf = LogFont();
        handle_ = CreateFontIndirect(&lf);
    }
    return static_cast<HFONT>(handle_);
}

void TFont::Assign(const TPersistent* source)
{
    const auto* font = dynamic_cast<const TFont*>(source);
    if (!font) {
        TPersistent::Assign(source);
        return;
    }
    name_ = font->name_;
    height_ = font->height_;
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    orientation_ = font->orientation_;
    Changed();
}

void TPen::SetColor(TColor color)
{
    if (Store(color_, color))
        Changed();
}

void TPen::SetWidth(int width)
{
    if (width >= 0 && Store(width_, width))
        Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (Store(style_, style))
        Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (Store(mode_, mode) && OnChange)
        OnChange(this);
}

int TPen::Rop2() const
{
    static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRop2[mode_];
}

HPEN TPen::Handle()
{
    if (!handle_)
        handle_ = CreatePen(int(style_), width_, ColorToRGB(color_));
    return static_cast<HPEN>(handle_);
}

void TPen::Assign(const TPersistent* source)
{
    const auto* pen = dynamic_cast<const TPen*>(source);
    if (!pen) {
        TPersistent::Assign(source);
        return;
    }
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

TBrush::~TBrush()
{
    delete bitmap_;
}

void TBrush::SetColor(TColor color)
{
    const bool styleChanges = style_ == bsClear;
    if (Store(color_, color) || styleChanges) {
        if (styleChanges)
            style_ = bsSolid;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (Store(style_, style))
        Changed();
}

void TBrush::SetBitmap(const TBitmap* bitmap)
{
    delete bitmap_;
    bitmap_ = nullptr;
    if (bitmap) {
        bitmap_ = new TBitmap;
        bitmap_->Assign(bitmap);
    }
    Changed();
}

HBRUSH TBrush::Handle()
{
    if (!handle_) {
        if (bitmap_ && !bitmap_->Empty()) {
            handle_ = CreatePatternBrush(bitmap_->Handle());
        } else {
            LOGBRUSH lb;
            lb.lbStyle = style_ == bsClear ? BS_NULL : BS_SOLID;
            lb.lbColor = ColorToRGB(color_);
            handle_ = CreateBrushIndirect(&lb);
        }
    }
    return static_cast<HBRUSH>(handle_);
}

void TBrush::Assign(const TPersistent* source)
{
    const auto* brush = dynamic_cast<const TBrush*>(source);
    if (!brush) {
        TPersistent::Assign(source);
        return;
    }
    color_ = brush->color_;
    style_ = brush->style_;
    delete bitmap_;
    bitmap_ = nullptr;
    if (brush->bitmap_) {
        bitmap_ = new TBitmap;
        bitmap_->Assign(brush->bitmap_);
    }
    Changed();
}

} // namespace tovrel
