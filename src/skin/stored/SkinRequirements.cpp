#include "skin/stored/SkinRequirements.h"

#include <array>

namespace tovrel {
namespace {

using M = TskResizeMode;

constexpr TskRequiredEntry Control(std::string_view name, std::string_view kind, bool user, bool tools,
                                   std::optional<TskResizeMode> resize = std::nullopt)
{
    return TskRequiredEntry{name, kind, false, user, tools, resize};
}
constexpr TskRequiredEntry Object(std::string_view name, std::string_view kind)
{
    return TskRequiredEntry{name, kind, true, true, false, std::nullopt};
}

constexpr std::array kRequired{
    Object("caption", "caption"),
    Object("closebutton", "stdbutton"),
    Object("maxbutton", "stdbutton"),
    Object("minbutton", "stdbutton"),
    Object("menuitem", "menuitem"),
    Control("button", "button", true, false, M::Both),
    Control("resizebutton", "button", true, true, M::Both),
    Control("resizetoolbutton", "button", true, true, M::Both),
    Control("toolbutton", "button", true, false),
    Control("toolmenubutton", "menubutton", true, false),
    Control("combobutton", "button", true, true),
    Control("editbutton", "button", true, true),
    Control("checkbox", "checkradio", true, false),
    Control("radiobox", "checkradio", true, false),
    Control("stdlabel", "stdlabel", true, false),
    Control("menuheader", "label", true, true, M::WidthOnly),
    Control("label", "label", true, true, M::WidthOnly),
    Control("panel", "panel", true, false, M::Both),
    Control("groupbox", "panel", true, false, M::Both),
    Control("toolpanel", "panel", true, true, M::Both),
    Control("resizetoolpanel", "panel", true, true, M::Both),
    Control("statusbar", "panel", true, false, M::Both),
    Control("bevel", "bevel", true, false),
    Control("hscrollbar", "scrollbar", true, true, M::WidthOnly),
    Control("vscrollbar", "scrollbar", true, true, M::HeightOnly),
    Control("bothhscrollbar", "scrollbar", true, true, M::WidthOnly),
    Control("scrollbox", "scrollbox", true, false, M::Both),
    Control("listbox", "listbox", true, true, M::Both),
    Control("combobox", "combobox", true, true, M::WidthOnly),
    Control("edit", "edit", true, false, M::WidthOnly),
    Control("listview", "listview", true, false),
    Control("treeview", "treeview", true, false),
    Control("tab", "tab", true, false),
    Control("hupdown", "updown", true, false, M::Fixed),
    Control("vupdown", "updown", true, false, M::Fixed),
    Control("mainmenubar", "mainmenubar", true, false),
    Control("slider", "slider", true, false),
};

} // namespace

std::span<const TskRequiredEntry> RequiredSkinEntries()
{
    return kRequired;
}

} // namespace tovrel
