// The skin data object: loading an INI skin folder, lookups, clearing, the
// skin-change broadcast and its order, SkinIndex with a skin list.
#include <filesystem>

#include <gtest/gtest.h>

#include "SkinDataTestSkin.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Errors.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinCompressedSkinList.h"

namespace tovrel::test {
namespace {

const std::vector<unsigned> kChangeSequence{BeforeChangeSkinDataMessage, ChangeSkinDataMessage,
                                            AfterChangeSkinDataMessage};

class SkinDataTest : public ControlTest {
protected:
    TTempFolder folder{"skindata"};
    TSkinMessageLog log;
};

TEST_F(SkinDataTest, NewObjectIsEmptyAndFindsNothing)
{
    TskSkinData skin(nullptr);
    EXPECT_TRUE(skin.Empty);
    EXPECT_FALSE(skin.ChangeSkinDataProcess);
    EXPECT_EQ(-1, skin.GetControlIndex("button"));
    EXPECT_EQ(-1, skin.GetIndex("closebutton"));
    EXPECT_EQ(nullptr, skin.ActivePicture(0));
    EXPECT_TRUE(skin.FPicture->Empty());
    EXPECT_EQ(-1, skin.FormInfo.BGPictureIndex);
}

TEST_F(SkinDataTest, LoadsAFolderAndAnnouncesIt)
{
    const std::string iniFile = WriteTestSkin(folder.Path());
    TRecorderForm form(nullptr, "form", log);
    TskSkinData skin(nullptr);
    skin.LoadFromFile(iniFile);

    EXPECT_FALSE(skin.Empty);
    EXPECT_EQ("Test skin 0", skin.Version.SkinName);
    EXPECT_EQ(40, skin.FPicture->Width());
    EXPECT_EQ(30, skin.FMask->Height());
    EXPECT_TRUE(skin.FInActivePicture->Empty());
    ASSERT_EQ(2u, skin.FActivePictures.size());
    EXPECT_EQ(16, skin.ActivePicture(0)->Width());
    EXPECT_EQ(nullptr, skin.ActivePicture(2));
    EXPECT_EQ(skin.Pictures.ActivePicturesNames, (std::vector<std::string>{"active0.bmp", "active1.bmp"}));
    EXPECT_EQ(0, skin.GetIndex("closebutton"));
    // The unknown kind adds nothing, the first "button" wins, names keep their case.
    ASSERT_EQ(3u, skin.CtrlList.size());
    EXPECT_EQ(0, skin.GetControlIndex("button"));
    EXPECT_EQ(1, skin.GetControlIndex("panel"));
    EXPECT_EQ(-1, skin.GetControlIndex("Button"));
    EXPECT_EQ(-1, skin.GetControlIndex("mystery"));

    EXPECT_EQ(Messages(log), kChangeSequence);
    const WPARAM sender = reinterpret_cast<WPARAM>(&skin);
    EXPECT_EQ(log[0], (TSkinMessage{"form", BeforeChangeSkinDataMessage, sender, 1000, true}));
    EXPECT_EQ(log[1], (TSkinMessage{"form", ChangeSkinDataMessage, sender, 1000, false}));
    EXPECT_FALSE(skin.ChangeSkinDataProcess);
}

TEST_F(SkinDataTest, FileThatIsNoSkinChangesNothing)
{
    TskSkinData skin(nullptr);
    skin.LoadFromFile(WriteTestSkin(folder.Path()));
    TRecorderForm form(nullptr, "form", log);

    TskIniFile ini;
    ini.LoadFromFile(folder.File("skin.ini"));
    ini.EraseSection("SKINCONTROLS");
    ini.SaveToFile(folder.File("noskin.ini"));
    skin.LoadFromFile(folder.File("noskin.ini"));
    skin.LoadFromFile(folder.File("missing.ini"));

    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(skin.Empty);
    EXPECT_EQ(3u, skin.CtrlList.size());
}

// A load that fails part-way raises and leaves the previous skin; forms hear
// nothing, so none is left waiting for the end of a change.
TEST_F(SkinDataTest, FailedLoadKeepsThePreviousSkinAndSendsNothing)
{
    TskSkinData skin(nullptr);
    TTempFolder good("good"), broken("broken");
    skin.LoadFromFile(WriteTestSkin(good.Path(), 1));
    const std::string before = DescriptionText(skin);

    struct TCase {
        const char* What;
        void (*Damage)(const std::filesystem::path&);
    };
    const TCase cases[] = {
        {"missing active picture", [](const std::filesystem::path& f) { std::filesystem::remove(f / "active1.bmp"); }},
        {"picture that is no BMP",
         [](const std::filesystem::path& f) { std::filesystem::resize_file(f / "main.bmp", 20); }},
        {"malformed rectangle",
         [](const std::filesystem::path& f) {
             TskIniFile ini;
             ini.LoadFromFile(f / "skin.ini");
             ini.WriteString("FORMINFO", "clientrect", "1,2");
             ini.SaveToFile(f / "skin.ini");
         }},
    };
    TRecorderForm form(nullptr, "form", log);
    for (const TCase& c : cases) {
        const std::string iniFile = WriteTestSkin(broken.Path(), 2);
        c.Damage(broken.Path());
        EXPECT_THROW(skin.LoadFromFile(iniFile), Exception) << c.What;
        EXPECT_FALSE(skin.Empty) << c.What;
        EXPECT_FALSE(skin.ChangeSkinDataProcess) << c.What;
        EXPECT_EQ(before, DescriptionText(skin)) << c.What;
        EXPECT_EQ(2u, skin.FActivePictures.size()) << c.What;
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(SkinDataTest, ClearSkinAnnouncesAnEmptySkin)
{
    TskSkinData skin(nullptr);
    skin.LoadFromFile(WriteTestSkin(folder.Path()));
    TRecorderForm form(nullptr, "form", log);
    skin.ClearSkin();

    EXPECT_EQ(Messages(log), kChangeSequence);
    for (const TSkinMessage& m : log)
        EXPECT_TRUE(m.SkinEmpty);
    EXPECT_EQ(-1, skin.GetControlIndex("button"));
    EXPECT_TRUE(skin.FActivePictures.empty());
    EXPECT_TRUE(skin.Pictures.ActivePicturesNames.empty());
    EXPECT_TRUE(skin.FPicture->Empty());
    EXPECT_EQ(-1, skin.LayerFrame.PictureIndex);
    EXPECT_EQ(SkinSystemColor(15), skin.SkinColors.cBtnFace());
}

TEST_F(SkinDataTest, StoreToDiskWritesAFolderThatLoadsTheSameSkin)
{
    TskSkinData skin(nullptr);
    skin.LoadFromFile(WriteTestSkin(folder.Path(), 3));
    TTempFolder copy("copy");
    skin.StoreToDisk(copy.File("copy.ini"));
    TskSkinData reloaded(nullptr);
    reloaded.LoadFromFile(copy.File("copy.ini"));
    ExpectSameSkin(skin, reloaded);
}

TEST_F(SkinDataTest, AddAndDeletePictures)
{
    TskSkinData skin(nullptr);
    skin.LoadFromFile(WriteTestSkin(folder.Path()));
    skin.AddBitMap(folder.File("main.bmp"));
    EXPECT_EQ("main.bmp", skin.Pictures.ActivePicturesNames.back());
    EXPECT_EQ(3u, skin.FActivePictures.size());
    EXPECT_EQ(40, skin.ActivePicture(2)->Width());
    EXPECT_THROW(skin.AddBitMap(folder.File("none.bmp")), Exception);
    EXPECT_EQ(3u, skin.Pictures.ActivePicturesNames.size());

    skin.DeleteBitMap(0);
    EXPECT_EQ(skin.Pictures.ActivePicturesNames, (std::vector<std::string>{"active1.bmp", "main.bmp"}));
    EXPECT_EQ(5, skin.ActivePicture(0)->Width());
    EXPECT_THROW(skin.DeleteBitMap(2), EListError);
    EXPECT_THROW(skin.DeleteBitMap(-1), EListError);
}

// ---- broadcast order ----

class SkinDataBroadcastTest : public SkinDataTest {
protected:
    // Forms a, b, c in the screen's list in that order (most recently activated first).
    void MakeForms()
    {
        a = std::make_unique<TRecorderForm>(nullptr, "a", log);
        b = std::make_unique<TRecorderForm>(nullptr, "b", log);
        c = std::make_unique<TRecorderForm>(nullptr, "c", log);
    }
    std::unique_ptr<TRecorderForm> a, b, c;
};

class TskFormLayerWindow : public TRecorderForm {
public:
    using TRecorderForm::TRecorderForm;
};

TEST_F(SkinDataBroadcastTest, OrderFollowsTheOwnerAndTheLayeredBorders)
{
    TRecorderForm owner(nullptr, "owner", log);
    MakeForms();
    TskFormLayerWindow layer(nullptr, "layer", log);
    auto* skin = new TskSkinData(&owner); // freed with its owner
    // Names in the screen's order, as the log writes them.
    std::vector<std::string> names;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form == &layer)
            continue;
        names.push_back(form == &owner ? "owner" : form == a.get() ? "a" : form == b.get() ? "b" : "c");
    }
    ASSERT_EQ(4u, names.size());

    // Layered borders off: the owner first, then the others in the screen's order.
    skin->SetShowLayeredBorders(false);
    std::vector<std::string> expected{"owner"};
    for (const std::string& name : names)
        if (name != "owner")
            expected.push_back(name);
    EXPECT_EQ(Receivers(log), expected);

    // On, without a layered frame in the skin: the screen's order, owner included.
    log.clear();
    skin->SetShowLayeredBorders(true);
    EXPECT_EQ(Receivers(log), names);

    // On, with a layered frame: reversed.
    log.clear();
    skin->LayerFrame.PictureIndex = 5;
    skin->SendSkinDataMessage(ChangeSkinDataMessage);
    EXPECT_EQ(Receivers(log), std::vector<std::string>(names.rbegin(), names.rend()));
}

TEST_F(SkinDataBroadcastTest, OptionWritersBroadcastOnlyOnChange)
{
    MakeForms();
    TskSkinData skin(nullptr);
    skin.SetShowLayeredBorders(true);
    skin.SetSkinnableForm(true);
    EXPECT_TRUE(log.empty());
    skin.SetSkinnableForm(false);
    EXPECT_EQ(Messages(log), std::vector<unsigned>(3, SkinnableFormChangedMessage));

    // The string table broadcasts on every assignment, the same table too.
    log.clear();
    TskResourceStrData strings;
    skin.SetResourceStrData(&strings);
    skin.SetResourceStrData(&strings);
    EXPECT_EQ(Messages(log), std::vector<unsigned>(6, ResourceStrDataChangedMessage));

    // While the owner is being read, option changes are only stored.
    log.clear();
    TComponent owner(nullptr);
    auto* owned = new TskSkinData(&owner);
    owner.BeginLoading();
    owned->SetShowLayeredBorders(false);
    owner.EndLoading();
    EXPECT_FALSE(owned->ShowLayeredBorders());
    EXPECT_TRUE(log.empty());
}

// ---- SkinIndex with a skin list ----

class SkinIndexTest : public SkinDataTest {
protected:
    void SetUp() override
    {
        SkinDataTest::SetUp();
        for (int i = 0; i < 7; ++i) {
            TTempFolder skinFolder("item" + std::to_string(i));
            list.Skins()->Add()->Skin()->LoadFromIniFile(WriteTestSkin(skinFolder.Path(), i));
        }
    }
    std::string LoadedName(const TskSkinData& skin) const { return skin.Version.SkinName; }

