#include "skin/forms/SkinMDITabsBar.h"

#include "platform/gdi/Text.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/MDIClient.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinPopupMenu.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

namespace {

constexpr TColor kTabHotFill = TColor(0xD2BDB6), kTabActiveFill = TColor(0xB59385);

// Shows the child, back from minimized when its component minimized it.
void ShowTabChild(TCustomForm* Child)
{
    if (TskSkinForm* skinForm = GetSkinForm(Child); skinForm && skinForm->WindowState() == wsMinimized)
        skinForm->ApplyWindowState(wsNormal);
    Child->Show();
    if (TMDIClient* client = MDIClientOf(Child))
        client->Activate(Child);
    else
        Child->BringToFront();
}

} // namespace

TskSkinMDITabsBar::TskSkinMDITabsBar(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FListMenu = new TskSkinPopupMenu(this);
    FHideListMenu = new TskSkinPopupMenu(this);
    SetSkinDataName("tab");
    SetBounds(0, 0, 150, FDefaultHeight);
}

TskSkinMDITabsBar::~TskSkinMDITabsBar()
{
    ClearTabs();
}

TskMDITab* TskSkinMDITabsBar::Tabs(int Index) const
{
    return Index >= 0 && Index < TabCount() ? ObjectList[std::size_t(Index)].get() : nullptr;
}

void TskSkinMDITabsBar::SetTabKind(TskSkinMDITabKind Value)
{
    FTabKind = Value;
    if (FIndex != -1)
        Invalidate();
}

void TskSkinMDITabsBar::SetShowCloseButtons(bool Value)
{
    FShowCloseButtons = Value;
    Invalidate();
}

void TskSkinMDITabsBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0)
        SetHeight(Value);
}

void TskSkinMDITabsBar::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
    Invalidate();
}

// ---- tabs ----

void TskSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    ObjectList.push_back(std::make_unique<TskMDITab>(this, Child));
    if (!FListButton)
        FListButton = MakeListButton(alLeft, FListMenu, 4, false);
    UpdateActiveTab();
    Invalidate();
}

void TskSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    if (TskMDITab* hot = Tabs(ActiveTabIndex); hot && hot->Child == Child) {
        if (OnTabMouseLeave)
            OnTabMouseLeave(hot);
        ActiveTabIndex = OldTabIndex = -1;
    }
    const auto at = std::find_if(ObjectList.begin(), ObjectList.end(), [Child](auto& t) { return t->Child == Child; });
    if (at != ObjectList.end()) {
        const int index = int(at - ObjectList.begin());
        ObjectList.erase(at);
        // A drag or a close press on the tab gone ends with it.
        if (DragIndex == index || FClosePressIndex == index) {
            DragIndex = FClosePressIndex = -1;
            IsDrag = FDown = false;
            TabDX = 0;
        }
    }
    if (ObjectList.empty() && FListButton) {
        delete FListButton;
        FListButton = nullptr;
    }
    Invalidate();
}

void TskSkinMDITabsBar::ClearTabs()
{
    ObjectList.clear();
}

void TskSkinMDITabsBar::UpdateActiveTab()
{
    const TMDIClient* client = ObjectList.empty() ? nullptr : MDIClientOf(ObjectList.front()->Child);
    const TCustomForm* active = client ? client->ActiveMDIChild() : nullptr;
    if (!active)
        return;
    for (const auto& tab : ObjectList)
        tab->Active = tab->Child == active;
    Invalidate();
}

int TskSkinMDITabsBar::GetTabIndex(int X, int Y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TskMDITab& tab = *ObjectList[std::size_t(i)];
        const TRect& r = tab.ObjectRect;
        if (tab.Visible && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
            return i;
    }
    return -1;
}

TskMDITab* TskSkinMDITabsBar::GetTab(int X, int Y) const
{
    return Tabs(GetTabIndex(X, Y));
}

void TskSkinMDITabsBar::CloseTab(TskMDITab* Tab)
{
    if (Tab)
        Tab->Child->Close();
}

// ---- layout ----

int TskSkinMDITabsBar::StripHeight() const
{
    return FTabKind == TskSkinMDITabKind::sktkTab ? Height() - FBottomOffset : Height();
}

