#pragma once
// The walks of a skin change over a form's control tree, depth first (a
// windowed control before its children). Skin data null means any.
namespace tovrel {

class TWinControl;
class TskSkinData;

// Windowed skinned controls forget their entries.
void WalkBeforeSkinChange(TWinControl& Root, TskSkinData* D);
// Every skinned control looks its entry up again and repaints.
void WalkAfterSkinChange(TWinControl& Root, TskSkinData* D);

} // namespace tovrel
