// The menu bar control: its items built from the main menu, the painting
// pass, mouse tracking and the overflow marker.
#include "skin/forms/SkinMainMenuBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/forms/DisabledTimer.h"
#include "skin/forms/MenuBarMDIButton.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinMenu.h"

namespace tovrel {

namespace {

// Windows' PtInRect: the right and bottom edges are outside.
bool PtInRect(const TRect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefItemFont(std::make_unique<TFont>())
{
    SetAlign(alTop);
    SetHeight(FDefaultHeight);
    FDefItemFont->SetName("Arial");
    FDefItemFont->SetHeight(14);
    FDefItemFont->SetColor(clBtnText);
    MouseTimer = DisabledTimer(this, kMenuBarMouseInterval, [this] { MouseTimerProc(); });
    MorphTimer = DisabledTimer(this, kMenuBarMorphInterval, [this] { MorphTimerProc(); });
    AnimateTimer = DisabledTimer(this, kMenuBarAnimateInterval, [this] { AnimateTimerProc(); });
    FSkinDataName = "mainmenubar";
}

TskSkinMainMenuBar::~TskSkinMainMenuBar() = default;

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    FMainMenu = Value;
    CreateMenu();
    Repaint();
}

void TskSkinMainMenuBar::SetSkinForm(TskSkinForm* Value)
{
    BSF = Value;
}

void TskSkinMainMenuBar::SetDefItemFont(const TFont* Value)
{
    FDefItemFont->Assign(Value);
    if (FIndex == -1)
        Repaint();
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FIndex == -1 && Value > 0)
        SetWidth(Value);
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0)
        SetHeight(Value);
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::Item(int Index) const
{
    if (Index < 0 || Index >= ItemCount())
        return nullptr;
    return dynamic_cast<TskSkinMainMenuBarItem*>(ObjectList[std::size_t(Index)].get());
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::FindItem(const std::function<bool(TskSkinMainMenuBarItem&)>& Match) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (TskSkinMainMenuBarItem* item = Item(i); item && Match(*item))
            return item;
    return nullptr;
}

// ---- items ----

void TskSkinMainMenuBar::CreateMenu()
{
    FMenuItemWatch.clear();
    ObjectList.clear();
    ButtonsCount = 0;
    FItemsStale = false;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    if (!FMainMenu)
        return;
    const TskDataSkinMainMenuItem* entry = nullptr;
    if (TskSkinData* skin = SkinData(); skin && !skin->Empty && !MenuBarItem.empty())
        if (const int index = skin->GetIndex(MenuBarItem); index != -1)
            entry = dynamic_cast<const TskDataSkinMainMenuItem*>(skin->ObjectList[std::size_t(index)].get());
    TMenuItem* items = FMainMenu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* menuItem = items->Items(i);
        if (!menuItem->Visible())
            continue;
        auto item = std::make_unique<TskSkinMainMenuBarItem>(this, entry);
        item->IDName = menuItem->Name();
        item->Enabled = item->OldEnabled = menuItem->Enabled();
        item->MenuItem = menuItem;
        FMenuItemWatch.push_back(std::make_unique<TComponentRef<TMenuItem>>(*this, [this, cut = item.get()] {
            cut->MenuItem = nullptr;
            cut->Enabled = cut->OldEnabled = false;
            FItemsStale = true;
            Invalidate();
        }));
        *FMenuItemWatch.back() = menuItem;
        ObjectList.push_back(std::move(item));
    }
    ButtonsCount = 0;
    if (FMDIChildMax) {
        CreateButtons();
        if (const TskSkinForm* child = GetSkinForm(MenuBarMaximizedChild(*this)))
            CheckButtons(child->BorderIcons());
    }
}

void TskSkinMainMenuBar::UpDateItems()
{
    CreateMenu();
    Repaint();
    MouseTimerOn();
}

void TskSkinMainMenuBar::UpDateEnabledItems()
{
    for (int i = 0; i < ItemCount(); ++i)
        if (TskSkinMainMenuBarItem* item = Item(i); item && item->MenuItem)
            (item->Visible ? item->Enabled : item->OldEnabled) = item->MenuItem->Enabled();
    Repaint();
}

// ---- skin ----

void TskSkinMainMenuBar::SetSkinData(TskSkinData* Value)
{
    FSkinWatch = Value;
    TskSkinControl::SetSkinData(Value);
}

void TskSkinMainMenuBar::SkinDataGone()
{
    // The items' pictures belonged to it.
    FSkinSupport = false;
    FIndex = -1;
    Picture = nullptr;
    MenuBarItem.clear();
    CreateMenu();
    Invalidate();
}

const TskDataSkinControl* TskSkinMainMenuBar::BarEntry() const
{
    if (FIndex == -1 || !SkinData())
        return nullptr;
    return SkinData()->CtrlList[std::size_t(FIndex)].get();
}

