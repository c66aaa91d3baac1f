#include "MessageBoxDriver.h"

#include "platform/vcl/Errors.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SelectSkinDialog.h"
#include "skin/dialogs/SelectSkinDlgForm.h"
#include "skin/forms/SkinForm.h"
#include "skin/stored/StoredSkins.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class SelectSkinDialog : public MessageBoxTest {
protected:
    void SetUp() override
    {
        MessageBoxTest::SetUp();
        skins = std::make_unique<TskCompressedSkinList>(nullptr);
        AddStoredSkins(*skins, TStoredSkinRole::User);
        ASSERT_GE(skins->Skins()->Count(), 7);
        main = std::make_unique<TskSkinData>(nullptr);
        main->SetSkinList(skins.get());
        ASSERT_FALSE(main->Empty);
        owner = ShownForm(200, 150, 640, 480);
        frame = new TskSkinForm(owner.get());
        frame->SetSkinData(main.get());
        frame->OnChangeSkinData = [this](TObject*) { ++ownerSkinChanges; };
        sample = new TskSkinButton(owner.get());
        sample->SetParent(owner.get());
        sample->SetSkinData(main.get());
        dialog = new TskSelectSkinDialog(owner.get());
        dialog->SetSkinList(skins.get());
        dialog->SetSkinData(main.get());
        dialog->SetCtrlSkinData(main.get());
    }
    void TearDown() override
    {
        owner.reset();
        main.reset();
        MessageBoxTest::TearDown();
    }
    std::string SkinName(int index) const { return skins->Skins()->Items(index)->Name; }
    // Runs Execute(start) and answers with `act`.
    bool Run(int start, std::function<void(TskSelectSkinDlgForm&)> act)
    {
        return AnswerModal<TskSelectSkinDlgForm>(std::move(act), [&] { return dialog->Execute(start); });
    }
    // Records the name of every skin the preview frame redraws in.
    void WatchPreview(TskSelectSkinDlgForm& form)
    {
        form.PreviewBSF->OnChangeSkinData = [this, &form](TObject*) {
            previewed.push_back(form.PreviewSkinData->Version.SkinName);
        };
    }

    std::unique_ptr<TskCompressedSkinList> skins;
    std::unique_ptr<TskSkinData> main;
    std::unique_ptr<TForm> owner;
    TskSkinForm* frame = nullptr;
    TskSkinButton* sample = nullptr;
    TskSelectSkinDialog* dialog = nullptr;
    int ownerSkinChanges = 0;
    std::vector<std::string> previewed;
};

