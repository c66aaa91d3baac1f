#include "TreeViewBand.h"

#include "ListViewBand.h"

#include "skin/controls/SkinTreeView.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kTreeHeight = 150, kBar = 19;

TskSkinTreeView* AddTree(TForm& form, TRect bounds)
{
    auto* tree = new TskSkinTreeView(&form);
    tree->SetParent(&form);
    tree->SetBoundsRect(bounds);
    return tree;
}

void AddFolders(TTreeNodes& nodes)
{
    TTreeNode* videos = nodes.Add(nullptr, "Videos");
    for (const char* trip :
         {"Holiday 2025", "Birthday", "Converted for the phone, a folder whose name is far too long for the tree"}) {
        TTreeNode* folder = nodes.AddChild(videos, trip);
        for (int i = 1; i <= 4; ++i)
            nodes.AddChild(folder, "clip" + std::to_string(i) + ".avi");
    }
    nodes.Add(nullptr, "Music");
    nodes.Add(nullptr, "Converted");
    videos->Expand(true);
}

} // namespace

int AddTreeView(TForm& form, TskSkinData* skin, int top)
{
    constexpr int width = 280;
    auto* folders = AddTree(form, Bounds(kLeft, top, width, kTreeHeight));
    AddFolders(*folders->Items());
    folders->SetSelected(folders->Items()->GetFirstNode()->GetFirstChild());
    folders->SetVScrollBar(AddScrollBar(form, skin, Bounds(kLeft + width, top, kBar, kTreeHeight), true));
    folders->SetHScrollBar(AddScrollBar(form, skin, Bounds(kLeft, top + kTreeHeight, width + kBar, kBar), false));
    folders->SetSkinData(skin);

    auto* small = AddTree(form, Bounds(kLeft + width + kBar + 15, top, 200, kTreeHeight));
    for (const char* name : {"Presets", "Devices", "Web"})
        small->Items()->AddChild(small->Items()->Add(nullptr, name), "Default");
    small->Items()->GetFirstNode()->Expand(false);
    small->SetVScrollBar(AddScrollBar(form, skin, Bounds(kLeft + width + kBar + 215, top, kBar, kTreeHeight), true));
    small->SetSkinData(skin);
    return kTreeHeight + kBar;
}

} // namespace tovrel::skingallery