void TskSkinMDITabsBar::CalcTabRects()
{
    FInVisibleCount = 0;
    if (ObjectList.empty())
        return;
    const int h = StripHeight(), count = TabCount();
    const int lb = kMDITabsListButtonWidth;
    int w = std::min((Width() - lb) / count, DefaultTabWidth);
    int limit = Width();
    if (MinTabWidth != 0 && w < MinTabWidth) {
        w = MinTabWidth;
        const int fit = (Width() - 2 * lb) / MinTabWidth;
        for (int i = 0; i < count; ++i) {
            TskMDITab& tab = *ObjectList[std::size_t(i)];
            tab.Visible = i < fit;
            tab.ObjectRect = tab.Visible ? Rect(lb + i * w, 0, lb + (i + 1) * w, h) : NullRect();
            FInVisibleCount += tab.Visible ? 0 : 1;
        }
        limit = Width() - lb;
    } else {
        for (int i = 0; i < count; ++i) {
            TskMDITab& tab = *ObjectList[std::size_t(i)];
            tab.Visible = true;
            tab.ObjectRect = Rect(lb + i * w, 0, lb + (i + 1) * w, h);
        }
        if (w < DefaultTabWidth)
            ObjectList.back()->ObjectRect.Right = Width();
    }
    if (TskMDITab* dragged = Tabs(DragIndex); dragged && IsDrag && dragged->Visible) {
        TRect& r = dragged->ObjectRect;
        const int width = r.Width();
        r.Left = std::max(0, std::min(r.Left + TabDX, limit - width));
        r.Right = r.Left + width;
    }
}

int TskSkinMDITabsBar::GetDropIndex() const
{
    const TskMDITab* dragged = Tabs(DragIndex);
    if (!dragged || TabDX == 0)
        return -1;
    const auto centre = [](const TskMDITab& t) { return t.ObjectRect.Left + t.ObjectRect.Width() / 2; };
    int target = -1;
    if (TabDX > 0) {
        for (int i = DragIndex + 1; i < TabCount(); ++i)
            if (const TskMDITab& t = *ObjectList[std::size_t(i)]; t.Visible && centre(t) < dragged->ObjectRect.Right)
                target = i;
    } else {
        for (int i = 0; i < DragIndex && target == -1; ++i)
            if (const TskMDITab& t = *ObjectList[std::size_t(i)]; t.Visible && centre(t) > dragged->ObjectRect.Left)
                target = i;
    }
    return target;
}

// ---- skin ----

const TskDataSkinTabControl* TskSkinMDITabsBar::TabEntry() const
{
    if (FIndex == -1 || !SkinData())
        return nullptr;
    return dynamic_cast<const TskDataSkinTabControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
}

void TskSkinMDITabsBar::GetSkinData()
{
    TskSkinControl::GetSkinData();
    FPicture = nullptr;
    auto* entry = const_cast<TskDataSkinTabControl*>(TabEntry());
    if (!entry) {
        FIndex = -1; // an entry of another kind is no tab entry
        FBottomOffset = FActiveTabOffset = 0;
        return;
    }
    // The close button's missing states fall back in the entry itself, as the page control expects.
    if (IsNullRect(entry->CloseButtonActiveRect))
        entry->CloseButtonActiveRect = entry->CloseButtonRect;
    if (IsNullRect(entry->CloseButtonDownRect))
        entry->CloseButtonDownRect = entry->CloseButtonActiveRect;
    FPicture = SkinData()->ActivePicture(entry->PictureIndex);
    FBottomOffset = entry->ClRect.Top;
    const TRect active = IsNullRect(entry->ActiveTabRect) ? entry->TabRect : entry->ActiveTabRect;
    FActiveTabOffset = active.Height() - entry->TabRect.Height();
}

int TskSkinMDITabsBar::GetCloseSize() const
{
    const TskDataSkinTabControl* entry = TabEntry();
    return !entry || IsNullRect(entry->CloseButtonRect) ? 14 : entry->CloseButtonRect.Width();
}

