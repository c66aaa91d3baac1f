#include "skin/stored/SkinRequirements.h"

#include <array>

namespace tovrel {
namespace {

using M = TskResizeMode;

// Which stored skins must hold a control entry: every user skin, and the
// tools skin too when the tools' windows look it up.
enum class TNeededBy { UserSkins, UserAndToolsSkins };
using enum TNeededBy;

constexpr TskRequiredEntry Control(std::string_view name, std::string_view kind, TNeededBy neededBy,
                                   std::optional<TskResizeMode> resize = std::nullopt)
{
    return TskRequiredEntry{
        .Name = name, .Kind = kind, .User = true, .Tools = neededBy == UserAndToolsSkins, .Resize = resize};
}
constexpr TskRequiredEntry Object(std::string_view name, std::string_view kind)
{
    return TskRequiredEntry{.Name = name, .Kind = kind, .Object = true, .User = true, .Resize = std::nullopt};
}

constexpr std::array kRequired{
    Object("caption", "caption"),
    Object("closebutton", "stdbutton"),
    Object("maxbutton", "stdbutton"),
    Object("minbutton", "stdbutton"),
    Object("menuitem", "menuitem"),
    Control("button", "button", UserSkins, M::Both),
    Control("resizebutton", "button", UserAndToolsSkins, M::Both),
    Control("resizetoolbutton", "button", UserAndToolsSkins, M::Both),
    Control("toolbutton", "button", UserSkins),
    Control("toolmenubutton", "menubutton", UserSkins),
    Control("combobutton", "button", UserAndToolsSkins),
    Control("editbutton", "button", UserAndToolsSkins),
    Control("checkbox", "checkradio", UserSkins),
    Control("radiobox", "checkradio", UserSkins),
    Control("stdlabel", "stdlabel", UserSkins),
    Control("menuheader", "label", UserAndToolsSkins, M::WidthOnly),
    Control("label", "label", UserAndToolsSkins, M::WidthOnly),
    Control("panel", "panel", UserSkins, M::Both),
    Control("groupbox", "panel", UserSkins, M::Both),
    Control("toolpanel", "panel", UserAndToolsSkins, M::Both),
    Control("resizetoolpanel", "panel", UserAndToolsSkins, M::Both),
    Control("statusbar", "panel", UserSkins, M::Both),
    Control("hsplitter", "splitter", UserSkins, M::WidthOnly),
    Control("vsplitter", "splitter", UserSkins, M::HeightOnly),
    Control("bevel", "bevel", UserSkins),
    Control("hscrollbar", "scrollbar", UserAndToolsSkins, M::WidthOnly),
    Control("vscrollbar", "scrollbar", UserAndToolsSkins, M::HeightOnly),
    Control("bothhscrollbar", "scrollbar", UserAndToolsSkins, M::WidthOnly),
    Control("scrollbox", "scrollbox", UserSkins, M::Both),
    Control("listbox", "listbox", UserAndToolsSkins, M::Both),
    Control("combobox", "combobox", UserAndToolsSkins, M::WidthOnly),
    Control("edit", "edit", UserSkins, M::WidthOnly),
    Control("listview", "listview", UserSkins),
    Control("treeview", "treeview", UserSkins),
    Control("tab", "tab", UserSkins),
    Control("hupdown", "updown", UserSkins, M::Fixed),
    Control("vupdown", "updown", UserSkins, M::Fixed),
    Control("mainmenubar", "mainmenubar", UserSkins),
    Control("slider", "slider", UserSkins),
};

} // namespace

std::span<const TskRequiredEntry> RequiredSkinEntries()
{
    return kRequired;
}

} // namespace tovrel
