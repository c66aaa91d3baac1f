#include "skin/controls/SkinnedView.h"

#include "platform/ctrls/ListView.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/ctrls/TreeView.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel {

template <class Base, class Entry>
TskSkinnedView<Base, Entry>::TskSkinnedView(TComponent* AOwner, std::string ASkinDataName)
    : Base(AOwner), SkinDataName(std::move(ASkinDataName)), FDefaultFont(std::make_unique<TFont>()),
      FDefaultColor(clWindow)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

template <class Base, class Entry> TskSkinnedView<Base, Entry>::~TskSkinnedView()
{
    // The bars outlive the view: they must not call back into it.
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar)
            bar->OnChange = nullptr;
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value && !Value->Empty)
        ChangeSkinData();
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FIndex == -1)
        this->SetFont(FDefaultFont.get());
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        this->SetColor(Value);
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::ChangeSkinData()
{
    if (this->ComponentState().Contains(csLoading))
        return;
    FIndex = FindSkinEntry(FSD, SkinDataName);
    if (FIndex == -1) {
        this->SetColor(FDefaultColor);
        this->SetFont(FDefaultFont.get());
    } else if (const auto* e = dynamic_cast<const Entry*>(FSD->CtrlList[std::size_t(FIndex)].get())) {
        if (UseSkinFont) {
            this->Font()->SetName(e->FontName);
            this->Font()->SetStyle(e->FontStyle);
            this->Font()->SetHeight(e->FontHeight);
        } else {
            this->SetFont(FDefaultFont.get());
        }
        this->Font()->SetColor(e->FontColor);
        this->SetColor(e->BGColor);
    }
    this->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet()
                                                           : FDefaultFont->Charset());
    UpDateScrollBars();
    RealignBars();
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::RealignBars()
{
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar && bar->Align() != alNone && bar->Parent())
            bar->Parent()->Realign();
}

template <class Base, class Entry>
void TskSkinnedView<Base, Entry>::AssignBar(TComponentRef<TskSkinScrollBar>& Ref, TskSkinScrollBar* Value,
                                            bool Vertical)
{
    // A bar given up no longer scrolls this view.
    if (Ref && Ref != Value)
        Ref->OnChange = nullptr;
    Ref = Value;
    if (Value) {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        Value->OnChange = [this, Vertical](TObject*) {
            if (Vertical)
                VScrollBarChange();
            else
                HScrollBarChange();
        };
    }
    UpDateScrollBars();
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SetVScrollBar(TskSkinScrollBar* Value)
{
    AssignBar(FVScrollBar, Value, true);
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SetHScrollBar(TskSkinScrollBar* Value)
{
    AssignBar(FHScrollBar, Value, false);
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::Loaded()
{
    {
        TskFlagGuard guard(FInCheckScrollBars);
        Base::Loaded();
    }
    ChangeSkinData();
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::CreateParams(TWinControl::TCreateParams& params)
{
    Base::CreateParams(params);
    params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

template <class Base, class Entry> bool TskSkinnedView<Base, Entry>::ShowBar(TskSkinScrollBar* Bar, bool Visible)
{
    if (!Bar || Bar->Visible() == Visible)
        return false;
    TskFlagGuard guard(FInCheckScrollBars);
    Bar->SetVisible(Visible);
    return true;
}

template <class Base, class Entry> TskNativeScroll TskSkinnedView<Base, Entry>::NativeScroll(int Bar)
{
    TskNativeScroll s;
    GetScrollRange(this->Handle(), Bar, &s.Min, &s.Max);
    s.Pos = GetScrollPos(this->Handle(), Bar);
    return s;
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::SyncBars(const std::function<void()>& Sync)
{
    const bool vWas = FVScrollBar && FVScrollBar->Visible(), hWas = FHScrollBar && FHScrollBar->Visible();
    Sync();
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    const bool changed =
        (FVScrollBar && FVScrollBar->Visible() != vWas) || (FHScrollBar && FHScrollBar->Visible() != hWas);
    if (changed && this->Align() != alNone && this->Parent()) {
        TskFlagGuard guard(FInCheckScrollBars);
        this->Parent()->Realign();
    }
}

template <class Base, class Entry> void TskSkinnedView<Base, Entry>::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No frame and no native bars.
        message.Result = 0;
        return;
    case SkinPaintToMessage: message.Result = SkinPaintDoneResult; return;
    case CM_VISIBLECHANGED:
        Base::WndProc(message);
        for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
            if (bar)
                bar->SetVisible(this->Visible());
        return;
    default: Base::WndProc(message); return;
    }
}

template class TskSkinnedView<TCustomListView, TskDataSkinListView>;
template class TskSkinnedView<TCustomTreeView, TskDataSkinTreeView>;

} // namespace tovrel
