// The skinned page control's properties, skin values, rectangle corrections,
// hot tab, close buttons, wheel and hidden tabs.
#include "skin/controls/SkinPageControl.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Input.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinViewEntries.h"

#include <algorithm>

namespace tovrel {

namespace {

TRect OrIfEmpty(const TRect& r, const TRect& fallback)
{
    return r.Width() <= 0 || r.Height() <= 0 ? fallback : r;
}

} // namespace

TskSkinPageControl::TskSkinPageControl(TComponent* AOwner)
    : TPageControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    for (TFont* f : {FDefaultFont.get(), Font()}) {
        f->SetName("Arial");
        f->SetHeight(14);
        f->SetColor(clBtnText);
    }
    FTempImages = new TCustomImageList(this);
    FTempImages->SetSize(1, 1);
    TCustomTabControl::SetImages(FTempImages);
    SetItemSize(TabWidth(), FDefaultItemHeight);
}

TskSkinPageControl::~TskSkinPageControl() = default;

void TskSkinPageControl::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value && !Value->Empty)
        ChangeSkinData();
}

void TskSkinPageControl::GetSkinData()
{
    BGPictureIndex = -1;
    FIndex = FSD && !FSD->Empty ? FSD->GetControlIndex(FSkinDataName) : -1;
    const auto* e = SkinEntryAt<const TskDataSkinTabControl>(FSD, FIndex);
    FTabEntry = e != nullptr;
    if (!e)
        return;
    Picture = FSD->ActivePicture(e->PictureIndex);
    SkinRect = e->SkinRect;
    ClRect = e->ClRect;
    TabRect = e->TabRect;
    ActiveTabRect = OrIfEmpty(e->ActiveTabRect, e->TabRect);
    FocusTabRect = OrIfEmpty(e->FocusTabRect, e->ActiveTabRect);
    MouseInTabRect = e->MouseInTabRect;
    TabsBGRect = e->TabsBGRect;
    LTPoint = e->LTPoint;
    RTPoint = e->RTPoint;
    LBPoint = e->LBPoint;
    RBPoint = e->RBPoint;
    TabLeftOffset = e->TabLeftOffset;
    TabRightOffset = e->TabRightOffset;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    FontColor = e->FontColor;
    ActiveFontColor = e->ActiveFontColor;
    FocusFontColor = e->FocusFontColor;
    MouseInFontColor = e->MouseInFontColor;
    FUpDownName = e->UpDown;
    BGPictureIndex = e->BGPictureIndex;
    TabStretchEffect = e->TabStretchEffect;
    ShowFocus = e->ShowFocus;
    FocusOffsetX = e->FocusOffsetX;
    FocusOffsetY = e->FocusOffsetY;
    StretchEffect = e->StretchEffect;
    LeftStretch = e->LeftStretch;
    TopStretch = e->TopStretch;
    RightStretch = e->RightStretch;
    BottomStretch = e->BottomStretch;
    StretchType = e->StretchType;
    CloseButtonRect = e->CloseButtonRect;
    CloseButtonActiveRect = OrIfEmpty(e->CloseButtonActiveRect, e->CloseButtonRect);
    CloseButtonDownRect = OrIfEmpty(e->CloseButtonDownRect, CloseButtonActiveRect);
    ButtonTransparent = e->ButtonTransparent;
    ButtonTransparentColor = e->ButtonTransparentColor;
}

void TskSkinPageControl::ChangeSkinData()
{
    GetSkinData();
    if (FShowCloseButtons)
        FCloseSize = GetCloseSize();
    UpdateSpacer();
    const TskResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
    int h = TabHeight();
    if (!SkinLook()) {
        Font()->Assign(FDefaultFont.get());
        if (strings)
            Font()->SetCharset(strings->CharSet());
        if (h <= 0)
            h = FDefaultItemHeight;
    } else {
        if (UseSkinFont) {
            Font()->SetName(FontName);
            Font()->SetHeight(FontHeight);
            Font()->SetStyle(FontStyle);
        } else {
            Font()->Assign(FDefaultFont.get());
        }
        Font()->SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
        Font()->SetColor(FontColor);
        if (h <= 0)
            h = TabRect.Height();
    }
    SetItemSize(TabWidth(), h);
    UpdateUpDownPosition();
    Realign();
    // A fresh up-down for the new skin, when the tabs still overflow.
    FreeUpDown();
    UpdateUpDown();
    if (ActivePage())
        ActivePage()->Invalidate();
}

