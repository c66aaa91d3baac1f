// The skinned combo box: choosing, the events, keys, type-ahead, the mouse
// on the box and in its open list, and the skin values.
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/DropDownListHook.h"

#include "platform/gdi/SysColors.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Timers.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinFlagGuard.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/draw/MonitorAreas.h"

#include <algorithm>
#include <cctype>

namespace tovrel {

namespace {

constexpr unsigned kAutoScrollMs = 25;
constexpr std::uint32_t kTypeAheadPauseMs = 500;

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

} // namespace

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TskSkinCustomControl(AOwner), FDefaultColor(clWindow)
{
    ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable};
    SetTabStop(true);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FListBox = new TskPopupListBox(this);
    TskListBox* inner = FListBox->ListBox;
    inner->SetTabStop(false);
    inner->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { TrackListHover(X, Y); };
    FListBoxWindowProc = inner->WindowProc;
    inner->WindowProc = [this](TMessage& message) { ListHook(message); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    SetBounds(Left(), Top(), 120, 20);
    SetSkinDataName("combobox");
    CalcRects();
}

TskSkinCustomComboBox::~TskSkinCustomComboBox()
{
    StopTimer();
    FListBox->ListBox->WindowProc = FListBoxWindowProc;
    delete FEdit;
    delete FListBox;
}

bool TskSkinCustomComboBox::Loading() const
{
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

void TskSkinCustomComboBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);
    const int index = FListBox->ItemIndex();
    if (Items()->Count() > 0 && index != -1)
        SetText(Items()->Get(index));
    FOldItemIndex = index;
    if (!FEdit)
        Invalidate();
    if (!Loading()) {
        if (OnClick)
            OnClick(this);
        Change();
    }
}

void TskSkinCustomComboBox::SetDropDownCount(int Value)
{
    if (Value > 0)
        FDropDownCount = Value;
}

void TskSkinCustomComboBox::SetToolButtonStyle(bool Value)
{
    if (FToolButtonStyle == Value)
        return;
    FToolButtonStyle = Value;
    if (Value) {
        SetStyle(skcbFixedStyle);
        UseSkinSize = false;
    }
    Invalidate();
}

void TskSkinCustomComboBox::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1) {
        Invalidate();
        if (FEdit)
            FEdit->SetColor(Value);
    }
}

void TskSkinCustomComboBox::SetImages(TCustomImageList* Value)
{
    FListBox->SetImages(Value);
    Invalidate();
}

void TskSkinCustomComboBox::SetImageIndex(int Value)
{
    FListBox->SetImageIndex(Value);
    Invalidate();
}

void TskSkinCustomComboBox::SetOnListBoxDrawItem(TskDrawSkinItemEvent Value)
{
    FListBox->OnDrawItem = std::move(Value);
}

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value)
{
    FStyle = Value;
    if (Value == skcbEditStyle) {
        const bool made = !FEdit && (FEdit = CreateEditControl()) != nullptr;
        if (made) {
            FEditWindowProc = FEdit->WindowProc;
            FEdit->WindowProc = [this](TMessage& message) {
                bool Continue = true;
                EditWindowProcHook(message, Continue);
                if (Continue)
                    FEditWindowProc(message);
            };
            ApplyEditLook();
        }
        if (FEdit) {
            // The tab stop moves to the edit; choosing the style again keeps it there.
            if (made || TabStop())
                FEdit->SetTabStop(TabStop());
            SetTabStop(false);
            FEdit->SetText(Text());
            if (Focused())
                FEdit->SetFocus();
        }
    } else if (FEdit) {
        // The tab stop comes back to the box with the edit gone.
        SetTabStop(TabStop() || FEdit->TabStop());
        FEdit->SetVisible(false);
        delete FEdit;
        FEdit = nullptr;
    }
    CalcRects();
    Invalidate();
}

void TskSkinCustomComboBox::Invalidate()
{
    TskSkinCustomControl::Invalidate();
    if (FIndex != -1 && FEdit)
        FEdit->Invalidate();
}

void TskSkinCustomComboBox::TextWasChanged()
{
    if (FEdit && !FromEdit)
        FEdit->SetText(Text());
    if (OnChange)
        OnChange(this);
    if (FromEdit)
        Change();
}

void TskSkinCustomComboBox::EditTextChanged(const std::string& EditText)
{
    TskFlagGuard guard(FromEdit);
    FEditTyped = true;
    if (!EditText.empty()) {
        const int found = FindPrefix(EditText, 0);
        if (found != -1) {
            if (AutoComplete)
                FListBox->ListBox->SetItemIndex(found);
            else
                FListBox->SetTopIndex(found);
        }
    }
    SetText(EditText);
}

