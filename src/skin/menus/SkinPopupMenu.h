#pragma once
// TskSkinPopupMenu: a popup menu that opens through the skinned popup engine
// of its form instead of the plain popup menu. The "2" variants name the
// control that hears SkinMenuClosedMessage and SkinMenuCommandDoneMessage.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/Menus.h"
#include "skin/data/SkinData.h"

namespace tovrel {

class TForm;
class TskSkinMenuHost;

class TskSkinPopupMenu : public TPopupMenu {
public:
    explicit TskSkinPopupMenu(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    void SetSkinData(TskSkinData* Value) { FSD = Value; }
    // The form whose engine shows the menu; without one the owner's form.
    TComponentRef<TForm> ComponentForm{*this};
    // Fired once when the menu shown next closes.
    TNotifyEvent OnMenuClose;

    // Points and rectangles are in screen coordinates. Each answers whether a
    // menu opened: nothing opens without a form component to show it or
    // without items.
    void Popup(int X, int Y) override;
    bool PopupFromRect(TRect R, bool APopupUp);
    bool Popup2(TControl* ACtrl, int X, int Y);
    bool PopupFromRect2(TControl* ACtrl, TRect R, bool APopupUp);

private:
    TskSkinMenuHost* FindHost() const;
    // NeedsSkin: nothing opens without skin data (the point variant for a control).
    bool Show(TControl* ACtrl, TRect R, bool APopupUp, bool NeedsSkin);

    TComponentRef<TskSkinData> FSD{*this};
};

} // namespace tovrel
