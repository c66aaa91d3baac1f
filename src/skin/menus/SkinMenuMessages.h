#pragma once
// The messages a skinned popup menu sends to the control that dropped it
// (and to its form): the menu has closed, and the chosen command has run.
// Both carry WParam 0 and LParam 0.
namespace tovrel {

constexpr unsigned SkinMenuClosedMessage = 1228;
constexpr unsigned SkinMenuCommandDoneMessage = 1229;

} // namespace tovrel