int TskSkinPageControl::GetHiddenTabCount()
{
    int n = 0;
    for (int i = 0; i < PageCount(); ++i)
        if (const int v = Pages(i)->TabIndex(); v >= 0) {
            const TRect r = GetTabRect(v);
            if (r.Right > Width() - 3 || r.Right <= 0)
                ++n;
        }
    return n;
}

int TskSkinPageControl::GetScrolledTabCount()
{
    int n = 0;
    for (int i = 0; i < PageCount(); ++i)
        if (const int v = Pages(i)->TabIndex(); v >= 0 && GetTabRect(v).Right <= 0)
            ++n;
    return n;
}

void TskSkinPageControl::FreeUpDown()
{
    TObject::Free(std::exchange(FSkinUpDown, nullptr));
}

void TskSkinPageControl::PlaceUpDown()
{
    FSkinUpDown->SetBounds(Width() - FSkinUpDown->Width(),
                           TabPosition() == tpTop ? 0 : Height() - FSkinUpDown->Height(), FSkinUpDown->Width(),
                           FSkinUpDown->Height());
}

void TskSkinPageControl::UpdateUpDown()
{
    const int n = GetHiddenTabCount();
    if ((n == 0 || MultiLine()) && FSkinUpDown)
        FreeUpDown();
    else if (n > 0 && !MultiLine() && !FSkinUpDown)
        CreateUpDown();
    if (!FSkinUpDown)
        return;
    FSkinUpDown->SetMax(n);
    PlaceUpDown();
}

void TskSkinPageControl::CreateUpDown()
{
    if (FHideTabs)
        return;
    FSkinUpDown = new TskSkinUpDown(this);
    FSkinUpDown->SetParent(this);
    FSkinUpDown->SetBounds(0, 0, 2 * FDefaultItemHeight, FDefaultItemHeight);
    FSkinUpDown->SetMin(0);
    FSkinUpDown->SetMax(GetHiddenTabCount());
    FSkinUpDown->SetPosition(GetScrolledTabCount());
    FSkinUpDown->Increment = 1;
    FSkinUpDown->OnChange = [this](TObject*) { UpDownChange(); };
    PlaceUpDown();
    FSkinUpDown->SetSkinDataName(FUpDownName);
    FSkinUpDown->SetSkinData(FSD);
    FSkinUpDown->SetVisible(true);
}

void TskSkinPageControl::UpDownChange()
{
    FSkinUpDown->SetMax(GetHiddenTabCount());
    Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FSkinUpDown->Position()), 0);
}

void TskSkinPageControl::UpdateUpDownPosition()
{
    if (FSkinUpDown)
        FSkinUpDown->SetPosition(GetScrolledTabCount());
    Invalidate();
}

void TskSkinPageControl::Loaded()
{
    TPageControl::Loaded();
    if (!SkinLook()) {
        SetItemSize(TabWidth(), TabHeight() > 0 ? TabHeight() : FDefaultItemHeight);
        UpdateUpDownPosition();
        Realign();
    }
}

void TskSkinPageControl::SetItemSize(int AWidth, int AHeight)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(AWidth, AHeight));
}

int TskSkinPageControl::GetCloseSize() const
{
    if (!SkinLook() || CloseButtonRect.Width() <= 0 || CloseButtonRect.Height() <= 0)
        return 14;
    return CloseButtonRect.Width();
}

void TskSkinPageControl::UpdateSpacer()
{
    // The platform reserves the image list's width in every tab with an
    // image index: room for the tab image and the close button.
    const int width = 1 + (FImages ? FImages->Width() : 0) + (FShowCloseButtons ? FCloseSize : 0);
    FTempImages->SetSize(width, 1);
    Realign();
}

void TskSkinPageControl::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = Value;
    if (!SkinLook()) {
        SetItemSize(TabWidth(), Value);
        UpdateUpDownPosition();
        Realign();
    }
}

void TskSkinPageControl::SetTabsInCenter(bool Value)
{
    if (Value && TabWidth() == 0)
        return;
    FTabsInCenter = Value;
    if (Value) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    Invalidate();
}

