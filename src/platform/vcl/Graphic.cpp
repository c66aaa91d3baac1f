#include "platform/vcl/Graphic.h"

#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

namespace tovrel {

void TGraphic::SetWidth(int /*width*/)
{
    throw EInvalidGraphicOperation("Cannot change the size of a " + ClassName());
}

void TGraphic::SetHeight(int /*height*/)
{
    throw EInvalidGraphicOperation("Cannot change the size of a " + ClassName());
}

void TGraphic::SetTransparent(bool value)
{
    if (transparent_ == value)
        return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed()
{
    modified_ = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::RaiseCodecErrors(const std::function<void()>& codecWork)
{
    try {
        codecWork();
    } catch (const EImageError& error) {
        throw EInvalidGraphic(error.what());
    }
}

void TGraphic::SaveEncoded(TStream& stream, const std::function<std::vector<std::uint8_t>()>& encode)
{
    if (Empty())
        throw EInvalidGraphic("Cannot save an empty " + ClassName());
    std::vector<std::uint8_t> bytes;
    RaiseCodecErrors([&] { bytes = encode(); });
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

} // namespace tovrel
