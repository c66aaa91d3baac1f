#pragma once
// The skinned tree view: the platform tree view with its colours and font
// from a "treeview" entry, its own bars never shown and mirrored both ways
// into two external skinned scroll bars (SkinnedView.h). Every paint,
// resize, key, click and selection change copies the tree's scroll state
// into the bars; a bar's OnChange scrolls the tree to the bar's position.
#include "platform/ctrls/TreeView.h"
#include "skin/controls/SkinnedView.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel {

class TskSkinCustomTreeView : public TskSkinnedView<TCustomTreeView, TskDataSkinTreeView> {
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner);

    // Also gives the image lists the tree's background.
    void ChangeSkinData() override;
    void UpDateScrollBars() override;

protected:
    void WndProc(TMessage& message) override;
    void Change(TTreeNode* node) override;
    void VScrollBarChange() override;
    void HScrollBarChange() override;
};

class TskSkinTreeView : public TskSkinCustomTreeView {
public:
    using TskSkinCustomTreeView::TskSkinCustomTreeView;
};

} // namespace tovrel
