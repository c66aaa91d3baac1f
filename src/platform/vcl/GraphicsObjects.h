#pragma once
// TFont, TPen and TBrush: descriptions of drawing objects that make their
// system handle on demand and drop it when they change, telling OnChange.
#include "platform/gdi/GdiTypes.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/Object.h"

#include <string>

namespace tovrel {

class TBitmap;

class TGraphicsObject : public TPersistent {
public:
    ~TGraphicsObject() override { DeleteHandle(); }
    TNotifyEvent OnChange;

protected:
    // Drops the handle and tells OnChange.
    void Changed();
    void DeleteHandle();
    HGDIOBJ handle_ = nullptr;
};

class TFont : public TGraphicsObject {
public:
    TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative: character height; positive: cell height (pixels), as LOGFONT.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at 96 pixels per inch: Size = -Height * 72 / 96 and back, rounded.
    int Size() const;
    void SetSize(int size);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    // The colour is no part of the handle; it only tells OnChange.
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenthsOfDegree);

    LOGFONT LogFont() const;
    // Takes name, height, style, charset, pitch and orientation from a
    // LOGFONT (the colour stays): the inverse of LogFont.
    void SetLogFont(const LOGFONT& lf);
    HFONT Handle();
    void Assign(const TPersistent* source) override;

private:
    std::string name_ = "Tahoma";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // The mix mode; no part of the handle.
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    // The R2_* value of Mode.
    int Rop2() const;

    HPEN Handle();
    void Assign(const TPersistent* source) override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    TColor Color() const { return color_; }
    // Setting a colour on a clear brush makes it solid, as the framework does.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern brush from a copy of the bitmap; null returns to Style.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(const TBitmap* bitmap);

    // Hatched styles paint solid in this stand-in.
    HBRUSH Handle();
    void Assign(const TPersistent* source) override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

} // namespace tovrel
