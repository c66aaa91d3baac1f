// The description as a whole: the five-section test, the entry lists, the
// form information with its completion, and the fixed entries.
#include <gtest/gtest.h>

#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinDataTestSupport.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinDescriptionText.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {
namespace {

constexpr const char* kRequired = "[VERSION]\nver=1\n[PICTURES]\npicture=main.bmp\n[FORMINFO]\nborderwidth=2\n"
                                  "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n";

TEST(SkinDescription, OnlyTextsWithTheFiveKeyedSectionsAreSkins)
{
    struct Case {
        std::string Text;
        bool IsSkin;
    };
    const Case cases[] = {
        {kRequired, true},
        {std::string(kRequired) + "[SKINCONTROLS]\n", true},
        {"[version]\nver=1\n[pictures]\npicture=\n[forminfo]\nx=1\n[skinobjects]\ncount=0\n[skincontrols]\ncount=0\n",
         true},
        {"[VERSION]\nver=1\n[PICTURES]\npicture=main.bmp\n[FORMINFO]\nborderwidth=2\n[SKINOBJECTS]\ncount=0\n"
         "[SKINCONTROLS]\n",
         false},
        {"[VERSION]\nver=1\n[PICTURES]\npicture=main.bmp\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckSkinFile(TskIniFile(c.Text)), c.IsSkin) << c.Text;
}

TEST(SkinDescription, EntryListsSkipUnknownKindsAndKeepFileOrder)
{
    const TskIniFile ini("[SKINCONTROLS]\ncount=7\n"
                         "0=first:Button\n" // kind words compare with case
                         "1=a:button\n"
                         "2=b:nosuchkind\n"
                         "3=a:panel\n" // same name again: a second entry reading the same section
                         "4=nocolon\n"
                         "6=last:bevel\n"   // line 5 is missing
                         "7=beyond:bevel\n" // past the count
                         "[a]\nfontheight=20\n");
    TskControlList controls;
    ReadSkinControls(ini, controls);
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(SkinControlKindWord(*controls[0]), "button");
    EXPECT_EQ(SkinControlKindWord(*controls[1]), "panel");
    EXPECT_EQ(controls[2]->IDName, "last");
    EXPECT_EQ(dynamic_cast<TskDataSkinButtonControl&>(*controls[0]).FontHeight, 20);
    EXPECT_EQ(dynamic_cast<TskDataSkinPanelControl&>(*controls[1]).FontHeight, 20);
    EXPECT_EQ(FindSkinControl(controls, "a"), 0);
    EXPECT_EQ(FindSkinControl(controls, "A"), -1);
    EXPECT_EQ(FindSkinControl(controls, "b"), -1);

    TskObjectList objects;
    ReadSkinObjects(TskIniFile("[SKINOBJECTS]\ncount=2000000000\n1=caption:caption\n0=closebutton:stdbutton\n"),
                    objects);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->IDName, "closebutton");
    EXPECT_EQ(FindSkinObject(objects, "caption"), 1);
}

TEST(SkinDescription, WrittenListsGiveBackTheSameClassesAndValues)
{
    TskControlList controls;
    controls.push_back(CreateSkinControlEntry("menubutton", "toolmenubutton"));
    controls.push_back(CreateSkinControlEntry("memo", "memo"));
    controls.push_back(CreateSkinControlEntry("checklistbox", "clb"));
    dynamic_cast<TskDataSkinMenuButtonControl&>(*controls[0]).TrackButtonRect = TRect{1, 2, 3, 4};
    TskObjectList objects;
    objects.push_back(CreateSkinObjectEntry("mainmenubarbutton", "mdiclose"));
    objects.push_back(CreateSkinObjectEntry("mainmenubaritem", "mbi"));

    TskIniFile ini;
    WriteSkinObjects(ini, objects);
    WriteSkinControls(ini, controls);
    EXPECT_EQ(test::SectionText(ini, "SKINCONTROLS"), "count=3\n0=toolmenubutton:menubutton\n1=memo:memo\n"
                                                      "2=clb:checklistbox\n");
    EXPECT_EQ(test::SectionText(ini, "SKINOBJECTS"), "count=2\n0=mdiclose:mainmenubarbutton\n1=mbi:mainmenubaritem\n");

    const TskIniFile reread(ini.GetText());
    TskControlList controlsBack;
    ReadSkinControls(reread, controlsBack);
    ASSERT_EQ(controlsBack.size(), 3u);
    EXPECT_EQ(dynamic_cast<TskDataSkinMenuButtonControl&>(*controlsBack[0]).TrackButtonRect, (TRect{1, 2, 3, 4}));
    TskObjectList objectsBack;
    ReadSkinObjects(reread, objectsBack);
    ASSERT_EQ(objectsBack.size(), 2u);
    EXPECT_EQ(SkinObjectKindWord(*objectsBack[0]), "mainmenubarbutton");
    EXPECT_EQ(SkinObjectKindWord(*objectsBack[1]), "mainmenubaritem");
}

TEST(SkinDescription, EntryNamesHoldingABracketAreWrittenAndReadBack)
{
    // The entry's name becomes the header "[a]b]" of its section.
    TskControlList controls;
    ReadSkinControls(TskIniFile("[SKINCONTROLS]\ncount=1\n0=a]b:button\n[a]b]\nfontheight=20\n"), controls);
    ASSERT_EQ(controls.size(), 1u);
    ASSERT_EQ(controls[0]->IDName, "a]b");

    TskIniFile ini;
    WriteSkinControls(ini, controls);
    TskControlList back;
    ReadSkinControls(TskIniFile(ini.GetText()), back);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->IDName, "a]b");
    EXPECT_EQ(dynamic_cast<TskDataSkinButtonControl&>(*back[0]).FontHeight, 20);
}

TEST(SkinDescription, FormInfoIsCompletedAfterReading)
{
    const std::string corners = "[FORMINFO]\nlefttoppoint=2,3\nrighttoppoint=90,4\nleftbottompoint=1,70\n"
                                "rightbottompoint=95,80\nclientrect=5,20,85,75\n";
    TskFormInfo withMask;
    withMask.LoadFromFile(TskIniFile(corners + "hittestrighttoppoint=88,0\nhittestleftbottompoint=6,66\n"), true);
    EXPECT_EQ(withMask.MaskRectArea, (TRect{5, 20, 85, 75})) << "an empty mask area becomes the client rectangle";
    EXPECT_EQ(withMask.HitTestLTPoint, (TPoint{2, 3})) << "an absent hit-test point takes its corner";
    EXPECT_EQ(withMask.HitTestRTPoint, (TPoint{90, 4})) << "one zero coordinate is enough to count as absent";
    EXPECT_EQ(withMask.HitTestLBPoint, (TPoint{6, 66}));
    // Corner points are clamped into the client rectangle after the hit-test points took them.
    EXPECT_EQ(withMask.LTPoint, (TPoint{5, 20}));
    EXPECT_EQ(withMask.RTPoint, (TPoint{85, 20}));
    EXPECT_EQ(withMask.LBPoint, (TPoint{5, 70}));
    EXPECT_EQ(withMask.RBPoint, (TPoint{85, 75}));
    EXPECT_EQ(withMask.BGPictureIndex, -1);
    EXPECT_EQ(withMask.InActiveEffect, TskInActiveEffect::ieBrightness);

    TskFormInfo grown;
    grown.LoadFromFile(TskIniFile(corners + "maskrectarea=10,0,100,50\n"), true);
    EXPECT_EQ(grown.MaskRectArea, (TRect{5, 0, 100, 75}));

    TskFormInfo noMask;
    noMask.LoadFromFile(TskIniFile(corners + "maskrectarea=10,0,100,50\n"), false);
    EXPECT_EQ(noMask.MaskRectArea, (TRect{10, 0, 100, 50}));
    EXPECT_EQ(noMask.HitTestLTPoint, TPoint{});

    TskFormInfo unclamped;
    unclamped.LoadFromFile(TskIniFile("[FORMINFO]\nlefttoppoint=2,3\nrightbottompoint=2,80\n"
                                      "clientrect=5,20,85,75\ninactiveeffect=ieblue\n"),
                           false);
    EXPECT_EQ(unclamped.LTPoint, (TPoint{2, 3})) << "no clamping when the corners share an X";
    EXPECT_EQ(unclamped.InActiveEffect, TskInActiveEffect::ieGrayScale);
}

TEST(SkinDescription, FixedSectionsRoundTripInTheirOrder)
{
    TskSkinVersionInfo version;
    version.SkinName = "Blue";
    version.AuthorURL = "https://example.org";
    TskSkinPictureNames pictures;
    pictures.PictureName = "main.bmp";
    pictures.MaskName = "mask.bmp";
    pictures.ActivePicturesNames = {"a.bmp", "b.bmp"};
    TskFormInfo form;
    form.ClRect = TRect{-3, 4, 50, 60};
    form.StretchType = TskStretchType::skstVert;
    form.MDITabsTransparent = true;

    TskIniFile ini;
    version.SaveToFile(ini);
    pictures.SaveToFile(ini);
    form.SaveToFile(ini);
    EXPECT_EQ(test::SectionText(ini, "VERSION"),
              "ver=1\nskinname=Blue\nskinauthor=\nauthoremail=\nauthorurl=https://example.org\nskincomments=\n");
    EXPECT_EQ(test::SectionText(ini, "PICTURES"), "picture=main.bmp\ninactivepicture=\nmask=mask.bmp\n"
                                                  "activepicturescount=2\n0=a.bmp\n1=b.bmp\n");
    const std::vector<std::string> formKeys = test::SectionKeys(ini, "FORMINFO");
    ASSERT_EQ(formKeys.size(), 31u);
    EXPECT_EQ(formKeys.front(), "lefttoppoint");
    EXPECT_EQ(formKeys.back(), "mainmenubartransparent");
    EXPECT_EQ(ini.ReadString("FORMINFO", "clientrect", ""), "-3,4,50,60");

    TskSkinVersionInfo versionBack;
    versionBack.LoadFromFile(ini);
    EXPECT_EQ(versionBack.SkinName, "Blue");
    EXPECT_EQ(versionBack.AuthorURL, "https://example.org");
    TskSkinPictureNames picturesBack;
    picturesBack.ActivePicturesNames = {"stale.bmp"};
    picturesBack.LoadFromFile(ini);
    EXPECT_EQ(picturesBack.ActivePicturesNames, pictures.ActivePicturesNames);
    EXPECT_EQ(picturesBack.MaskName, "mask.bmp");
    TskFormInfo formBack;
    formBack.LoadFromFile(ini, false);
    EXPECT_EQ(formBack.ClRect, (TRect{3, 4, 50, 60})) << "the minus sign does not come back";
    EXPECT_EQ(formBack.StretchType, TskStretchType::skstVert);
    EXPECT_TRUE(formBack.MDITabsTransparent);
}

TEST(SkinFixedEntries, MissingSectionsGiveDefaultsAndColoursFallBackToSystemColours)
{
    const TskIniFile ini("[SKINCOLORS]\ncwindow=255\n[HINTWINDOW]\nfontname=Tahoma\n");
    TskDataSkinLayerFrame layer;
    layer.PictureIndex = 4;
    layer.AlphaBlendValue = 9;
    layer.LoadFromFile(ini);
    EXPECT_EQ(layer.PictureIndex, -1);
    EXPECT_EQ(layer.AlphaBlendValue, 255);
    EXPECT_EQ(layer.InActiveAlphaBlendValue, 255);
    EXPECT_EQ(layer.BorderRect, TRect{});

    TskDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    hint.LoadFromFile(ini);
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.FontName, "Tahoma");
    EXPECT_EQ(SkinEntryFont(hint).Name, "Tahoma");

