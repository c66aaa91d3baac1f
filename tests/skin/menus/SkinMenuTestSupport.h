#pragma once
// A shown form, a popup menu built in code, and the skinned engine installed
// as the popup presenter, with one of the stored user skins or none.
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"
#include "skin/stored/StoredSkins.h"

#include <string>
#include <vector>

namespace tovrel::test {

class SkinMenuTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(100, 100, 300, 200);
        engine = std::make_unique<TskSkinMenu>(nullptr, form.get());
        menu = std::make_unique<TPopupMenu>(nullptr);
    }
    void TearDown() override
    {
        engine.reset();
        menu.reset();
        form.reset();
        skin.reset();
        skins.reset();
        ControlTest::TearDown();
    }
    // Stored user skin `index`, or none for 0.
    TskSkinData* UseSkin(int index)
    {
        if (index == 0)
            return nullptr;
        skins = std::make_unique<TskCompressedSkinList>(nullptr);
        AddStoredSkins(*skins, TStoredSkinRole::User);
        skin = std::make_unique<TskSkinData>(nullptr);
        skin->SetSkinList(skins.get());
        skin->SetSkinIndex(index - 1);
        return skin.get();
    }
    TMenuItem* Add(TMenuItem* parent, const std::string& caption, std::vector<std::string>* log = nullptr)
    {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        if (log)
            item->OnClick = [log, caption](TObject*) { log->push_back(caption); };
        parent->Add(item);
        return item;
    }
    // Opens the menu through the engine itself (the way forms and controls drop it).
    void Open(TskSkinData* data, TPoint at = {120, 120})
    {
        auto* control = dynamic_cast<TControl*>(menu->PopupComponent.Get());
        engine->Popup(control, data, 0, Rect(at.X, at.Y, at.X, at.Y), menu->Items(), false);
        Pump();
    }
    TskSkinPopupWindow& Level(int i) const { return *engine->Level(i); }
    TskSkinMenuItem& Row(int level, int i) const { return *Level(level).ItemList[std::size_t(i)]; }
    // The screen point in the middle of a row.
    TPoint RowCenter(int level, int i) const
    {
        const TRect r = Row(level, i).ObjectRect;
        return {Level(level).Left() + (r.Left + r.Right) / 2, Level(level).Top() + (r.Top + r.Bottom) / 2};
    }
    void Tick(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            clock->Advance(10);
            Pump();
        }
    }
    void MoveTo(TPoint screen)
    {
        InjectMouseMove(screen);
        Pump();
        Tick(60);
    }

    std::unique_ptr<TForm> form;
    std::unique_ptr<TskSkinMenu> engine;
    std::unique_ptr<TPopupMenu> menu;
    std::unique_ptr<TskCompressedSkinList> skins;
    std::unique_ptr<TskSkinData> skin;
};

} // namespace tovrel::test