void TskSkinMDITabsBar::ChangeSkinData()
{
    TskSkinControl::ChangeSkinData();
    FCloseSize = GetCloseSize();
    if (const TskDataSkinTabControl* entry = TabEntry(); entry && UseSkinSize)
        SetHeight(entry->TabRect.Height() + (FTabKind == TskSkinMDITabKind::sktkTab ? FBottomOffset : 0));
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    for (TskSkinMenuSpeedButton* button : {FListButton, FHideListButton})
        if (button)
            button->SetSkinData(SkinData());
    Realign();
    Invalidate();
}

void TskSkinMDITabsBar::AdjustClientRect(TRect& Rect) const
{
    TskSkinControl::AdjustClientRect(Rect);
    if (FIndex != -1 && FTabKind == TskSkinMDITabKind::sktkTab)
        Rect.Bottom -= FBottomOffset;
}

// ---- painting ----

void TskSkinMDITabsBar::Paint()
{
    TskSkinControl::Paint();
    CheckHideListButton();
}

void TskSkinMDITabsBar::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& C = *B.Canvas();
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, B.Width(), B.Height()));
    DrawTabs(C);
}

void TskSkinMDITabsBar::CreateControlSkinImage(TBitmap& B)
{
    TCanvas& C = *B.Canvas();
    const TskDataSkinTabControl* entry = TabEntry();
    if (SkinData()->FormInfo.MDITabsTransparent) {
        PaintParentBackground(this, C.Handle());
    } else if (FPicture && entry->TabsBGRect.Width() > 0 && entry->TabsBGRect.Height() > 0) {
        // Tiles of the background across the strip (an empty tile draws nothing).
        TBitmap tile(entry->TabsBGRect.Width(), StripHeight());
        tile.Canvas()->CopyRect(Rect(0, 0, tile.Width(), tile.Height()), FPicture->Canvas(), entry->TabsBGRect);
        for (int x = 0; x < B.Width(); x += tile.Width())
            C.Draw(x, 0, &tile);
    } else {
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, B.Width(), B.Height()));
    }
    if (FPicture && FTabKind == TskSkinMDITabKind::sktkTab && !IsNullRect(entry->SkinRect) && FBottomOffset > 0) {
        const TRect s = entry->SkinRect;
        const TRect strip = Rect(s.Left + entry->LTPoint.X, s.Top, s.Left + entry->RTPoint.X, s.Top + FBottomOffset);
        TBitmap bottom;
        CreateHSkinImage(entry->LTPoint.X, s.Width() - entry->RTPoint.X, bottom, *FPicture,
                         Rect(s.Left, s.Top, s.Right, strip.Bottom), B.Width(), entry->TopStretch);
        C.Draw(0, B.Height() - FBottomOffset, &bottom);
    }
    DrawTabs(C);
}

void TskSkinMDITabsBar::DrawTabs(TCanvas& C)
{
    CalcTabRects();
    for (int i = 0; i < TabCount(); ++i)
        if (TskMDITab& tab = *ObjectList[std::size_t(i)]; tab.Visible && !(IsDrag && i == DragIndex))
            tab.Draw(C);
    if (TskMDITab* dragged = Tabs(DragIndex); dragged && IsDrag) {
        dragged->Draw(C);
        DrawDropMarker(C);
    }
}

void TskSkinMDITabsBar::DrawDropMarker(TCanvas& C)
{
    const TskMDITab* target = Tabs(GetDropIndex());
    if (!target)
        return;
    const int x = TabDX < 1 ? target->ObjectRect.Left : target->ObjectRect.Right, mid = Height() / 2;
    C.Pen()->SetMode(pmNot);
    C.Brush()->SetStyle(bsClear);
    for (int dx = -1; dx <= 1; ++dx) {
        C.MoveTo(x + dx, 0);
        C.LineTo(x + dx, Height());
    }
    for (const int side : {1, -1}) {
        const TPoint tri[] = {
            {x + 2 * side, mid}, {x + 5 * side, mid - 3}, {x + 5 * side, mid + 3}, {x + 2 * side, mid}};
        C.Polyline(tri);
    }
    C.Pen()->SetMode(pmCopy);
}

void TskSkinMDITabsBar::DrawTabOnBar(TskMDITab& Tab)
{
    if (HandleAllocated() && Tab.Visible)
        Invalidate();
}

