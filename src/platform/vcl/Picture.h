#pragma once
// TPicture: holds one graphic of any class; files pick the class by their
// extension (.bmp, .png, .jpg/.jpeg/.jpe/.jfif, .gif, .ico).
#include "platform/vcl/Graphic.h"

#include <memory>
#include <string>
#include <string_view>

namespace tovrel {

class TBitmap;

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of the graphic (null empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap; a picture holding another class gets a new,
    // empty bitmap in its place.
    TBitmap* Bitmap();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // EInvalidGraphic "Unknown picture file extension (.xyz)" for other names.
    void LoadFromFile(const std::string& fileName);
    // Nothing to write for an empty picture.
    void SaveToFile(const std::string& fileName);
    // From a TPicture or any TGraphic; null empties.
    void Assign(const TPersistent* source) override;

    // An empty graphic of the class for that extension ("png", ".PNG"), or null.
    static std::unique_ptr<TGraphic> GraphicForExtension(std::string_view extension);

    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

} // namespace tovrel
