#include "SkinFormTestSupport.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel::test {

namespace {

using TLog = std::vector<std::string>;

// Skinned controls that write each skin-change call into a shared log.
template <class Base> class Recording : public Base {
public:
    Recording(TComponent* owner, std::string name, TLog& log) : Base(owner), name_(std::move(name)), log_(log) {}
    void BeforeChangeSkinData() override
    {
        log_.push_back("before " + name_);
        Base::BeforeChangeSkinData();
    }
    void ChangeSkinData() override
    {
        log_.push_back("change " + name_);
        Base::ChangeSkinData();
    }

private:
    std::string name_;
    TLog& log_;
};

template <class T> T* Add(TWinControl& parent, T* control, TskSkinData* data)
{
    control->SetParent(&parent);
    control->SetBounds(0, 0, 40, 20);
    control->SetSkinData(data);
    return control;
}

} // namespace

TEST_F(SkinFormTest, ASkinChangeWalksTheControlsOfItsSkinInOrder)
{
    TskSkinData* data = LoadSkin(0);
    TskSkinData other(nullptr);
    TLog log;
    TskSkinForm* f = ShowSkinned(data, Bounds(10, 10, 400, 300));
    TLog events;
    f->OnBeforeChangeSkinData = [&](TObject*) { events.push_back("before"); };
    f->OnChangeSkinData = [&](TObject*) { events.push_back("change"); };
    f->OnAfterChangeSkinData = [&](TObject*) { events.push_back("after"); };
    using TWindowed = Recording<TskSkinControl>;
    using TGraphic = Recording<TskGraphicSkinControl>;
    auto* panel = Add(*form, new TWindowed(form.get(), "panel", log), data);
    Add(*panel, new TWindowed(form.get(), "panel.child", log), data);
    Add(*panel, new TGraphic(form.get(), "panel.graphic", log), data);
    Add(*form, new TGraphic(form.get(), "graphic", log), data);
    Add(*form, new TWindowed(form.get(), "other", log), &other);
    Pump();
    log.clear();

    data->SetSkinIndex(1);

    // Graphic controls come before windowed ones among a parent's children;
    // only windowed controls forget their entries first; "other" is left alone.
    EXPECT_EQ((TLog{"before panel", "before panel.child", "change graphic", "change panel", "change panel.graphic",
                    "change panel.child"}),
              log);
    EXPECT_EQ((TLog{"before", "change", "after"}), events);
    EXPECT_TRUE(f->SkinSupport());
    EXPECT_EQ(data->FormInfo.ClRect.Left, form->ClientToScreen({0, 0}).X - form->Left());
}

TEST_F(SkinFormTest, AFormThatDrawsItsOwnBandKeepsTheNativeFrameWhateverTheSkinSays)
{
    TskSkinData* data = LoadSkin(0);
    TskSkinForm* f = ShowSkinned(data, Bounds(10, 10, 400, 300));
    ASSERT_TRUE(f->GetSkinnableForm());
    f->UseRibbon = true;
    f->SetSkinnableForm(true);
    EXPECT_FALSE(f->GetSkinnableForm());
    data->SetSkinnableForm(false); // the skin's own switch is not followed either
    data->SetSkinnableForm(true);
    Pump();
    EXPECT_FALSE(f->GetSkinnableForm());
    EXPECT_EQ(SendMessage(form->Handle(), SkinnableFormQueryMessage, 0, 0), NativeFormAnswer);
}

TEST_F(SkinFormTest, ASkinChangeRecoloursTheListView)
{
    TskSkinData* data = LoadSkin(0);
    ShowSkinned(data, Bounds(10, 10, 400, 300));
    auto* list = Add(*form, new TskSkinListView(form.get()), data);
    data->SetSkinIndex(1);
    const auto* entry =
        dynamic_cast<const TskDataSkinListView*>(data->CtrlList[std::size_t(FindSkinEntry(data, "listview"))].get());
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(entry->BGColor, list->Color());
    EXPECT_EQ(entry->FontColor, list->Font()->Color());
}

TEST_F(SkinFormTest, ASkinChangeRecoloursEditsAndPageControls)
{
    TskSkinData* data = LoadSkin(0);
    ShowSkinned(data, Bounds(10, 10, 400, 300));
    auto* edit = Add(*form, new TskSkinEdit(form.get()), data);
    edit->SetText("shown");
    auto* pages = Add(*form, new TskSkinPageControl(form.get()), data);
    Pump();
    data->SetSkinIndex(1);
    const auto* editEntry =
        dynamic_cast<const TskDataSkinEditControl*>(data->CtrlList[std::size_t(FindSkinEntry(data, "edit"))].get());
    const auto* tabEntry =
        dynamic_cast<const TskDataSkinTabControl*>(data->CtrlList[std::size_t(FindSkinEntry(data, "tab"))].get());
    ASSERT_NE(nullptr, editEntry);
    ASSERT_NE(nullptr, tabEntry);
    EXPECT_EQ(editEntry->FontColor, edit->Font()->Color());
    EXPECT_EQ(tabEntry->FontColor, pages->Font()->Color());
    EXPECT_EQ("shown", edit->Text());
}

TEST_F(SkinFormTest, AChangeOfAnotherSkinDataLeavesTheFrameAlone)
{
    TskSkinData* data = LoadSkin(0);
    TskSkinForm* f = ShowSkinned(data, Bounds(10, 10, 400, 300));
    const std::size_t objects = f->Objects().size();
    TskSkinData other(nullptr);
    other.SetSkinList(skins.get());
    other.SetSkinIndex(2);
    EXPECT_EQ(objects, f->Objects().size());
    EXPECT_TRUE(f->SkinSupport());
}

TEST_F(SkinFormTest, AFreedSkinDataLeavesTheDefaultFrame)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(0), Bounds(10, 10, 400, 300));
    skin.reset();
    EXPECT_EQ(nullptr, f->SkinData());
    EXPECT_FALSE(f->SkinSupport());
    form->Repaint();
    Pump();
    EXPECT_EQ(6u, f->Objects().size());
}

} // namespace tovrel::test