void TskSkinMDITabsBar::PrepareFont(TCanvas& C) const
{
    C.Font()->Assign(FDefaultFont.get());
    if (const TskDataSkinTabControl* entry = TabEntry(); entry && UseSkinFont) {
        C.Font()->SetName(entry->FontName);
        C.Font()->SetHeight(entry->FontHeight);
        C.Font()->SetStyle(entry->FontStyle);
    }
}

void TskSkinMDITabsBar::DrawTabText(TskMDITab& Tab, TCanvas& C, TRect R, TColor Color)
{
    PrepareFont(C);
    C.Font()->SetColor(Color);
    C.Brush()->SetStyle(bsClear);
    std::string text = Tab.Child->Caption();
    WideFitTextToWidth(C.Handle(), text, R.Width());
    if (OnTabGetDrawParamsEvent)
        OnTabGetDrawParamsEvent(&Tab, &C);
    RECT r = R;
    DrawTextW(C.Handle(), text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TskMDITab::Draw(TCanvas& Cnvs)
{
    if (ObjectRect.Width() <= 0)
        return;
    TskSkinMDITabsBar& bar = *TabsBar;
    const TskDataSkinTabControl* entry = bar.TabEntry();
    const bool close = bar.ShowCloseButtons();
    const int w = ObjectRect.Width();
    TBitmap B;
    TColor color = clBtnText;
    int left = 2, right = 2;
    if (entry && bar.Picture()) {
        // Three pieces of the state's tab picture at the tab's width.
        TRect source = entry->TabRect;
        color = entry->FontColor;
        if (Active && !IsNullRect(entry->ActiveTabRect)) {
            source = entry->ActiveTabRect;
            color = entry->FocusFontColor;
        } else if (MouseIn && !Active && !IsNullRect(entry->MouseInTabRect)) {
            source = entry->MouseInTabRect;
            color = entry->MouseInFontColor;
        }
        CreateHSkinImage(entry->TabLeftOffset, entry->TabRightOffset, B, *bar.Picture(), source, w,
                         entry->TabStretchEffect);
        left = entry->TabLeftOffset;
        right = entry->TabRightOffset;
    } else {
        B.SetSize(w, ObjectRect.Height());
        B.Canvas()->Brush()->SetColor(Active ? kTabActiveFill : MouseIn ? kTabHotFill : clBtnFace);
        B.Canvas()->FillRect(Rect(0, 0, w, B.Height()));
        B.Canvas()->Brush()->SetColor(clBtnShadow);
        B.Canvas()->FrameRect(Rect(0, 0, w, B.Height()));
    }
    TCanvas& C = *B.Canvas();
    TRect text = Rect(left, 0, w - right, B.Height());
    if (close) {
        text = Rect(2, 0, w - bar.CloseSize() - 5, B.Height());
        DrawCloseButton(C, Rect(text.Right, 0, w, B.Height()));
    }
    bar.DrawTabText(*this, C, text, color);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

void TskMDITab::DrawCloseButton(TCanvas& Cnvs, TRect R)
{
    const TskDataSkinTabControl* entry = TabsBar->TabEntry();
    if (entry && TabsBar->Picture() && !IsNullRect(entry->CloseButtonRect)) {
        const TRect source = ButtonMouseDown && ButtonMouseIn ? entry->CloseButtonDownRect
                             : ButtonMouseIn                  ? entry->CloseButtonActiveRect
                                                              : entry->CloseButtonRect;
        ButtonRect = Bounds(R.Left, R.Top + (R.Height() - source.Height()) / 2, source.Width(), source.Height());
        TBitmap glyph(source.Width(), source.Height());
        glyph.Canvas()->CopyRect(Rect(0, 0, source.Width(), source.Height()), TabsBar->Picture()->Canvas(), source);
        if (entry->ButtonTransparent) {
            glyph.SetTransparent(true);
            glyph.SetTransparentColor(entry->ButtonTransparentColor);
        }
        Cnvs.Draw(ButtonRect.Left, ButtonRect.Top, &glyph);
        return;
    }
    ButtonRect = Bounds(R.Left, R.Top + (R.Height() - 14) / 2, 14, 14);
    DrawCloseImage(Cnvs.Handle(), ButtonRect.Left + 2, ButtonRect.Top + 2, ButtonMouseIn ? 0xFFFFFF : 0);
}

TRect TskMDITab::CloseButtonOnBar() const
{
    return Bounds(ButtonRect.Left + ObjectRect.Left, ButtonRect.Top + ObjectRect.Top, ButtonRect.Width(),
                  ButtonRect.Height());
}

// ---- mouse ----

void TskSkinMDITabsBar::TestActiveTab(int X, int Y)
{
    ActiveTabIndex = GetTabIndex(X, Y);
    const bool changed = ActiveTabIndex != OldTabIndex;
    if (changed) {
        if (TskMDITab* old = Tabs(OldTabIndex); old && old->Visible) {
            old->MouseIn = false;
            DrawTabOnBar(*old);
            if (OnTabMouseLeave)
                OnTabMouseLeave(old);
        }
        if (TskMDITab* hot = Tabs(ActiveTabIndex)) {
            hot->MouseIn = true;
            DrawTabOnBar(*hot);
            if (OnTabMouseEnter)
                OnTabMouseEnter(hot);
        }
        OldTabIndex = ActiveTabIndex;
    }
    if (!FShowCloseButtons)
        return;
    if (TskMDITab* hot = Tabs(ActiveTabIndex)) {
        const bool in = hot->CloseButtonOnBar().Contains(Point(X, Y));
        if (in != hot->ButtonMouseIn) {
            hot->ButtonMouseIn = in;
            if (!in)
                hot->ButtonMouseDown = false;
            DrawTabOnBar(*hot);
        }
    }
    if (changed) {
        bool cleared = false;
        for (int i = 0; i < TabCount(); ++i)
            if (TskMDITab& t = *ObjectList[std::size_t(i)]; i != ActiveTabIndex && t.ButtonMouseIn) {
                t.ButtonMouseIn = t.ButtonMouseDown = false;
                cleared = true;
            }
        if (cleared)
            Invalidate();
    }
}

void TskSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    const int index = GetTabIndex(X, Y);
    TskMDITab* tab = Tabs(index);
    FClosePressIndex = -1;
    if (!tab)
        return;
    if (Button == mbLeft) {
        ShowTabChild(tab->Child);
        FDown = true;
        DragIndex = MoveTabs ? index : -1;
        DX = X;
        TabDX = 0;
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
        if (FShowCloseButtons && tab->CloseButtonOnBar().Contains(Point(X, Y))) {
            FDown = false;
            DragIndex = -1;
            tab->ButtonMouseIn = tab->ButtonMouseDown = true;
            FClosePressIndex = index;
        } else {
            tab->ButtonMouseIn = tab->ButtonMouseDown = false;
        }
        UpdateActiveTab();
        Invalidate();
    } else if (Button == mbRight) {
        TskSkinForm* childForm = GetSkinForm(tab->Child);
        if (SupportChildMenus && childForm && FSkinForm && FSkinForm->SkinMenu()) {
            const TPoint p = ClientToScreen(Point(X, Y));
            FSkinForm->SkinMenuOpen();
            TskSkinData* data = FSkinForm->MenusSkinData() ? FSkinForm->MenusSkinData() : FSkinForm->SkinData();
            FSkinForm->SkinMenu()->Popup(Parent(), data, 0, Rect(p.X, p.Y, p.X, p.Y), childForm->GetSystemMenuItems(),
                                         false);
        }
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
    }
}

void TskSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseMove(Shift, X, Y);
    if (FDown && DragIndex != -1 && !IsDrag && X != DX)
        IsDrag = true;
    if (IsDrag) {
        TabDX = X - DX;
        Invalidate();
    } else {
        TestActiveTab(X, Y);
    }
}

void TskSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    FDown = false;
    const bool dragged = IsDrag;
    if (IsDrag) {
        IsDrag = false;
        CalcTabRects();
        // The drop target is judged where the tab was let go.
        IsDrag = true;
        CalcTabRects();
        const int target = GetDropIndex();
        IsDrag = false;
        if (target != -1 && target != DragIndex) {
            auto moved = std::move(ObjectList[std::size_t(DragIndex)]);
            ObjectList.erase(ObjectList.begin() + DragIndex);
            ObjectList.insert(ObjectList.begin() + target, std::move(moved));
        }
        DragIndex = -1;
        DX = TabDX = 0;
        Invalidate();
    } else if (TskMDITab* tab = GetTab(X, Y); tab && OnTabMouseUp) {
        OnTabMouseUp(Button, Shift, tab);
    }
    DragIndex = -1;
    const int pressed = std::exchange(FClosePressIndex, -1);
    if (!FShowCloseButtons || Button != mbLeft)
        return;
    const int index = GetTabIndex(X, Y);
    TskMDITab* tab = Tabs(index);
    if (!tab)
        return;
    // Only a press and a release on the same close button close, never the end of a drag.
    if (!dragged && index == pressed && tab->CloseButtonOnBar().Contains(Point(X, Y))) {
        tab->ButtonMouseIn = true;
        tab->ButtonMouseDown = false;
        CloseTab(tab);
    } else {
        tab->ButtonMouseIn = tab->ButtonMouseDown = false;
    }
    Invalidate();
}

void TskSkinMDITabsBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSELEAVE:
        TskSkinControl::WndProc(Message);
        if (!IsDrag)
            TestActiveTab(-1, -1);
        return;
    case CheckParentBackgroundMessage:
        if (FIndex != -1 && SkinData() && SkinData()->FormInfo.MDITabsTransparent)
            Invalidate();
        break;
    case WM_MOVE:
        if (FIndex != -1 && SkinData() && SkinData()->FormInfo.MDITabsTransparent && Align() == alNone)
            Invalidate();
        break;
    default: break;
    }
    TskSkinControl::WndProc(Message);
}

// ---- child lists ----

TskSkinMenuSpeedButton* TskSkinMDITabsBar::MakeListButton(TAlign Align, TskSkinPopupMenu* Menu, int ArrowType,
                                                          bool HiddenOnly)
{
    auto* button = new TskSkinMenuSpeedButton(this);
    button->SetAlign(Align);
    button->SetSkinDataName("resizetoolbutton");
    button->SetSkinData(SkinData());
    button->SetWidth(kMDITabsListButtonWidth);
    button->SetSkinPopupMenu(Menu);
    button->FDrawStandardArrow = true;
    button->FArrowType = ArrowType;
    button->OnShowTrackMenu = [this, HiddenOnly](TObject*) { FillListMenu(HiddenOnly); };
    button->SetParent(this);
    return button;
}

