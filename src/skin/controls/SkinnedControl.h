#pragma once
// The binding of a control to one entry of a skin, shared by the windowed and
// the non-windowed skinned controls: the skin data reference, the entry name,
// the entry index (-1 = default look, looked up again at every paint), the
// hint title and image, mouse enter and leave events, and the one-blit paint.
#include <string>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/ImageList.h"
#include "skin/data/SkinData.h"

namespace tovrel {

template <class Base> class TskSkinned : public Base {
public:
    explicit TskSkinned(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Applies the skin at once when it is loaded; nil only drops the reference.
    virtual void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Stores only: the next lookup (paint, resize, skin change) uses the name.
    void SetSkinDataName(std::string Value) { FSkinDataName = std::move(Value); }
    int SkinIndex() const { return FIndex; }

    std::string HintTitle;
    int HintImageIndex = 0;
    TComponentRef<TCustomImageList> HintImageList{*this};
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Finds the entry by exact name; -1 without skin data, while it is empty,
    // or when no entry has the name.
    virtual void GetSkinData();
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { FIndex = -1; }

protected:
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}
    // Lookup, one control-sized bitmap with the default or the skinned look,
    // one draw: nothing is erased beneath it.
    void Paint() override;
    void WndProc(TMessage& message) override;

    TComponentRef<TskSkinData> FSD{*this};
    std::string FSkinDataName;
    int FIndex = -1;
};

} // namespace tovrel
