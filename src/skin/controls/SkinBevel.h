#pragma once
// A bevel whose light and dark colours come from the skin entry "bevel", with
// a divider mode that draws a centred two-line divider.
#include "platform/ctrls/Bevel.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/GraphicsTypes.h"

#include <string>

namespace tovrel {

class TskSkinData;

class TskSkinBevel : public TBevel {
public:
    explicit TskSkinBevel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Stores and runs ChangeSkinData, also for none.
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "bevel";
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);

    // Takes the colours of a "bevel" entry; without an entry the system
    // colours; an entry of another kind leaves them as they are.
    void ChangeSkinData();

    int Index() const { return FIndex; }
    TColor LightColor;
    TColor DarkColor;

protected:
    void Paint() override;

private:
    TComponentRef<TskSkinData> FSD{*this};
    int FIndex = -1;
    bool FDividerMode = false;
};

} // namespace tovrel