// Opening and closing.

void TskSkinCustomComboBox::DropDown()
{
    if (Items()->Count() == 0)
        return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown)
        OnDropDown(this);
    FListBox->SetWidth(FListBoxWidth > 0 ? FListBoxWidth : Width());
    FListBox->SetRowCount(std::min(Items()->Count(), FDropDownCount));
    TPoint origin =
        Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : Point(Left(), Top() + Height());
    RECT work = Rect(0, 0, 1 << 20, 1 << 20);
    if (HandleAllocated())
        GetMonitorWorkArea(Handle(), true, work);
    if (work.Bottom < origin.Y + FListBox->Height())
        origin.Y -= Height() + FListBox->Height();
    if (FEdit)
        FEdit->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    if (FListBox->ItemIndex() == 0 && Items()->Count() > 1) {
        // Makes the list scroll its first row into view.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle)
        Invalidate();
    FListBox->SetTopIndex(FListBox->ItemIndex());
    FListBox->SetSkinData(SkinData());
    FListBox->Show(origin);
}

void TskSkinCustomComboBox::CloseUp(bool Value)
{
    StopTimer();
    if (!FListBox->Visible())
        return;
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (Value && index >= 0 && index < Items()->Count()) {
        if (FEdit) {
            FEdit->SetText(Items()->Get(index));
            if (TCustomEdit* edit = EditBox())
                edit->SelectAll();
        } else {
            SetText(Items()->Get(index));
            Invalidate();
        }
        FOldItemIndex = index;
        if (OnClick)
            OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Invalidate();
    if (Value && OnCloseUp)
        OnCloseUp(this);
}

bool TskSkinCustomComboBox::CanCancelDropDown()
{
    POINT p;
    GetCursorPos(&p);
    return FListBox->Visible() && !BoundsRect().Contains(Parent() ? Parent()->ScreenToClient(p) : p);
}

bool TskSkinCustomComboBox::OwnsControl(const TControl* C) const
{
    return C == this || C == FListBox || C == FListBox->ListBox || (C && C == FListBox->ScrollBar) ||
           (C && C == FListBox->HScrollBar);
}

// Keys.

void TskSkinCustomComboBox::StepItem(int Delta)
{
    const int index = ItemIndex();
    if (Delta < 0 && index > 0)
        SetItemIndex(index - 1);
    else if (Delta > 0 && index < Items()->Count() - 1)
        SetItemIndex(index + 1);
}

void TskSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    if (CloseUpOnKey(Key))
        return;
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: SetItemIndex(PagedIndex(ItemIndex(), Key == VK_PRIOR)); break;
    case VK_LEFT:
    case VK_UP:
        if (!alt)
            StepItem(-1);
        else if (FDropDown)
            CloseUp(false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!alt)
            StepItem(1);
        else if (!FDropDown)
            DropDown();
        break;
    default: break;
    }
}

bool TskSkinCustomComboBox::CloseUpOnKey(WPARAM Key)
{
    if (Key != VK_RETURN && Key != VK_ESCAPE)
        return false;
    if (FDropDown)
        CloseUp(Key == VK_RETURN);
    return true;
}

int TskSkinCustomComboBox::PagedIndex(int Index, bool Up)
{
    // The page steps differ on purpose: up by one more, down by one less.
    return Up ? std::max(0, Index - FDropDownCount - 1) : std::min(Items()->Count() - 1, Index + FDropDownCount - 1);
}

int TskSkinCustomComboBox::FindPrefix(const std::string& Text, int Start) const
{
    const int count = FListBox->ListBox->Count();
    for (int n = 0; n < count; ++n) {
        const int i = (Start + n) % count;
        if (StartsWithNoCase(FListBox->ListBox->Items()->Get(i), Text))
            return i;
    }
    return -1;
}

void TskSkinCustomComboBox::KeyPress(char16_t& Key)
{
    TskSkinCustomControl::KeyPress(Key);
    FindByTyping(Key);
}

void TskSkinCustomComboBox::FindByTyping(char16_t C)
{
    // Control characters (Backspace, Enter, Escape) would only block the search.
    if (C < 32 || Items()->Count() == 0)
        return;
    std::string typed;
    if (C < 0x80) {
        typed = char(C);
    } else if (C < 0x800) {
        typed = {char(0xC0 | (C >> 6)), char(0x80 | (C & 0x3F))};
    } else {
        typed = {char(0xE0 | (C >> 12)), char(0x80 | ((C >> 6) & 0x3F)), char(0x80 | (C & 0x3F))};
    }
    std::string search = typed;
    if (AutoComplete) {
        const std::uint32_t now = GetTickCount();
        if (now - FLastTime >= kTypeAheadPauseMs)
            FFilter.clear();
        FLastTime = now;
        FFilter += typed;
        search = FFilter;
    }
    const int start = search.size() == typed.size() ? ItemIndex() + 1 : 0;
    const int found = FindPrefix(search, std::max(0, start));
    if (found != -1)
        SetItemIndex(found);
}

