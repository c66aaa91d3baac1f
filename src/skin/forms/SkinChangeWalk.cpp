#include "skin/forms/SkinChangeWalk.h"

#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTextLabel.h"

namespace tovrel {

namespace {

template <class Visit> void EachControl(TWinControl& root, const Visit& visit)
{
    for (int i = 0; i < root.ControlCount(); ++i) {
        TControl* control = root.Controls(i);
        visit(*control);
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            EachControl(*windowed, visit);
    }
}

bool Uses(TskSkinData* own, TskSkinData* D)
{
    return !D || own == D;
}

// The first class that matches decides.
template <class T, class... Rest> bool ChangeFirstMatch(TControl& control, TskSkinData* D)
{
    if (auto* c = dynamic_cast<T*>(&control)) {
        if (Uses(c->SkinData(), D))
            c->ChangeSkinData();
        return true;
    }
    if constexpr (sizeof...(Rest) > 0)
        return ChangeFirstMatch<Rest...>(control, D);
    return false;
}

} // namespace

void WalkBeforeSkinChange(TWinControl& Root, TskSkinData* D)
{
    EachControl(Root, [D](TControl& control) {
        if (auto* c = dynamic_cast<TskSkinControl*>(&control); c && Uses(c->SkinData(), D))
            c->BeforeChangeSkinData();
    });
}

void WalkAfterSkinChange(TWinControl& Root, TskSkinData* D)
{
    EachControl(Root, [D](TControl& control) {
        ChangeFirstMatch<TskSkinned<TCustomControl>, TskSkinned<TGraphicControl>, TskSkinStdLabel, TskSkinTextLabel,
                         TskSkinBevel, TskSkinSplitter, TskSkinCustomListView, TskSkinCustomEdit, TskSkinPageControl>(
            control, D);
    });
}

} // namespace tovrel
