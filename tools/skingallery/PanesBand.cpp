#include "PanesBand.h"

#include "platform/ctrls/Panel.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinStdLabel.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 600, kHeight = 130;

template <class T> T* Aligned(TWinControl& parent, TAlign align, TRect bounds)
{
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    control->SetAlign(align);
    return control;
}

void AddCaption(TWinControl& parent, TskSkinData* skin, const std::string& caption, int top = 8)
{
    auto* label = new TskSkinStdLabel(&parent);
    label->SetParent(&parent);
    label->SetBounds(8, top, 120, 16);
    label->SetCaption(caption);
    label->SetSkinData(skin);
}

// A pane drawn from the skin's "panel" entry.
TskSkinCustomControl* AddPane(TWinControl& parent, TskSkinData* skin, TAlign align, TRect bounds,
                              const std::string& caption)
{
    auto* pane = Aligned<TskSkinCustomControl>(parent, align, bounds);
    pane->SetSkinDataName("panel");
    pane->SetSkinData(skin);
    AddCaption(*pane, skin, caption);
    return pane;
}

} // namespace

int AddPanes(TForm& form, TskSkinData* skin, int top)
{
    auto* frame = new TPanel(&form);
    frame->SetParent(&form);
    frame->SetBounds(kLeft, top, kWidth, kHeight);
    frame->SetBevelOuter(bvLowered);
    frame->SetCaption("");

    auto* bar = Aligned<TskSkinStatusBar>(*frame, alBottom, Rect(0, 100, kWidth, 121));
    bar->SetSkinData(skin);
    bar->SetSizeGrip(true);
    AddCaption(*bar, skin, "Status bar", 3);

    AddPane(*frame, skin, alLeft, Rect(0, 0, 220, 100), "Left pane");
    auto* splitter = Aligned<TskSkinSplitter>(*frame, alLeft, Rect(220, 0, 223, 100));
    splitter->SetBeveled(true);
    splitter->SetSkinData(skin);
    AddPane(*frame, skin, alClient, Rect(230, 0, kWidth, 100), "Right pane");
    return kHeight;
}

} // namespace tovrel::skingallery
