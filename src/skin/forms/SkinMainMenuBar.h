#pragma once
// TskSkinMainMenuBar: the top-level items of a main menu as a skinned bar
// (entry "mainmenubar") that opens their sub-items as skinned popups through
// the engine of the form's skinned-form component. Moving along the bar while
// a menu is open switches to the neighbour's menu; the form component routes
// Alt, F10, the arrows, Enter, Esc and the accelerator letters to it. Items
// that do not fit are hidden and an overflow marker at the right end lists
// them.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinControl.h"
#include "skin/forms/MenuBarItem.h"
#include "skin/forms/SkinForm.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel {

class TFont;
class TTimer;
class TskSkinForm;

using TskItemEnterEvent = std::function<void(TMenuItem* MenuItem)>;
using TskItemLeaveEvent = std::function<void(TMenuItem* MenuItem)>;

// The width the overflow marker takes at the right end of the items area.
constexpr int kMenuBarMarkerWidth = 5;
constexpr unsigned kMenuBarMouseInterval = 50, kMenuBarMorphInterval = 25, kMenuBarAnimateInterval = 25;

class TskSkinMainMenuBar : public TskSkinControl {
public:
    explicit TskSkinMainMenuBar(TComponent* AOwner);
    ~TskSkinMainMenuBar() override;

    TMainMenu* MainMenu() const { return FMainMenu; }
    // Stores it, rebuilds the items and repaints.
    void SetMainMenu(TMainMenu* Value);
    TskSkinForm* SkinForm() const { return BSF; }
    void SetSkinForm(TskSkinForm* Value);
    TFont* DefItemFont() const { return FDefItemFont.get(); }
    void SetDefItemFont(const TFont* Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);

    bool ScrollMenu = true;
    bool UseSkinFont = true;
    bool PopupToUp = false;
    TskItemEnterEvent OnItemMouseEnter;
    TskItemLeaveEvent OnItemMouseLeave;

    void CreateMenu();
    void UpDateItems();
    void UpDateEnabledItems();
    // Also watched: freed skin data leaves the built-in look.
    void SetSkinData(TskSkinData* Value) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- keyboard menu mode (MenuBarKeyboard.cpp) ----
    void EnterMenuMode();
    // Opens or runs the first fitted, enabled item with Key as its accelerator.
    bool CheckAccelerator(WORD Key);
    void NextMainMenuItem();
    void PriorMainMenuItem();
    bool PressActiveItem();
    void ReleaseDownItem();
    void EndMenuMode();

    void TestActive(int X, int Y);
    void DrawObject(TskMenuBarObject& Obj);
    void CalcNewItemsRect();
    TRect GetMarkerRect() const;
    // Lists the items that did not fit in a popup at the marker.
    void PopupMarkerMenu();

    // ---- a maximized MDI child's buttons (MenuBarMDIButton.cpp) ----
    // Shows them (a child of the frame was maximized).
    void MDIChildMaximize();
    // Hides them when no child is maximized any more, else re-checks them.
    void MDIChildRestore();
    void CreateButtons();
    void DeleteButtons();
    // Disables minimize and system menu when the child's border icons lack them.
    void CheckButtons(TskBorderIcons BorderIcons);
    bool MDIChildMax() const { return FMDIChildMax; }
    // The buttons are the first ButtonsCount objects: system menu, close, restore, minimize.
    int ButtonsCount = 0;

    // ---- state the objects read and set ----
    TCanvas& BarCanvas() { return *Canvas(); }
    const std::vector<std::unique_ptr<TskMenuBarObject>>& Objects() const { return ObjectList; }
    TskSkinMainMenuBarItem* Item(int Index) const;
    int ItemCount() const { return int(ObjectList.size()); }
    TRect NewItemsRect;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    bool FSkinSupport = false;
    // Copied from the bar's entry.
    TRect ItemsRect;
    std::string MenuBarItem;
    TColor TrackMarkColor = clBtnText, TrackMarkActiveColor = clBtnText;
    TBitmap* Picture = nullptr;
    bool StretchEffect = false;
    bool ItemTransparent = false;
    bool SkinEffectsOn() const;
    void StartMorphTimer();
    void StartAnimateTimer(int Interval);
    // The item's font: the skin's when UseSkinFont and it has one, else DefItemFont.
    void PrepareItemFont(TCanvas& C, const TskSkinMainMenuBarItem& AItem) const;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    void DrawBar(TCanvas& Cnvs);
    void DrawMarker(TCanvas& Cnvs);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    void MouseTimerOn();
    // The hot item moves to the next reachable one, wrapping at the ends.
    void MoveHotItem(bool Forward);
    TskSkinMainMenuBarItem* FindItem(const std::function<bool(TskSkinMainMenuBarItem&)>& Match) const;

    // The bar's entry; null without one.
    const TskDataSkinControl* BarEntry() const;
    void SkinDataGone();
    // The child's buttons at both ends of NewItemsRect, which shrinks by them.
    void PlaceMDIButtons();
    // The system-menu button's menu closed: it comes up.
    void SkinMenuClosed();
    bool FMDIChildMax = false;

    TComponentRef<TMainMenu> FMainMenu{*this, [this] { CreateMenu(); }};
    TComponentRef<TskSkinData> FSkinWatch{*this, [this] { SkinDataGone(); }};
    // A menu item freed under the bar: its item is cut loose at once and the
    // items are built again at the next paint.
    std::vector<std::unique_ptr<TComponentRef<TMenuItem>>> FMenuItemWatch;
    bool FItemsStale = false;
    TComponentRef<TskSkinForm> BSF{*this};
    std::unique_ptr<TFont> FDefItemFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    std::vector<std::unique_ptr<TskMenuBarObject>> ObjectList;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    TTimer* MouseTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    TTimer* AnimateTimer = nullptr;
};

} // namespace tovrel
