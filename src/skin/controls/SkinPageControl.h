#pragma once
// The skinned page control: the platform's tab control keeps laying out,
// selecting and scrolling the tabs; this class corrects its rectangles for
// the skin's frame, centres or offsets the tabs, tracks the hot tab, puts
// close buttons on the tabs and draws frame, strip and tabs (on any side,
// with turned text) from the "tab" entry or in a flat default look.
#include "platform/ctrls/PageControl.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/data/SkinData.h"

#include <functional>
#include <memory>

namespace tovrel {

class TBitmap;
class TCanvas;
class TskSkinTabSheet;
class TskSkinUpDown;
enum class TskStretchType : std::uint8_t;

using TskCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TskDrawSkinTabEvent =
    std::function<void(int TabIndex, const TRect& Rct, bool Active, bool MouseIn, TCanvas& Cnvs)>;

class TskSkinPageControl : public TPageControl {
public:
    explicit TskSkinPageControl(TComponent* AOwner);
    ~TskSkinPageControl() override;

    TskSkinData* SkinData() const { return FSD; }
    // A loaded skin is applied at once.
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(std::string Value) { FSkinDataName = std::move(Value); }
    int SkinIndex() const { return FIndex; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    bool UseSkinFont = true;
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    bool TabsInCenter() const { return FTabsInCenter; }
    // Needs a TabWidth; moves the tabs to the top on one line.
    void SetTabsInCenter(bool Value);
    int TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(int Value);
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool Value);
    bool TextInHorizontal() const { return FTextInHorizontal; }
    void SetTextInHorizontal(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    bool TabExtededDraw() const { return FTabExtededDraw; }
    // Tab content laid out as image and text with the three below.
    void SetTabExtededDraw(bool Value);
    int TabMargin() const { return FTabMargin; }
    // -1 centres; values below -1 are ignored.
    void SetTabMargin(int Value);
    int TabSpacing() const { return FTabSpacing; }
    void SetTabSpacing(int Value);
    // The image's side of the text (the glyph layout codes glLeft .. glBottom).
    int TabLayout() const { return FTabLayout; }
    void SetTabLayout(int Value);
    bool FreeOnClose = false;
    bool MouseWheelSupport = false;

    TskCloseEvent OnClose;
    TNotifyEvent OnAfterClose;
    TskDrawSkinTabEvent OnDrawSkinTab;

    void ChangeSkinData();
    void GetSkinData();
    // The platform's tab rectangle of visible tab v with the skin's corrections.
    TRect GetTabRect(int VisibleIndex);
    int GetTabsOffset();
    // Visible tab under the mouse; -1 none.
    int HotTabIndex() const { return FActiveTabIndex; }
    // Hides the tabs (tab height 1) and shows them again as they were.
    void HideTabs();
    void ShowTabs();
    bool TabsHidden() const { return FHideTabs; }
    // The skinned up-down standing in for the platform's scroll arrows while
    // single-line tabs overflow; null otherwise.
    TskSkinUpDown* UpDown() const { return FSkinUpDown; }
    // Visible tabs cut at the right or scrolled out at the left, and the latter alone.
    int GetHiddenTabCount();
    int GetScrolledTabCount();
    // Tabs and frame away: the pages cover the whole control.
    void HideBorderAndTabs();
    void ShowBorderAndTabs();

    // Skin values the sheets read.
    bool SkinLook() const { return FIndex != -1 && FTabEntry; }
    TBitmap* Picture = nullptr; // owned by the skin data
    TRect SkinRect, ClRect;
    int BGPictureIndex = -1;
    bool StretchEffect = false;
    TskStretchType StretchType{};

protected:
    void Loaded() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void AdjustClientRect(TRect& rect) const override;
    void Change() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    TskSkinTabSheet* SheetOfVisibleTab(int v) const;
    int VisibleIndexOf(int page) const;
    bool HasVisibleTabs() const;
    void SetItemSize(int AWidth, int AHeight);
    void UpdateSpacer();
    int GetCloseSize() const;
    void CorrectDisplayRect(TRect& r) const;
    void CorrectItemRect(TRect& r);
    bool Centred() const { return FTabsInCenter || FTabsOffset > 0; }
    void TrackHotTab(int X, int Y);
    void CloseButtonMouse(bool Down, int X, int Y);
    TRect CloseRect(int VisibleIndex);
    void CloseActivePage();
    void WheelNotch(int Delta);
    void RedrawTabs();
    void UpdateUpDown();
    void CreateUpDown();
    void FreeUpDown();
    void PlaceUpDown();
    void UpDownChange();
    void UpdateUpDownPosition();

    // Painting.
    int ActiveExtension() const; // d: height(ActiveTabRect) - height(TabRect)
    TRect FramedArea();
    TRect GetActiveTabExtension();
    void PaintDefaultBorder(TCanvas& C);
    void PaintSkinBorder(TCanvas& C);
    void PaintSkinBackground(TCanvas& C);
    void DrawTabs(TCanvas& C);
    void DrawTab(int PageIndex, const TRect& R, TCanvas& C, bool Hot, bool Selected);
    void DrawCloseButton(TCanvas& C, const TRect& A, int BH, int BW, int PageIndex);
    void SetTabFont(TCanvas& C);

    TComponentRef<TskSkinData> FSD{*this};
    std::string FSkinDataName = "tab";
    int FIndex = -1;
    bool FTabEntry = false;
    std::unique_ptr<TFont> FDefaultFont;
    TComponentRef<TCustomImageList> FImages{*this};
    TCustomImageList* FTempImages = nullptr; // owned as a component
    int FCloseSize = 14;
    TskSkinUpDown* FSkinUpDown = nullptr;
    std::string FUpDownName; // the entry's name for the up-down
    int FActiveTab = -1, FActiveTabIndex = -1;
    bool FHideTabs = false;
    bool FHideBorder = false;
    int FOldTabHeight = -1;
    TTabPosition FOldTabPosition = tpTop;
    bool FOldMultiLine = false;
    int FDefaultItemHeight = 20;
    bool FTabsInCenter = false;
    int FTabsOffset = 0;
    bool FTabsBGTransparent = false;
    bool FTextInHorizontal = false;
    bool FShowCloseButtons = false;
    bool FTabExtededDraw = false;
    int FTabMargin = -1, FTabSpacing = 1, FTabLayout = 0;
    int FCloseDownTab = -1; // visible tab whose close button the press went down on

    // Copies of the "tab" entry.
    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    bool TabStretchEffect = false, ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// A page of the skinned page control: a wallpaper, the control's skin
// background or the face colour behind its children, and the state of its
// tab's close button.
class TskSkinTabSheet : public TTabSheet {
public:
    explicit TskSkinTabSheet(TComponent* AOwner);
    ~TskSkinTabSheet() override;

    TBitmap* WallPaper() const { return FWallPaper.get(); }
    void SetWallPaper(const TBitmap* Value);
    void PaintBG(TCanvas& C);

    TRect ButtonRect;
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

protected:
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TBitmap> FWallPaper;
};

// Fills W x H of C from (0, 0) with Source by the tab entry's rule:
// stretched whole, stretched in strips across or down, or tiled.
void FillByStretchRule(TCanvas& C, TBitmap& Source, int W, int H, bool Stretch, TskStretchType Type);

} // namespace tovrel