// Mouse on the box and in the open list.

void TskSkinCustomComboBox::MouseDown(TMouseButton Btn, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(Btn, Shift, X, Y);
    if (!Focused() && !FEdit && CanFocus())
        SetFocus();
    if (Btn != mbLeft)
        return;
    const bool hit = Button.MouseIn || (FStyle == skcbFixedStyle && CBItem.R.Contains(Point(X, Y))) ||
                     FToolButtonStyle || Button.R.Contains(Point(X, Y));
    if (!hit)
        return;
    Button.Down = true;
    Invalidate();
    if (!FDropDown) {
        WasInLB = false;
        FLBDown = true;
        DropDown();
    } else {
        CloseUp(false);
    }
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (FLBDown) {
        TrackDrag();
        return;
    }
    const bool in = Button.R.Contains(Point(X, Y));
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Invalidate();
    }
}

void TskSkinCustomComboBox::TrackDrag()
{
    TskListBox& inner = *FListBox->ListBox;
    if (!FListBox->Visible() || !inner.HandleAllocated())
        return;
    POINT screen;
    GetCursorPos(&screen);
    const TPoint p = inner.ScreenToClient(screen);
    const bool canScroll = FListBox->ScrollBar != nullptr && WasInLB;
    if (p.Y < 0 && canScroll) {
        StartTimer(1);
    } else if (p.Y > inner.Height() && canScroll) {
        StartTimer(2);
    } else if (p.Y >= 0 && p.Y <= inner.Height()) {
        StopTimer();
        TrackListHover(1, p.Y);
        WasInLB = true;
    }
}

void TskSkinCustomComboBox::TrackListHover(int X, int Y)
{
    const int index = FListBox->ItemAtPos(Point(X, Y), true);
    if (index >= 0 && index < Items()->Count() && index != FListBox->ItemIndex())
        FListBox->SetItemIndex(index);
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Btn, TShiftState Shift, int X, int Y)
{
    if (FLBDown && WasInLB) {
        ReleaseCapture();
        FLBDown = false;
        POINT screen;
        GetCursorPos(&screen);
        TskListBox& inner = *FListBox->ListBox;
        CloseUp(inner.HandleAllocated() && WindowFromPoint(screen) == inner.Handle());
    } else if (FLBDown) {
        FLBDown = false;
    }
    TskSkinCustomControl::MouseUp(Btn, Shift, X, Y);
    if (Button.Down) {
        Button.Down = false;
        Invalidate();
    }
}

void TskSkinCustomComboBox::ListHook(TMessage& message)
{
    HookDropDownListMessage(message, *this, FListBoxWindowProc, FLBDown, WasInLB);
}

void TskSkinCustomComboBox::StartTimer(int Mode)
{
    if (Mode == TimerMode)
        return;
    TimerMode = Mode;
    if (HandleAllocated())
        SetTimer(Handle(), 1, kAutoScrollMs, nullptr);
}

void TskSkinCustomComboBox::StopTimer()
{
    if (TimerMode != 0 && HandleAllocated())
        KillTimer(Handle(), 1);
    TimerMode = 0;
}

void TskSkinCustomComboBox::TimerTick()
{
    const int index = FListBox->ItemIndex();
    if (TimerMode == 1 && index > 0)
        FListBox->SetItemIndex(index - 1);
    else if (TimerMode == 2 && index < Items()->Count() - 1)
        FListBox->SetItemIndex(index + 1);
}

void TskSkinCustomComboBox::Wheel(const TMessage& message)
{
    const int delta = std::int32_t(message.WParam) <= 0 ? 1 : -1;
    if (!FDropDown) {
        StepItem(delta);
        return;
    }
    const int index = FListBox->ItemIndex();
    if ((delta < 0 && index > 0) || (delta > 0 && index < Items()->Count() - 1))
        FListBox->SetItemIndex(index + delta);
}

void TskSkinCustomComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(message);
        TextWasChanged();
        return;
    case CM_WANTSPECIALKEY:
        if (message.WParam >= VK_LEFT && message.WParam <= VK_DOWN) {
            message.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_MOUSEWHEEL:
        if (FEdit)
            return;
        Wheel(message);
        message.Result = 1;
        return;
    case WM_TIMER:
        if (message.WParam == 1) {
            TimerTick();
            return;
        }
        break;
    case WM_SETFOCUS:
        if (FEdit) {
            FEdit->SetFocus();
            return;
        }
        TskSkinCustomControl::WndProc(message);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(message);
        if (!FEdit && FDropDown)
            CloseUp(false);
        Invalidate();
        return;
    case CM_CANCELMODE: {
        TskSkinCustomControl::WndProc(message);
        const auto* sender = reinterpret_cast<const TControl*>(message.LParam);
        if (!OwnsControl(sender))
            CloseUp(false);
        return;
    }
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(message);
        ShowEditActive(false);
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        FMouseIn = message.Msg == CM_MOUSEENTER;
        if (!FMouseIn && Button.MouseIn)
            Button.MouseIn = false;
        if (FEdit && !FEdit->Focused())
            ShowEditActive(FMouseIn);
        Invalidate();
        return;
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        CalcRects();
        return;
    default: break;
    }
    TskSkinCustomControl::WndProc(message);
}

// Layout and skin values.

void TskSkinCustomComboBox::CalcRects()
{
    if (FIndex == -1 || FToolButtonStyle) {
        Button.R = Rect(Width() - 19, 2, Width() - 2, Height() - 2);
        CBItem.R = Rect(2, 2, Button.R.Left - 1, Height() - 2);
    } else {
        const int dw = Width() - G.SkinRect.Width();
        Button.R = Look.ButtonRect;
        if (Look.ButtonRect.Left >= G.SkinRect.Width() - G.RTPt.X) {
            Button.R.Left += dw;
            Button.R.Right += dw;
        }
        CBItem.R = G.ClRect;
        CBItem.R.Right += dw;
        if (!UseSkinSize) {
            const int dh = Height() - G.SkinRect.Height();
            CBItem.R.Bottom += dh;
            Button.R.Bottom += dh;
        }
    }
    if (FEdit) {
        const int h = EditLineHeight();
        FEdit->SetBounds(CBItem.R.Left, CBItem.R.Top + CBItem.R.Height() / 2 - h / 2, CBItem.R.Width(), h);
    }
}

void TskSkinCustomComboBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TskDataSkinComboBox*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (!e)
        return;
    Look.ActiveSkinRect = e->ActiveSkinRect;
    Look.ActiveFontColor = e->ActiveFontColor;
    Look.SItemRect = e->SItemRect;
    Look.ActiveItemRect = e->ActiveItemRect;
    Look.FocusItemRect = e->FocusItemRect.IsEmpty() ? e->SItemRect : e->FocusItemRect;
    Look.ItemLeftOffset = e->ItemLeftOffset;
    Look.ItemRightOffset = e->ItemRightOffset;
    Look.ItemTextRect = e->ItemTextRect;
    Look.FontName = e->FontName;
    Look.FontStyle = e->FontStyle;
    Look.FontHeight = e->FontHeight;
    Look.FontColor = e->FontColor;
    Look.FocusFontColor = e->FocusFontColor;
    Look.ButtonRect = e->ButtonRect;
    Look.ActiveButtonRect = e->ActiveButtonRect;
    Look.DownButtonRect = e->DownButtonRect;
    Look.UnEnabledButtonRect = e->UnEnabledButtonRect;
    Look.ListBoxName = e->ListBoxName;
    Look.ItemStretchEffect = e->ItemStretchEffect;
    Look.FocusItemStretchEffect = e->FocusItemStretchEffect;
    Look.ShowFocus = e->ShowFocus;
}

void TskSkinCustomComboBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    CalcRects();
    ApplyEditLook();
    Invalidate();
    FListBox->SetSkinDataName(FIndex == -1 ? "" : Look.ListBoxName);
    FListBox->SetSkinData(SkinData());
    FListBox->UpDateScrollBar();
    CalcRects();
}

void TskSkinCustomComboBox::DefaultFontChanged()
{
    SetFont(DefaultFont());
    ApplyEditLook();
}

void TskSkinCustomComboBox::CalcSize(int& AWidth, int& AHeight)
{
    if (UseSkinSize) {
        TskSkinCustomControl::CalcSize(AWidth, AHeight);
        return;
    }
    G.NewLTPoint = G.LTPt;
    G.NewRTPoint = Point(G.RTPt.X + AWidth - G.SkinRect.Width(), G.RTPt.Y);
    G.NewClRect = G.ClRect;
    G.NewClRect.Right += AWidth - G.SkinRect.Width();
}

void TskSkinCustomComboBox::SetControlRegion()
{
    if (UseSkinSize)
        TskSkinCustomControl::SetControlRegion();
}

} // namespace tovrel
