#pragma once
// TskSkinMDITabsBar: one tab per MDI child of a frame. A click on a tab shows
// its child, dragging a tab reorders the tabs, an optional close button on
// each tab closes its child, a right click opens the child's system menu, a
// list button at the left end lists every child and, when tabs had to be
// hidden, one at the right end lists the hidden ones. Drawn from the skin's
// "tab" entry or in the built-in look.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Forms.h"
#include "skin/controls/SkinControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel {

class TFont;
class TskSkinForm;
class TskSkinMenuSpeedButton;
class TskSkinPopupMenu;
class TskSkinMDITabsBar;
class TskDataSkinTabControl;

// The width the list buttons take at either end.
constexpr int kMDITabsListButtonWidth = 15;
// The suffixes that mark the list menus' entries.
inline constexpr const char* kMDITabsListSuffix = "_BSFCHILDITEMBAR";
inline constexpr const char* kMDITabsHideListSuffix = "_BSFCHILDITEMBARHIDE";

enum class TskSkinMDITabKind : std::uint8_t { sktkTab, sktkButton };

class TskMDITab {
public:
    TskMDITab(TskSkinMDITabsBar* AParentBar, TCustomForm* AChild) : TabsBar(AParentBar), Child(AChild) {}

    // Into its place on the bar's image.
    void Draw(TCanvas& Cnvs);
    void DrawCloseButton(TCanvas& Cnvs, TRect R);
    // Its close button in bar coordinates.
    TRect CloseButtonOnBar() const;

    TskSkinMDITabsBar* TabsBar;
    TCustomForm* Child;
    TRect ObjectRect;
    bool Active = false;
    bool MouseIn = false;
    bool Visible = false;
    TRect ButtonRect;
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;
};

using TskMDITabEvent = std::function<void(TskMDITab* MDITab)>;
using TskMDITabMouseEvent = std::function<void(TMouseButton Button, TShiftState Shift, TskMDITab* MDITab)>;
using TskMDITabDrawParamsEvent = std::function<void(TskMDITab* MDITab, TCanvas* Cnvs)>;

class TskSkinMDITabsBar : public TskSkinControl {
public:
    explicit TskSkinMDITabsBar(TComponent* AOwner);
    ~TskSkinMDITabsBar() override;

    TskSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TskSkinMDITabKind Value);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    bool MoveTabs = true;
    bool SupportChildMenus = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;
    TskSkinForm* SkinForm() const { return FSkinForm; }
    void SetSkinForm(TskSkinForm* Value) { FSkinForm = Value; }
    TskMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TskMDITabMouseEvent OnTabMouseDown, OnTabMouseUp;
    TskMDITabDrawParamsEvent OnTabGetDrawParamsEvent;

    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    // Marks the tab of the frame's active child.
    void UpdateActiveTab();
    int GetTabIndex(int X, int Y) const;
    TskMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const;
    void CalcTabRects();
    // Where the dragged tab would go; -1 when nowhere.
    int GetDropIndex() const;
    void TestActiveTab(int X, int Y);
    void CloseTab(TskMDITab* Tab);
    void ClearTabs();
    int TabCount() const { return int(ObjectList.size()); }
    TskMDITab* Tabs(int Index) const;
    int InVisibleCount() const { return FInVisibleCount; }
    TskSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TskSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    // The list menus, refilled as their buttons open them.
    TskSkinPopupMenu* ListMenu() const { return FListMenu; }
    TskSkinPopupMenu* HideListMenu() const { return FHideListMenu; }
    void FillListMenu(bool HiddenOnly);

    void ChangeSkinData() override;
    void GetSkinData() override;

    // ---- what the tabs read while drawing ----
    const TskDataSkinTabControl* TabEntry() const;
    TBitmap* Picture() const { return FPicture; }
    int CloseSize() const { return FCloseSize; }
    int ActiveTabOffset() const { return FActiveTabOffset; }
    // The caption font for the bar's look.
    void PrepareFont(TCanvas& C) const;
    // The tab's caption shortened to R, drawn centred.
    void DrawTabText(TskMDITab& Tab, TCanvas& C, TRect R, TColor Color);

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void AdjustClientRect(TRect& Rect) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DrawTabs(TCanvas& C);
    void DrawDropMarker(TCanvas& C);
    void DrawTabOnBar(TskMDITab& Tab);
    void SelectChild(TObject* Sender);
    void CheckHideListButton();
    TskSkinMenuSpeedButton* MakeListButton(TAlign Align, TskSkinPopupMenu* Menu, int ArrowType, bool HiddenOnly);
    int StripHeight() const;

    std::vector<std::unique_ptr<TskMDITab>> ObjectList;
    int ActiveTabIndex = -1, OldTabIndex = -1;
    bool FDown = false;
    int DragIndex = -1;
    bool IsDrag = false;
    int DX = 0, TabDX = 0;
    int FInVisibleCount = 0;
    int FCloseSize = 14;
    // The tab whose close button the left press began on; -1 none.
    int FClosePressIndex = -1;
    TskSkinMDITabKind FTabKind = TskSkinMDITabKind::sktkTab;
    bool FShowCloseButtons = false;
    int FDefaultHeight = 21;
    std::unique_ptr<TFont> FDefaultFont;
    TComponentRef<TskSkinForm> FSkinForm{*this};
    TskSkinMenuSpeedButton* FListButton = nullptr;
    TskSkinMenuSpeedButton* FHideListButton = nullptr;
    TskSkinPopupMenu* FListMenu = nullptr;
    TskSkinPopupMenu* FHideListMenu = nullptr;
    int FBottomOffset = 0;
    int FActiveTabOffset = 0;
    TBitmap* FPicture = nullptr;
};

} // namespace tovrel
