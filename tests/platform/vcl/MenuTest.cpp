#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Menus.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class Menus : public ControlTest {};

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption, std::vector<std::string>* log)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    if (log)
        item->OnClick = [log, caption](TObject*) { log->push_back(caption); };
    parent->Add(item);
    return item;
}

// Logs the removals it is told of: a link left behind to a menu it no longer
// uses shows as an entry.
template <class TBase> class TToldOfRemovals : public TBase {
public:
    using TBase::TBase;
    std::vector<TComponent*> told;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TBase::Notification(component, operation);
        if (operation == opRemove)
            told.push_back(component);
    }
};

TEST_F(Menus, AFormOrControlGivenAnotherMenuDropsTheLinkToTheOld)
{
    // No common owner: only a free-notification link tells them.
    TToldOfRemovals<TForm> form(nullptr);
    auto* oldMain = new TMainMenu(nullptr);
    auto* newMain = new TMainMenu(nullptr);
    form.SetMenu(oldMain);
    form.SetMenu(newMain);
    TToldOfRemovals<TGraphicControl> control(nullptr);
    auto* oldPopup = new TPopupMenu(nullptr);
    auto* newPopup = new TPopupMenu(nullptr);
    control.SetPopupMenu(oldPopup);
    control.SetPopupMenu(newPopup);

    TObject::Free(oldMain);
    TObject::Free(oldPopup);
    EXPECT_TRUE(form.told.empty());
    EXPECT_TRUE(control.told.empty());
    EXPECT_EQ(form.Menu(), newMain);
    EXPECT_EQ(control.PopupMenu(), newPopup);

    TObject::Free(newMain);
    TObject::Free(newPopup);
    EXPECT_EQ(form.told, std::vector<TComponent*>{newMain});
    EXPECT_EQ(control.told, std::vector<TComponent*>{newPopup});
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(control.PopupMenu(), nullptr);
}

TEST(MenuText, ShortCutsAndAcceleratorsReadAndWriteTheirText)
{
    const struct {
        TShortCut Value;
        const char* Text;
    } cases[] = {
        {TShortCut('S' | scCtrl), "Ctrl+S"},           {TShortCut(VK_F1), "F1"},
        {TShortCut(VK_DELETE | scShift), "Shift+Del"}, {TShortCut('A' | scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+A"},
        {TShortCut(VK_RETURN | scAlt), "Alt+Enter"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.Value), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.Value) << c.Text;
    }
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
    EXPECT_EQ(ShortCut('S', {ssCtrl}), TShortCut('S' | scCtrl));
    EXPECT_TRUE(IsAccel('F', "&File"));
    EXPECT_TRUE(IsAccel('X', "E&xit"));
    EXPECT_FALSE(IsAccel('X', "A&&x"));
    EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
}

TEST_F(Menus, RadioGroupsLinesAndCommands)
{
    TPopupMenu menu(nullptr);
    std::vector<std::string> log;
    TMenuItem* root = menu.Items();
    Item(&menu, root, "-", nullptr);
    TMenuItem* bmp = Item(&menu, root, "BMP文件", &log);
    TMenuItem* jpg = Item(&menu, root, "JPG文件", &log);
    TMenuItem* line1 = Item(&menu, root, "-", nullptr);
    TMenuItem* line2 = Item(&menu, root, "-", nullptr);
    TMenuItem* other = Item(&menu, root, "打开快照目录", &log);
    TMenuItem* last = Item(&menu, root, "-", nullptr);
    for (TMenuItem* radio : {bmp, jpg, other})
        radio->SetRadioItem(true);
    other->SetGroupIndex(1);
    bmp->SetChecked(true);
    other->SetChecked(true);
    jpg->SetChecked(true);
    EXPECT_FALSE(bmp->Checked());
    EXPECT_TRUE(other->Checked()) << "another group";

    root->RethinkLines();
    EXPECT_FALSE(root->Items(0)->Visible());
    EXPECT_TRUE(line1->Visible());
    EXPECT_FALSE(line2->Visible());
    EXPECT_FALSE(last->Visible());

    EXPECT_TRUE(menu.DispatchCommand(jpg->Command()));
    EXPECT_FALSE(menu.DispatchCommand(0));
    EXPECT_EQ(log, std::vector<std::string>{"JPG文件"});
    EXPECT_EQ(root->Find("打开快照目录"), other);
    root->Delete(1);
    EXPECT_EQ(root->Count(), 6);
}

TEST_F(Menus, FormShortCutsClickEnabledItemsOnly)
{
    auto form = ShownForm(0, 0, 100, 100);
    auto* main = new TMainMenu(form.get());
    form->SetMenu(main);
    std::vector<std::string> log;
    TMenuItem* help = Item(form.get(), main->Items(), "帮助", nullptr);
    TMenuItem* topics = Item(form.get(), help, "帮助主题", &log);
    topics->SetShortCut(VK_F1);
    TMenuItem* save = Item(form.get(), main->Items(), "Save", &log);
    save->SetShortCut(TShortCut('S' | scCtrl));
    save->SetEnabled(false);
    form->SetFocus();
    Key(VK_F1);
    InjectKey(VK_CONTROL, true);
    Key('S');
    InjectKey(VK_CONTROL, false);
    help->SetEnabled(false);
    Key(VK_F1);
    EXPECT_EQ(log, std::vector<std::string>{"帮助主题"});
    TObject::Free(main);
    EXPECT_EQ(form->Menu(), nullptr);
}

TEST_F(Menus, RightClickPopsTheControlsMenuThroughThePresenter)
{
    auto form = ShownForm(100, 50, 100, 100);
    auto* popup = new TPopupMenu(form.get());
    std::vector<std::string> log;
    Item(form.get(), popup->Items(), "打开", &log);
    auto* target = new TGraphicControl(form.get());
    target->SetBounds(10, 10, 30, 30);
    target->SetParent(form.get());
    target->SetPopupMenu(popup);
    popup->OnPopup = [&](TObject*) { log.push_back("popup"); };
    TPoint shownAt;
    SetPopupPresenter([&](TPopupMenu& menu, TPoint screen) {
        shownAt = screen;
        return menu.Items()->Items(0);
    });
    InjectMouseButton(1, true, Point(120, 70));
    InjectMouseButton(1, false, Point(120, 70));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "打开"}));
    EXPECT_EQ(shownAt, Point(120, 70));
    EXPECT_EQ(popup->PopupComponent, target);

    target->OnContextPopup = [](TObject*, TPoint mouse, bool& handled) { handled = mouse == Point(10, 10); };
    log.clear();
    InjectMouseButton(1, true, Point(120, 70));
    InjectMouseButton(1, false, Point(120, 70));
    Pump();
    EXPECT_TRUE(log.empty());
    SetPopupPresenter(nullptr);
    TObject::Free(target);
    EXPECT_EQ(popup->PopupComponent, nullptr);
}

} // namespace
} // namespace tovrel::test
