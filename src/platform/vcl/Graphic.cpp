#include "platform/vcl/Graphic.h"

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