TEST_F(SelectSkinDialog, OkReturnsTheChosenSkinAndTheCallerSwitchesEveryForm)
{
    std::string shownFirst;
    TskSkinData* previewButtonSkin = nullptr;
    const bool accepted = Run(1, [&](TskSelectSkinDlgForm& form) {
        shownFirst = form.PreviewSkinData->Version.SkinName;
        previewButtonSkin = form.PreviewButton->SkinData();
        EXPECT_EQ(form.SkinsListBox->ItemIndex(), 1);
        EXPECT_EQ(form.PreviewBSF->SkinData(), form.PreviewSkinData);
        EXPECT_TRUE(form.PreviewBSF->PreviewMode);
        EXPECT_FALSE(form.PreviewForm->Enabled());
        EXPECT_EQ(form.ActiveControl(), form.SkinsListBox->ListBox);
        WatchPreview(form);
        Keys({VK_DOWN, VK_DOWN, VK_UP, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(shownFirst, SkinName(1));
    EXPECT_NE(previewButtonSkin, main.get());
    // The arrows preview every line they reach.
    EXPECT_EQ(previewed, (std::vector<std::string>{SkinName(2), SkinName(3), SkinName(2), SkinName(3), SkinName(4)}));
    EXPECT_EQ(dialog->SelectedSkinIndex(), 4);
    EXPECT_EQ(dialog->DialogForm(), nullptr);
    // Nothing reached the caller's forms while the dialog ran.
    EXPECT_EQ(main->SkinIndex(), 0);
    EXPECT_EQ(ownerSkinChanges, 0);

    main->SetSkinIndex(dialog->SelectedSkinIndex());
    EXPECT_EQ(main->Version.SkinName, SkinName(4));
    EXPECT_EQ(ownerSkinChanges, 1);
    EXPECT_EQ(sample->SkinData(), main.get());
}

TEST_F(SelectSkinDialog, CancelAndEscChangeNothing)
{
    const std::string before = main->Version.SkinName;
    for (const char* how : {"Esc", "Cancel"}) {
        SCOPED_TRACE(how);
        const bool accepted = Run(0, [&](TskSelectSkinDlgForm& form) {
            WatchPreview(form);
            Keys({VK_DOWN, VK_DOWN});
            if (std::string_view(how) == "Esc")
                Keys({VK_ESCAPE});
            else
                ClickOn(form, "CancelButton");
        });
        EXPECT_FALSE(accepted);
        EXPECT_EQ(dialog->SelectedSkinIndex(), -1);
        EXPECT_EQ(dialog->SelectedSkin(), nullptr);
        EXPECT_EQ(previewed.size(), 2u);
        previewed.clear();
    }
    EXPECT_EQ(main->SkinIndex(), 0);
    EXPECT_EQ(main->Version.SkinName, before);
    EXPECT_EQ(ownerSkinChanges, 0);
}

TEST_F(SelectSkinDialog, ClickingPreviewsAndDoubleClickingAccepts)
{
    const bool accepted = Run(0, [&](TskSelectSkinDlgForm& form) {
        WatchPreview(form);
        TskListBox& list = *form.SkinsListBox->ListBox;
        const TRect row = list.ItemRect(5);
        const TPoint at = list.ClientToScreen(Point(row.Left + 10, (row.Top + row.Bottom) / 2));
        InjectMouseMove(at);
        for (int click = 0; click < 2; ++click) {
            InjectMouseButton(0, true, at);
            InjectMouseButton(0, false, at);
        }
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(dialog->SelectedSkinIndex(), 5);
    ASSERT_FALSE(previewed.empty());
    EXPECT_EQ(previewed.front(), SkinName(5));
}

TEST_F(SelectSkinDialog, ListsDescriptionsElseNamesAndOkAcceptsTheStart)
{
    skins->Skins()->Items(0)->Description = "";
    skins->Skins()->Items(1)->Description = "Second skin, described";
    std::vector<std::string> rows;
    const bool accepted = Run(1, [&](TskSelectSkinDlgForm& form) {
        for (int i = 0; i < form.SkinsListBox->Items()->Count(); ++i)
            rows.push_back(form.SkinsListBox->Items()->Strings(i));
        ClickOn(form, "OpenButton");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(dialog->SelectedSkinIndex(), 1);
    ASSERT_EQ(rows.size(), std::size_t(skins->Skins()->Count()));
    EXPECT_EQ(rows[0], SkinName(0));
    EXPECT_EQ(rows[1], "Second skin, described");
}

TEST_F(SelectSkinDialog, AnIndexOutsideTheListSelectsAndPreviewsNothing)
{
    bool previewEmpty = false;
    int row = 0;
    const bool accepted = Run(99, [&](TskSelectSkinDlgForm& form) {
        previewEmpty = form.PreviewSkinData->Empty;
        row = form.SkinsListBox->ItemIndex();
        Keys({VK_RETURN});
    });
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(previewEmpty);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(dialog->SelectedSkinIndex(), 99);
    main->SetSkinIndex(dialog->SelectedSkinIndex());
    EXPECT_EQ(main->SkinIndex(), 0);
}

TEST_F(SelectSkinDialog, WithoutASkinListNothingShows)
{
    dialog->SetSkinList(nullptr);
    const int forms = Screen->FormCount();
    EXPECT_FALSE(dialog->Execute(0));
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_EQ(dialog->SelectedSkinIndex(), -1);
}

TEST_F(SelectSkinDialog, SizeTextsAndPlace)
{
    struct TCase {
        const char* Name;
        bool Skinned;
        std::vector<std::string> Table; // empty: no string table
        std::vector<std::string> Texts; // OK, Cancel, preview caption, sample button
    };
    const std::vector<TCase> cases = {
        {"no skin, no table", false, {}, {"OK", "Cancel", "Preview", "Button"}},
        {"skin with a table lacking keys", true, {"MSG_BTN_OK=确定", "MSG_PREVIEWSKIN=预览"}, {"确定", "", "预览", ""}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TskResourceStrData table;
        table.SetResStrings(c.Table);
        TskSkinData controls(nullptr);
        if (!c.Table.empty())
            controls.SetResourceStrData(&table);
        dialog->SetSkinData(c.Skinned ? main.get() : nullptr);
        dialog->SetCtrlSkinData(&controls);
        std::vector<std::string> texts;
        TRect client, place;
        int minWidth = 0;
        Run(0, [&](TskSelectSkinDlgForm& form) {
            texts = {form.OpenButton->Caption(), form.CancelButton->Caption(), form.PreviewForm->Caption(),
                     form.PreviewButton->Caption()};
            client = form.ClientRect();
            minWidth = form.BSF->GetMinWidth();
            place = form.BoundsRect();
            EXPECT_EQ(form.Caption(), "Select skin");
            EXPECT_EQ(form.SkinsListBox->BoundsRect(), Rect(10, 10, 180, 180));
            EXPECT_EQ(form.PreviewForm->BoundsRect(), Rect(190, 10, 410, 180));
            EXPECT_EQ(form.OpenButton->BoundsRect(), Rect(260, 200, 330, 225));
            EXPECT_EQ(form.CancelButton->BoundsRect(), Rect(340, 200, 410, 225));
            Keys({VK_ESCAPE});
        });
        EXPECT_EQ(texts, c.Texts);
        if (c.Skinned) {
            EXPECT_GE(client.Width(), std::max(420, minWidth));
            EXPECT_GE(client.Height(), 240);
        } else {
            EXPECT_EQ(client, Rect(0, 0, 420, 240));
        }
        // Centred on the owner form.
        EXPECT_NEAR(place.Left + place.Width() / 2, owner->Left() + owner->Width() / 2, 1);
        EXPECT_NEAR(place.Top + place.Height() / 2, owner->Top() + owner->Height() / 2, 1);
    }
}

TEST_F(SelectSkinDialog, OwnerFormModeOffersTheStoredSkinsOfTheOwner)
{
    std::vector<TskCompressedStoredSkin*> stored;
    for (int i = 0; i < 3; ++i) {
        auto* skin = new TskCompressedStoredSkin(owner.get());
        skin->SetName("stored" + std::to_string(i));
        skin->CompressedData().LoadFromStream(skins->Skins()->Items(i)->Skin()->CompressedData());
        stored.push_back(skin);
    }
    stored[1]->Description = "The second";
    TskCompressedStoredSkin elsewhere(nullptr);

    std::vector<std::string> rows;
    dialog->SetSkinList(nullptr);
    const bool accepted = AnswerModal<TskSelectSkinDlgForm>(
        [&](TskSelectSkinDlgForm& form) {
            for (int i = 0; i < form.SkinsListBox->Items()->Count(); ++i)
                rows.push_back(form.SkinsListBox->Items()->Strings(i));
            EXPECT_EQ(form.SkinsListBox->ItemIndex(), 0);
            EXPECT_EQ(form.SelectedSkin(), stored[0]);
            Keys({VK_DOWN, VK_RETURN});
        },
        [&] { return dialog->Execute(&elsewhere); });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(rows, (std::vector<std::string>{"stored0", "The second", "stored2"}));
    EXPECT_EQ(dialog->SelectedSkin(), stored[1]);

    // A default that is there is preselected.
    const bool again = AnswerModal<TskSelectSkinDlgForm>([&](TskSelectSkinDlgForm&) { Keys({VK_RETURN}); },
                                                         [&] { return dialog->Execute(stored[2]); });
    EXPECT_TRUE(again);
    EXPECT_EQ(dialog->SelectedSkin(), stored[2]);
}

TEST_F(SelectSkinDialog, OwnerFormModeWithoutStoredSkinsRaisesAndShowsNothing)
{
    const int forms = Screen->FormCount();
    EXPECT_THROW(dialog->Execute(static_cast<TskCompressedStoredSkin*>(nullptr)), EListError);
    EXPECT_EQ(dialog->DialogForm(), nullptr);
    EXPECT_EQ(Screen->FormCount(), forms);
}

} // namespace
} // namespace tovrel::test