void TskSkinPageControl::SetTabsOffset(int Value)
{
    FTabsOffset = Value;
    if (Value > 0) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    Invalidate();
}

void TskSkinPageControl::SetTabsBGTransparent(bool Value)
{
    if (Value == FTabsBGTransparent)
        return;
    FTabsBGTransparent = Value;
    Invalidate();
}

void TskSkinPageControl::SetTextInHorizontal(bool Value)
{
    FTextInHorizontal = Value;
    Invalidate();
}

void TskSkinPageControl::SetTabExtededDraw(bool Value)
{
    FTabExtededDraw = Value;
    Invalidate();
}

void TskSkinPageControl::SetTabMargin(int Value)
{
    if (Value == FTabMargin || Value < -1)
        return;
    FTabMargin = Value;
    Repaint();
}

void TskSkinPageControl::SetTabSpacing(int Value)
{
    if (Value == FTabSpacing)
        return;
    FTabSpacing = Value;
    Repaint();
}

void TskSkinPageControl::SetTabLayout(int Value)
{
    if (Value == FTabLayout)
        return;
    FTabLayout = Value;
    Repaint();
}

void TskSkinPageControl::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    UpdateSpacer();
    Invalidate();
}

void TskSkinPageControl::SetShowCloseButtons(bool Value)
{
    if (Value != FShowCloseButtons) {
        FShowCloseButtons = Value;
        FCloseSize = GetCloseSize();
        UpdateSpacer();
    }
    Invalidate();
}

TskSkinTabSheet* TskSkinPageControl::SheetOfVisibleTab(int v) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabIndex() == v)
            return dynamic_cast<TskSkinTabSheet*>(Pages(i));
    return nullptr;
}

int TskSkinPageControl::VisibleIndexOf(int page) const
{
    return page >= 0 && page < PageCount() ? Pages(page)->TabIndex() : -1;
}

bool TskSkinPageControl::HasVisibleTabs() const
{
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible())
            return true;
    return false;
}

int TskSkinPageControl::GetTabsOffset()
{
    if (FTabsOffset > 0)
        return FTabsOffset;
    if (TabWidth() == 0)
        return 0;
    int sum = 0;
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible())
            sum += TabWidth();
    return std::max(0, Width() / 2 - sum / 2);
}

TRect TskSkinPageControl::GetTabRect(int VisibleIndex)
{
    TRect r{0, 0, 0, 0};
    Perform(TCM_GETITEMRECT, WPARAM(VisibleIndex), ToLParam(&r));
    if (VisibleIndex == 0 && !MultiLine())
        r.Left += 1;
    return r;
}

void TskSkinPageControl::CorrectItemRect(TRect& r)
{
    const bool single = !MultiLine();
    switch (TabPosition()) {
    case tpTop:
        if (single) {
            r.Left -= 2;
            r.Right -= 2;
        }
        r.Top -= 2;
        r.Bottom -= 2;
        if (Centred()) {
            const int offset = GetTabsOffset();
            r.Left += offset;
            r.Right += offset;
        }
        break;
    case tpBottom:
        if (single) {
            r.Left -= 2;
            r.Right -= 2;
        }
        r.Top += 2;
        r.Bottom += 2;
        break;
    case tpLeft:
        r.Left -= 2;
        r.Right -= 2;
        break;
    case tpRight:
        r.Left += 2;
        r.Right += 2;
        break;
    }
}

void TskSkinPageControl::CorrectDisplayRect(TRect& r) const
{
    if (FHideBorder) {
        r = TRect{0, -2, Width(), Height()};
        return;
    }
    const int CW = ClientWidth(), CH = ClientHeight();
    const bool skin = SkinLook();
    const int l = ClRect.Left, t = ClRect.Top, rr = SkinRect.Width() - ClRect.Right,
              b = SkinRect.Height() - ClRect.Bottom;
    switch (TabPosition()) {
    case tpTop:
        if (skin)
            r = TRect{l, r.Top + t - 6, CW - rr, CH - b};
        else
            r = TRect{1, r.Top - 5, CW - 1, CH - 1};
        if (FHideTabs)
            r.Top -= 1;
        break;
    case tpBottom:
        if (skin)
            r = TRect{l, r.Top + t - 4, CW - rr, r.Bottom + 4 - b};
        else
            r = TRect{1, 1, CW - 1, r.Bottom + 3};
        if (FHideTabs && skin)
            r.Bottom += 1;
        break;
    case tpLeft:
        if (skin)
            r = TRect{r.Left + l - 4, r.Top + t - 4, CW - rr, CH - b};
        else
            r = TRect{r.Left - 3, r.Top - 5, CW - 1, CH - 1};
        if (FHideTabs)
            r.Left -= 1;
        break;
    case tpRight:
        if (skin)
            r = TRect{l, r.Top + t - 4, r.Right + 4 - rr, CH - b};
        else
            r = TRect{r.Left - 3, r.Top - 5, r.Right + 3, CH - 1};
        if (FHideTabs)
            r.Right += 1;
        break;
    }
}

