#include "skin/hints/SkinHint.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Input.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/hints/SkinHintWindow.h"

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {

// The living hint components, oldest first (main thread only).
std::vector<TskSkinHint*>& Registry()
{
    static std::vector<TskSkinHint*> hints;
    return hints;
}

// The skinned control's hint title and image, when it has them.
template <class C> bool TakeHintOf(TControl* control, TskSkinHint& hint)
{
    auto* skinned = dynamic_cast<C*>(control);
    if (!skinned)
        return false;
    hint.FHintTitle = skinned->HintTitle;
    hint.FHintImageIndex = skinned->HintImageIndex;
    hint.FHintImageList = skinned->HintImageList.Get();
    return true;
}

} // namespace

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("MS Sans Serif");
    FDefaultFont->SetHeight(-11);
    FDefaultFont->SetColor(clWindowText);
    HW = new TskSkinHintWindow(this);
    Registry().push_back(this);
    if (ComponentState().Contains(csDesigning))
        return;
    // Handlers without a captured component: they look the current one up,
    // so none of them outlives what it refers to.
    Application->SetHintWindowClass([](TComponent* owner) { return new TskSkinHintWindow(owner); });
    Application->OnShowHint = ApplicationShowHint;
    Application->HintShortPause = 100;
    SetActive(true);
}

TskSkinHint::~TskSkinHint()
{
    auto& hints = Registry();
    hints.erase(std::remove(hints.begin(), hints.end(), this), hints.end());
}

TskSkinHint* TskSkinHint::Current()
{
    const auto& hints = Registry();
    TCustomForm* main = Application->MainForm();
    for (TskSkinHint* hint : hints)
        if (hint->FActive && main && hint->Owner() == main)
            return hint;
    for (TskSkinHint* hint : hints)
        if (hint->FActive)
            return hint;
    return nullptr;
}

void TskSkinHint::SetActive(bool Value)
{
    FActive = Value;
    if (!Value)
        return;
    for (TskSkinHint* other : Registry())
        if (other != this && other->Owner() == Owner())
            other->FActive = false;
    if (!ComponentState().Contains(csDesigning))
        Application->OnShowHint = ApplicationShowHint;
}

void TskSkinHint::ApplicationShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo)
{
    TskSkinHint* hint = Current();
    if (!hint)
        return;
    hint->ClearTitleAndImage();
    if (!TakeHintOf<TskSkinControl>(hintInfo.HintControl, *hint))
        TakeHintOf<TskGraphicSkinControl>(hintInfo.HintControl, *hint);
    if (hint->OnShowHint)
        hint->OnShowHint(hintStr, canShow, hintInfo);
}

void TskSkinHint::ClearTitleAndImage()
{
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
}

void TskSkinHint::ActivateHint(TPoint P, const std::string& AHint)
{
    ClearTitleAndImage();
    HW->ActivateHint(Rect(P.X, P.Y, P.X, P.Y), AHint);
}

void TskSkinHint::ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                 TCustomImageList* AImageList)
{
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    HW->ActivateHintEx(Rect(P.X, P.Y, P.X, P.Y), AHintTitle, AHint, AImageIndex, AImageList);
}

void TskSkinHint::ActivateHint2(const std::string& AHint)
{
    ClearTitleAndImage();
    StartTimer(TPending::AtCursor, AHint);
}

void TskSkinHint::ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                  TCustomImageList* AImageList)
{
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    StartTimer(TPending::AtCursorEx, AHint);
}

void TskSkinHint::ActivateHint3(TRect AFromRect, const std::string& AHint, bool ATop)
{
    ClearTitleAndImage();
    FromRect = AFromRect;
    Top = ATop;
    StartTimer(TPending::AtRect, AHint);
}

void TskSkinHint::StartTimer(TPending pending, std::string hint)
{
    Pending = pending;
    HintText = std::move(hint);
    Showing = false;
    if (!HintTimer) {
        HintTimer = std::make_unique<TTimer>(nullptr);
        HintTimer->SetOnTimer([this](TObject*) { TimerFired(); });
    }
    HintTimer->SetEnabled(false);
    HintTimer->SetInterval(unsigned(std::max(1, Application->HintPause)));
    HintTimer->SetEnabled(true);
}

void TskSkinHint::TimerFired()
{
    if (Showing) {
        HideHint();
        return;
    }
    TPoint cursor;
    GetCursorPos(&cursor);
    const TRect at = Rect(cursor.X, cursor.Y + GetCursorHeightMargin(), 0, 0);
    switch (Pending) {
    case TPending::AtCursor: HW->ActivateHint(at, HintText); break;
    case TPending::AtCursorEx: HW->ActivateHintEx(at, FHintTitle, HintText, FHintImageIndex, FHintImageList); break;
    case TPending::AtRect: HW->ActivateHintFromRect(FromRect, HintText, Top); break;
    }
    Showing = true;
    HintTimer->SetEnabled(false);
    HintTimer->SetInterval(unsigned(std::max(1, Application->HintHidePause)));
    HintTimer->SetEnabled(true);
}

void TskSkinHint::HideHint()
{
    // Stopped, not freed: this may run from the timer's own handler.
    if (HintTimer)
        HintTimer->SetEnabled(false);
    Showing = false;
    if (!IsVisible())
        return;
    HW->HideWindow();
    ClearTitleAndImage();
}

bool TskSkinHint::IsVisible() const
{
    return HW->Visible();
}

int TskSkinHint::GetCursorHeightMargin()
{
    // The cursor's shape is not known here: its whole height.
    return GetSystemMetrics(SM_CYCURSOR);
}

} // namespace tovrel
