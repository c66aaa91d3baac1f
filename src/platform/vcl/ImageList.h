#pragma once
// TCustomImageList: a list of equally sized images with transparency, drawn
// enabled or greyed. DoDraw is the per-item drawing that subclasses replace.
#include "platform/gdi/Surface.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/ImageListHandles.h"

#include <vector>

namespace tovrel {

class TBitmap;
class TCanvas;
class TIcon;

enum TDrawingStyle : std::uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
// cd32Bit: images added from 32-bit bitmaps without a mask keep their alpha.
enum TColorDepth : std::uint8_t { cdDeviceDependent, cd32Bit };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size removes every image.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    int Count() const { return int(images_.size()); }

    // A strip wider than Width adds one image per Width pixels. Mask: pixels
    // that are not black in the mask are transparent (null: all opaque).
    // Returns the first new index.
    int Add(const TBitmap* image, const TBitmap* mask);
    // Pixels of maskColor are transparent (clDefault: the bottom-left pixel's).
    int AddMasked(const TBitmap* image, TColor maskColor);
    void Insert(int index, const TBitmap* image, const TBitmap* mask);
    void InsertMasked(int index, const TBitmap* image, TColor maskColor);
    // Indexes out of range raise EInvalidOperation.
    void Delete(int index);
    void Clear();
    // The image as a 32-bit picture with straight alpha.
    const TSurface& Image(int index) const;
    void GetBitmap(int index, TBitmap* image) const;
    // Gives the icon a new handle showing the image.
    void GetIcon(int index, TIcon* icon);

    // Indexes out of range draw nothing. Without a style, in DrawingStyle.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled);

    // The handle the controls' image-list messages take (ImageListHandles.h).
    HIMAGELIST Handle() { return ImageListHandle(this); }

    // The background under transparent parts in dsNormal (clNone: none), and
    // the colour dsFocus and dsSelected blend with (clNone: the destination).
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    TDrawingStyle DrawingStyle = dsNormal;
    TColorDepth ColorDepth = cdDeviceDependent;
    int AllocBy = 4;
    bool Masked = true;
    TNotifyEvent OnChange;

protected:
    // Default: the image in the style (ImageListCalls.h), blended by its
    // transparency; greyed when not enabled.
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, TDrawingStyle style, bool enabled);
    void Change();

private:
    enum class TMaskKind { None, Bitmap, Colour };
    int InsertImages(int index, const TBitmap* image, TMaskKind kind, const TBitmap* mask, TColor maskColor);
    void CheckIndex(int index) const;

    int width_ = 16;
    int height_ = 16;
    std::vector<TSurface> images_;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace tovrel