void TskSkinPageControl::AdjustClientRect(TRect& rect) const
{
    rect = ClientRect();
    const_cast<TskSkinPageControl*>(this)->Perform(TCM_ADJUSTRECT, 0, ToLParam(&rect));
}

void TskSkinPageControl::RedrawTabs()
{
    Invalidate();
}

void TskSkinPageControl::TrackHotTab(int X, int Y)
{
    if (FHideTabs)
        return;
    const int oldIndex = FActiveTabIndex;
    FActiveTab = -1;
    FActiveTabIndex = -1;
    for (int i = 0; i < PageCount(); ++i) {
        const int v = Pages(i)->TabIndex();
        if (v >= 0 && GetTabRect(v).Contains(TPoint{X, Y})) {
            FActiveTab = i;
            FActiveTabIndex = v;
            break;
        }
    }
    if (oldIndex != FActiveTabIndex) {
        if (TskSkinTabSheet* old = SheetOfVisibleTab(oldIndex)) {
            old->ButtonMouseIn = false;
            old->ButtonMouseDown = false;
        }
        RedrawTabs();
    }
    if (FActiveTabIndex == -1 || !FShowCloseButtons)
        return;
    TskSkinTabSheet* sheet = SheetOfVisibleTab(FActiveTabIndex);
    if (!sheet)
        return;
    const bool in = CloseRect(FActiveTabIndex).Contains(TPoint{X, Y});
    if (in != sheet->ButtonMouseIn) {
        sheet->ButtonMouseIn = in;
        if (!in)
            sheet->ButtonMouseDown = false;
        RedrawTabs();
    }
}

TRect TskSkinPageControl::CloseRect(int VisibleIndex)
{
    const TskSkinTabSheet* sheet = SheetOfVisibleTab(VisibleIndex);
    if (!sheet)
        return TRect{0, 0, 0, 0};
    const TRect tab = GetTabRect(VisibleIndex);
    const TRect& b = sheet->ButtonRect;
    return TRect{tab.Left + b.Left, tab.Top + b.Top, tab.Left + b.Right, tab.Top + b.Bottom};
}

void TskSkinPageControl::CloseButtonMouse(bool Down, int X, int Y)
{
    if (FHideTabs || !FShowCloseButtons || FActiveTabIndex == -1)
        return;
    TskSkinTabSheet* sheet = SheetOfVisibleTab(FActiveTabIndex);
    if (!sheet)
        return;
    TRect r = CloseRect(FActiveTabIndex);
    if (Centred()) {
        const int offset = GetTabsOffset();
        r.Left -= offset;
        r.Right -= offset;
    }
    const bool inside = r.Contains(TPoint{X, Y});
    if (Down) {
        sheet->ButtonMouseIn = inside;
        sheet->ButtonMouseDown = inside;
        FCloseDownTab = inside ? FActiveTabIndex : -1;
        RedrawTabs();
        return;
    }
    // A release closes only what a press inside the same button began.
    const bool closes = inside && sheet->ButtonMouseDown && FCloseDownTab == FActiveTabIndex;
    sheet->ButtonMouseIn = inside;
    sheet->ButtonMouseDown = false;
    FCloseDownTab = -1;
    RedrawTabs();
    if (closes)
        CloseActivePage();
}

