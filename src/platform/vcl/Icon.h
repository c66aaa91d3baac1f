#pragma once
// TIcon: an icon picture. Loaded from an icon file it keeps every entry and
// shows the one best for its size (SetSize; 0 x 0, the default, picks for the
// system's icon size and keeps that entry's own size); the icon handle is
// made on first use and owned by the picture. SetHandle adopts a handle.
// Saving writes the entries as 32-bit pictures. Drawn blended by its alpha,
// or through its mask, stretched to the rectangle.
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/IconImage.h"
#include "platform/vcl/Graphic.h"

#include <utility>
#include <vector>

namespace tovrel {

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    bool Empty() const override { return images_.empty(); }
    int Width() const override;
    int Height() const override;
    bool Transparent() const override { return true; }
    // The size to show (0 x 0: chosen by the entries); the entry is chosen again.
    void SetSize(int width, int height);

    // Null while empty.
    HICON Handle();
    // Adopts the icon (destroyed with the picture); null empties the picture.
    void SetHandle(HICON icon);
    // Gives the handle away; the picture becomes empty.
    HICON ReleaseHandle();

    // Damaged data raises EInvalidGraphic.
    void LoadFromStream(TStream& stream) override;
    // An empty picture raises EInvalidGraphic.
    void SaveToStream(TStream& stream) override;
    void Assign(const TPersistent* source) override;
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TIcon>(); }

protected:
    void Draw(TCanvas& canvas, const TRect& r) override;

private:
    // The size shown: the one asked for, else the best entry's own.
    std::pair<int, int> ShownSize() const;
    void FreeHandle();

    std::vector<TIconImage> images_;
    int width_ = 0;
    int height_ = 0;
    HICON handle_ = nullptr;
};

} // namespace tovrel