void TskSkinMainMenuBar::GetSkinData()
{
    TskSkinControl::GetSkinData();
    Picture = nullptr;
    const auto* entry = dynamic_cast<const TskDataSkinMainMenuBar*>(BarEntry());
    if (!entry) {
        FIndex = -1; // an entry of another kind is no bar entry
        return;
    }
    ItemsRect = entry->ItemsRect;
    MenuBarItem = entry->MenuBarItem;
    TrackMarkColor = entry->TrackMarkColor;
    TrackMarkActiveColor = entry->TrackMarkActiveColor;
    StretchEffect = entry->StretchEffect;
    ItemTransparent = entry->ItemTransparent;
    Picture = SkinData()->ActivePicture(entry->PictureIndex);
}

void TskSkinMainMenuBar::BeforeChangeSkinData()
{
    FSkinSupport = false;
    TskSkinControl::BeforeChangeSkinData();
    FMenuItemWatch.clear();
    ObjectList.clear();
    ButtonsCount = 0;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TskSkinMainMenuBar::ChangeSkinData()
{
    GetSkinData();
    FSkinSupport = FIndex != -1;
    CreateMenu();
    if (const TskDataSkinControl* entry = BarEntry())
        SetHeight(entry->SkinRect.Height());
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    Repaint();
}

void TskSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    // A skinned bar is always as high as its picture.
    if (const TskDataSkinControl* entry = BarEntry())
        AHeight = entry->SkinRect.Height();
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Repaint();
}

bool TskSkinMainMenuBar::SkinEffectsOn() const
{
    return SkinData() && !SkinData()->Empty && SkinData()->EnableSkinEffects;
}

void TskSkinMainMenuBar::PrepareItemFont(TCanvas& C, const TskSkinMainMenuBarItem& AItem) const
{
    C.Font()->Assign(FDefItemFont.get());
    if (AItem.FSkinSupport && UseSkinFont && !AItem.FontName.empty()) {
        C.Font()->SetName(AItem.FontName);
        C.Font()->SetHeight(AItem.FontHeight);
        C.Font()->SetStyle(AItem.FontStyle);
    }
}

// ---- painting ----

void TskSkinMainMenuBar::CalcNewItemsRect()
{
    if (const TskDataSkinControl* entry = FSkinSupport ? BarEntry() : nullptr) {
        const TRect skinRect = entry->SkinRect;
        NewItemsRect =
            Rect(ItemsRect.Left, ItemsRect.Top, Width() - (skinRect.Width() - ItemsRect.Right), ItemsRect.Bottom);
    } else {
        NewItemsRect = Rect(2, 2, Width() - 2, Height() - 2);
    }
    PlaceMDIButtons();
}

TRect TskSkinMainMenuBar::GetMarkerRect() const
{
    return Rect(NewItemsRect.Right - kMenuBarMarkerWidth, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Bottom);
}

void TskSkinMainMenuBar::Paint()
{
    if (FItemsStale)
        CreateMenu();
    if (Width() > 0 && Height() > 0)
        DrawBar(*Canvas());
}

void TskSkinMainMenuBar::DrawBar(TCanvas& Cnvs)
{
    GetSkinData();
    FSkinSupport = FIndex != -1;
    TBitmap B(Width(), Height());
    TCanvas& C = *B.Canvas();
    if (FSkinSupport && SkinData()->FormInfo.MainMenuBarTransparent) {
        PaintParentBackground(this, C.Handle());
    } else if (FSkinSupport && Picture) {
        const TRect skinRect = BarEntry()->SkinRect;
        CreateHSkinImage(ItemsRect.Left, skinRect.Width() - ItemsRect.Right, B, *Picture, skinRect, Width(),
                         StretchEffect);
    } else {
        // Also a skinned bar whose picture is missing: the built-in face.
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, Width(), Height()));
    }
    CalcNewItemsRect();
    Scroll = false;
    for (const auto& object : ObjectList)
        object->Draw(C);
    if (Scroll && ScrollMenu)
        DrawMarker(C);
    Cnvs.Draw(0, 0, &B);
}

void TskSkinMainMenuBar::DrawMarker(TCanvas& Cnvs)
{
    const TColor color = FSkinSupport ? (MarkerActive ? TrackMarkActiveColor : TrackMarkColor)
                                      : (MarkerActive ? clBtnText : clBtnShadow);
    DrawArrowImage(Cnvs.Handle(), GetMarkerRect(), ColorToRGB(color), 2);
}

void TskSkinMainMenuBar::DrawObject(TskMenuBarObject& Obj)
{
    if (!HandleAllocated())
        return;
    // A transparent item shows the bar through: the bar draws it.
    if (FSkinSupport && ItemTransparent && dynamic_cast<TskSkinMainMenuBarItem*>(&Obj))
        Repaint();
    else
        Obj.Draw(*Canvas());
}

