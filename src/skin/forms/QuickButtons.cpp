#include "skin/forms/QuickButtons.h"

#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

TskQuickButtonItem::TskQuickButtonItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TskQuickButtonItem::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TskQuickButtonItem*>(Source);
    if (!other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageIndex = other->FImageIndex;
    Hint = other->Hint;
    FEnabled = other->FEnabled;
    FVisible = other->FVisible;
}

void TskQuickButtonItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Changed(false);
}

void TskQuickButtonItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    Changed(false);
}

void TskQuickButtonItem::SetVisible(bool Value)
{
    FVisible = Value;
    Changed(false);
}

TskQuickButtonItems::TskQuickButtonItems(TskSkinForm* ABSF)
    : TCollection([](TCollection* c) { return new TskQuickButtonItem(c); }), BSF(ABSF)
{}

TPersistent* TskQuickButtonItems::GetOwner() const
{
    return BSF;
}

void TskQuickButtonItems::Update(TCollectionItem*)
{
    if (!BSF || BSF->ComponentState().Contains(csLoading) || BSF->ComponentState().Contains(csDesigning))
        return;
    TCustomForm* form = BSF->Form();
    if (form && form->HandleAllocated())
        SendMessage(form->Handle(), WM_NCPAINT, 0, 0);
}

} // namespace tovrel
