// One row per entry kind: section text in, the field values the format gives out,
// with the keys and defaults where the format is easy to get wrong (missing-key
// defaults that differ from the constructor's, misspelled keys, keyword fallbacks).
#include <functional>

#include <gtest/gtest.h>

#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinDataTestSupport.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel::test {
namespace {

using test::LoadEntry;

constexpr TColor kMagenta = 16711935;

template <class T, class Base> const T& As(const Base& entry)
{
    const auto* typed = dynamic_cast<const T*>(&entry);
    if (!typed)
        throw std::runtime_error("entry has another class");
    return *typed;
}

struct ControlCase {
    const char* Kind;
    const char* Keys;
    std::function<void(const TskDataSkinControl&)> Check;
};

TEST(SkinEntryRead, EveryControlKindReadsItsKeysAndDefaults)
{
    const ControlCase cases[] = {
        {"panel",
         "pictureindex=3\nskinrect=1,2,3,4\nlefttoppoint=5,6\nstretchtype=stvert\nalignment=taleftjustify\n"
         "fontheight=$10\nbgpictureindex=2\nfontstyle=fsunderline",
         [](const TskDataSkinControl& e) {
             const auto& p = As<TskDataSkinPanelControl>(e);
             EXPECT_EQ(p.PictureIndex, 3);
             EXPECT_EQ(p.MaskPictureIndex, -1);
             EXPECT_EQ(p.SkinRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(p.LTPoint, (TPoint{5, 6}));
             EXPECT_EQ(p.StretchType, TskStretchType::skstVert);
             EXPECT_EQ(p.Alignment, TAlignment::taLeftJustify);
             EXPECT_EQ(p.FontHeight, 16);
             EXPECT_EQ(p.FontStyle, TFontStyles{TFontStyle::fsUnderline});
             EXPECT_EQ(p.BGPictureIndex, 2);
             EXPECT_EQ(p.FontName, "Arial");
             EXPECT_EQ(p.GripperTransparentColor, 0) << "a missing key reads 0, not the constructor's magenta";
         }},
        {"expanel", "buttonstransparent=1\nfontcolor=255\nvrestorebuttondownrect=1,1,2,2",
         [](const TskDataSkinControl& e) {
             const auto& p = As<TskDataSkinExPanelControl>(e);
             EXPECT_TRUE(p.ButtonsTransparent);
             EXPECT_EQ(p.ButtonsTransparentColor, 0);
             EXPECT_EQ(p.FontColor, 255);
             EXPECT_EQ(p.FontHeight, 14);
             EXPECT_EQ(p.VRestoreButtonDownRect, (TRect{1, 1, 2, 2}));
         }},
        {"menubutton", "trackbuttonrect=1,2,3,4\nanimateinterval=7\nglowlayeroffsetright=9",
         [](const TskDataSkinControl& e) {
             const auto& b = As<TskDataSkinMenuButtonControl>(e);
             EXPECT_EQ(b.TrackButtonRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(b.AnimateInterval, 7);
             EXPECT_EQ(b.GlowLayerOffsetRight, 9);
             EXPECT_EQ(b.FontHeight, 14);
         }},
        {"button", "command=cmclose",
         [](const TskDataSkinControl& e) {
             const auto& b = As<TskDataSkinButtonControl>(e);
             EXPECT_EQ(b.PictureIndex, -1);
             EXPECT_EQ(b.SkinRect, TRect{});
             EXPECT_FALSE(b.Morphing);
             EXPECT_EQ(b.FontHeight, 14) << "not the constructor's 12";
             EXPECT_EQ(b.AnimateInterval, 25);
             EXPECT_EQ(b.GlowLayerPictureIndex, -1);
             EXPECT_EQ(b.GlowLayerAlphaBlendValue, 255);
         }},
        {"checkradio", "framefontcolor=5\nunenabledfontcolor=6\ncheckimagerect=0,0,13,13\nmorphkind=mkpush",
         [](const TskDataSkinControl& e) {
             const auto& c = As<TskDataSkinCheckRadioControl>(e);
             EXPECT_EQ(c.FrameFontColor, 5);
             EXPECT_EQ(c.UnEnabledFontColor, 6);
             EXPECT_EQ(c.CheckImageRect, (TRect{0, 0, 13, 13}));
             EXPECT_EQ(c.MorphKind, TskMorphKind::mkPush);
             EXPECT_EQ(c.FontHeight, 14);
         }},
        {"gauge", "vertical=1\nanimationendoffset=4",
         [](const TskDataSkinControl& e) {
             const auto& g = As<TskDataSkinGaugeControl>(e);
             EXPECT_TRUE(g.Vertical);
             EXPECT_EQ(g.AnimationEndOffset, 4);
             EXPECT_EQ(g.ProgressTransparentColor, 0);
         }},
        {"splitter", "",
         [](const TskDataSkinControl& e) { EXPECT_EQ(As<TskDataSkinSplitterControl>(e).GripperTransparentColor, 0); }},
        {"trackbar", "vertical=1",
         [](const TskDataSkinControl& e) {
             const auto& t = As<TskDataSkinTrackBarControl>(e);
             EXPECT_TRUE(t.Vertical);
             EXPECT_EQ(t.ButtonTransparentColor, 0);
         }},
        {"label", "fontstyle=fsboldfsitalic",
         [](const TskDataSkinControl& e) {
             const auto& l = As<TskDataSkinLabelControl>(e);
             EXPECT_EQ(l.FontStyle, (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
             EXPECT_EQ(l.FontHeight, 14);
         }},
        {"stdlabel", "",
         [](const TskDataSkinControl& e) {
             const auto& l = As<TskDataSkinStdLabelControl>(e);
             EXPECT_EQ(l.ActiveFontColor, 16711680);
             EXPECT_EQ(l.FontHeight, 14);
         }},
        {"updown", "clientrect=1,2,3,4\nlefttoppoint=5,5\nrightbottompoint=6,6\nupbuttonrect=0,0,10,10",
         [](const TskDataSkinControl& e) {
             const auto& u = As<TskDataSkinUpDownControl>(e);
             EXPECT_EQ(u.ClRect, TRect{});
             EXPECT_EQ(u.LTPoint, TPoint{});
             EXPECT_EQ(u.RBPoint, TPoint{});
             EXPECT_EQ(u.UpButtonRect, (TRect{0, 0, 10, 10}));
         }},
        {"grid", "bgpictureindex=4\nfixedfontheight=9",
         [](const TskDataSkinControl& e) {
             const auto& g = As<TskDataSkinGridControl>(e);
             EXPECT_EQ(g.BGPictureIndex, 4);
             EXPECT_EQ(g.FixedFontHeight, 9);
             EXPECT_EQ(g.FontHeight, 14);
             EXPECT_EQ(g.FixedFontName, "Arial");
         }},
        {"tab", "stretchtype=sthorz\nupdown=hupdown\nclientrect=1,2,3,4",
         [](const TskDataSkinControl& e) {
             const auto& t = As<TskDataSkinTabControl>(e);
             EXPECT_EQ(t.StretchType, TskStretchType::skstHorz);
             EXPECT_EQ(t.UpDown, "hupdown");
             EXPECT_EQ(t.ClRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(t.BGPictureIndex, -1);
             EXPECT_EQ(t.ButtonTransparentColor, 0);
         }},
        {"mainmenubar", "closebutton=nosuchentry\nmenubaritem=mbi\ntrackmarkcolor=0x10",
         [](const TskDataSkinControl& e) {
             const auto& m = As<TskDataSkinMainMenuBar>(e);
             EXPECT_EQ(m.CloseButton, "nosuchentry");
             EXPECT_EQ(m.MenuBarItem, "mbi");
             EXPECT_EQ(m.TrackMarkColor, 16);
         }},
        {"controlbar", "gripoffset2=4",
         [](const TskDataSkinControl& e) {
             const auto& c = As<TskDataSkinControlBar>(e);
             EXPECT_EQ(c.ItemOffset1, 3);
             EXPECT_EQ(c.ItemOffset2, 3);
             EXPECT_EQ(c.GripOffset1, 0);
             EXPECT_EQ(c.GripOffset2, 4);
             EXPECT_EQ(c.BGPictureIndex, -1);
         }},
        {"memo", "bgcolor=255\nactivebgcolor=65280\nbuttonrect=1,1,5,5",
         [](const TskDataSkinControl& e) {
             const auto& m = As<TskDataSkinMemoControl>(e);
             EXPECT_EQ(m.BGColor, 255);
             EXPECT_EQ(m.ActiveBGColor, 65280);
             EXPECT_EQ(m.ButtonRect, (TRect{1, 1, 5, 5}));
         }},
        {"edit", "fontname=Tahoma\nunenabledbuttonrect=1,2,3,4",
         [](const TskDataSkinControl& e) {
             const auto& ed = As<TskDataSkinEditControl>(e);
             EXPECT_EQ(ed.FontName, "Tahoma");
             EXPECT_EQ(ed.UnEnabledButtonRect, (TRect{1, 2, 3, 4}));
         }},
        {"checklistbox", "itemcheckrect=1,1,9,9\nuncheckimagerect=0,0,8,8\nvscrollbarname=myv",
         [](const TskDataSkinControl& e) {
             const auto& c = As<TskDataSkinCheckListBox>(e);
             EXPECT_EQ(c.ItemCheckRect, (TRect{1, 1, 9, 9}));
             EXPECT_EQ(c.UnCheckImageRect, (TRect{0, 0, 8, 8}));
             EXPECT_EQ(c.VScrollBarName, "myv");
             EXPECT_EQ(c.HScrollBarName, "hscrollbar");
         }},
        {"listbox", "bothhscrollbarname=both2",
         [](const TskDataSkinControl& e) {
             const auto& l = As<TskDataSkinListBox>(e);
             EXPECT_EQ(l.BothScrollBarName, "both2");
             EXPECT_EQ(l.VScrollBarName, "vscrollbar");
             EXPECT_EQ(l.HScrollBarName, "hscrollbar");
             EXPECT_EQ(l.CaptionFontHeight, 14);
         }},
        {"listbox", "",
         [](const TskDataSkinControl& e) { EXPECT_EQ(As<TskDataSkinListBox>(e).BothScrollBarName, "bothhscrollbar"); }},
        {"combobox", "itemstretcheffect=1",
         [](const TskDataSkinControl& e) {
             const auto& c = As<TskDataSkinComboBox>(e);
             EXPECT_EQ(c.ListBoxName, "");
             EXPECT_TRUE(c.ItemStretchEffect);
             EXPECT_EQ(c.FontHeight, 14);
         }},
        {"scrollbar", "thumboffset1=2",
         [](const TskDataSkinControl& e) {
             const auto& s = As<TskDataSkinScrollBarControl>(e);
             EXPECT_EQ(s.ThumbOffset1, 2);
             EXPECT_EQ(s.ThumbMinSize, 0);
             EXPECT_EQ(s.ThumbMinPageSize, 0);
             EXPECT_EQ(s.ThumbTransparentColor, 0);
             EXPECT_EQ(s.GlyphTransparentColor, 0);
         }},
        {"spinedit", "downdownbuttonrect=1,2,3,4",
         [](const TskDataSkinControl& e) {
             const auto& s = As<TskDataSkinSpinEditControl>(e);
             EXPECT_EQ(s.DownDownButtonRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(s.FontHeight, 14);
         }},
        {"scrollbox", "",
         [](const TskDataSkinControl& e) { EXPECT_EQ(As<TskDataSkinScrollBoxControl>(e).BGPictureIndex, -1); }},
        {"treeview", "",
         [](const TskDataSkinControl& e) {
             const auto& t = As<TskDataSkinTreeView>(e);
             EXPECT_EQ(t.BGColor, 0) << "a missing key reads black, not the constructor's white";
             EXPECT_EQ(t.FontHeight, 14);
         }},
        {"bevel", "lightcolor=16777215\nclientrect=1,2,3,4",
         [](const TskDataSkinControl& e) {
             const auto& b = As<TskDataSkinBevel>(e);
             EXPECT_EQ(b.LightColor, 16777215);
             EXPECT_EQ(b.DarkColor, 0);
         }},
        {"slider", "edgesize=3\nhthumbrect=0,0,20,10\nbgcolor=-16777201",
         [](const TskDataSkinControl& e) {
             const auto& s = As<TskDataSkinSlider>(e);
             EXPECT_EQ(s.EdgeSize, 3);
             EXPECT_EQ(s.HThumbRect, (TRect{0, 0, 20, 10}));
             EXPECT_EQ(s.BGColor, -16777201);
         }},
        {"listview", "bgcolor=16777215",
         [](const TskDataSkinControl& e) { EXPECT_EQ(As<TskDataSkinListView>(e).BGColor, 16777215); }},
        {"richedit", "fontstyle=FSBOLD",
         [](const TskDataSkinControl& e) { EXPECT_EQ(As<TskDataSkinRichEdit>(e).FontStyle, TFontStyles{}); }},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(std::string(c.Kind) + ": " + c.Keys);
        const auto entry = LoadEntry<TskDataSkinControl>(c.Kind, c.Keys);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->IDName, "e");
        EXPECT_EQ(SkinControlKindWord(*entry), c.Kind);
        c.Check(*entry);
    }
}

struct ObjectCase {
    const char* Kind;
    const char* Keys;
    std::function<void(const TskDataSkinObject&)> Check;
};

TEST(SkinEntryRead, EveryObjectKindReadsItsKeysAndDefaults)
{
    const ObjectCase cases[] = {
        {"menuitem",
         "activepictureindex=2\nskinrectinapicture=1\nglowlayeralphablendvalue=100\nmorphkind=mkfade\n"
         "checkimagerect=1,1,9,9\nradioimagerect=2,2,8,8\nactiveradioimagerect=5,5,5,9\n"
         "arrowimagerect=0,0,4,7\nactivearrowimagerect=10,10,14,17",
         [](const TskDataSkinObject& e) {
             const auto& m = As<TskDataSkinMenuItem>(e);
             EXPECT_EQ(m.ActivePictureIndex, 2);
             EXPECT_EQ(m.ActiveMaskPictureIndex, -1);
             EXPECT_TRUE(m.SkinRectInAPicture);
             EXPECT_EQ(m.GlowLayerAlphaBlendValue, 100);
             EXPECT_EQ(m.MorphKind, TskMorphKind::mkDefault);
             EXPECT_EQ(m.ActiveCheckImageRect, m.CheckImageRect) << "missing active mark takes the normal one";
             EXPECT_EQ(m.ActiveRadioImageRect, m.RadioImageRect) << "zero-width active mark takes the normal one";
             EXPECT_EQ(m.ActiveArrowImageRect, (TRect{10, 10, 14, 17}));
             EXPECT_EQ(m.AnimateInterval, 25);
             EXPECT_EQ(m.FontHeight, 14);
             EXPECT_EQ(m.FontName, "Arial");
         }},
        {"mainmenubaritem", "UNENABLEDFONTCOLOR=77\ndownrect=1,2,3,4\nhint=File",
         [](const TskDataSkinObject& e) {
             const auto& m = As<TskDataSkinMainMenuBarItem>(e);
             EXPECT_EQ(m.UnEnabledFontColor, 77);
             EXPECT_EQ(m.DownRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(m.Hint, "File");
             EXPECT_EQ(m.AnimateInterval, 25);
         }},
        {"stdbutton", "hint=Maximize\ncommand=cmmaximize",
         [](const TskDataSkinObject& e) {
             const auto& b = As<TskDataSkinStdButton>(e);
             EXPECT_EQ(b.Command, TskStdCommand::cmMaximize);
             EXPECT_EQ(b.RestoreHint, "Restore");
         }},
        {"stdbutton", "hint=maximize\ncommand=cmMaximize",
         [](const TskDataSkinObject& e) {
             const auto& b = As<TskDataSkinStdButton>(e);
             EXPECT_EQ(b.Command, TskStdCommand::cmMinimizeToTray);
             EXPECT_EQ(b.RestoreHint, "");
         }},
        {"stdbutton", "hint=Close\nrestorehint=Back",
         [](const TskDataSkinObject& e) {
             const auto& b = As<TskDataSkinStdButton>(e);
             EXPECT_EQ(b.Command, TskStdCommand::cmDefault);
             EXPECT_EQ(b.RestoreHint, "Back");
         }},
        {"mainmenubarbutton", "hint=Minimize\ncommand=cmminimize\ndisableskinrsect=1,2,3,4",
         [](const TskDataSkinObject& e) {
             const auto& b = As<TskDataSkinMainMenuBarButton>(e);
             EXPECT_EQ(b.RestoreHint, "Restore");
             EXPECT_EQ(b.DisableSkinRect, (TRect{1, 2, 3, 4}));
         }},
        {"button", "downrect=1,2,3,4\ndisableskinrsect=5,6,7,8\ndisableskinrect=9,9,9,9",
         [](const TskDataSkinObject& e) {
             const auto& b = As<TskDataSkinButton>(e);
             EXPECT_EQ(b.DownRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(b.DisableSkinRect, (TRect{5, 6, 7, 8}));
         }},
        {"caption", "reflactioncolor=11\nreflactionactivecolor=12\nreflectioncolor=99\nalignment=tacenterx",
         [](const TskDataSkinObject& e) {
             const auto& c = As<TskDataSkinCaption>(e);
             EXPECT_EQ(c.ReflectionColor, 11);
             EXPECT_EQ(c.ReflectionActiveColor, 12);
             EXPECT_EQ(c.Alignment, TAlignment::taRightJustify);
             EXPECT_EQ(c.GlowSize, 3);
             EXPECT_EQ(c.AnimateInterval, 25);
             EXPECT_EQ(c.FontHeight, 14);
         }},
        {"animate", "morphing=1\nhint=Roll Up\ncommand=cmrollup",
         [](const TskDataSkinObject& e) {
             const auto& a = As<TskDataSkinAnimate>(e);
             EXPECT_FALSE(a.Morphing);
             EXPECT_EQ(a.CountFrames, 1);
             EXPECT_EQ(a.TimerInterval, 50);
             EXPECT_EQ(a.Command, TskStdCommand::cmRollUp);
             EXPECT_EQ(a.RestoreHint, "Restore");
         }},
        {"userobject", "skinrect=1,2,3,4\nactivepictureindex=3\nmorphing=1\nglowlayeralphablendvalue=9",
         [](const TskDataSkinObject& e) {
             const auto& u = As<TskDataUserObject>(e);
             EXPECT_EQ(u.SkinRect, (TRect{1, 2, 3, 4}));
             EXPECT_EQ(u.ActivePictureIndex, -1);
             EXPECT_FALSE(u.Morphing);
             EXPECT_EQ(u.GlowLayerAlphaBlendValue, 255);
         }},
    };
    for (const ObjectCase& c : cases) {
        SCOPED_TRACE(std::string(c.Kind) + ": " + c.Keys);
        const auto entry = LoadEntry<TskDataSkinObject>(c.Kind, c.Keys);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(SkinObjectKindWord(*entry), c.Kind);
        c.Check(*entry);
    }
}

TEST(SkinEntryRead, NewEntriesHoldTheConstructorValues)
{
    const TskDataSkinButtonControl button("b");
    EXPECT_EQ(button.FontHeight, 12);
    EXPECT_EQ(button.AnimateInterval, 0);
    EXPECT_EQ(button.GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(button.MaskPictureIndex, -1);
    EXPECT_EQ(TskDataSkinTreeView("t").BGColor, 16777215);
    EXPECT_EQ(TskDataSkinPanelControl("p").GripperTransparentColor, kMagenta);
    EXPECT_EQ(TskDataSkinPanelControl("p").Alignment, TAlignment::taCenter);
    EXPECT_EQ(TskDataSkinScrollBarControl("s").ThumbTransparentColor, kMagenta);
    EXPECT_EQ(TskDataSkinStdLabelControl("l").ActiveFontColor, 16711680);
    const TskDataSkinObject object("o");
    EXPECT_EQ(object.GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(object.ActivePictureIndex, -1);
    EXPECT_EQ(object.GlowLayerPictureIndex, -1);
}

TEST(SkinEntryRead, MalformedRectangleEndsTheReadWithTheConversionError)
{
    EXPECT_THROW(LoadEntry<TskDataSkinControl>("button", "activeskinrect=1,2,3"), EConvertError);
    EXPECT_THROW(LoadEntry<TskDataSkinObject>("caption", "textrect="), EConvertError);
}

} // namespace
} // namespace tovrel::test