void TskSkinMainMenuBar::StartMorphTimer()
{
    MorphTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::StartAnimateTimer(int Interval)
{
    AnimateTimer->SetInterval(unsigned(Interval > 0 ? Interval : 1));
    AnimateTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::MorphTimerProc()
{
    bool changed = false;
    for (const auto& object : ObjectList)
        if (object->EnableMorphing() && object->CanMorphing()) {
            object->DoMorphing();
            changed = true;
        }
    if (!changed)
        MorphTimer->SetEnabled(false);
}

void TskSkinMainMenuBar::AnimateTimerProc()
{
    bool changed = false;
    for (int i = 0; i < ItemCount(); ++i)
        if (TskSkinMainMenuBarItem* item = Item(i); item && item->EnableAnimation())
            changed = item->AnimationStep() || changed;
    if (!changed)
        AnimateTimer->SetEnabled(false);
}

// ---- mouse ----

void TskSkinMainMenuBar::TestActive(int X, int Y)
{
    if (ObjectList.empty())
        return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (int i = 0; i < ItemCount() && hit == -1; ++i)
        if (ObjectList[std::size_t(i)]->Enabled && PtInRect(ObjectList[std::size_t(i)]->ObjectRect, X, Y))
            hit = i;
    // In menu mode the last item stays hot while the mouse is elsewhere.
    const bool keep = hit == -1 && OldActiveObject != -1 && MenuActive && Item(OldActiveObject);
    if (!keep)
        ActiveObject = hit;
    // While a button is held on one object, no other becomes hot.
    if (MouseCaptureObject != -1 && ActiveObject >= 0 && MouseCaptureObject != ActiveObject)
        ActiveObject = -1;
    if (ActiveObject >= ItemCount())
        ActiveObject = -1;
    if (OldActiveObject >= ItemCount())
        OldActiveObject = -1;
    if (ActiveObject != OldActiveObject) {
        if (OldActiveObject != -1 && ObjectList[std::size_t(OldActiveObject)]->Enabled)
            ObjectList[std::size_t(OldActiveObject)]->MouseLeave();
        if (ActiveObject != -1 && ObjectList[std::size_t(ActiveObject)]->Enabled)
            ObjectList[std::size_t(ActiveObject)]->MouseEnter();
    }
    if (Scroll && ScrollMenu) {
        const bool inMarker = PtInRect(GetMarkerRect(), X, Y);
        if (inMarker != MarkerActive) {
            MarkerActive = inMarker;
            if (HandleAllocated())
                Repaint();
        }
    }
}

void TskSkinMainMenuBar::MouseTimerOn()
{
    MouseTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::MouseTimerProc()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint p = ScreenToClient(cursor);
    if (p.X < 0 || p.Y < 0 || p.X > Width() || p.Y > Height()) {
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1);
    } else {
        TestActive(p.X, p.Y);
    }
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    TestActive(X, Y);
    if (ActiveObject != -1) {
        MouseCaptureObject = ActiveObject;
        TskMenuBarObject& object = *ObjectList[std::size_t(ActiveObject)];
        object.MouseDown(X, Y, Button);
        if (Shift.Contains(ssDouble))
            object.DblClick();
    } else if (Scroll && ScrollMenu && PtInRect(GetMarkerRect(), X, Y)) {
        PopupMarkerMenu();
    }
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (MouseCaptureObject != -1 && MouseCaptureObject < ItemCount()) {
        const int captured = std::exchange(MouseCaptureObject, -1);
        ObjectList[std::size_t(captured)]->MouseUp(X, Y, Button);
    }
    MouseCaptureObject = -1;
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    if (!MouseTimer->Enabled())
        MouseTimerOn();
    TskSkinControl::MouseMove(Shift, X, Y);
}

void TskSkinMainMenuBar::PopupMarkerMenu()
{
    TskSkinForm* form = SkinForm();
    if (!form || !FMainMenu)
        return;
    // The list starts at the first hidden item, counted in the menu's own items.
    TskSkinMainMenuBarItem* first = FindItem([](TskSkinMainMenuBarItem& item) { return !item.Visible; });
    if (!first || !first->MenuItem)
        return;
    const int start = FMainMenu->Items()->IndexOf(first->MenuItem);
    const TRect marker = GetMarkerRect();
    const TPoint topLeft = ClientToScreen(Point(marker.Left, marker.Top));
    form->SkinMenuOpen();
    form->SkinMenu()->Popup(nullptr, SkinData(), start,
                            Rect(topLeft.X, topLeft.Y, topLeft.X + marker.Width(), topLeft.Y + marker.Height()),
                            FMainMenu->Items(), false);
}

void TskSkinMainMenuBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // Paint draws the whole bar.
        Message.Result = 1;
        return;
    case CM_MOUSELEAVE:
        TskSkinControl::WndProc(Message);
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1);
        return;
    case SkinMenuClosedMessage: SkinMenuClosed(); break;
    case CheckParentBackgroundMessage:
        if (FSkinSupport && SkinData() && SkinData()->FormInfo.MainMenuBarTransparent)
            Repaint();
        break;
    default: break;
    }
    TskSkinControl::WndProc(Message);
    if (Message.Msg == CM_MOUSEENTER)
        MouseTimerOn();
    else if (Message.Msg == WM_SIZE)
        CalcNewItemsRect();
}

} // namespace tovrel