void TskSkinMDITabsBar::CheckHideListButton()
{
    if (FInVisibleCount > 0 && !FHideListButton) {
        FHideListButton = MakeListButton(alRight, FHideListMenu, 2, true);
    } else if (FInVisibleCount == 0 && FHideListButton) {
        FHideListButton->Hide();
        // Freed after this paint: it may be the one being painted.
        FHideListButton->SetParent(nullptr);
        delete FHideListButton;
        FHideListButton = nullptr;
    }
}

void TskSkinMDITabsBar::FillListMenu(bool HiddenOnly)
{
    TskSkinPopupMenu* menu = HiddenOnly ? FHideListMenu : FListMenu;
    const std::string suffix = HiddenOnly ? kMDITabsHideListSuffix : kMDITabsListSuffix;
    menu->SetSkinData(SkinData());
    menu->Items()->Clear();
    for (const auto& tab : ObjectList) {
        if (HiddenOnly && tab->Visible)
            continue;
        auto* item = new TMenuItem(menu);
        item->SetName(tab->Child->Name() + suffix);
        item->SetCaption(tab->Child->Caption());
        item->SetRadioItem(true);
        item->SetChecked(tab->Active);
        item->OnClick = [this](TObject* sender) { SelectChild(sender); };
        menu->Items()->Add(item);
    }
}

void TskSkinMDITabsBar::SelectChild(TObject* Sender)
{
    const auto* item = dynamic_cast<const TMenuItem*>(Sender);
    if (!item || !FSkinForm)
        return;
    std::string name = item->Name();
    for (const char* suffix : {kMDITabsHideListSuffix, kMDITabsListSuffix})
        if (const std::size_t at = name.rfind(suffix);
            at != std::string::npos && at + std::strlen(suffix) == name.size()) {
            name.erase(at);
            break;
        }
    for (const auto& tab : ObjectList)
        if (tab->Child->Name() == name) {
            ShowTabChild(tab->Child);
            UpdateActiveTab();
            return;
        }
}

} // namespace tovrel