void TskSkinPageControl::CloseActivePage()
{
    TTabSheet* page = ActivePage();
    if (!page)
        return;
    bool canClose = true;
    if (OnClose)
        OnClose(page, canClose);
    if (canClose) {
        page->SetTabVisible(false);
        if (FreeOnClose)
            TObject::Free(page);
        FActiveTab = -1;
        FActiveTabIndex = -1;
        if (OnAfterClose)
            OnAfterClose(this);
        return;
    }
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) != Handle())
        if (auto* sheet = dynamic_cast<TskSkinTabSheet*>(page)) {
            sheet->ButtonMouseIn = false;
            sheet->ButtonMouseDown = false;
            RedrawTabs();
        }
}

void TskSkinPageControl::WheelNotch(int Delta)
{
    TTabSheet* current = ActivePage();
    if (!current)
        return;
    const int step = Delta < 0 ? 1 : -1;
    for (int i = current->PageIndex() + step; i >= 0 && i < PageCount(); i += step)
        if (Pages(i)->TabVisible()) {
            SetActivePage(Pages(i));
            return;
        }
}

void TskSkinPageControl::HideTabs()
{
    if (FOldTabHeight != -1 || !HasVisibleTabs())
        return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight)
        SetTabPosition(tpTop);
    SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    FreeUpDown();
}

void TskSkinPageControl::ShowTabs()
{
    if (FOldTabHeight == -1)
        return;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    FHideTabs = false;
    SetTabHeight(FOldTabHeight);
    if (FOldTabHeight <= 0) {
        GetSkinData();
        SetItemSize(TabWidth(), SkinLook() ? TabRect.Height() : FDefaultItemHeight);
    }
    FOldTabHeight = -1;
    if (!MultiLine())
        UpdateUpDown();
}

void TskSkinPageControl::HideBorderAndTabs()
{
    SetTabPosition(tpTop);
    FHideTabs = true;
    FHideBorder = true;
    FreeUpDown();
    Realign();
    Invalidate();
}

void TskSkinPageControl::ShowBorderAndTabs()
{
    FHideBorder = false;
    FHideTabs = false;
    ShowTabs();
    Realign();
    Invalidate();
}

void TskSkinPageControl::Change()
{
    if (FSkinUpDown)
        FSkinUpDown->SetPosition(GetScrolledTabCount());
    TPageControl::Change();
    Invalidate();
    if (ActivePage())
        ActivePage()->Invalidate();
}

void TskSkinPageControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TrackHotTab(X, Y);
    TPageControl::MouseMove(Shift, X, Y);
}

void TskSkinPageControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case TCM_ADJUSTRECT:
        TPageControl::WndProc(message);
        if (message.WParam == 0 && message.LParam)
            CorrectDisplayRect(*FromLParam<RECT>(message.LParam));
        return;
    case TCM_GETITEMRECT:
        TPageControl::WndProc(message);
        if (message.Result && message.LParam)
            CorrectItemRect(*FromLParam<RECT>(message.LParam));
        return;
    case TCM_SETCURSEL:
        TPageControl::WndProc(message);
        if (!ComponentState().Contains(csLoading))
            Invalidate();
        return;
    case WM_HSCROLL:
        TPageControl::WndProc(message);
        Repaint();
        return;
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_SIZE:
        GetSkinData();
        TPageControl::WndProc(message);
        if (!MultiLine())
            UpdateUpDown();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TPageControl::WndProc(message);
        Invalidate();
        return;
    case WM_MOUSEWHEEL:
        TPageControl::WndProc(message);
        if (MouseWheelSupport)
            WheelNotch(short(HIWORD(message.WParam)));
        return;
    case CM_MOUSELEAVE:
        TPageControl::WndProc(message);
        TrackHotTab(-1, -1);
        return;
    case CheckParentBackgroundMessage:
        if (FTabsBGTransparent)
            Repaint();
        return;
    case SkinPaintToMessage: message.Result = SkinPaintDoneResult; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        // The platform keeps its tabs at the left: centred tabs are hit there.
        TPoint p = PointFromLParam(message.LParam);
        if (Centred()) {
            p.X -= GetTabsOffset();
            message.LParam = MAKELPARAM(p.X, p.Y);
        } else {
            TrackHotTab(p.X, p.Y);
        }
        TPageControl::WndProc(message);
        CloseButtonMouse(message.Msg != WM_LBUTTONUP, p.X, p.Y);
        return;
    }
    default: TPageControl::WndProc(message);
    }
}

} // namespace tovrel