    TskCompressedSkinList list{nullptr};
};

TEST_F(SkinIndexTest, ItemsAreNamedByPosition)
{
    EXPECT_EQ("skSkin0", list.Skins()->Items(0)->Name);
    EXPECT_EQ("skSkin6", list.Skins()->Items(6)->DisplayName());
}

TEST_F(SkinIndexTest, IndexChoosesTheItemWithinTheList)
{
    TskSkinData skin(nullptr);
    skin.SetSkinIndex(1);
    skin.SetSkinList(&list);
    EXPECT_EQ("Test skin 1", LoadedName(skin));
    TRecorderForm form(nullptr, "form", log);

    struct TCase {
        int Value;
        int IndexAfter;
        const char* SkinAfter;
        bool Announced;
    };
    const TCase cases[] = {
        {7, 1, "Test skin 1", false},  // beyond the list: ignored
        {-1, 1, "Test skin 1", false}, // negative: ignored
        {1, 1, "Test skin 1", false},  // the current value: nothing reloads
        {3, 3, "Test skin 3", true},   {6, 6, "Test skin 6", true},
    };
    for (const TCase& c : cases) {
        log.clear();
        skin.SetSkinIndex(c.Value);
        EXPECT_EQ(c.IndexAfter, skin.SkinIndex()) << c.Value;
        EXPECT_EQ(c.SkinAfter, LoadedName(skin)) << c.Value;
        EXPECT_EQ(Messages(log), c.Announced ? kChangeSequence : std::vector<unsigned>{}) << c.Value;
    }
}

TEST_F(SkinIndexTest, WithoutAListTheIndexIsStoredForLater)
{
    TskSkinData skin(nullptr);
    skin.SetSkinIndex(2);
    EXPECT_EQ(2, skin.SkinIndex());
    EXPECT_TRUE(skin.Empty);
    skin.SetSkinIndex(-5);
    EXPECT_EQ(-5, skin.SkinIndex());
    skin.SetSkinList(&list); // -5 is no item: nothing loads
    EXPECT_TRUE(skin.Empty);
    skin.SetSkinIndex(2);
    EXPECT_EQ("Test skin 2", LoadedName(skin));
}

TEST_F(SkinIndexTest, AnIndexWhoseItemFailsToLoadIsNotTaken)
{
    TskSkinData skin(nullptr);
    skin.SetSkinList(&list);
    EXPECT_EQ("Test skin 0", LoadedName(skin));
    TMemoryStream garbage;
    garbage.WriteValue<std::int32_t>(3);
    garbage.WriteValue<std::int32_t>(4);
    garbage.WriteValue<std::int32_t>(0x12345678);
    list.Skins()->Items(4)->Skin()->LoadFromCompressStream(garbage);
    EXPECT_THROW(skin.SetSkinIndex(4), Exception);
    EXPECT_EQ(0, skin.SkinIndex());
    EXPECT_EQ("Test skin 0", LoadedName(skin));
}

TEST_F(SkinIndexTest, FreedListAndStoredSkinAreDropped)
{
    TskSkinData skin(nullptr);
    auto* ownedList = new TskCompressedSkinList(nullptr);
    ownedList->SetSkins(list.Skins());
    ASSERT_EQ(7, ownedList->Skins()->Count());
    auto* stored = new TskCompressedStoredSkin(nullptr);
    stored->Assign(list.Skins()->Items(5)->Skin());
    skin.SetCompressedStoredSkin(stored);
    EXPECT_EQ("Test skin 5", LoadedName(skin));
    skin.SetSkinIndex(0);
    skin.SetSkinList(ownedList);
    EXPECT_EQ("Test skin 0", LoadedName(skin));

    TObject::Free(ownedList);
    TObject::Free(stored);
    EXPECT_EQ(nullptr, skin.SkinList());
    EXPECT_EQ(nullptr, skin.CompressedStoredSkin());
    skin.SetSkinIndex(4); // no list any more: only stored
    EXPECT_EQ("Test skin 0", LoadedName(skin));
}

} // namespace
} // namespace tovrel::test
