#include "platform/vcl/Picture.h"

#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/PngImage.h"

namespace tovrel {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

std::unique_ptr<TGraphic> TPicture::GraphicForExtension(std::string_view extension)
{
    if (extension.starts_with('.'))
        extension.remove_prefix(1);
    const std::string ext = LowerCase(extension);
    if (ext == "bmp")
        return std::make_unique<TBitmap>();
    if (ext == "png")
        return std::make_unique<TPngImage>();
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif")
        return std::make_unique<TJPEGImage>();
    if (ext == "gif")
        return std::make_unique<TGIFImage>();
    if (ext == "ico")
        return std::make_unique<TIcon>();
    return nullptr;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (!graphic) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = graphic->NewEmpty();
    copy->Assign(graphic);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get()))
        return bitmap;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::string extension = ExtractFileExt(fileName);
    std::unique_ptr<TGraphic> graphic = GraphicForExtension(extension);
    if (!graphic) {
        if (extension.starts_with('.'))
            extension.erase(0, 1);
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    }
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName)
{
    if (graphic_)
        graphic_->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        Take(nullptr);
        return;
    }
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->graphic_.get());
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

} // namespace tovrel