    TskSkinColors colors;
    EXPECT_EQ(colors.cBtnFace(), 0) << "a new colour set holds zeros";
    colors.LoadFromFile(ini);
    EXPECT_EQ(colors.cWindow(), 255);
    EXPECT_EQ(colors.cBtnFace(), -16777201);
    EXPECT_EQ(colors.cBtnText(), -16777198);
    EXPECT_EQ(colors.cWindowText(), -16777208);
    EXPECT_EQ(colors.cHighLight(), -16777203);
    EXPECT_EQ(colors.cHighLightText(), -16777202);
    EXPECT_EQ(colors.cBtnHighLight(), -16777196);
    EXPECT_EQ(colors.cBtnShadow(), -16777200);
    TskSkinColors reset;
    reset.SetColorsToDefault();
    EXPECT_EQ(reset.cWindow(), -16777211);
}

TEST(SkinFixedEntries, WritersEraseTheirSectionExceptTheColours)
{
    TskIniFile ini("[POPUPWINDOW]\nstale=1\n[SKINCOLORS]\nextra=1\n");
    TskDataSkinPopupWindow popup;
    popup.ItemsRect = TRect{1, 2, 3, 4};
    popup.SaveToFile(ini);
    TskSkinColors colors;
    colors.SetColorsToDefault();
    colors.SaveToFile(ini);
    EXPECT_FALSE(ini.ValueExists("POPUPWINDOW", "stale"));
    EXPECT_EQ(test::SectionKeys(ini, "POPUPWINDOW"),
              (std::vector<std::string>{"windowpictureindex", "maskpictureindex", "lefttoppoint", "righttoppoint",
                                        "leftbottompoint", "rightbottompoint", "itemsrect", "scrollmarkercolor",
                                        "scrollmarkeractivecolor", "leftstretch", "rightstretch", "topstretch",
                                        "bottomstretch", "stretcheffect", "stretchtype"}));
    EXPECT_TRUE(ini.ValueExists("SKINCOLORS", "extra"));
    EXPECT_EQ(ini.ReadString("SKINCOLORS", "cbtnface", ""), "-16777201");

    TskDataSkinPopupWindow back;
    back.LoadFromFile(ini);
    EXPECT_EQ(back.ItemsRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(back.WindowPictureIndex, -1);
}

TEST(SkinDescription, WholeDescriptionIsWrittenInTheFormatsOrderAndReadsBackTheSame)
{
    TskSkinDescription skin;
    skin.Version.SkinName = "Blue";
    skin.Pictures.ActivePicturesNames = {"controls.bmp"};
    skin.FormInfo.BorderW = 4;
    skin.LayerFrame.PictureIndex = 0;
    skin.SkinColors.SetColorsToDefault();
    skin.ObjectList.push_back(CreateSkinObjectEntry("caption", "caption"));
    skin.CtrlList.push_back(CreateSkinControlEntry("button", "button"));
    dynamic_cast<TskDataSkinButtonControl&>(*skin.CtrlList[0]).SkinRect = TRect{0, 0, 75, 25};

    TskIniFile ini("[SKINCOLORS]\nstale=1\n[VERSION]\nold=1\n");
    skin.SaveToIniFile(ini);
    EXPECT_EQ(ini.ReadSections(),
              (std::vector<std::string>{"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "LAYERFRAME", "HINTWINDOW",
                                        "SKINCOLORS", "SKINOBJECTS", "caption", "SKINCONTROLS", "button"}));
    EXPECT_FALSE(ini.ValueExists("SKINCOLORS", "stale"));
    EXPECT_FALSE(ini.ValueExists("VERSION", "old"));
    EXPECT_TRUE(CheckSkinFile(ini));

    TskSkinDescription back;
    back.CtrlList.push_back(CreateSkinControlEntry("bevel", "leftover"));
    back.LoadFromIniFile(TskIniFile(ini.GetText()));
    ASSERT_EQ(back.CtrlList.size(), 1u);
    EXPECT_EQ(back.CtrlList[0]->SkinRect, (TRect{0, 0, 75, 25}));
    EXPECT_EQ(back.Version.SkinName, "Blue");
    TskIniFile again;
    back.SaveToIniFile(again);
    EXPECT_EQ(again.GetText(), ini.GetText());
}

} // namespace
} // namespace tovrel::test
