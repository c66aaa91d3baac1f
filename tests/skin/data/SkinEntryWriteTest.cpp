// Writing entries: every kind survives a write and a read with every key it
// owns, and the classes whose writer orders keys differently from the reader
// write them as the format has them.
#include <algorithm>
#include <map>
#include <regex>

#include <gtest/gtest.h>

#include "skin/data/SkinDataTestSupport.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinFrameEntries.h"

namespace tovrel::test {
namespace {

using test::SectionKeys;
using test::SectionText;

constexpr const char* kControlKinds[] = {
    "panel",      "expanel",   "menubutton", "button",       "checkradio", "gauge",    "splitter",
    "trackbar",   "label",     "stdlabel",   "updown",       "grid",       "tab",      "mainmenubar",
    "controlbar", "memo",      "edit",       "checklistbox", "listbox",    "combobox", "scrollbar",
    "spinedit",   "scrollbox", "treeview",   "bevel",        "slider",     "listview", "richedit"};
constexpr const char* kObjectKinds[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                        "button",   "caption",         "animate",   "userobject"};

template <class Base> std::unique_ptr<Base> Create(std::string_view kind)
{
    if constexpr (std::is_same_v<Base, TskDataSkinControl>)
        return CreateSkinControlEntry(kind, "e");
    else
        return CreateSkinObjectEntry(kind, "e");
}

// A value unlike the written default and unlike every other key's value, in the
// same syntax; numbers that might be booleans are told apart by a first pass.
std::string DistinctValue(const std::string& key, const std::string& value, int i, bool isBoolean)
{
    static const std::map<std::string, std::string> otherWord{
        {"stfull", "stvert"},          {"mkdefault", "mkrightslide"},
        {"tacenter", "taleftjustify"}, {"taleftjustify", "tarightjustify"},
        {"cmclose", "cmrollup"},       {"cmdefault", "cmsysmenu"}};
    static const std::regex rect(R"(-?\d+,-?\d+,-?\d+,-?\d+)"), point(R"(-?\d+,-?\d+)"), number(R"(-?\d+)");
    const std::string n = std::to_string(i);
    if (key.find("fontstyle") != std::string::npos)
        return "fsbold,fsunderline";
    if (const auto word = otherWord.find(value); word != otherWord.end())
        return word->second;
    if (std::regex_match(value, rect))
        return n + "," + std::to_string(i + 1) + "," + std::to_string(i + 2) + "," + std::to_string(i + 3);
    if (std::regex_match(value, point))
        return n + "," + std::to_string(i + 1);
    if (std::regex_match(value, number))
        return isBoolean ? "1" : std::to_string(i + 100);
    return "text" + n;
}

template <class Base> std::vector<std::pair<std::string, std::string>> WrittenValues(Base& entry)
{
    TskIniFile ini;
    entry.SaveToFile(ini);
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& key : ini.ReadSection("e"))
        values.emplace_back(key, ini.ReadString("e", key, ""));
    return values;
}

template <class Base>
std::vector<std::pair<std::string, std::string>> Reread(std::string_view kind,
                                                        const std::vector<std::pair<std::string, std::string>>& in)
{
    std::string text = "[e]\n";
    for (const auto& [key, value] : in)
        text += key + "=" + value + "\n";
    auto entry = Create<Base>(kind);
    entry->LoadFromFile(TskIniFile(text));
    return WrittenValues(*entry);
}

// Keys whose value the entry overrides on purpose when it reads or writes.
bool OverriddenOnPurpose(std::string_view kind, const std::string& key)
{
    if (kind == "updown")
        return key == "clientrect" || key.ends_with("point");
    if (kind == "animate")
        return key == "morphing";
    return false;
}

template <class Base> void ExpectEveryKeySurvivesATrip(std::string_view kind)
{
    SCOPED_TRACE(kind);
    auto fresh = Create<Base>(kind);
    ASSERT_NE(fresh, nullptr);
    const auto defaults = WrittenValues(*fresh);

    // First pass: every number distinct; the ones that come back as 0 are booleans.
    std::vector<std::pair<std::string, std::string>> wanted;
    for (std::size_t i = 0; i < defaults.size(); ++i)
        wanted.emplace_back(defaults[i].first, DistinctValue(defaults[i].first, defaults[i].second, int(i) * 5, false));
    const auto firstPass = Reread<Base>(kind, wanted);
    ASSERT_EQ(firstPass.size(), wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (firstPass[i].second == "0" && wanted[i].second != "0" && !OverriddenOnPurpose(kind, wanted[i].first))
            wanted[i].second = DistinctValue(wanted[i].first, defaults[i].second, int(i) * 5, true);

    const auto written = Reread<Base>(kind, wanted);
    ASSERT_EQ(written.size(), wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_EQ(written[i].first, wanted[i].first);
        if (!OverriddenOnPurpose(kind, wanted[i].first)) {
            EXPECT_EQ(written[i].second, wanted[i].second) << "key " << wanted[i].first;
        }
    }
    EXPECT_EQ(Reread<Base>(kind, written), written) << "a second trip changes nothing";
}

TEST(SkinEntryWrite, EveryControlKindKeepsEveryKeyThroughWriteAndRead)
{
    for (const char* kind : kControlKinds)
        ExpectEveryKeySurvivesATrip<TskDataSkinControl>(kind);
}

TEST(SkinEntryWrite, EveryObjectKindKeepsEveryKeyThroughWriteAndRead)
{
    for (const char* kind : kObjectKinds)
        ExpectEveryKeySurvivesATrip<TskDataSkinObject>(kind);
}

TEST(SkinEntryWrite, WritersThatReorderKeysWriteTheFormatsOrder)
{
    struct Case {
        bool Control;
        const char* Kind;
        std::vector<std::string> Run; // keys written one after the other
    };
    const Case cases[] = {
        {true,
         "button",
         {"glowlayermaskpictureindex", "glowlayeroffsetleft", "glowlayeroffsetright", "glowlayeroffsettop",
          "glowlayeroffsetbottom", "glowlayershowoffsetx"}},
        {true, "menubutton", {"glowlayershowoffsety", "glowlayeralphablendvalue", "trackbuttonrect"}},
        {true, "checkradio", {"fontstyle", "fontcolor", "framefontcolor", "activefontcolor", "unenabledfontcolor"}},
        {true,
         "checklistbox",
         {"disabledbuttonsrect", "buttonsarea", "itemcheckrect", "uncheckimagerect", "checkimagerect"}},
        {true, "combobox", {"downbuttonrect", "unenabledbuttonrect", "listboxname", "itemstretcheffect"}},
        {true, "controlbar", {"gripoffset2", "itemoffset1", "itemoffset2", "itemstretcheffect", "itemtransparent"}},
        {true, "grid", {"celltextrect", "linescolor", "bgcolor", "bgpictureindex", "fontname"}},
        {false, "mainmenubaritem", {"downfontcolor", "unenabledfontColor", "stretcheffect"}},
        {false, "caption", {"reflectioneffect", "reflactioncolor", "reflactionactivecolor", "reflectionoffset"}},
        {false, "button", {"glowlayeralphablendvalue", "downrect", "disableskinrsect"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind);
        TskIniFile ini;
        if (c.Control)
            Create<TskDataSkinControl>(c.Kind)->SaveToFile(ini);
        else
            Create<TskDataSkinObject>(c.Kind)->SaveToFile(ini);
        const std::vector<std::string> keys = SectionKeys(ini, "e");
        EXPECT_NE(std::search(keys.begin(), keys.end(), c.Run.begin(), c.Run.end()), keys.end());
    }
}

TEST(SkinEntryWrite, SectionsOfQuirkyEntriesAsWritten)
{
    // The up-down entry writes an empty eight-piece division whatever it held.
    TskDataSkinUpDownControl upDown("hupdown");
    upDown.ClRect = TRect{1, 2, 3, 4};
    upDown.RBPoint = TPoint{5, 6};
    upDown.UpButtonRect = TRect{0, 0, 9, 9};
    TskIniFile ini("[hupdown]\nleftover=1\n");
    upDown.SaveToFile(ini);
    EXPECT_EQ(SectionText(ini, "hupdown"),
              "pictureindex=-1\nmaskpictureindex=-1\nskinrect=0,0,0,0\n"
              "lefttoppoint=0,0\nrighttoppoint=0,0\nleftbottompoint=0,0\nrightbottompoint=0,0\nclientrect=0,0,0,0\n"
              "leftstretch=0\ntopstretch=0\nrightstretch=0\nbottomstretch=0\nstretcheffect=0\nstretchtype=stfull\n"
              "upbuttonrect=0,0,9,9\nactiveupbuttonrect=0,0,0,0\ndownupbuttonrect=0,0,0,0\n"
              "downbuttonrect=0,0,0,0\nactivedownbuttonrect=0,0,0,0\ndowndownbuttonrect=0,0,0,0\n");

    // A user object writes its rectangle alone, and loaded keys of other kinds are gone.
    const auto user = test::LoadEntry<TskDataSkinObject>("userobject", "skinrect=1,2,3,4\nmorphing=1\nhint=x");
    TskIniFile userIni("[e]\nmorphing=1\n");
    user->SaveToFile(userIni);
    EXPECT_EQ(SectionText(userIni, "e"), "skinrect=1,2,3,4\n");

    // A loaded standard button carries its completed restore hint; an animation never morphs.
    TskIniFile objects;
    test::LoadEntry<TskDataSkinObject>("stdbutton", "hint=Maximize\ncommand=cmmaximize")->SaveToFile(objects);
    EXPECT_EQ(objects.ReadString("e", "restorehint", "?"), "Restore");
    EXPECT_EQ(objects.ReadString("e", "command", "?"), "cmmaximize");
    test::LoadEntry<TskDataSkinObject>("animate", "morphing=1")->SaveToFile(objects);
    EXPECT_EQ(objects.ReadString("e", "morphing", "?"), "0");

    // A button section that held keys of another kind keeps only the button's keys.
    TskIniFile buttonIni("[e]\ncommand=cmclose\nfontname=Tahoma\n");
    auto button = CreateSkinControlEntry("button", "e");
    button->LoadFromFile(buttonIni);
    button->SaveToFile(buttonIni);
    EXPECT_FALSE(buttonIni.ValueExists("e", "command"));
    EXPECT_EQ(buttonIni.ReadString("e", "fontname", ""), "Tahoma");
}

} // namespace
} // namespace tovrel::test
